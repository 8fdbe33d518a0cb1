// A setting file (".vxs", INI format) as a setting store, through the
// system's profile functions. Every value is text; integers follow the
// setting-file rule of ParseSettingInteger.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "settings/SettingError.h"
#include "settings/SettingStore.h"

class IniFileStore : public SettingStore {
 public:
  // The name is made absolute against the current directory: the profile
  // functions would otherwise look for a bare name in the Windows folder.
  explicit IniFileStore(const std::string& fileName);
  ~IniFileStore() override;
  IniFileStore(const IniFileStore&) = delete;
  IniFileStore& operator=(const IniFileStore&) = delete;

  static std::string FullPath(const std::string& fileName);
  // What a failed write of the file raises.
  static ESettingError WriteFailure(const std::string& fileName);
  const std::string& FileName() const { return Path; }

  // Values longer than 2047 characters are cut.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  // Throws ESettingError when the file cannot be written.
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue) override;
  void WriteInteger(const std::string& section, const std::string& key,
                    std::int32_t value) override;
  // In file order. Throws ESettingError when a list does not fit in 256 KiB,
  // or when this store has listed more than 2000 names in all.
  std::vector<std::string> ReadSectionKeys(const std::string& section) override;
  bool SectionExists(const std::string& section) override;
  // Only the section of exactly this name; throws ESettingError on failure.
  void EraseSection(const std::string& section) override;

 private:
  std::vector<std::string> ListKeys(const std::string& section);
  ESettingError TooManyEntries(const std::string& section) const;

  std::string Path;
  std::size_t ListedKeys = 0;
};
