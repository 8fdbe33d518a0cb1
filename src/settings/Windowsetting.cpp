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

template <typename Visit>
void TWindowSetting::VisitKeys(Visit&& visit) {
  visit("ClassName", &TWindowSetting::ClassName);
  visit("ExeName", &TWindowSetting::ExeName);
  visit("Ignore", &TWindowSetting::Ignore);
  visit("SendScrollMsgOnly", &TWindowSetting::SendScrollMsgOnly_);
  visit("SendWheelMsgOnly", &TWindowSetting::SendWheelMsgOnly_);
  visit("NonActiveScrollIdent", &TWindowSetting::NonActiveScrollIdent);
  visit("SetFocus", &TWindowSetting::SetFocus);
  visit("SetFocusWithCursor", &TWindowSetting::SetFocusWithCursor);
  visit("ThisExeOnly", &TWindowSetting::ThisExeOnly);
  visit("ScrollLines", &TWindowSetting::ScrollLines);
}

bool TWindowSetting::operator==(const TWindowSetting& other) const {
  bool equal = true;
  VisitKeys([&](const char*, auto member) { equal = equal && this->*member == other.*member; });
  return equal;
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
  VisitKeys([&](const char* key, auto member) { store.Write(section, key, this->*member); });
}

// A section with both delivery switches set loads as wheel messages only,
// as the setters would have it with the switches set in key order.
void TWindowSetting::LoadFrom(SettingStore& store, const std::string& section) {
  const TWindowSetting defaults;
  VisitKeys([&](const char* key, auto member) {
    this->*member = store.Read(section, key, defaults.*member);
  });
  SetSendWheelMsgOnly(SendWheelMsgOnly_);
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
