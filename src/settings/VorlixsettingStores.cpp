// The Win32 side of TVorlixSetting: the registry key, setting files and the
// start-up load.
#include <windows.h>

#include <utility>

#include "platform/ProgramFolder.h"
#include "settings/IniFileStore.h"
#include "settings/RegistryStore.h"
#include "settings/SettingPrompt.h"
#include "settings/Vorlixsetting.h"

namespace {

const char OldSettingsTitle[] = "Vorlix - 旧式の設定がレジストリに見つかりました";
const char OldSettingsText[] =
    "古いバージョン( 0.326以前 )の設定がレジストリにあります。\n"
    "この古い設定を引き継ぐには[いいえ]を押した後、設定ファイルコンバータに\n"
    "よって古い設定をあたらしい設定形式に変更してください\n"
    "\n"
    "古い設定を削除して、デフォルト設定を読み込みますか？";
const char WarningTitle[] = "けいこく";
const char NoDefaultFileText[] = ">が\n見つからないため、デフォルトの設定はなされません。";
const char BadDefaultFileText[] = ">を\n読み込めないため、デフォルトの設定はなされません。\n\n";
const char UnreadableTitle[] = "Vorlix - レジストリの設定を読み込めません";
const char UnreadableText[] =
    "\n\nレジストリの設定を削除して、デフォルト設定を読み込みますか？\n"
    "[いいえ]を押すと、レジストリの設定はそのまま残し、デフォルト設定で動作します。";

// Windows 9x has no MoveFileExA: there the old file is deleted first, which
// leaves a short moment without any.
bool MoveOver(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
  DeleteFileA(to.c_str());
  return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void TVorlixSetting::SaveToRegistry() {
  CheckRegistryNames();
  RegistryStore store;
  SaveTo(store);
}

// A part's save erases the part's subtree before it writes; a name the key
// cannot hold found then would leave the key without any of that part.
void TVorlixSetting::SavePartToRegistry(TPart part) {
  CheckRegistryNames();
  RegistryStore store;
  switch (part) {
    case GeneralPart: GeneralSetting.SaveTo(store); break;
    case WindowPart: WindowSettings.SaveTo(store); break;
    case ExePart: ExeSettings.SaveTo(store); break;
  }
}

void TVorlixSetting::LoadFromRegistry() {
  RegistryStore store;
  LoadFrom(store);
}

// Saving into the file itself would keep the entries of an earlier save that
// this one does not rewrite (only the top sections are erased in a file), and
// a failure halfway would leave a file that is neither the old nor the new.
// So the whole file is written beside the old one and then put in its place.
// Writing in place refuses a read-only file; the replacement must too, which
// Wine's MoveFileExA would not.
void TVorlixSetting::SaveToFile(const std::string& path) {
  const std::string target = IniFileStore::FullPath(path);
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    throw IniFileStore::WriteFailure(target);
  const std::string temporary = target + ".tmp";
  DeleteFileA(temporary.c_str());
  try {
    IniFileStore store(temporary);
    SaveTo(store);
  } catch (...) {
    DeleteFileA(temporary.c_str());
    throw;
  }
  if (!MoveOver(temporary, target)) {
    DeleteFileA(temporary.c_str());
    throw IniFileStore::WriteFailure(target);
  }
}

// A file may hold names that the registry cannot (a class name of 300
// characters, one that begins with "\"). Both loads of a file go on to save
// into the registry; refused here, such a file leaves the live settings and
// the registry as they were.
void TVorlixSetting::LoadFromFile(const std::string& path) {
  IniFileStore store(path);
  TVorlixSetting loaded;
  loaded.LoadFrom(store);
  loaded.CheckRegistryNames();
  *this = std::move(loaded);
}

// A key that cannot be opened for use holds no settings of the current
// layout either; start-up then offers to replace the settings.
bool TVorlixSetting::RegistryVersionMatches() {
  RegistryStore store;
  try {
    return VersionMatches(store);
  } catch (const ESettingError&) {
    return false;
  }
}

bool TVorlixSetting::FileVersionMatches(const std::string& path) {
  IniFileStore store(path);
  return VersionMatches(store);
}

bool TVorlixSetting::RegistryKeyExists() {
  TRegKey key;
  return RegOpenKeyExA(HKEY_CURRENT_USER, RegistryStore::KeyPath, 0, KEY_READ, key.Put()) ==
         ERROR_SUCCESS;
}

std::string TVorlixSetting::DefaultFilePath() { return ProgramFolder() + "default.vxs"; }

// Settings in the registry that cannot be read (a bad key operation type)
// would otherwise end the start. The user's key is the only copy of those
// settings, so it is replaced only on their word.
bool TVorlixSetting::LoadAtStartup(TSettingPrompt& prompt, const std::string& defaultFile) {
  bool replaceKey = true;
  if (RegistryKeyExists()) {
    if (RegistryVersionMatches()) {
      try {
        LoadFromRegistry();
        return true;
      } catch (const ESettingError& error) {
        replaceKey = prompt.Ask(UnreadableTitle, error.what() + std::string(UnreadableText));
      }
    } else if (!prompt.Ask(OldSettingsTitle, OldSettingsText)) {
      return false;
    }
  }
  // The default file seeds the registry whatever version it carries.
  if (!FileExists(defaultFile)) {
    prompt.Warn(WarningTitle, "<" + defaultFile + NoDefaultFileText);
  } else {
    try {
      LoadFromFile(defaultFile);
    } catch (const ESettingError& error) {
      prompt.Warn(WarningTitle, "<" + defaultFile + BadDefaultFileText + error.what());
    }
  }
  // The settings are in place; a key that refuses them (one holding names
  // that only other programs can address) must not stop the program too.
  if (replaceKey) {
    try {
      SaveToRegistry();
    } catch (const ESettingError& error) {
      prompt.Warn(WarningTitle, error.what());
    }
  }
  return true;
}
