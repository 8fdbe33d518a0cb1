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

  // Adds the sections and keys of a setting file's text, roughly as the
  // profile functions read it: a line ends at CR or LF; blanks around names
  // and values are dropped; "[name]" opens a section (an unclosed one runs to
  // the line's end); any other line in a section is "key=value" or a key
  // alone. A section or key that occurs twice keeps both occurrences, and
  // reads find the first.
  void LoadIniText(const std::string& text);

  std::map<std::string, Section> Sections;
  // Every write, as "section|key=value", in order.
  std::vector<std::string> Writes;
};
