// A store that writes nothing and checks every section and key name that a
// save would write against what the registry key can hold. The registry
// refuses a bad name only when the save reaches it, after the sections
// before it have been replaced; checked first, a save is refused whole.
#pragma once

#include "platform/AnsiText.h"
#include "settings/SettingStore.h"

class TRegistryNameCheck : public SettingStore {
 public:
  // isLeadByte tells the double-byte characters of the names' code page,
  // whose trail byte may be the "\" that separates keys.
  explicit TRegistryNameCheck(TLeadByteTest isLeadByte) : IsLeadByte(isLeadByte) {}

  // Reads find nothing, so a save through this store writes every key.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue) override;
  std::vector<std::string> ReadSectionKeys(const std::string& section) override;
  bool SectionExists(const std::string& section) override;
  // Each throws ESettingError for a name the registry cannot hold.
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  void WriteInteger(const std::string& section, const std::string& key,
                    std::int32_t value) override;
  void EraseSection(const std::string& section) override;

 private:
  void CheckSection(const std::string& section) const;
  void CheckValue(const std::string& section, const std::string& key) const;

  TLeadByteTest IsLeadByte;
};
