#include "ui/Vorlixmainform.h"

#include "platform/ProgramFolder.h"
#include "shared/SystemFunction.h"
#include "shared/Handles.h"
#include "shared/VorlixVersion.h"
#include "ui/ErrorBox.h"
#include "ui/FrameWindow.h"
#include "settings/SettingPrompt.h"

namespace {

constexpr char FormClass[] = "TVXMainForm";
constexpr int ClientWidth = 266;
constexpr int ClientHeight = 124;

enum : UINT {
  IdButtonOk = 1,  // IDOK: Enter presses the default button
  IdButtonSetting = 100,
  IdAbout,
  IdQuit,
  IdPause,
  IdSetting,
};

// In tab order: the OK button first. The labels draw on one line: a version
// a pixel wider than its label must not drop its number onto a hidden line.
const TComponent Components[] = {
    {"STATIC", "Vorlix", SS_LEFTNOWORDWRAP, 8, 8, 246, 54, 0},
    {"STATIC", "Ver. " VORLIX_VERSION_TEXT, SS_LEFTNOWORDWRAP, 184, 56, 64, 15, 0},
    {"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 176, 96, 75, 25, IdButtonOk},
    {"BUTTON", "設定", BS_PUSHBUTTON | WS_TABSTOP, 16, 96, 75, 25, IdButtonSetting},
};
enum : std::size_t { Label1, Label3 };

// Low-level mode: looks after the hooks every LookIntervalMs (see
// THookWatchdog, TThreadHooks).
constexpr UINT_PTR HookCareTimer = 1;

HFONT MakeFont(int height, int weight, bool italic, BYTE charSet, const char* face) {
  return CreateFontA(-height, 0, 0, 0, weight, italic, FALSE, FALSE, charSet, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

// GetLastInputInfo, which Windows NT 4 lacks, looked up by name: the time
// of the last input, or false.
bool LastInputTime(DWORD& time) {
  using TGetLastInputInfo = BOOL(WINAPI*)(PLASTINPUTINFO);
  static const auto get = SystemFunction<TGetLastInputInfo>("User32.dll", "GetLastInputInfo");
  LASTINPUTINFO info{sizeof info, 0};
  if (get == nullptr || !get(&info)) return false;
  time = info.dwTime;
  return true;
}

// The settings dialog as the dispatcher's routing sees it.
class TDialogRouting : public CaptureDialog {
 public:
  TDialogRouting(TVXMainForm& mainForm, TVXSettingForm& settingForm)
      : MainForm(mainForm), SettingForm(settingForm) {}
  bool Visible() override { return SettingForm.Visible(); }
  void ActivateCapturePage() override {
    const TVXSettingForm::Page page = SettingForm.ActivePage();
    if (page != TVXSettingForm::WindowSheet && page != TVXSettingForm::ExeSheet)
      SettingForm.SetActivePage(TVXSettingForm::WindowSheet);
  }
  void ShowSettingDialog() override { MainForm.ShowSettingDialog(); }
  bool CaptureWindow(Wnd targetWnd, Wnd cursorWnd, TPoint cursor, std::uint16_t keyState,
                     std::int16_t wheelDelta) override {
    return SettingForm.CaptureWindow(targetWnd, cursorWnd, cursor, keyState, wheelDelta);
  }

 private:
  TVXMainForm& MainForm;
  TVXSettingForm& SettingForm;
};

}  // namespace

TVXMainForm::TVXMainForm(HWND application) : Application(application) {
  RegisterFormClass(FormClass, BoundProc<TVXMainForm, &TVXMainForm::HandleMessage>);
  const HINSTANCE instance = GetModuleHandleA(nullptr);

  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, ClientWidth, ClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  Window = TWindowOwner(CreateWindowExA(0, FormClass, "Vorlix", style, CW_USEDEFAULT,
                                        CW_USEDEFAULT, frame.right - frame.left,
                                        frame.bottom - frame.top, application, nullptr, instance,
                                        this));
  if (!Window) return;
  CreateComponents();
  CreatePopupMenu1();
  // Either button on the icon opens the menu; its commands come here.
  TrayIcon1 = std::make_unique<TTrayIcon>(Window.Get());
  TrayIcon1->SetIcon(LoadIconA(instance, "MAINICON"));
  TrayIcon1->SetTipHelp("Vorlix");
  TrayIcon1->SetLBPopupMenu(PopupMenu1.Get());
  TrayIcon1->SetRBPopupMenu(PopupMenu1.Get());

  // What escapes the start leaves the program without a tray icon, that is
  // without a way for the user to end it: it is told, and it ends.
  IsStarted = Guarded(nullptr, [this] { return LRESULT{Start()}; }) != 0;
  if (!IsStarted) Stop();
}

TVXMainForm::~TVXMainForm() {
  Stop();
  TrayIcon1.reset();
  Window.Reset();
}

void TVXMainForm::CreateComponents() {
  DefaultFont = TFontOwner(MakeFont(12, FW_NORMAL, false, SHIFTJIS_CHARSET, "ＭＳ Ｐゴシック"));
  TitleFont = TFontOwner(MakeFont(48, FW_BOLD, true, ANSI_CHARSET, "Times New Roman"));
  VersionFont = TFontOwner(MakeFont(13, FW_BOLD, false, ANSI_CHARSET, "Times New Roman"));
  const std::vector<HWND> controls = ::CreateComponents(Window.Get(), Components, DefaultFont.Get());
  SendMessageA(controls[Label1], WM_SETFONT, reinterpret_cast<WPARAM>(TitleFont.Get()), FALSE);
  SendMessageA(controls[Label3], WM_SETFONT, reinterpret_cast<WPARAM>(VersionFont.Get()), FALSE);
}

void TVXMainForm::CreatePopupMenu1() {
  PopupMenu1 = TMenuOwner(CreatePopupMenu());
  const HMENU menu = PopupMenu1.Get();
  AppendMenuA(menu, MF_STRING, IdAbout, "Vorlixについて(&A)");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IdQuit, "常駐解除(&Q)");
  AppendMenuA(menu, MF_STRING, IdPause, "一時停止(&P)");
  AppendMenuA(menu, MF_STRING, IdSetting, "設定（&S)");
  SetMenuDefaultItem(menu, IdSetting, FALSE);
}

bool TVXMainForm::Start() {
  HookLoader = std::make_unique<TVorlixHook>(Window.Get(), 0);
  if (!HookLoader->Ready()) {
    MessageBoxA(nullptr, "DLLの初期化、フックのインストールに失敗しました", "Vorlix - Error",
                MB_OK | MB_ICONERROR);
    return false;
  }
  NotifyMessage = HookLoader->NotifyMessage();
  SettingForm = std::make_unique<TVXSettingForm>(Application, Windows, *HookLoader, [this] {
    if (Dispatcher) Dispatcher->RulesChanged();
  });
  DialogRouting = std::make_unique<TDialogRouting>(*this, *SettingForm);
  Executor = std::make_unique<TKeyOperationExecutor>(Windows, *HookLoader, &Plugins);
  Dispatcher = std::make_unique<TWheelDispatcher>(Windows, *HookLoader, Setting, Executor.get(),
                                                  DialogRouting.get());
  if (!LoadSettings()) return false;
  LoadPlugins();
  if (HookLoader->LowLevelMode())
    SetTimer(Window.Get(), HookCareTimer, THookWatchdog::LookIntervalMs, nullptr);
  TrayIcon1->SetVisible(true);
  SetPaused(false);
  return true;
}

void TVXMainForm::Stop() {
  // In the opposite order of their making: each acts through the ones
  // made before it.
  NotifyMessage = 0;
  if (Window) KillTimer(Window.Get(), HookCareTimer);
  Dispatcher.reset();
  Executor.reset();
  DialogRouting.reset();
  SettingForm.reset();
  HookLoader.reset();
}

void TVXMainForm::SetPaused(bool value) {
  IsPaused = value;
  if (Dispatcher) {
    Dispatcher->Paused = value;
    Dispatcher->RulesChanged();
  }
  CheckMenuItem(PopupMenu1.Get(), IdPause, MF_BYCOMMAND | (value ? MF_CHECKED : MF_UNCHECKED));
}

bool TVXMainForm::LoadSettings() {
  TMessageBoxPrompt prompt;
  return Setting.LoadAtStartup(prompt, TVorlixSetting::DefaultFilePath());
}

bool TVXMainForm::LoadPlugins() {
  Plugins.LoadDirectory(ProgramFolder());
  return true;
}

// Opening the dialog that is open already keeps the edits in progress.
void TVXMainForm::ShowSettingDialog() {
  if (SettingForm == nullptr) return;
  if (!SettingForm->Visible()) {
    SettingForm->ClearActionNames();
    for (int i = 0; i < Plugins.GetActionCount(); ++i)
      SettingForm->AddActionName(Plugins.GetActionName(i));
    SettingForm->SetSetting(&Setting);
  }
  ShowWindow(SettingForm->Handle(), SW_SHOW);
  if (HookLoader) HookLoader->SetForeground(ToWnd(SettingForm->Handle()));
}

void TVXMainForm::ShowAboutDialog() {
  ShowWindow(Window.Get(), SW_SHOW);
  SetForegroundWindow(Window.Get());
}

void TVXMainForm::QuitClick() { PostMessageA(Window.Get(), WM_CLOSE, 0, 0); }

void TVXMainForm::PauseClick() { SetPaused(!IsPaused); }

void TVXMainForm::ButtonOkClick() { ShowWindow(Window.Get(), SW_HIDE); }

void TVXMainForm::FormCloseQuery() { Stop(); }

void TVXMainForm::LookAfterHooks() {
  if (!HookLoader) return;
  HookLoader->SweepThreadHooks();
  DWORD lastInput = 0;
  POINT cursor{};
  if (!LastInputTime(lastInput) || !GetCursorPos(&cursor)) return;
  if (!Watchdog.HookLost(GetTickCount(), lastInput, {cursor.x, cursor.y},
                         HookLoader->LowLevelCalls()))
    return;
  HookLoader->ReinstallMouseHook();
  if (SettingForm != nullptr) SettingForm->ShowHookReinstalls(HookLoader->MouseHookReinstalls());
}

void TVXMainForm::Command(UINT id) {
  switch (id) {
    case IdButtonOk:
    case IDCANCEL: ButtonOkClick(); break;  // Esc closes the about box, as its OK does
    case IdEnterKey: PressEnterButton(Window.Get(), GetDlgItem(Window.Get(), IdButtonOk)); break;
    case IdButtonSetting:
    case IdSetting: ShowSettingDialog(); break;
    case IdAbout: ShowAboutDialog(); break;
    case IdQuit: QuitClick(); break;
    case IdPause: PauseClick(); break;
    default: break;
  }
}

LRESULT TVXMainForm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (ClassifyMainWindowMessage(message, wParam, NotifyMessage)) {
    case MainWindowAction::RouteNotification:
      return Dispatcher ? Dispatcher->RouteWheelNotification(wParam, lParam) : 0;
    case MainWindowAction::Hide:
      ShowWindow(window, SW_HIDE);
      return 0;
    case MainWindowAction::Default:
      break;
  }
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return EnterKeyDefId();
    case WM_TIMER:
      if (wParam == HookCareTimer) LookAfterHooks();
      return 0;
    case WM_CLOSE:
      FormCloseQuery();
      Window.Reset();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
