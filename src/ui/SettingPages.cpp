#include "ui/SettingPages.h"

#include <type_traits>

template <typename Setting>
void TPageBinding<Setting>::Show(const Setting& setting, PageControls& controls) const {
  for (const TPageField<Setting>* field = Fields; field != Fields + FieldCount; ++field) {
    std::visit(
        [&](auto member) {
          using M = decltype(member);
          if constexpr (std::is_same_v<M, bool Setting::*>)
            controls.SetChecked(field->Id, setting.*member);
          else if constexpr (std::is_same_v<M, std::int32_t Setting::*>)
            controls.SetNumber(field->Id, setting.*member);
          else if constexpr (std::is_same_v<M, std::string Setting::*>)
            controls.SetText(field->Id, setting.*member);
          else
            controls.SetChecked(field->Id, (setting.*member.Get)());
        },
        field->Member);
  }
}

template <typename Setting>
void TPageBinding<Setting>::Read(Setting& setting, PageControls& controls) const {
  for (const TPageField<Setting>* field = Fields; field != Fields + FieldCount; ++field) {
    std::visit(
        [&](auto member) {
          using M = decltype(member);
          if constexpr (std::is_same_v<M, bool Setting::*>)
            setting.*member = controls.Checked(field->Id);
          else if constexpr (std::is_same_v<M, std::int32_t Setting::*>)
            setting.*member = controls.Number(field->Id);
          else if constexpr (std::is_same_v<M, std::string Setting::*>)
            setting.*member = controls.Text(field->Id);
          else
            (setting.*member.Set)(controls.Checked(field->Id));
        },
        field->Member);
  }
}

template <typename Setting>
void TPageBinding<Setting>::UpdateEnabled(bool active, PageControls& controls) const {
  for (std::size_t i = 0; i < RuleCount; ++i) controls.Enable(Rules[i].Id, Enabled(i, active, controls));
}

template <typename Setting>
void TPageBinding<Setting>::Clicked(int id, PageControls& controls) const {
  for (const TPageField<Setting>* field = Fields; field != Fields + FieldCount; ++field)
    if (field->Id == id && field->Excludes != 0 && controls.Checked(id))
      controls.SetChecked(field->Excludes, false);
  UpdateEnabled(true, controls);
}

template <typename Setting>
bool TPageBinding<Setting>::Enabled(std::size_t rule, bool active, PageControls& controls) const {
  const TEnableRule& r = Rules[rule];
  if (!active) return false;
  if (r.Gate == 0) return true;
  for (std::size_t i = 0; i < rule; ++i)
    if (Rules[i].Id == r.Gate)
      return Enabled(i, active, controls) && controls.Checked(r.Gate) == r.GateChecked;
  return false;
}

template class TPageBinding<TGeneralSetting>;
template class TPageBinding<TWindowSetting>;
template class TPageBinding<TExeSetting>;
template class TPageBinding<TKeySetting>;

namespace GeneralPage {
namespace {
const TPageField<TGeneralSetting> Fields[] = {
    {IdUpDownScrollLines, &TGeneralSetting::ScrollLines},
    {IdCheckSendScrollMsgOnly, &TGeneralSetting::SendScrollMsgOnly},
    {IdCheckCtrlWheelIgnore, &TGeneralSetting::CtrlWheelIgnore},
    {IdCheckShiftWheelIgnore, &TGeneralSetting::ShiftWheelIgnore},
    {IdCheckCtrlShiftWheelNonActiveScroll, &TGeneralSetting::CtrlShiftWheelNonActiveScroll},
};
}  // namespace
const TPageBinding<TGeneralSetting> Binding{Fields};
}  // namespace GeneralPage

namespace WindowPage {
namespace {
const TPageField<TWindowSetting> Fields[] = {
    {IdEditClassName, &TWindowSetting::ClassName},
    {IdCheckIgnore, &TWindowSetting::Ignore},
    // The two delivery choices exclude each other.
    {IdCheckSendScrollMsgOnly,
     TFlagAccessors<TWindowSetting>{&TWindowSetting::SendScrollMsgOnly,
                                    &TWindowSetting::SetSendScrollMsgOnly},
     IdCheckSendWheelMsgOnly},
    {IdCheckSendWheelMsgOnly,
     TFlagAccessors<TWindowSetting>{&TWindowSetting::SendWheelMsgOnly,
                                    &TWindowSetting::SetSendWheelMsgOnly},
     IdCheckSendScrollMsgOnly},
    {IdCheckNonActiveScroll, &TWindowSetting::NonActiveScrollIdent},
    {IdCheckSetFocus, &TWindowSetting::SetFocus},
    {IdCheckSetFocusWithCursor, &TWindowSetting::SetFocusWithCursor},
    {IdUpDownScrollLines, &TWindowSetting::ScrollLines},
    {IdCheckThisExeOnly, &TWindowSetting::ThisExeOnly},
    {IdEditExeName, &TWindowSetting::ExeName},
};
// An ignored class has no options; the focus follows the cursor only where
// it moves at all (the box keeps its check mark while disabled).
const TEnableRule Rules[] = {
    {IdEditClassName},
    {IdCheckIgnore},
    {IdCheckThisExeOnly},
    {IdEditExeName},
    {IdBtnSave},
    {IdCheckSendScrollMsgOnly, IdCheckIgnore, false},
    {IdCheckSendWheelMsgOnly, IdCheckIgnore, false},
    {IdCheckNonActiveScroll, IdCheckIgnore, false},
    {IdLabel4, IdCheckIgnore, false},
    {IdCheckSetFocus, IdCheckIgnore, false},
    {IdEditScrollLines, IdCheckIgnore, false},
    {IdUpDownScrollLines, IdCheckIgnore, false},
    {IdCheckSetFocusWithCursor, IdCheckSetFocus, true},
};
}  // namespace
const TPageBinding<TWindowSetting> Binding{Fields, Rules};
}  // namespace WindowPage

namespace ExePage {
namespace {
const TPageField<TExeSetting> Fields[] = {
    {IdEditExeName, &TExeSetting::ExeName},
    {IdCheckIgnore, &TExeSetting::Ignore},
};
// An ignored application has no key settings; the rows and their choices
// only while the key setting is enabled; the key-stroke field and the
// action list only for their own choice.
const TEnableRule Rules[] = {
    {IdCheckIgnore},
    {IdButtonSave},
    {IdCheckEnableKeySetting, IdCheckIgnore, false},
    {IdCheckThisWindowOnly, IdCheckIgnore, false},
    {IdListBoxKeyOp, IdCheckEnableKeySetting, true},
    {IdRadioKeyOpNone, IdCheckEnableKeySetting, true},
    {IdRadioKeyOpKey, IdCheckEnableKeySetting, true},
    {IdRadioKeyOpOther, IdCheckEnableKeySetting, true},
    {IdHotKeyExKey, IdRadioKeyOpKey, true},
    {IdComboBoxOther, IdRadioKeyOpOther, true},
};
const TPageField<TKeySetting> KeyFields[] = {
    {IdCheckEnableKeySetting, &TKeySetting::EnableKeySetting},
    {IdCheckThisWindowOnly, &TKeySetting::ThisWindowOnly},
};
}  // namespace
const TPageBinding<TExeSetting> Binding{Fields, Rules};
const TPageBinding<TKeySetting> KeyBinding{KeyFields};
}  // namespace ExePage
