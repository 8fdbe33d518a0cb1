#include "settings/Generalsetting.h"

#include "settings/SettingStore.h"

namespace {

const char Section[] = "GeneralSetting";

// Key order is the order of writing and of reading.
struct BoolKey {
  const char* Key;
  bool TGeneralSetting::*Field;
};
const BoolKey BoolKeys[] = {
    {"SendScrollMsgOnly", &TGeneralSetting::SendScrollMsgOnly},
    {"CtrlWheelIgnore", &TGeneralSetting::CtrlWheelIgnore},
    {"ShiftWheelIgnore", &TGeneralSetting::ShiftWheelIgnore},
    {"CtrlShiftWheelNonActiveScroll", &TGeneralSetting::CtrlShiftWheelNonActiveScroll},
};

}  // namespace

void TGeneralSetting::SaveTo(SettingStore& store) const {
  store.WriteInteger(Section, "ScrollLines", ScrollLines);
  for (const BoolKey& key : BoolKeys) store.WriteBool(Section, key.Key, this->*key.Field);
}

void TGeneralSetting::LoadFrom(SettingStore& store) {
  const TGeneralSetting defaults;
  ScrollLines = store.ReadInteger(Section, "ScrollLines", defaults.ScrollLines);
  for (const BoolKey& key : BoolKeys)
    this->*key.Field = store.ReadBool(Section, key.Key, defaults.*key.Field);
}
