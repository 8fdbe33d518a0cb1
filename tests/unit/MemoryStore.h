// A store held in memory that follows the value rules of a setting file:
// every value is text, integers are parsed by the file's rule, keys keep the
// order of their first write, and only the exact section is erased.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingStore.h"

class MemoryStore : public SettingStore {
 public:
  using Section = std::vector<std::pair<std::string, std::string>>;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) override;
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue) override;
  void WriteInteger(const std::string& section, const std::string& key,
                    std::int32_t value) override;
  std::vector<std::string> ReadSectionKeys(const std::string& section) override;
  bool SectionExists(const std::string& section) override;
  void EraseSection(const std::string& section) override;

  std::map<std::string, Section> Sections;
  // Every write, as "section|key=value", in order.
  std::vector<std::string> Writes;
};
