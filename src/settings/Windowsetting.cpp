#include "settings/Windowsetting.h"

#include "settings/SettingStore.h"

namespace {

const char TopSection[] = "WindowSetting";
const char IndexSection[] = "WindowSetting\\.ClassNames";

std::string EntrySection(const std::string& name) { return std::string(TopSection) + "\\" + name; }

}  // namespace

void TWindowSetting::SetSendScrollMsgOnly(bool value) {
  if (value) SendWheelMsgOnly_ = false;
  SendScrollMsgOnly_ = value;
}

void TWindowSetting::SetSendWheelMsgOnly(bool value) {
  if (value) SendScrollMsgOnly_ = false;
  SendWheelMsgOnly_ = value;
}

bool TWindowSetting::operator==(const TWindowSetting& other) const {
  return ClassName == other.ClassName && Ignore == other.Ignore &&
         SendScrollMsgOnly_ == other.SendScrollMsgOnly_ &&
         SendWheelMsgOnly_ == other.SendWheelMsgOnly_ &&
         NonActiveScrollIdent == other.NonActiveScrollIdent && SetFocus == other.SetFocus &&
         SetFocusWithCursor == other.SetFocusWithCursor && ScrollLines == other.ScrollLines &&
         ThisExeOnly == other.ThisExeOnly && ExeName == other.ExeName;
}

const TWindowSetting& TWindowSettings::Find(const std::string& className,
                                            const std::string& exeName) {
  if (const TWindowSetting* entry = FindEntry(className, exeName)) return *entry;
  DefaultWindowSetting.ClassName = className;
  DefaultWindowSetting.ExeName = exeName;
  return DefaultWindowSetting;
}

const TWindowSetting* TWindowSettings::FindEntry(std::string_view className,
                                                 std::string_view exeName) const {
  const auto byClass = Entries.find(className);
  if (byClass == Entries.end()) return nullptr;
  const auto& byExe = byClass->second;
  auto entry = byExe.find(exeName);
  if (entry != byExe.end()) return &entry->second;
  entry = byExe.find(std::string_view());
  return entry != byExe.end() ? &entry->second : nullptr;
}

bool TWindowSettings::AnyFocusFollowsCursor() const {
  for (const auto& byClass : Entries)
    for (const auto& entry : byClass.second)
      if (entry.second.SetFocus && entry.second.SetFocusWithCursor) return true;
  return false;
}

void TWindowSettings::Put(const std::string& className, const std::string& exeName,
                          const TWindowSetting& setting) {
  DefaultWindowSetting.ClassName = setting.ClassName;
  DefaultWindowSetting.ExeName = setting.ExeName;
  std::string key = exeName;
  auto byClass = Entries.find(className);
  if (!setting.ThisExeOnly) {
    if (byClass != Entries.end()) byClass->second.erase(exeName);
    key.clear();
    if (setting == DefaultWindowSetting) {
      if (byClass != Entries.end()) {
        byClass->second.erase(key);
        if (byClass->second.empty()) Entries.erase(byClass);
      }
      return;
    }
  }
  Entries[className][key] = setting;
}

void TWindowSetting::SaveTo(SettingStore& store, const std::string& section) const {
  store.WriteString(section, "ClassName", ClassName);
  store.WriteString(section, "ExeName", ExeName);
  store.WriteBool(section, "Ignore", Ignore);
  store.WriteBool(section, "SendScrollMsgOnly", SendScrollMsgOnly_);
  store.WriteBool(section, "SendWheelMsgOnly", SendWheelMsgOnly_);
  store.WriteBool(section, "NonActiveScrollIdent", NonActiveScrollIdent);
  store.WriteBool(section, "SetFocus", SetFocus);
  store.WriteBool(section, "SetFocusWithCursor", SetFocusWithCursor);
  store.WriteBool(section, "ThisExeOnly", ThisExeOnly);
  store.WriteInteger(section, "ScrollLines", ScrollLines);
}

void TWindowSetting::LoadFrom(SettingStore& store, const std::string& section) {
  ClassName = store.ReadString(section, "ClassName", "");
  ExeName = store.ReadString(section, "ExeName", "");
  Ignore = store.ReadBool(section, "Ignore", false);
  // Through the setters, in this order: a section with both switches set
  // loads as wheel messages only.
  SendScrollMsgOnly_ = false;
  SendWheelMsgOnly_ = false;
  SetSendScrollMsgOnly(store.ReadBool(section, "SendScrollMsgOnly", false));
  SetSendWheelMsgOnly(store.ReadBool(section, "SendWheelMsgOnly", false));
  NonActiveScrollIdent = store.ReadBool(section, "NonActiveScrollIdent", false);
  SetFocus = store.ReadBool(section, "SetFocus", false);
  SetFocusWithCursor = store.ReadBool(section, "SetFocusWithCursor", false);
  ThisExeOnly = store.ReadBool(section, "ThisExeOnly", false);
  ScrollLines = store.ReadInteger(section, "ScrollLines", 0);
}

void TWindowSettings::SaveTo(SettingStore& store) const {
  store.EraseSection(TopSection);
  for (const auto& [className, byExe] : Entries) {
    for (const auto& [exeName, s] : byExe) {
      std::string section = EntrySection(s.ClassName);
      std::string indexKey = s.ClassName;
      if (s.ThisExeOnly) {
        section += "/" + s.ExeName;
        indexKey += "/" + s.ExeName;
        s.SaveTo(store, section);
      } else {
        // A class-wide rule replaces an application's own rule of the same
        // names that an earlier save may have left, and is stored without
        // the application it was put from.
        store.EraseSection(section + "/" + s.ExeName);
        TWindowSetting classWide = s;
        classWide.ExeName.clear();
        classWide.SaveTo(store, section);
      }
      store.WriteString(IndexSection, indexKey, "");
    }
  }
}

void TWindowSettings::LoadFrom(SettingStore& store) {
  Clear();
  for (const std::string& name : store.ReadSectionKeys(IndexSection)) {
    TWindowSetting setting;
    setting.ClassName = name;
    setting.LoadFrom(store, EntrySection(name));
    Put(setting.ClassName, setting.ExeName, setting);
  }
}
