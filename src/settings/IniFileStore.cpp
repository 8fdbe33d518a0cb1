#include "settings/IniFileStore.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD ValueBufferSize = 2048;
constexpr DWORD KeyListBufferSize = 16384;

}  // namespace

IniFileStore::IniFileStore(const std::string& fileName) : Path(FullPath(fileName)) {}

// The system keeps a cached copy of the profile file it used last, and on
// Windows 9x writes may wait in it. The documented flush (all but the file
// name null) puts them on disk before anyone moves or reads the file, so a
// store holds nothing back after its one operation.
IniFileStore::~IniFileStore() {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, Path.c_str());
}

std::string IniFileStore::FullPath(const std::string& fileName) {
  const DWORD needed = GetFullPathNameA(fileName.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return fileName;
  std::vector<char> buffer(needed);
  const DWORD length = GetFullPathNameA(fileName.c_str(), needed, buffer.data(), nullptr);
  if (length == 0 || length >= needed) return fileName;
  return std::string(buffer.data(), length);
}

ESettingError IniFileStore::WriteFailure(const std::string& fileName) {
  return ESettingError("設定ファイルに書き込めませんでした\n" + fileName);
}

std::string IniFileStore::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) {
  char buffer[ValueBufferSize];
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                buffer, ValueBufferSize, Path.c_str());
  return std::string(buffer, length);
}

void IniFileStore::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), Path.c_str()))
    throw WriteFailure(Path);
}

std::int32_t IniFileStore::ReadInteger(const std::string& section, const std::string& key,
                                       std::int32_t defaultValue) {
  return ParseSettingInteger(ReadString(section, key, ""), defaultValue);
}

void IniFileStore::WriteInteger(const std::string& section, const std::string& key,
                                std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

// The names come back one after another, each ending in a zero; the length
// returned bounds the walk, so a list cut at the buffer's end stays inside it.
std::vector<std::string> IniFileStore::ReadSectionKeys(const std::string& section) {
  std::vector<char> buffer(KeyListBufferSize);
  const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                KeyListBufferSize, Path.c_str());
  std::vector<std::string> keys;
  const auto end = buffer.begin() + std::min<DWORD>(length, KeyListBufferSize - 1);
  for (auto name = buffer.begin(); name < end;) {
    const auto zero = std::find(name, end, '\0');
    if (zero != name) keys.emplace_back(name, zero);
    name = zero + 1;
  }
  return keys;
}

bool IniFileStore::SectionExists(const std::string& section) {
  return !ReadSectionKeys(section).empty();
}

void IniFileStore::EraseSection(const std::string& section) {
  if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, Path.c_str()))
    throw WriteFailure(Path);
}
