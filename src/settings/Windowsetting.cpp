#include "settings/Windowsetting.h"

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
  DefaultWindowSetting.ClassName = className;
  DefaultWindowSetting.ExeName = exeName;
  const auto byClass = Entries.find(className);
  if (byClass == Entries.end()) return DefaultWindowSetting;
  const auto& byExe = byClass->second;
  auto entry = byExe.find(exeName);
  if (entry != byExe.end()) return entry->second;
  entry = byExe.find(std::string());
  if (entry != byExe.end()) return entry->second;
  return DefaultWindowSetting;
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
