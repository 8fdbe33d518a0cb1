#include "settings/SettingStore.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

bool SettingStore::ReadBool(const std::string& section, const std::string& key,
                            bool defaultValue) {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void SettingStore::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::int32_t ParseSettingInteger(const std::string& text, std::int32_t defaultValue) {
  std::string digits;
  bool hex = false;
  if (!text.empty() && text[0] == '$') {
    digits = text.substr(1);
    hex = true;
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    digits = text.substr(2);
    hex = true;
  }
  if (hex) {
    if (digits.empty() || digits.size() > 8) return defaultValue;
    for (char c : digits)
      if (!IsHexDigit(c)) return defaultValue;
    return static_cast<std::int32_t>(std::strtoul(digits.c_str(), nullptr, 16));
  }
  return ParseDecimalInteger(text, defaultValue);
}

std::int32_t ParseDecimalInteger(const std::string& text, std::int32_t defaultValue) {
  std::size_t first = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (first == text.size()) return defaultValue;
  for (std::size_t i = first; i < text.size(); ++i)
    if (!IsDecimalDigit(text[i])) return defaultValue;
  errno = 0;
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return defaultValue;
  return static_cast<std::int32_t>(value);
}

std::vector<std::string> SplitKeyList(const char* list, std::size_t length) {
  std::vector<std::string> names;
  const char* const end = list + length;
  for (const char* name = list; name < end;) {
    const char* const zero = std::find(name, end, '\0');
    if (zero != name) names.emplace_back(name, zero);
    name = zero + 1;
  }
  return names;
}
