// A desktop the tests control: a window tree with rectangles, styles and
// owning processes, the cursor, the key state, the foreground and focus. It
// stands behind both seams and records every action taken on it, in order.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

struct FakeWindow {
  std::string ClassName;
  TRect Rect;  // screen coordinates; the client area is the whole rectangle
  std::uint32_t Style = StyleVisible;
  std::uint32_t ExStyle = 0;
  Wnd Parent = 0;
  // What a module-name request reports (empty: not found); children inherit it.
  std::string ModulePath;
  // 0: a process the desktop gives no id (module names are then asked for
  // on every request); children inherit it.
  std::uint32_t ProcessId = 0;
  // Sends to it fail, as the system's do to a hung window.
  bool Hung = false;
};

class FakeDesktop : public WindowSystem, public HookRequests {
 public:
  // Adds a window below its existing siblings in Z order; returns its handle.
  Wnd Add(FakeWindow window);
  // Shorthands for a child of the given style, in the parent's coordinates.
  Wnd AddChild(Wnd parent, const std::string& className, TRect clientRect,
               std::uint32_t style = StyleVisible | StyleChild);
  void Remove(Wnd window);  // the window and its children vanish
  FakeWindow& Window(Wnd window) { return Windows.at(window); }
  // The process's windows vanish and the watches on it report it ended.
  // Its id is free for a new process at once: unlike the system, the fake
  // does not hold an id back while a watch is open.
  void EndProcess(std::uint32_t processId);

  TPoint Cursor;
  std::set<int> KeysHeld;
  Wnd Foreground = 0;
  std::uint32_t ScrollChars = 3;
  Wnd Focus = 0;
  // Bytes 0x81-0x9F and 0xE0-0xFC lead double-byte characters, as in CP932.
  bool DoubleByteCodePage = true;

  std::vector<std::string> Log;       // actions, in order
  std::vector<int> KeyQueries;        // virtual keys asked for, in order
  int Calls = 0;                      // every call through either seam
  int ModuleNameRequests = 0;
  int OpenWatches = 0;                // opened and not yet closed

  // WindowSystem
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
  // Logged as "Send ..."; false for a window that has gone or hangs.
  bool Send(Wnd window, std::uint32_t message, std::uintptr_t wParam,
            std::intptr_t lParam) override;
  std::int16_t AsyncKeyState(int virtualKey) override;
  std::uint32_t WheelScrollChars() override { return ScrollChars; }
  // Logged as "key VK SCAN down" or "key VK SCAN up"; a key's scan code is
  // its virtual-key code plus one here, so that tests can tell them apart.
  void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
  std::uint32_t ScanCodeOf(std::uint32_t code) override;
  bool IsLeadByte(std::uint8_t byte) override;
  std::uint32_t ProcessIdOf(Wnd window) override;
  ProcessHandle OpenProcessWatch(std::uint32_t processId) override;
  bool ProcessEnded(ProcessHandle process) override;
  void CloseProcessWatch(ProcessHandle process) override;

  // HookRequests
  bool SetForeground(Wnd window) override;
  std::uint32_t GetModuleName(Wnd window, char* buffer, std::uint32_t size) override;
  Wnd SetFocusEx(Wnd window) override;
  // Logged as "VScroll ..." and "HScroll ..."; 0 for a window that has
  // gone or hangs.
  std::intptr_t SendVScroll(Wnd window, int code, int position, Wnd scrollBar) override;
  std::intptr_t SendHScroll(Wnd window, int code, int position, Wnd scrollBar) override;
  // Logged as "MoveReports 0" or "MoveReports 1".
  void SetMoveReports(bool report) override {
    Log.push_back("MoveReports " + std::to_string(report ? 1 : 0));
  }

 private:
  const FakeWindow* Find(Wnd window) const;
  std::vector<Wnd>& SiblingsOf(Wnd parent) { return parent ? Children[parent] : TopLevel; }
  Wnd DeepestAt(Wnd window, TPoint screen);
  std::intptr_t Scroll(const char* bar, Wnd window, int code, int position, Wnd scrollBar);

  std::map<Wnd, FakeWindow> Windows;
  std::map<Wnd, std::vector<Wnd>> Children;  // Z order, top first
  std::map<Wnd, std::size_t> ZIndex;         // place among its siblings
  std::vector<Wnd> TopLevel;
  std::map<std::uint32_t, std::uint32_t> EndedProcesses;  // by id: how many ended
  struct TWatch {
    std::uint32_t ProcessId;
    std::uint32_t Ended;  // EndedProcesses of the id when it was opened
    bool Open;
  };
  std::vector<TWatch> Watches;  // by handle - 1
  Wnd NextHandle = 0x100;
};
