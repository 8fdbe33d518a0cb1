#include "platform/Win32WindowSystem.h"

#include <windows.h>

#include "platform/AnsiText.h"
#include "platform/BoundedSend.h"
#include "shared/Handles.h"
#include "shared/WheelNotification.h"

static_assert(StyleChild == WS_CHILD && StyleVisible == WS_VISIBLE &&
              StyleDisabled == WS_DISABLED && StyleCaption == WS_CAPTION &&
              StyleVScroll == WS_VSCROLL && StyleHScroll == WS_HSCROLL &&
              ScrollBarVertical == SBS_VERT &&
              ButtonGroupBox == BS_GROUPBOX && ExStyleTransparent == WS_EX_TRANSPARENT &&
              ExStyleMdiChild == WS_EX_MDICHILD,
              "the seam's styles are the system's");
static_assert(SkipInvisible == CWP_SKIPINVISIBLE && SkipDisabled == CWP_SKIPDISABLED &&
                  SkipTransparent == CWP_SKIPTRANSPARENT,
              "the seam's ChildWindowFromPointEx flags are the system's");
static_assert(VkShift == VK_SHIFT && VkControl == VK_CONTROL && VkMenu == VK_MENU &&
                  WmMouseWheel == WM_MOUSEWHEEL && WmSysCommand == WM_SYSCOMMAND &&
                  ScClose == SC_CLOSE && ScMinimize == SC_MINIMIZE && SbLineBack == SB_LINEUP &&
                  SbLineBack == SB_LINELEFT && SbLineForward == SB_LINEDOWN &&
                  SbLineForward == SB_LINERIGHT && SbEndScroll == SB_ENDSCROLL &&
                  KeyEventKeyUp == KEYEVENTF_KEYUP,
              "the seam's keys, messages and codes are the system's");

namespace {

POINT ToPoint(TPoint p) { return POINT{p.X, p.Y}; }
TPoint FromPoint(POINT p) { return TPoint{p.x, p.y}; }
HANDLE ToHandle(ProcessHandle process) { return reinterpret_cast<HANDLE>(process); }

}  // namespace

TPoint TWin32WindowSystem::CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return FromPoint(p);
}

Wnd TWin32WindowSystem::WindowFromPoint(TPoint screen) {
  return ToWnd(::WindowFromPoint(ToPoint(screen)));
}

Wnd TWin32WindowSystem::ChildWindowFromPointEx(Wnd parent, TPoint client, std::uint32_t flags) {
  return ToWnd(::ChildWindowFromPointEx(ToHwnd(parent), ToPoint(client), flags));
}

TPoint TWin32WindowSystem::ScreenToClient(Wnd window, TPoint screen) {
  POINT p = ToPoint(screen);
  ::ScreenToClient(ToHwnd(window), &p);
  return FromPoint(p);
}

TPoint TWin32WindowSystem::ClientToScreen(Wnd window, TPoint client) {
  POINT p = ToPoint(client);
  ::ClientToScreen(ToHwnd(window), &p);
  return FromPoint(p);
}

int TWin32WindowSystem::ClassName(Wnd window, char* buffer, int size) {
  return GetClassNameA(ToHwnd(window), buffer, size);
}

std::uint32_t TWin32WindowSystem::Style(Wnd window) {
  return static_cast<std::uint32_t>(GetWindowLongA(ToHwnd(window), GWL_STYLE));
}

std::uint32_t TWin32WindowSystem::ExStyle(Wnd window) {
  return static_cast<std::uint32_t>(GetWindowLongA(ToHwnd(window), GWL_EXSTYLE));
}

Wnd TWin32WindowSystem::Parent(Wnd window) { return ToWnd(GetParent(ToHwnd(window))); }

Wnd TWin32WindowSystem::TopChild(Wnd window) { return ToWnd(GetTopWindow(ToHwnd(window))); }

Wnd TWin32WindowSystem::NextSibling(Wnd window) {
  return ToWnd(GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

bool TWin32WindowSystem::WindowRect(Wnd window, TRect& rect) {
  RECT r{};
  if (!GetWindowRect(ToHwnd(window), &r)) return false;
  rect = TRect{r.left, r.top, r.right, r.bottom};
  return true;
}

bool TWin32WindowSystem::IsEnabled(Wnd window) { return IsWindowEnabled(ToHwnd(window)) != FALSE; }

bool TWin32WindowSystem::IsVisible(Wnd window) { return IsWindowVisible(ToHwnd(window)) != FALSE; }

Wnd TWin32WindowSystem::ForegroundWindow() { return ToWnd(GetForegroundWindow()); }

bool TWin32WindowSystem::BringToTop(Wnd window) {
  return BringWindowToTop(ToHwnd(window)) != FALSE;
}

bool TWin32WindowSystem::Send(Wnd window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) {
  return DeliverMessage(ToHwnd(window), message, wParam, lParam);
}

std::int16_t TWin32WindowSystem::AsyncKeyState(int virtualKey) {
  return GetAsyncKeyState(virtualKey);
}

std::uint32_t TWin32WindowSystem::WheelScrollChars() {
  constexpr UINT GetWheelScrollChars = 0x006C;  // SPI_GETWHEELSCROLLCHARS, Vista and later
  UINT chars = 0;
  // Older systems know no such setting, and have no tilt wheel either.
  if (!SystemParametersInfoA(GetWheelScrollChars, 0, &chars, 0)) return 3;
  return chars;
}

void TWin32WindowSystem::KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode,
                                    std::uint32_t flags) {
  keybd_event(virtualKey, scanCode, flags, OwnInputMarker);
}

std::uint32_t TWin32WindowSystem::ScanCodeOf(std::uint32_t code) {
  return MapVirtualKeyA(code, 0);
}

bool TWin32WindowSystem::IsLeadByte(std::uint8_t byte) { return AnsiIsLeadByte(byte); }

std::uint32_t TWin32WindowSystem::ProcessIdOf(Wnd window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(ToHwnd(window), &processId);
  return processId;
}

// SYNCHRONIZE is all a wait needs; asking for no more lets the open succeed
// wherever the system allows any.
ProcessHandle TWin32WindowSystem::OpenProcessWatch(std::uint32_t processId) {
  return reinterpret_cast<ProcessHandle>(OpenProcess(SYNCHRONIZE, FALSE, processId));
}

bool TWin32WindowSystem::ProcessEnded(ProcessHandle process) {
  return WaitForSingleObject(ToHandle(process), 0) != WAIT_TIMEOUT;
}

void TWin32WindowSystem::CloseProcessWatch(ProcessHandle process) {
  CloseHandle(ToHandle(process));
}
