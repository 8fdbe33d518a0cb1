#include "settings/Generalsetting.h"

#include "settings/SettingStore.h"

namespace {

const char Section[] = "GeneralSetting";

}  // namespace

template <typename Visit>
void TGeneralSetting::VisitKeys(Visit&& visit) {
  visit("ScrollLines", &TGeneralSetting::ScrollLines);
  visit("SendScrollMsgOnly", &TGeneralSetting::SendScrollMsgOnly);
  visit("CtrlWheelIgnore", &TGeneralSetting::CtrlWheelIgnore);
  visit("ShiftWheelIgnore", &TGeneralSetting::ShiftWheelIgnore);
  visit("CtrlShiftWheelNonActiveScroll", &TGeneralSetting::CtrlShiftWheelNonActiveScroll);
}

void TGeneralSetting::SaveTo(SettingStore& store) const {
  VisitKeys([&](const char* key, auto member) { store.Write(Section, key, this->*member); });
}

void TGeneralSetting::LoadFrom(SettingStore& store) {
  const TGeneralSetting defaults;
  VisitKeys([&](const char* key, auto member) {
    this->*member = store.Read(Section, key, defaults.*member);
  });
}
