#include "settings/IniFileStore.h"

#include <windows.h>

#include <vector>

namespace {

constexpr DWORD ValueBufferSize = 2048;
// Key lists are read through this many bytes first, and through twice as
// many as often as a longer list needs, up to the limit.
constexpr DWORD KeyListBufferSize = 16384;
constexpr DWORD KeyListBufferLimit = 16 * KeyListBufferSize;
// Far more entries than anyone sets up by hand (each one a window rule, an
// application, or a window class with key settings of its own).
constexpr std::size_t ListedKeyLimit = 2000;

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

// A list longer than the buffer comes back cut, its last name cut too, with
// a length of the size less two (less one when the cut falls inside a
// double-byte name). Rather than load a cut name and lose the names behind
// it, the list is read again through a larger buffer.
std::vector<std::string> IniFileStore::ListKeys(const std::string& section) {
  for (DWORD size = KeyListBufferSize;; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                  size, Path.c_str());
    if (length + 2 < size) return SplitKeyList(buffer.data(), length);
    if (size >= KeyListBufferLimit) throw TooManyEntries(section);
  }
}

// The profile functions find a section by walking all of them, so a load
// costs the reads times the sections, and a file that lists thousands of
// entries would keep the program busy for minutes (with the hooks in place,
// and the mouse input of the desktop waiting for it). Such a file is
// refused; what a load has listed before stays in the object being loaded.
std::vector<std::string> IniFileStore::ReadSectionKeys(const std::string& section) {
  std::vector<std::string> keys = ListKeys(section);
  ListedKeys += keys.size();
  if (ListedKeys > ListedKeyLimit) throw TooManyEntries(section);
  return keys;
}

ESettingError IniFileStore::TooManyEntries(const std::string& section) const {
  return ESettingError("設定ファイルの項目が多すぎます\n" + Path + "\n[" + section + "]");
}

bool IniFileStore::SectionExists(const std::string& section) {
  return !ListKeys(section).empty();
}

void IniFileStore::EraseSection(const std::string& section) {
  if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, Path.c_str()))
    throw WriteFailure(Path);
}
