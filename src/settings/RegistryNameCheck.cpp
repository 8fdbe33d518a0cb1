#include "settings/RegistryNameCheck.h"

#include "settings/SettingError.h"

namespace {

// The registry's own limits, the strictest of the Windows versions the
// program runs on: a key name of 1 to 255 characters, a value name of at
// most 255 (Windows 9x), and at most 32 levels of keys created by one call.
// Counted in bytes, which is never fewer than characters.
constexpr std::size_t NameLimit = 255;
constexpr std::size_t LevelLimit = 32;

[[noreturn]] void Refuse(const std::string& name) {
  throw ESettingError("レジストリに保存できない名前があります\n" + name);
}

}  // namespace

// A name splits into keys at each "\" that is a character of its own, not
// the trail byte of a double-byte character (as in 表, 0x95 0x5C).
void TRegistryNameCheck::CheckSection(const std::string& section) const {
  std::size_t levels = 0;
  std::size_t length = 0;
  for (std::size_t i = 0; i <= section.size(); ++i) {
    if (i == section.size() || section[i] == '\\') {
      if (length == 0 || length > NameLimit || ++levels > LevelLimit) Refuse(section);
      length = 0;
      continue;
    }
    const bool pair = IsLeadByte(static_cast<std::uint8_t>(section[i])) && i + 1 < section.size();
    length += pair ? 2 : 1;
    if (pair) ++i;
  }
}

void TRegistryNameCheck::CheckValue(const std::string& section, const std::string& key) const {
  CheckSection(section);
  if (key.size() > NameLimit) Refuse(section + "\\" + key);
}

std::string TRegistryNameCheck::ReadString(const std::string&, const std::string&,
                                           const std::string& defaultValue) {
  return defaultValue;
}

std::int32_t TRegistryNameCheck::ReadInteger(const std::string&, const std::string&,
                                             std::int32_t defaultValue) {
  return defaultValue;
}

std::vector<std::string> TRegistryNameCheck::ReadSectionKeys(const std::string&) { return {}; }

bool TRegistryNameCheck::SectionExists(const std::string&) { return false; }

void TRegistryNameCheck::WriteString(const std::string& section, const std::string& key,
                                     const std::string&) {
  CheckValue(section, key);
}

void TRegistryNameCheck::WriteInteger(const std::string& section, const std::string& key,
                                      std::int32_t) {
  CheckValue(section, key);
}

void TRegistryNameCheck::EraseSection(const std::string& section) { CheckSection(section); }
