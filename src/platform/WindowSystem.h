// The narrow seam between the decisions and the desktop. Each operation is a
// thin wrapper of one Win32 call in production (named after it, without the
// A/W macros of windows.h); tests put a fake desktop behind it.
#pragma once

#include <cstdint>

#include "shared/VorlixData.h"

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// A handle the seam opened on a process; 0 is none. Whoever opens one closes
// it through the same seam.
using ProcessHandle = std::uintptr_t;

struct TRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  // PtInRect: the right and bottom edges are outside.
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
};

// Style bits the algorithms look at.
constexpr std::uint32_t StyleChild = 0x40000000;     // WS_CHILD
constexpr std::uint32_t StyleVisible = 0x10000000;   // WS_VISIBLE
constexpr std::uint32_t StyleDisabled = 0x08000000;  // WS_DISABLED
constexpr std::uint32_t StyleCaption = 0x00C00000;   // WS_CAPTION (two bits)
constexpr std::uint32_t StyleVScroll = 0x00200000;   // WS_VSCROLL
constexpr std::uint32_t StyleHScroll = 0x00100000;   // WS_HSCROLL
constexpr std::uint32_t ScrollBarVertical = 0x1;     // SBS_VERT
constexpr std::uint32_t ButtonTypeMask = 0x7;
constexpr std::uint32_t ButtonGroupBox = 0x7;        // BS_GROUPBOX
constexpr std::uint32_t ExStyleTransparent = 0x20;   // WS_EX_TRANSPARENT
constexpr std::uint32_t ExStyleMdiChild = 0x40;      // WS_EX_MDICHILD

// ChildWindowFromPointEx flags.
constexpr std::uint32_t SkipInvisible = 1;    // CWP_SKIPINVISIBLE
constexpr std::uint32_t SkipDisabled = 2;     // CWP_SKIPDISABLED
constexpr std::uint32_t SkipTransparent = 4;  // CWP_SKIPTRANSPARENT

// Virtual keys, messages and codes the decisions use. (The Windows build
// checks each against windows.h.)
constexpr int VkShift = 0x10;
constexpr int VkControl = 0x11;
constexpr int VkMenu = 0x12;  // Alt
constexpr std::uint16_t AsyncKeyDown = 0x8000;   // GetAsyncKeyState: the key is down
constexpr std::uint32_t WmMouseWheel = 0x020A;
constexpr std::uint32_t WmSysCommand = 0x0112;
constexpr std::uintptr_t ScClose = 0xF060;
constexpr std::uintptr_t ScMinimize = 0xF020;
constexpr int SbLineBack = 0;     // SB_LINEUP, SB_LINELEFT
constexpr int SbLineForward = 1;  // SB_LINEDOWN, SB_LINERIGHT
constexpr int SbEndScroll = 8;
constexpr std::uint32_t KeyEventKeyUp = 0x0002;  // KEYEVENTF_KEYUP

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual TPoint CursorPos() = 0;                                          // GetCursorPos
  virtual Wnd WindowFromPoint(TPoint screen) = 0;                          // WindowFromPoint
  virtual Wnd ChildWindowFromPointEx(Wnd parent, TPoint client, std::uint32_t flags) = 0;
  virtual TPoint ScreenToClient(Wnd window, TPoint screen) = 0;
  virtual TPoint ClientToScreen(Wnd window, TPoint client) = 0;
  // GetClassNameA: copies at most size - 1 characters and a zero; returns
  // the number of characters copied, 0 for a window that has gone.
  virtual int ClassName(Wnd window, char* buffer, int size) = 0;
  virtual std::uint32_t Style(Wnd window) = 0;    // GetWindowLongA(GWL_STYLE)
  virtual std::uint32_t ExStyle(Wnd window) = 0;  // GetWindowLongA(GWL_EXSTYLE)
  virtual Wnd Parent(Wnd window) = 0;             // GetParent
  virtual Wnd TopChild(Wnd window) = 0;           // GetTopWindow
  virtual Wnd NextSibling(Wnd window) = 0;        // GetWindow(GW_HWNDNEXT)
  virtual bool WindowRect(Wnd window, TRect& rect) = 0;
  virtual bool IsEnabled(Wnd window) = 0;
  virtual bool IsVisible(Wnd window) = 0;
  virtual Wnd ForegroundWindow() = 0;
  virtual bool BringToTop(Wnd window) = 0;        // BringWindowToTop
  // SendMessageTimeoutA, bounded, for a message whose answer is not needed:
  // true when the window has it, or will have it once its busy thread
  // wakes; false when it is hung, gone or refused it.
  virtual bool Send(Wnd window, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam) = 0;
  virtual std::int16_t AsyncKeyState(int virtualKey) = 0;
  // SystemParametersInfoA(SPI_GETWHEELSCROLLCHARS): the columns a notch of
  // the tilt wheel scrolls; 3 where the system does not say.
  virtual std::uint32_t WheelScrollChars() = 0;
  // keybd_event, marked as Vorlix's own input.
  virtual void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) = 0;
  // MapVirtualKeyA(code, 0): the scan code of a virtual key. (Not named
  // after the call: windows.h makes that name a macro.)
  virtual std::uint32_t ScanCodeOf(std::uint32_t code) = 0;
  // IsDBCSLeadByte: a path delimiter byte may be the trail byte of a
  // double-byte character in the ANSI code page.
  virtual bool IsLeadByte(std::uint8_t byte) = 0;
  // GetWindowThreadProcessId: the id of the window's process, 0 for a
  // window that has gone.
  virtual std::uint32_t ProcessIdOf(Wnd window) = 0;
  // OpenProcess(SYNCHRONIZE): while the handle is open the system gives the
  // process's id to no other process. 0 when it cannot be opened.
  virtual ProcessHandle OpenProcessWatch(std::uint32_t processId) = 0;
  // WaitForSingleObject(process, 0): true once the process has ended (or
  // the handle is of no use).
  virtual bool ProcessEnded(ProcessHandle process) = 0;
  virtual void CloseProcessWatch(ProcessHandle process) = 0;  // CloseHandle
};

// The requests that depend on the OS version, the hook mode and the hook
// library; the hook loader carries them out.
class HookRequests {
 public:
  virtual ~HookRequests() = default;

  // Lifts the foreground lock where needed, then SetForegroundWindow.
  virtual bool SetForeground(Wnd window) = 0;
  // The executable of the window's process, copied as strncpy would; the
  // number of bytes copied including the zero, at most size; 0 if not found.
  virtual std::uint32_t GetModuleName(Wnd window, char* buffer, std::uint32_t size) = 0;
  // Moves the keyboard focus inside the window's own thread; returns the
  // window that had it before, or 0.
  virtual Wnd SetFocusEx(Wnd window) = 0;
  // Nonzero when the window has the line request or will have it (as Send).
  virtual std::intptr_t SendVScroll(Wnd window, int code, int position, Wnd scrollBar) = 0;
  // The same with WM_HSCROLL.
  virtual std::intptr_t SendHScroll(Wnd window, int code, int position, Wnd scrollBar) = 0;
  // Whether the low-level hook is to report plain moves (in message mode
  // every move is reported).
  virtual void SetMoveReports(bool report) = 0;
};
