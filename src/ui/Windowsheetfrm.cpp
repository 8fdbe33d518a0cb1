#include "ui/Windowsheetfrm.h"

#include <commctrl.h>

#include <string>

#include "ui/FrameWindow.h"
#include "ui/SettingPages.h"

using namespace WindowPage;

namespace {

constexpr DWORD Check = BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED;
// Names shown, not typed: no tab stop, and the button-face colour of a
// read-only edit.
constexpr DWORD Name = ES_READONLY | ES_AUTOHSCROLL | WS_BORDER;

const TComponent Components[] = {
    {"STATIC", "<動作を変更したいウィンドウの上でホイールを回して下さい>", 0, 64, 8, 340, 14, 0},
    {"STATIC", "ウィンドウクラス名", 0, 16, 28, 96, 14, 0},
    {"EDIT", "", Name, 112, 24, 289, 20, IdEditClassName},
    {"BUTTON", "このウィンドウに対しては処理しない(&D)", Check, 16, 56, 353, 17, IdCheckIgnore},
    {"BUTTON", "スクロールメッセージのみ送る(&S)", Check, 16, 80, 353, 17,
     IdCheckSendScrollMsgOnly},
    {"BUTTON", "ホイールメッセージのみ送る(&W)", Check, 16, 96, 353, 17, IdCheckSendWheelMsgOnly},
    {"BUTTON", "デフォルトでアクティブにせずにスクロール(&N)", Check, 16, 112, 353, 17,
     IdCheckNonActiveScroll},
    {"STATIC", "(Ctrl+Shiftを押しながらホイールでアクティブにしてスクロールになります)",
     WS_DISABLED, 35, 131, 380, 14, IdLabel4},
    {"BUTTON", "フォーカスを移動する(&F)", Check, 16, 144, 353, 17, IdCheckSetFocus},
    {"BUTTON", "マウスカーソルに追随(&M)", Check, 33, 160, 376, 17, IdCheckSetFocusWithCursor},
    {"STATIC", "スクロール行数(&L)", 0, 16, 184, 100, 14, 0},
    {"EDIT", "0", ES_NUMBER | WS_BORDER | WS_TABSTOP | WS_DISABLED, 120, 176, 17, 20,
     IdEditScrollLines},
    {UPDOWN_CLASSA, "", UpDownStyle | WS_DISABLED, 137, 176, 15, 20, IdUpDownScrollLines},
    {"STATIC", "（全般で設定したスクロール行数を指定したい場合は０をいれます)", 0, 16, 200, 400,
     14, 0},
    {"BUTTON", "このExeに対して設定する(&O)", Check, 16, 224, 177, 17, IdCheckThisExeOnly},
    {"EDIT", "", Name, 200, 216, 201, 20, IdEditExeName},
    {"BUTTON", "ウィンドウの設定保存", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 304, 272, 123,
     25, IdBtnSave},
};

}  // namespace

TWindowFrame::TWindowFrame(HWND parent, const RECT& area, HFONT font,
                           std::function<void()> onSave, std::function<void()> onThisExeOnly)
    : OnSave(std::move(onSave)), OnThisExeOnly(std::move(onThisExeOnly)) {
  Window = TWindowOwner(CreateFrameWindow("TWindowFrame", parent, area,
                                           BoundProc<TWindowFrame, &TWindowFrame::HandleMessage>,
                                           this));
  CreateComponents(Window.Get(), Components, font);
  Controls = TWin32PageControls(Window.Get());
  BindUpDown(Control(IdUpDownScrollLines), Control(IdEditScrollLines), 0, 9);
  SetUpDownValue(Control(IdUpDownScrollLines), 0);
}

HWND TWindowFrame::SaveButton() const { return Control(IdBtnSave); }

void TWindowFrame::SetSetting(const TWindowSetting& setting) {
  Setting = setting;
  WindowPage::Binding.Show(setting, Controls);
  UpdateEnabled(!setting.ClassName.empty());
}

TWindowSetting TWindowFrame::GetSetting() {
  WindowPage::Binding.Read(Setting, Controls);
  return Setting;
}

bool TWindowFrame::ThisExeOnlyChecked() { return Controls.Checked(IdCheckThisExeOnly); }

void TWindowFrame::UpdateEnabled(bool active) { WindowPage::Binding.UpdateEnabled(active, Controls); }

void TWindowFrame::Command(int id) {
  switch (id) {
    case IdCheckThisExeOnly:
      if (OnThisExeOnly) OnThisExeOnly();
      break;
    case IdBtnSave:
      if (OnSave) OnSave();
      break;
    default:
      WindowPage::Binding.Clicked(id, Controls);
      break;
  }
}

LRESULT TWindowFrame::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) Command(LOWORD(wParam));
  // Left, the field shows the number that a save would store.
  if (message == WM_COMMAND && LOWORD(wParam) == IdEditScrollLines &&
      HIWORD(wParam) == EN_KILLFOCUS)
    UpDownValue(Control(IdUpDownScrollLines));
  return DefWindowProcA(window, message, wParam, lParam);
}
