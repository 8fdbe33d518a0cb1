#include "SettingsFixture.h"

#include <shlwapi.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "MemoryStore.h"
#include "platform/Win32Owner.h"
#include "settings/RegistryStore.h"

namespace {

std::string KeyOf(const std::string& section) {
  return std::string(RegistryStore::KeyPath) + "\\" + section;
}

void DeleteVorlixKey() { SHDeleteKeyA(HKEY_CURRENT_USER, RegistryStore::KeyPath); }

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string path = folder + "\\" + found.cFileName;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
          RemoveFolder(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

// Settings that the key already holds belong to whoever runs the tests (on
// Windows, a user of Vorlix): then the tests stay away from them.
void SettingsTest::SetUp() {
  if (TVorlixSetting::RegistryKeyExists())
    GTEST_SKIP() << "HKEY_CURRENT_USER\\" << RegistryStore::KeyPath << " exists already";
  Owned = true;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  Folder = std::string(temp) + "vorlix-settings-" + std::to_string(GetCurrentProcessId());
  RemoveFolder(Folder);
  ASSERT_TRUE(CreateDirectoryA(Folder.c_str(), nullptr));
}

void SettingsTest::TearDown() {
  if (!Owned) return;
  DeleteVorlixKey();
  RemoveFolder(Folder);
}

std::string RawValue(const std::string& section, const std::string& name) {
  TRegKey key;
  DWORD type = 0;
  char data[4096];
  DWORD size = sizeof data;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyOf(section).c_str(), 0, KEY_QUERY_VALUE, key.Put()) !=
          ERROR_SUCCESS ||
      RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                       &size) != ERROR_SUCCESS)
    return "missing";
  if (type == REG_DWORD) {
    std::int32_t number = 0;
    std::memcpy(&number, data, sizeof number);
    return "DWORD " + std::to_string(number);
  }
  if (type == REG_SZ) return "SZ " + std::string(data, size > 0 ? size - 1 : 0);
  return "type " + std::to_string(type);
}

void SetRawValue(const std::string& section, const std::string& name, DWORD type,
                 const std::string& bytes) {
  TRegKey key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, KeyOf(section).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, key.Put(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), name.c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

std::string DwordBytes(DWORD value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Dump(TVorlixSetting setting) {
  MemoryStore store;
  setting.SaveTo(store);
  return store.Writes;
}

TVorlixSetting FullSetting() {
  TVorlixSetting s;
  s.GeneralSetting.ScrollLines = 7;
  s.GeneralSetting.SendScrollMsgOnly = true;
  s.GeneralSetting.CtrlWheelIgnore = false;
  s.GeneralSetting.ShiftWheelIgnore = false;
  s.GeneralSetting.CtrlShiftWheelNonActiveScroll = false;

  TWindowSetting edit;
  edit.ClassName = "EDIT";
  edit.Ignore = edit.NonActiveScrollIdent = edit.SetFocus = edit.SetFocusWithCursor = true;
  edit.SetSendWheelMsgOnly(true);
  edit.ScrollLines = 5;
  s.WindowSettings.Put("EDIT", "", edit);
  TWindowSetting own;
  own.ClassName = "EDIT";
  own.ExeName = "NOTEPAD.EXE";
  own.ThisExeOnly = true;
  own.SetSendScrollMsgOnly(true);
  own.ScrollLines = -2;
  s.WindowSettings.Put("EDIT", "NOTEPAD.EXE", own);

  TKeySetting keys;
  keys.EnableKeySetting = true;
  for (int i = 0; i < KeyEventCount; ++i) {
    TKeyOperation& op = keys.Operations[static_cast<std::size_t>(i)];
    op.OperationType = static_cast<std::int8_t>(i % 3);
    if (op.OperationType == TKeyOperation::Key)
      op.KeyStroke = static_cast<std::uint16_t>(0xE000 + i);
    // "ソ" ends in the byte of a backslash in code page 932.
    if (op.OperationType == TKeyOperation::Other) op.ActionName = "ソフト " + std::to_string(i);
  }
  TExeSetting app;
  app.SetExeName("notepad.exe");
  app.Ignore = true;
  app.PutKeySetting("", keys);
  keys.ThisWindowOnly = true;
  keys.EnableKeySetting = false;
  app.PutKeySetting("Edit", keys);
  s.ExeSettings.Put("notepad.exe", app);
  return s;
}
