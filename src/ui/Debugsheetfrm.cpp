#include "ui/Debugsheetfrm.h"

#include "ui/FrameWindow.h"

namespace {

enum : int {
  IdEditHwnd = 1,
  IdEditCaption,
  IdEditClassName,
  IdEditScrollBar,
  IdEditModuleName,
  IdEditHookReinstalls,
};

constexpr DWORD ReadOnly = ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

const TComponent Components[] = {
    {"STATIC", "カーソル下のウィンドウハンドル", 0, 16, 16, 200, 14, 0},
    {"EDIT", "", ReadOnly, 16, 32, 161, 20, IdEditHwnd},
    {"STATIC", "キャプション", 0, 16, 56, 200, 14, 0},
    {"EDIT", "", ReadOnly, 16, 72, 161, 20, IdEditCaption},
    {"STATIC", "クラス名", 0, 16, 96, 200, 14, 0},
    {"EDIT", "", ReadOnly, 16, 112, 161, 20, IdEditClassName},
    {"STATIC", "スクロールバー", 0, 16, 144, 200, 14, 0},
    {"EDIT", "", ReadOnly, 16, 160, 161, 20, IdEditScrollBar},
    {"STATIC", "モジュール名", 0, 16, 192, 200, 14, 0},
    {"EDIT", "", ReadOnly, 16, 208, 161, 20, IdEditModuleName},
    // The system removes a low-level hook that kept it waiting too often;
    // each time, the program installs it again.
    {"STATIC", "フックの再インストール", 0, 16, 240, 200, 14, 0},
    {"EDIT", "0 回", ReadOnly, 16, 256, 161, 20, IdEditHookReinstalls},
};

}  // namespace

TDebugSheetFrame::TDebugSheetFrame(HWND parent, const RECT& area, HFONT font) {
  Window = TWindowOwner(CreateFrameWindow("TDebugSheetFrame", parent, area, DefWindowProcA, nullptr));
  CreateComponents(Window.Get(), Components, font);
}

void TDebugSheetFrame::Show(const TDebugFacts& facts) {
  SetDlgItemTextA(Handle(), IdEditHwnd, facts.Hwnd.c_str());
  SetDlgItemTextA(Handle(), IdEditCaption, facts.Caption.c_str());
  SetDlgItemTextA(Handle(), IdEditClassName, facts.ClassName.c_str());
  SetDlgItemTextA(Handle(), IdEditScrollBar, facts.ScrollBar.c_str());
  SetDlgItemTextA(Handle(), IdEditModuleName, facts.ModuleName.c_str());
}

void TDebugSheetFrame::ShowHookReinstalls(unsigned count) {
  SetDlgItemTextA(Handle(), IdEditHookReinstalls, (std::to_string(count) + " 回").c_str());
}
