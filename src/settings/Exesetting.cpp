#include "settings/Exesetting.h"

#include "platform/AnsiText.h"
#include "settings/SettingStore.h"

namespace {

const char TopSection[] = "ExeSetting";
const char ExeNamesSection[] = "ExeSetting\\.ExeNames";
// The application-wide key setting cannot be stored under an empty name.
const char ApplicationWideName[] = ".";

std::string UpperCased(std::string text) {
  AnsiUpperCase(text);
  return text;
}

std::string ExeSection(const std::string& exeName) {
  return std::string(TopSection) + "\\" + exeName;
}

}  // namespace

// Shared by every application: the answer for "no key setting" never changes,
// so one instance serves them all and no copy of a setting carries its own.
const TKeySetting TExeSetting::DefaultKeySetting;

void TExeSetting::SetExeName(const std::string& name) { ExeName = UpperCased(name); }

void TExeSetting::Assign(const TExeSetting& other) {
  ExeName = other.ExeName;
  Ignore = other.Ignore;
  WindowKeySettings = other.WindowKeySettings;
}

bool TExeSetting::operator==(const TExeSetting& other) const {
  return ExeName == other.ExeName && Ignore == other.Ignore &&
         WindowKeySettings == other.WindowKeySettings;
}

void TExeSetting::PutKeySetting(const std::string& className, const TKeySetting& keySetting) {
  std::string name = UpperCased(className);
  if (!keySetting.ThisWindowOnly) {
    WindowKeySettings.erase(name);
    name.clear();
  }
  WindowKeySettings[name] = keySetting;
}

const TKeySetting& TExeSetting::FindKeySetting(const std::string& className) const {
  return FindKeySettingOfUpperCased(UpperCased(className));
}

const TKeySetting& TExeSetting::FindKeySettingOfUpperCased(std::string_view className) const {
  auto entry = WindowKeySettings.find(className);
  if (entry != WindowKeySettings.end() && entry->second.ThisWindowOnly) return entry->second;
  entry = WindowKeySettings.find(std::string_view());
  if (entry != WindowKeySettings.end()) return entry->second;
  return DefaultKeySetting;
}

const TExeSetting& TExeSettings::Find(const std::string& exeName) {
  std::string key = UpperCased(exeName);
  if (const TExeSetting* entry = FindEntry(key)) return *entry;
  DefaultExeSetting.ExeName = std::move(key);
  return DefaultExeSetting;
}

const TExeSetting* TExeSettings::FindEntry(std::string_view upperCasedName) const {
  const auto entry = Entries.find(upperCasedName);
  return entry != Entries.end() ? &entry->second : nullptr;
}

bool TExeSettings::AnyOperationFor(int keyEvent) const {
  for (const auto& exe : Entries)
    for (const auto& byClass : exe.second.WindowKeySettings) {
      const TKeySetting& key = byClass.second;
      if (key.EnableKeySetting &&
          key.Operations[static_cast<std::size_t>(keyEvent)].OperationType != TKeyOperation::None)
        return true;
    }
  return false;
}

// The comparison includes the name, so a setting whose ExeName still has
// lower-case letters is never taken for an empty one and stays stored.
void TExeSettings::Put(const std::string& exeName, const TExeSetting& setting) {
  const std::string key = UpperCased(exeName);
  TExeSetting empty;
  empty.SetExeName(setting.ExeName);
  if (setting == empty) {
    Entries.erase(key);
    return;
  }
  Entries[key].Assign(setting);
}

// Each application's index key is written last, so a save that stops at a
// bad key operation leaves that application out of the index and a later
// load does not see it half-written.
void TExeSettings::SaveTo(SettingStore& store) const {
  store.EraseSection(TopSection);
  for (const auto& [key, setting] : Entries) {
    // Stored under the upper-cased name it is found by, whatever case the
    // name it was put with had.
    const std::string section = ExeSection(key);
    store.WriteString(section, "ExeName", key);
    store.WriteBool(section, "Ignore", setting.Ignore);
    const std::string windowSection = section + "\\Window";
    const std::string classNamesSection = windowSection + "\\.ClassNames";
    store.EraseSection(windowSection);
    for (const auto& [className, keySetting] : setting.WindowKeySettings) {
      const std::string name = className.empty() ? ApplicationWideName : className;
      keySetting.SaveTo(store, windowSection + "\\" + name);
      store.WriteString(classNamesSection, name, "");
    }
    store.WriteString(ExeNamesSection, key, "");
  }
}

// The name comes from the index, not from the stored "ExeName" key. Key
// settings go through PutKeySetting, so one read with ThisWindowOnly false
// becomes the application-wide entry, the last in index order winning.
void TExeSettings::LoadFrom(SettingStore& store) {
  Clear();
  for (const std::string& name : store.ReadSectionKeys(ExeNamesSection)) {
    TExeSetting setting;
    setting.SetExeName(name);
    const std::string section = ExeSection(setting.ExeName);
    setting.Ignore = store.ReadBool(section, "Ignore", false);
    const std::string windowSection = section + "\\Window";
    for (const std::string& className : store.ReadSectionKeys(windowSection + "\\.ClassNames")) {
      TKeySetting keySetting;
      keySetting.LoadFrom(store, windowSection + "\\" + className);
      setting.PutKeySetting(className == ApplicationWideName ? std::string() : className,
                            keySetting);
    }
    Put(name, setting);
  }
}
