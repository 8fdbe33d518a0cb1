#include "settings/RegistryStore.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "settings/SettingError.h"

const char RegistryStore::KeyPath[] = "Software\\Brenholt\\Vorlix";

namespace {

// Bytes enough for the longest value name (16383 characters) in any code page.
constexpr std::size_t ValueNameBufferLimit = 4 * 16384;

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

std::string ValueName(const std::string& section, const std::string& key) {
  return section + "\\" + key;
}

[[noreturn]] void ThrowWriteFailure(const std::string& what) {
  throw ESettingError("レジストリに書き込めませんでした\n" + what);
}

// The type and bytes of a value; false when it is missing or unreadable.
// The loop covers a value that grows between the two queries.
bool QueryValue(HKEY key, const std::string& name, DWORD& type, std::vector<BYTE>& data) {
  DWORD size = 0;
  LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  while (result == ERROR_SUCCESS) {
    data.resize(size);
    DWORD received = size;
    result = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &received);
    if (result == ERROR_SUCCESS) {
      data.resize(received);
      return true;
    }
    // Only a value that grew is read again: a size reported unchanged would
    // otherwise be asked for forever.
    if (result == ERROR_MORE_DATA && received > size) {
      size = received;
      result = ERROR_SUCCESS;
    }
  }
  return false;
}

// Up to the first zero: a writer may have left the terminator out.
std::string TextOf(const std::vector<BYTE>& data) {
  return std::string(data.begin(), std::find(data.begin(), data.end(), BYTE{0}));
}

void SetValue(HKEY key, const std::string& name, DWORD type, const void* data, DWORD size,
              const std::string& what) {
  if (RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) !=
      ERROR_SUCCESS)
    ThrowWriteFailure(what);
}

void SetString(HKEY key, const std::string& name, const std::string& value,
               const std::string& what) {
  SetValue(key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1), what);
}

// RegDeleteKeyA refuses a key with subkeys on NT, so the subtree goes first,
// deepest keys before their parents. A subkey that was listed but cannot be
// opened has a name that the code page cannot carry there and back (one
// ending in a lone lead byte, stored by another program): it fails the
// delete, where taking it as gone would list it again and again.
LONG DeleteTree(HKEY parent, const std::string& path) {
  TRegKey key;
  LONG result = RegOpenKeyExA(parent, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, key.Put());
  if (result != ERROR_SUCCESS) return result;
  char name[256];  // the longest name a subkey can have, and its zero
  for (;;) {
    DWORD size = sizeof name;
    result = RegEnumKeyExA(key.Get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) return result;
    result = DeleteTree(key.Get(), std::string(name, size));
    if (result == ERROR_FILE_NOT_FOUND) return ERROR_BAD_PATHNAME;
    if (result != ERROR_SUCCESS) return result;
  }
  key.Reset();
  return RegDeleteKeyA(parent, path.c_str());
}

}  // namespace

RegistryStore::RegistryStore() {
  if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, Root.Put(), nullptr) != ERROR_SUCCESS)
    throw ESettingError(std::string("レジストリキーを開けませんでした\nHKEY_CURRENT_USER\\") +
                        KeyPath);
}

TRegKey RegistryStore::OpenSection(const std::string& section, REGSAM access) {
  TRegKey key;
  if (RegOpenKeyExA(Root.Get(), section.c_str(), 0, access, key.Put()) != ERROR_SUCCESS)
    key.Reset();
  return key;
}

TRegKey RegistryStore::CreateSection(const std::string& section) {
  TRegKey key;
  if (RegCreateKeyExA(Root.Get(), section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.Put(),
                      nullptr) != ERROR_SUCCESS)
    ThrowWriteFailure(section);
  return key;
}

std::string RegistryStore::ReadString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
  const TRegKey subkey = OpenSection(section, KEY_QUERY_VALUE);
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!subkey || !QueryValue(subkey.Get(), key, type, data) || !IsStringType(type))
    return defaultValue;
  return TextOf(data);
}

void RegistryStore::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
  SetString(CreateSection(section).Get(), key, value, ValueName(section, key));
}

std::int32_t RegistryStore::ReadInteger(const std::string& section, const std::string& key,
                                        std::int32_t defaultValue) {
  const TRegKey subkey = OpenSection(section, KEY_QUERY_VALUE);
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!subkey || !QueryValue(subkey.Get(), key, type, data)) return defaultValue;
  if (IsStringType(type)) return ParseDecimalInteger(TextOf(data), defaultValue);
  if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
    DWORD value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return static_cast<std::int32_t>(value);
  }
  // Not written by this program (binary, several texts, a DWORD of another
  // size): like a text that is no number it reads as the default, rather
  // than make the whole key unreadable and cost every other setting.
  return defaultValue;
}

void RegistryStore::WriteInteger(const std::string& section, const std::string& key,
                                 std::int32_t value) {
  const TRegKey subkey = CreateSection(section);
  const std::string what = ValueName(section, key);
  DWORD type = 0;
  if (RegQueryValueExA(subkey.Get(), key.c_str(), nullptr, &type, nullptr, nullptr) ==
          ERROR_SUCCESS &&
      IsStringType(type)) {
    SetString(subkey.Get(), key, std::to_string(value), what);
    return;
  }
  const DWORD number = static_cast<DWORD>(value);
  SetValue(subkey.Get(), key, REG_DWORD, &number, sizeof number, what);
}

// The key's unnamed value is not a setting and is left out.
std::vector<std::string> RegistryStore::ReadSectionKeys(const std::string& section) {
  std::vector<std::string> names;
  const TRegKey subkey = OpenSection(section, KEY_QUERY_VALUE);
  DWORD count = 0;
  DWORD longest = 0;
  if (!subkey || RegQueryInfoKeyA(subkey.Get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, &count, &longest, nullptr, nullptr,
                                  nullptr) != ERROR_SUCCESS)
    return names;
  // The longest name is counted in characters, and a double-byte name takes
  // more bytes than that: a name that does not fit is read again through a
  // larger buffer rather than left out.
  std::vector<char> name(longest + 1);
  for (DWORD index = 0; index < count;) {
    DWORD size = static_cast<DWORD>(name.size());
    const LONG result = RegEnumValueA(subkey.Get(), index, name.data(), &size, nullptr, nullptr,
                                      nullptr, nullptr);
    if (result == ERROR_MORE_DATA && name.size() < ValueNameBufferLimit) {
      name.resize(name.size() * 2);
      continue;
    }
    if (result == ERROR_SUCCESS && size > 0) names.emplace_back(name.data(), size);
    ++index;
  }
  return names;
}

bool RegistryStore::SectionExists(const std::string& section) {
  return !ReadSectionKeys(section).empty();
}

void RegistryStore::EraseSection(const std::string& section) {
  const LONG result = DeleteTree(Root.Get(), section);
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) ThrowWriteFailure(section);
}
