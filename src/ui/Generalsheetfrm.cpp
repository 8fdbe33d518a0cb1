#include "ui/Generalsheetfrm.h"

#include <commctrl.h>

#include "ui/FrameWindow.h"
#include "ui/SettingPages.h"

using namespace GeneralPage;

namespace {

constexpr DWORD Check = BS_AUTOCHECKBOX | WS_TABSTOP;

const TComponent Components[] = {
    {"STATIC", "標準のスクロール行数(&L)", 0, 24, 24, 130, 14, 0},
    {"EDIT", "3", ES_NUMBER | WS_BORDER | WS_TABSTOP, 160, 21, 17, 20, IdEditScrollLines},
    {UPDOWN_CLASSA, "", UpDownStyle, 177, 21, 15, 20, IdUpDownScrollLines},
    {"BUTTON", "スクロールメッセージのみを送る(&S)", Check, 16, 47, 393, 17,
     IdCheckSendScrollMsgOnly},
    {"BUTTON", "Ctrlキーをおしながらのホイールは処理しない(&C)", Check, 16, 71, 393, 17,
     IdCheckCtrlWheelIgnore},
    {"BUTTON", "Shiftキーを押しながらのホイールは処理しない(&S)", Check, 16, 93, 393, 17,
     IdCheckShiftWheelIgnore},
    {"BUTTON", "Ctrl+Shiftを押しながらのホイールはアクティブにせずにスクロール(&A)", Check, 16,
     118, 393, 17, IdCheckCtrlShiftWheelNonActiveScroll},
    {"STATIC", "Vorlix", 0, 16, 152, 260, 80, 0},
    {"STATIC", "MAINICON", SS_ICON, 384, 176, 32, 32, IdImage1},
    {"BUTTON", "全般の設定保存", BS_PUSHBUTTON | WS_TABSTOP, 312, 272, 115, 25, IdBtnSave},
};
constexpr int TitleComponent = 7;

}  // namespace

TGeneralFrame::TGeneralFrame(HWND parent, const RECT& area, HFONT font,
                             std::function<void()> onSave)
    : OnSave(std::move(onSave)) {
  Window = TWindowOwner(CreateFrameWindow("TGeneralFrame", parent, area,
                                           BoundProc<TGeneralFrame, &TGeneralFrame::HandleMessage>,
                                           this));
  const std::vector<HWND> controls = CreateComponents(Window.Get(), Components, font);
  Controls = TWin32PageControls(Window.Get());
  TitleFont = TFontOwner(CreateFontA(-64, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                      "Times New Roman"));
  SendMessageA(controls[TitleComponent], WM_SETFONT, reinterpret_cast<WPARAM>(TitleFont.Get()),
               FALSE);
  SendMessageA(Control(IdImage1), STM_SETICON,
               reinterpret_cast<WPARAM>(LoadIconA(GetModuleHandleA(nullptr), "MAINICON")), 0);
  BindUpDown(Control(IdUpDownScrollLines), Control(IdEditScrollLines), 1, 9);
  SetSetting(TGeneralSetting());
}

HWND TGeneralFrame::SaveButton() const { return Control(IdBtnSave); }

void TGeneralFrame::SetSetting(const TGeneralSetting& setting) {
  GeneralPage::Binding.Show(setting, Controls);
}

TGeneralSetting TGeneralFrame::GetSetting() {
  TGeneralSetting setting;
  GeneralPage::Binding.Read(setting, Controls);
  return setting;
}

LRESULT TGeneralFrame::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IdBtnSave && HIWORD(wParam) == BN_CLICKED &&
      OnSave)
    OnSave();
  // Left, the field shows the number that a save would store.
  if (message == WM_COMMAND && LOWORD(wParam) == IdEditScrollLines &&
      HIWORD(wParam) == EN_KILLFOCUS)
    UpDownValue(Control(IdUpDownScrollLines));
  return DefWindowProcA(window, message, wParam, lParam);
}
