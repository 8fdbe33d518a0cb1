// The Win32 side of TVorlixSetting: the registry key, setting files and the
// start-up load.
#include <windows.h>

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
const char NoDefaultFileTitle[] = "けいこく";
const char NoDefaultFileText[] = ">が\n見つからないため、デフォルトの設定はなされません。";

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
  RegistryStore store;
  SaveTo(store);
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

void TVorlixSetting::LoadFromFile(const std::string& path) {
  IniFileStore store(path);
  LoadFrom(store);
}

// A version value of a type that is no number at all is not the current
// version either; start-up then offers to replace the settings.
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

bool TVorlixSetting::LoadAtStartup(TSettingPrompt& prompt, const std::string& defaultFile) {
  if (RegistryKeyExists()) {
    if (RegistryVersionMatches()) {
      LoadFromRegistry();
      return true;
    }
    if (!prompt.Ask(OldSettingsTitle, OldSettingsText)) return false;
  }
  // The default file seeds the registry whatever version it carries.
  if (FileExists(defaultFile))
    LoadFromFile(defaultFile);
  else
    prompt.Warn(NoDefaultFileTitle, "<" + defaultFile + NoDefaultFileText);
  SaveToRegistry();
  return true;
}
