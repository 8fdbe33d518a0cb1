// The registry key that holds the working copy of the settings, as a setting
// store. A section is the path of a subkey below the key; integers are DWORD
// values, booleans the strings "1" and "0".
#pragma once

#include <string>

#include "shared/Win32Owner.h"
#include "settings/SettingStore.h"

class RegistryStore : public SettingStore {
 public:
  // Below HKEY_CURRENT_USER.
  static const char KeyPath[];

  // Opens the key with full access, creating it when missing; throws
  // ESettingError when it can be neither opened nor created.
  RegistryStore();

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  // Creates the subkey path when needed. Every write throws ESettingError
  // when the registry refuses it.
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  // A DWORD value as it is, a string value as decimal text; a value of any
  // other type or size reads as defaultValue.
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue) override;
  // A DWORD value, unless a string value of that name exists: then the
  // number is written as decimal text and the value stays a string.
  void WriteInteger(const std::string& section, const std::string& key,
                    std::int32_t value) override;
  std::vector<std::string> ReadSectionKeys(const std::string& section) override;
  bool SectionExists(const std::string& section) override;
  // Deletes the subkey and everything below it.
  void EraseSection(const std::string& section) override;

 private:
  TRegKey OpenSection(const std::string& section, REGSAM access);
  TRegKey CreateSection(const std::string& section);

  TRegKey Root;
};
