#include "ui/Vorlixsettingform.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstddef>
#include <cstdio>

#include "host/Windowutily.h"
#include "shared/Handles.h"
#include "shared/OsVersion.h"
#include "ui/ErrorBox.h"
#include "ui/FrameWindow.h"

namespace {

// Esc presses "閉じる", the dialog's cancel button.
enum : int { IdPageControl1 = 100, IdButtonSave, IdButtonLoad, IdButtonClose = IDCANCEL };

const TComponent Buttons[] = {
    {"BUTTON", "設定保存", BS_PUSHBUTTON | WS_TABSTOP, 16, 344, 75, 25, IdButtonSave},
    {"BUTTON", "設定読出", BS_PUSHBUTTON | WS_TABSTOP, 112, 344, 75, 25, IdButtonLoad},
    {"BUTTON", "閉じる", BS_PUSHBUTTON | WS_TABSTOP, 360, 344, 75, 25, IdButtonClose},
};

const char* const TabCaptions[] = {"全般", "各ウィンドウ", "各アプリケーション", "DebugSheet"};

constexpr char FileFilter[] = "Vorlix設定ファイル\0*.vxs\0";
constexpr char WrongVersionText[] =
    "設定ファイルのバージョンが違います\n古い設定ファイル( 0.326a以前のVorlix用 )を\n"
    "使うときは設定ファイルこんばーたを使用してください";

std::string Hex(Wnd value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

}  // namespace

TVXSettingForm::TVXSettingForm(HWND owner, WindowSystem& windows, HookRequests& hook,
                               std::function<void()> onRulesChanged)
    : Windows(windows), Names(windows, hook), OnRulesChanged(std::move(onRulesChanged)) {
  RegisterFormClass(ClassName, BoundProc<TVXSettingForm, &TVXSettingForm::HandleMessage>);
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  // Owned, not a child: file dialogs and message boxes opened from it are
  // top-level windows of their own.
  Window = TWindowOwner(CreateWindowExA(WS_EX_CONTROLPARENT, ClassName, "Vorlix - Setting",
                                        WS_OVERLAPPEDWINDOW, 414, 119, 460, 405, owner, nullptr,
                                        instance, this));
  if (!Window) return;
  const HWND form = Window.Get();
  Font = TFontOwner(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, "ＭＳ Ｐゴシック"));
  RECT client{};
  GetClientRect(form, &client);
  PageControl1 = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0,
                                 client.right, 337, form,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdPageControl1)),
                                 instance, nullptr);
  SendMessageA(PageControl1, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Get()), FALSE);
  for (int i = 0; i < 4; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(TabCaptions[i]);
    SendMessageA(PageControl1, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&item));
  }
  RECT pages{0, 0, client.right, 337};
  SendMessageA(PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pages));
  GeneralFrame1 = std::make_unique<TGeneralFrame>(form, pages, Font.Get(),
                                                  [this] { GeneralFrame1BtnSaveClick(); });
  WindowFrame1 = std::make_unique<TWindowFrame>(
      form, pages, Font.Get(), [this] { WindowFrame1BtnSaveClick(); },
      [this] { WindowFrame1CheckThisExeOnlyClick(); });
  ExeFrame1 = std::make_unique<TExeFrame>(
      form, pages, Font.Get(), [this] { ExeFrame1ButtonSaveClick(); },
      [this] { ExeFrame1CheckThisWindowOnlyClick(); });
  RECT debug = pages;
  debug.top += 16;
  debug.right = debug.left + 433;
  debug.bottom = debug.top + 294;
  DebugSheetFrame1 = std::make_unique<TDebugSheetFrame>(form, debug, Font.Get());
  // The pages lie above the tab control, which would otherwise paint over them.
  for (HWND page : {GeneralFrame1->Handle(), WindowFrame1->Handle(), ExeFrame1->Handle(),
                    DebugSheetFrame1->Handle()})
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  CreateComponents(form, Buttons, Font.Get());
  ShowPage(GeneralSheet);
}

TVXSettingForm::~TVXSettingForm() {
  GeneralFrame1.reset();
  WindowFrame1.reset();
  ExeFrame1.reset();
  DebugSheetFrame1.reset();
  Window.Reset();
}

TVXSettingForm::Page TVXSettingForm::ActivePage() const {
  return static_cast<Page>(SendMessageA(PageControl1, TCM_GETCURSEL, 0, 0));
}

void TVXSettingForm::SetActivePage(Page page) {
  SendMessageA(PageControl1, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
  ShowPage(page);
}

// Enter saves the page shown; the debug page has nothing to save.
HWND TVXSettingForm::ShownSaveButton() const {
  switch (ActivePage()) {
    case GeneralSheet: return GeneralFrame1->SaveButton();
    case WindowSheet: return WindowFrame1->SaveButton();
    case ExeSheet: return ExeFrame1->SaveButton();
    default: return nullptr;
  }
}

void TVXSettingForm::ShowPage(Page page) {
  ShowWindow(GeneralFrame1->Handle(), page == GeneralSheet ? SW_SHOW : SW_HIDE);
  ShowWindow(WindowFrame1->Handle(), page == WindowSheet ? SW_SHOW : SW_HIDE);
  ShowWindow(ExeFrame1->Handle(), page == ExeSheet ? SW_SHOW : SW_HIDE);
  ShowWindow(DebugSheetFrame1->Handle(), page == DebugSheet ? SW_SHOW : SW_HIDE);
}

TDebugFacts TVXSettingForm::DebugFactsOf(Wnd window) {
  TDebugFacts facts;
  facts.Hwnd = Hex(window);
  char caption[260] = {};
  GetWindowTextA(ToHwnd(window), caption, sizeof caption);
  facts.Caption = caption;
  Wnd scrollBar = 0;
  facts.ScrollBar =
      FindVScrollBar(Windows, window, scrollBar) ? "○ " + Hex(scrollBar) : std::string("× なし");
  facts.ClassName = Names.ClassName(window);
  facts.ModuleName = Names.ModuleName(window);
  return facts;
}

bool TVXSettingForm::CaptureWindow(Wnd, Wnd cursorWnd, TPoint, std::uint16_t, std::int16_t) {
  if (ActivePage() == DebugSheet) {
    DebugSheetFrame1->Show(DebugFactsOf(cursorWnd));
    return true;
  }
  if (Setting == nullptr) return false;
  const std::string className = Names.ClassName(cursorWnd);
  const std::string exeName = Names.ModuleName(cursorWnd);
  // Turns over the dialog itself are left to the dialog.
  char topClass[64] = {};
  Windows.ClassName(GetTopLevelWindow(Windows, cursorWnd), topClass, sizeof topClass);
  if (lstrcmpiA(topClass, ClassName) == 0) return false;
  TWindowSetting window = Setting->WindowSettings.Find(className, exeName);
  window.ExeName = exeName;
  WindowFrame1->SetSetting(window);
  ExeFrame1->SetSetting(Setting->ExeSettings.Find(exeName));
  ExeFrame1->SetClassName(className);
  return true;
}

void TVXSettingForm::SetSetting(TVorlixSetting* setting) {
  Setting = setting;
  if (Setting != nullptr) GeneralFrame1->SetSetting(Setting->GeneralSetting);
  WindowFrame1->SetSetting(TWindowSetting());
  ExeFrame1->SetSetting(TExeSetting());
}

// The page's values go into a copy of the settings, which must reach the
// registry key whole before it replaces the live settings: a save the key
// refuses changes neither, and the error reaches the user.
void TVXSettingForm::SavePage(TVorlixSetting::TPart part,
                              const std::function<void(TVorlixSetting&)>& change) {
  if (Setting == nullptr) return;
  TVorlixSetting updated = *Setting;
  change(updated);
  updated.SavePartToRegistry(part);
  *Setting = std::move(updated);
  if (OnRulesChanged) OnRulesChanged();
}

void TVXSettingForm::GeneralFrame1BtnSaveClick() {
  const TGeneralSetting general = GeneralFrame1->GetSetting();
  SavePage(TVorlixSetting::GeneralPart, [&](TVorlixSetting& s) { s.GeneralSetting = general; });
}

void TVXSettingForm::WindowFrame1BtnSaveClick() {
  const TWindowSetting window = WindowFrame1->GetSetting();
  SavePage(TVorlixSetting::WindowPart, [&](TVorlixSetting& s) {
    s.WindowSettings.Put(window.ClassName, window.ExeName, window);
  });
}

// Unchecked, the page shows the class's rule for every application again;
// checked, the values shown stay and are saved for this application only.
void TVXSettingForm::WindowFrame1CheckThisExeOnlyClick() {
  if (Setting == nullptr || WindowFrame1->ThisExeOnlyChecked()) return;
  const TWindowSetting current = WindowFrame1->GetSetting();
  TWindowSetting window = Setting->WindowSettings.Find(current.ClassName, "");
  window.ExeName = current.ExeName;
  WindowFrame1->SetSetting(window);
}

void TVXSettingForm::ExeFrame1ButtonSaveClick() {
  const TExeSetting exe = ExeFrame1->GetSetting();
  SavePage(TVorlixSetting::ExePart, [&](TVorlixSetting& s) { s.ExeSettings.Put(exe.ExeName, exe); });
}

// Unchecked, the page shows the key setting for all of the application's
// windows again; the class's unsaved edits are dropped, its name stays.
void TVXSettingForm::ExeFrame1CheckThisWindowOnlyClick() {
  if (ExeFrame1->ThisWindowOnlyChecked()) return;
  const std::string className = ExeFrame1->ClassNameShown();
  ExeFrame1->SetClassName("");
  ExeFrame1->SetClassNameShown(className);
}

std::string TVXSettingForm::ChooseFile(bool save) {
  char path[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  // The comdlg32 of Windows 95, 98 and NT 4 refuses the record of Windows
  // 2000, which ends in three more fields. (The SDK's OPENFILENAME_SIZE_VERSION_400A
  // computes the same with a null pointer, which clang rejects.)
  constexpr DWORD OldSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
  dialog.lStructSize = CurrentOsVersionClass() == OsWindows2000 ? sizeof dialog : OldSize;
  dialog.hwndOwner = Window.Get();
  dialog.lpstrFilter = FileFilter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrDefExt = "vxs";
  if (save) {
    dialog.lpstrTitle = "Vorlix設定ファイル書出";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   OFN_NOREADONLYRETURN | OFN_ENABLESIZING;
    return GetSaveFileNameA(&dialog) ? path : "";
  }
  dialog.lpstrTitle = "Vorlix設定ファイル読込";
  dialog.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING;
  return GetOpenFileNameA(&dialog) ? path : "";
}

void TVXSettingForm::ButtonSaveClick() {
  const std::string path = ChooseFile(true);
  if (!path.empty() && Setting != nullptr) Setting->SaveToFile(path);
}

void TVXSettingForm::ButtonLoadClick() {
  const std::string path = ChooseFile(false);
  if (path.empty() || Setting == nullptr) return;
  if (!TVorlixSetting::FileVersionMatches(path)) {
    MessageBoxA(Window.Get(), WrongVersionText, "よみこめないですよぉ", MB_OK | MB_SETFOREGROUND);
    return;
  }
  Setting->LoadFromFile(path);
  Setting->SaveToRegistry();
  if (OnRulesChanged) OnRulesChanged();
  SetSetting(Setting);
}

void TVXSettingForm::ButtonCloseClick() { ShowWindow(Window.Get(), SW_HIDE); }

LRESULT TVXSettingForm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IdButtonSave: ButtonSaveClick(); return 0;
        case IdButtonLoad: ButtonLoadClick(); return 0;
        case IdButtonClose: ButtonCloseClick(); return 0;
        case IdEnterKey: PressEnterButton(window, ShownSaveButton()); return 0;
        default: break;
      }
      break;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) ShowPage(ActivePage());
      return 0;
    case WM_CLOSE:
      ShowWindow(window, SW_HIDE);
      return 0;
    case DM_GETDEFID:
      return EnterKeyDefId();
    // An access key on a label focuses the label, then the control after
    // it (lParam nonzero: wParam is the control; else the next one, or the
    // previous one when wParam is nonzero).
    case WM_NEXTDLGCTL: {
      const HWND next = lParam != 0 ? reinterpret_cast<HWND>(wParam)
                                    : GetNextDlgTabItem(window, GetFocus(), wParam != 0);
      if (next == nullptr) return 0;
      SetFocus(next);
      // A field reached so is typed over, as in any dialog.
      if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(next, EM_SETSEL, 0, -1);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
