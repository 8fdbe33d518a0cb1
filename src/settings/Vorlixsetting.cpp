#include "settings/Vorlixsetting.h"

#include <utility>

#include "settings/RegistryNameCheck.h"
#include "settings/SettingStore.h"

namespace {

const char VersionSection[] = "Version";
const char VersionKey[] = "SettingVersionNo";

}  // namespace

void TVorlixSetting::Reset() {
  ExeSettings.Clear();
  GeneralSetting.Reset();
  WindowSettings.Clear();
  SettingVersionNo = CurrentSettingVersion;
}

void TVorlixSetting::SaveTo(SettingStore& store) const {
  GeneralSetting.SaveTo(store);
  WindowSettings.SaveTo(store);
  ExeSettings.SaveTo(store);
  store.WriteInteger(VersionSection, VersionKey, SettingVersionNo);
}

// A bad key operation stops a load halfway. Loading into a fresh object and
// taking it only when complete keeps the live settings (which the dialog
// shows and the page saves write back) from holding half of a file.
void TVorlixSetting::LoadFrom(SettingStore& store) {
  TVorlixSetting loaded;
  loaded.GeneralSetting.LoadFrom(store);
  loaded.WindowSettings.LoadFrom(store);
  loaded.ExeSettings.LoadFrom(store);
  loaded.SettingVersionNo = store.ReadInteger(VersionSection, VersionKey, 0);
  *this = std::move(loaded);
}

bool TVorlixSetting::VersionMatches(SettingStore& store) {
  return store.ReadInteger(VersionSection, VersionKey, 0) == CurrentSettingVersion;
}

void TVorlixSetting::CheckRegistryNames(TLeadByteTest isLeadByte) const {
  TRegistryNameCheck check(isLeadByte);
  SaveTo(check);
}
