#include "MemoryStore.h"

namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

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

void MemoryStore::LoadIniText(const std::string& text) {
  Section* current = nullptr;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      current = &Sections[Trimmed(line.substr(1, close == std::string::npos ? close : close - 1))];
    } else if (current != nullptr) {
      const std::size_t equals = line.find('=');
      current->emplace_back(Trimmed(line.substr(0, equals)),
                            equals == std::string::npos ? "" : Trimmed(line.substr(equals + 1)));
    }
  }
}
