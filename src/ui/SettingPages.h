// The pages of the settings dialog as data: each page's control ids, and
// the binding that says which control shows which member of the page's
// setting and when each control is enabled. The windows themselves (class,
// caption, place) are the pages' component tables.
#pragma once

#include "settings/Exesetting.h"
#include "settings/Generalsetting.h"
#include "settings/Keysetting.h"
#include "settings/Windowsetting.h"
#include "ui/PageBinding.h"

namespace GeneralPage {
enum : int {
  IdEditScrollLines = 1,
  IdUpDownScrollLines,
  IdCheckSendScrollMsgOnly,
  IdCheckCtrlWheelIgnore,
  IdCheckShiftWheelIgnore,
  IdCheckCtrlShiftWheelNonActiveScroll,
  IdBtnSave,
  IdImage1,
};
// Every control is enabled at all times.
extern const TPageBinding<TGeneralSetting> Binding;
}  // namespace GeneralPage

namespace WindowPage {
enum : int {
  IdEditClassName = 1,
  IdCheckIgnore,
  IdCheckSendScrollMsgOnly,
  IdCheckSendWheelMsgOnly,
  IdCheckNonActiveScroll,
  IdLabel4,
  IdCheckSetFocus,
  IdCheckSetFocusWithCursor,
  IdEditScrollLines,
  IdUpDownScrollLines,
  IdCheckThisExeOnly,
  IdEditExeName,
  IdBtnSave,
};
// Active once a window has been captured.
extern const TPageBinding<TWindowSetting> Binding;
}  // namespace WindowPage

namespace ExePage {
// On the page itself.
enum : int { IdEditExeName = 1, IdCheckIgnore, IdGroupBox1, IdButtonSave };
// In the key-setting group box.
enum : int {
  IdCheckEnableKeySetting = 10,
  IdCheckThisWindowOnly,
  IdEditClassName,
  IdListBoxKeyOp,
  IdRadioKeyOpNone,
  IdRadioKeyOpKey,
  IdHotKeyExKey,
  IdRadioKeyOpOther,
  IdComboBoxOther,
};
// The application's fields and the enable rules of the whole page, which
// is active once an application has been captured.
extern const TPageBinding<TExeSetting> Binding;
// The switches of the key setting shown (its rows are edited one at a time).
extern const TPageBinding<TKeySetting> KeyBinding;
}  // namespace ExePage
