// The platform seam on the real desktop: each operation is one ANSI Win32
// call. Calls on windows that have gone fail the way the API fails (null, 0,
// false), which the algorithms above the seam are written for.
#pragma once

#include "platform/WindowSystem.h"

class TWin32WindowSystem : public WindowSystem {
 public:
  TPoint CursorPos() override;
  Wnd WindowFromPoint(TPoint screen) override;
  Wnd ChildWindowFromPointEx(Wnd parent, TPoint client, std::uint32_t flags) override;
  TPoint ScreenToClient(Wnd window, TPoint screen) override;
  TPoint ClientToScreen(Wnd window, TPoint client) override;
  int ClassName(Wnd window, char* buffer, int size) override;
  std::uint32_t Style(Wnd window) override;
  std::uint32_t ExStyle(Wnd window) override;
  Wnd Parent(Wnd window) override;
  Wnd TopChild(Wnd window) override;
  Wnd NextSibling(Wnd window) override;
  bool WindowRect(Wnd window, TRect& rect) override;
  bool IsEnabled(Wnd window) override;
  bool IsVisible(Wnd window) override;
  Wnd ForegroundWindow() override;
  bool BringToTop(Wnd window) override;
  bool Send(Wnd window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
  std::int16_t AsyncKeyState(int virtualKey) override;
  std::uint32_t WheelScrollChars() override;
  void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
  std::uint32_t ScanCodeOf(std::uint32_t code) override;
  bool IsLeadByte(std::uint8_t byte) override;
  std::uint32_t ProcessIdOf(Wnd window) override;
  ProcessHandle OpenProcessWatch(std::uint32_t processId) override;
  bool ProcessEnded(ProcessHandle process) override;
  void CloseProcessWatch(ProcessHandle process) override;
};
