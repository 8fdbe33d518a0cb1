// The interface through which every settings object saves and loads itself.
// A "\" in a section name nests one section below another. Every read takes
// a default that it returns when the key is missing or unreadable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class SettingStore {
 public:
  virtual ~SettingStore() = default;

  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) = 0;
  virtual void WriteString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
  virtual std::int32_t ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) = 0;
  virtual void WriteInteger(const std::string& section, const std::string& key,
                            std::int32_t value) = 0;
  // Booleans are the same in every store: written as "1" / "0", read as an
  // integer that is true when non-zero.
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);
  void WriteBool(const std::string& section, const std::string& key, bool value);

  // One name for the three kinds, so that a table of a setting's keys and
  // members can drive its saving and loading.
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& defaultValue) {
    return ReadString(section, key, defaultValue);
  }
  bool Read(const std::string& section, const std::string& key, bool defaultValue) {
    return ReadBool(section, key, defaultValue);
  }
  std::int32_t Read(const std::string& section, const std::string& key,
                    std::int32_t defaultValue) {
    return ReadInteger(section, key, defaultValue);
  }
  void Write(const std::string& section, const std::string& key, const std::string& value) {
    WriteString(section, key, value);
  }
  void Write(const std::string& section, const std::string& key, bool value) {
    WriteBool(section, key, value);
  }
  void Write(const std::string& section, const std::string& key, std::int32_t value) {
    WriteInteger(section, key, value);
  }

  virtual std::vector<std::string> ReadSectionKeys(const std::string& section) = 0;
  virtual bool SectionExists(const std::string& section) = 0;
  virtual void EraseSection(const std::string& section) = 0;
};

// The integer rule of setting files: decimal with an optional sign; a text of
// more than two characters that starts with "0x" or "0X", or any text that
// starts with "$", is hexadecimal (up to 32 bits, taken as two's complement).
// Anything else, an empty text or a number out of range gives defaultValue.
std::int32_t ParseSettingInteger(const std::string& text, std::int32_t defaultValue);

// Decimal with an optional sign and nothing else: how the registry's text
// values are read as integers. Anything else gives defaultValue.
std::int32_t ParseDecimalInteger(const std::string& text, std::int32_t defaultValue);

// The names of a key list as the profile functions return it: one after
// another, each ended by a zero, in the first length bytes of list. Empty
// names are left out, and a name that the length cuts ends there.
std::vector<std::string> SplitKeyList(const char* list, std::size_t length);
