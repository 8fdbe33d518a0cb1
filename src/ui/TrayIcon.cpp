#include "ui/TrayIcon.h"

#include <shellapi.h>

#include <cstddef>
#include <memory>

#include "platform/AnsiText.h"
#include "shared/Handles.h"
#include "ui/ErrorBox.h"

// The record is handed to the shell as it is.
static_assert(NOTIFYICONDATAA_V1_SIZE == sizeof(TNotifyIconData));
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) ==
              offsetof(TNotifyIconData, uCallbackMessage));
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == offsetof(TNotifyIconData, hIcon));
static_assert(offsetof(NOTIFYICONDATAA, szTip) == offsetof(TNotifyIconData, szTip));
static_assert(NIM_ADD == NotifyIconAdd && NIM_MODIFY == NotifyIconModify &&
              NIM_DELETE == NotifyIconDelete);
static_assert(NIF_MESSAGE == NotifyIconFlagMessage && NIF_ICON == NotifyIconFlagIcon &&
              NIF_TIP == NotifyIconFlagTip);
static_assert(WM_USER + 200 == TrayCallbackMessage);
static_assert(WM_MOUSEMOVE == WmMouseMove && WM_LBUTTONDOWN == WmLButtonDown &&
              WM_LBUTTONUP == WmLButtonUp && WM_LBUTTONDBLCLK == WmLButtonDblClk &&
              WM_RBUTTONDOWN == WmRButtonDown && WM_RBUTTONUP == WmRButtonUp &&
              WM_MBUTTONDOWN == WmMButtonDown && WM_MBUTTONUP == WmMButtonUp);

namespace {

std::unique_ptr<TCallbackWindow> Callback;
// Explorer broadcasts it when it starts again, having forgotten every icon.
UINT TaskbarCreatedMessage = 0;

HWND CallbackHandle() { return Callback ? Callback->Handle() : nullptr; }

}  // namespace

TCallbackWindow::TCallbackWindow() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, ClassName, &windowClass)) {
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassA(&windowClass)) return;
  }
  TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
  Window = TWindowOwner(
      CreateWindowExA(0, ClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
}

LRESULT CALLBACK TCallbackWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  return Guarded(window, [&]() -> LRESULT {
    if (message == TrayCallbackMessage) {
      if (TTrayIconCore* icon = TrayIconList.Find(wParam))
        icon->HandleCallback(static_cast<std::uint32_t>(lParam));
      return 0;
    }
    if (message == SingleClickDoneMessage) {
      if (TTrayIconCore* icon = TrayIconList.Find(wParam))
        icon->SingleClickDone(static_cast<std::uint32_t>(lParam));
      return 0;
    }
    if (TaskbarCreatedMessage != 0 && message == TaskbarCreatedMessage) {
      TrayIconList.ForEach([](TTrayIconCore& icon) { icon.ShellRestarted(); });
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  });
}

void TSingleClick::Start(HWND callbackWindow, int id, std::uint32_t ticket) {
  auto click = std::unique_ptr<TSingleClick>(new TSingleClick(callbackWindow, id, ticket));
  DWORD threadId = 0;
  const TKernelHandle thread(CreateThread(nullptr, 0, Run, click.get(), 0, &threadId));
  if (thread) {
    click.release();  // the thread frees it
    return;
  }
  // Without a thread there is no waiting for a second click: decide at once.
  click->Done();
}

DWORD WINAPI TSingleClick::Run(LPVOID self) {
  const std::unique_ptr<TSingleClick> click(static_cast<TSingleClick*>(self));
  Sleep(GetDoubleClickTime() + 50);
  click->Done();
  return 0;
}

void TSingleClick::Done() const {
  // The window may be gone with the last icon; the post then fails harmlessly.
  PostMessageA(Window, TCallbackWindow::SingleClickDoneMessage, static_cast<WPARAM>(Id),
               static_cast<LPARAM>(Ticket));
}

TTrayIconShell::TTrayIconShell(HWND owner) : Owner(owner) {
  if (!Callback) Callback = std::make_unique<TCallbackWindow>();
}

TTrayIconShell::~TTrayIconShell() {
  if (TrayIconList.Count() == 0) Callback.reset();
}

bool TTrayIconShell::NotifyIcon(std::uint32_t mode, TNotifyIconData& record) {
  if (mode == NotifyIconAdd) {
    // An icon whose messages nobody receives would be a menu that never opens.
    if (CallbackHandle() == nullptr) return false;
    record.hWnd = ToWnd(CallbackHandle());
  }
  return Shell_NotifyIconA(mode, reinterpret_cast<PNOTIFYICONDATAA>(&record)) != FALSE;
}

HICON TTrayIconShell::Displayed() const {
  if (OwnIcon) return OwnIcon.Get();
  if (Owner != nullptr) {
    if (auto icon = reinterpret_cast<HICON>(SendMessageA(Owner, WM_GETICON, ICON_BIG, 0)))
      return icon;
    if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(Owner, GCLP_HICON))) return icon;
  }
  return LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
}

std::uint32_t TTrayIconShell::ShownIcon() {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Displayed()));
}

TPoint TTrayIconShell::CursorPos() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

HMENU TTrayIconShell::MenuOf(TMouseButton button) const {
  const HMENU menu = button == TMouseButton::Left    ? LBMenu
                     : button == TMouseButton::Right ? RBMenu
                                                     : nullptr;
  return menu != nullptr && IsMenu(menu) ? menu : nullptr;
}

bool TTrayIconShell::HasPopupMenu(TMouseButton button) { return MenuOf(button) != nullptr; }

void TTrayIconShell::PopupMenu(TMouseButton button, TPoint at) {
  const HWND window = Owner != nullptr ? Owner : CallbackHandle();
  // A tracked menu closes on a click elsewhere only when its window is in
  // the foreground; and without a message to its window right after it, the
  // next menu of the icon would close at once on some systems.
  SetForegroundWindow(window);
  TrackPopupMenu(MenuOf(button), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.X, at.Y, 0, window, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
}

void TTrayIconShell::StartSingleClick(int id, std::uint32_t ticket) {
  TSingleClick::Start(CallbackHandle(), id, ticket);
}

bool TTrayIconShell::IsLeadByte(std::uint8_t byte) { return AnsiIsLeadByte(byte); }

TTrayIcon::TTrayIcon(HWND owner)
    : TTrayIconShell(owner), TTrayIconCore(static_cast<TrayShell&>(*this)) {}

void TTrayIcon::SetIcon(HICON icon) {
  if (icon == OwnIcon.Get()) return;
  OwnIcon = TIconOwner(icon != nullptr ? CopyIcon(icon) : nullptr);
  IconChanged();
}
