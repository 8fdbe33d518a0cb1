#include "MemoryStore.h"

std::string MemoryStore::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) {
  const auto s = Sections.find(section);
  if (s == Sections.end()) return defaultValue;
  for (const auto& [name, value] : s->second)
    if (name == key) return value;
  return defaultValue;
}

void MemoryStore::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
  Writes.push_back(section + "|" + key + "=" + value);
  Section& s = Sections[section];
  for (auto& entry : s)
    if (entry.first == key) {
      entry.second = value;
      return;
    }
  s.emplace_back(key, value);
}

std::int32_t MemoryStore::ReadInteger(const std::string& section, const std::string& key,
                                      std::int32_t defaultValue) {
  return ParseSettingInteger(ReadString(section, key, ""), defaultValue);
}

void MemoryStore::WriteInteger(const std::string& section, const std::string& key,
                               std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

std::vector<std::string> MemoryStore::ReadSectionKeys(const std::string& section) {
  std::vector<std::string> keys;
  const auto s = Sections.find(section);
  if (s != Sections.end())
    for (const auto& entry : s->second) keys.push_back(entry.first);
  return keys;
}

bool MemoryStore::SectionExists(const std::string& section) {
  const auto s = Sections.find(section);
  return s != Sections.end() && !s->second.empty();
}

void MemoryStore::EraseSection(const std::string& section) { Sections.erase(section); }
