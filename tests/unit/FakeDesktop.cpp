#include "FakeDesktop.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

Wnd FakeDesktop::Add(FakeWindow window) {
  const Wnd handle = NextHandle;
  NextHandle += 4;
  if (window.ModulePath.empty() && window.Parent)
    window.ModulePath = Windows.at(window.Parent).ModulePath;
  if (window.ProcessId == 0 && window.Parent) window.ProcessId = Windows.at(window.Parent).ProcessId;
  auto& siblings = SiblingsOf(window.Parent);
  ZIndex[handle] = siblings.size();
  siblings.push_back(handle);
  Windows.emplace(handle, std::move(window));
  return handle;
}

Wnd FakeDesktop::AddChild(Wnd parent, const std::string& className, TRect clientRect,
                          std::uint32_t style) {
  const TRect origin = Windows.at(parent).Rect;
  FakeWindow w;
  w.ClassName = className;
  w.Rect = {origin.Left + clientRect.Left, origin.Top + clientRect.Top,
            origin.Left + clientRect.Right, origin.Top + clientRect.Bottom};
  w.Style = style;
  w.Parent = parent;
  return Add(w);
}

void FakeDesktop::Remove(Wnd window) {
  const FakeWindow* w = Find(window);
  if (!w) return;
  auto& siblings = SiblingsOf(w->Parent);
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(ZIndex.at(window)));
  for (std::size_t i = 0; i < siblings.size(); ++i) ZIndex[siblings[i]] = i;
  ZIndex.erase(window);
  const std::vector<Wnd> children = Children[window];
  for (Wnd child : children) Remove(child);
  Children.erase(window);
  Windows.erase(window);
}

void FakeDesktop::EndProcess(std::uint32_t processId) {
  ++EndedProcesses[processId];
  std::vector<Wnd> owned;
  for (Wnd top : TopLevel)
    if (Windows.at(top).ProcessId == processId) owned.push_back(top);
  for (Wnd top : owned) Remove(top);
}

const FakeWindow* FakeDesktop::Find(Wnd window) const {
  const auto it = Windows.find(window);
  return it == Windows.end() ? nullptr : &it->second;
}

TPoint FakeDesktop::CursorPos() {
  ++Calls;
  return Cursor;
}

Wnd FakeDesktop::DeepestAt(Wnd window, TPoint screen) {
  const auto it = Children.find(window);
  if (it == Children.end()) return window;
  for (Wnd child : it->second) {
    const FakeWindow& w = Windows.at(child);
    if ((w.Style & StyleVisible) && !(w.Style & StyleDisabled) && w.Rect.Contains(screen))
      return DeepestAt(child, screen);
  }
  return window;
}

Wnd FakeDesktop::WindowFromPoint(TPoint screen) {
  ++Calls;
  for (Wnd top : TopLevel) {
    const FakeWindow& w = Windows.at(top);
    if ((w.Style & StyleVisible) && w.Rect.Contains(screen)) return DeepestAt(top, screen);
  }
  return 0;
}

Wnd FakeDesktop::ChildWindowFromPointEx(Wnd parent, TPoint client, std::uint32_t flags) {
  ++Calls;
  const FakeWindow* p = Find(parent);
  if (!p) return 0;
  const TPoint screen{client.X + p->Rect.Left, client.Y + p->Rect.Top};
  if (!p->Rect.Contains(screen)) return 0;
  for (Wnd child : Children[parent]) {
    const FakeWindow& w = Windows.at(child);
    if ((flags & SkipInvisible) && !(w.Style & StyleVisible)) continue;
    if ((flags & SkipDisabled) && (w.Style & StyleDisabled)) continue;
    if ((flags & SkipTransparent) && (w.ExStyle & ExStyleTransparent)) continue;
    if (w.Rect.Contains(screen)) return child;
  }
  return parent;
}

TPoint FakeDesktop::ScreenToClient(Wnd window, TPoint screen) {
  ++Calls;
  const FakeWindow* w = Find(window);
  return w ? TPoint{screen.X - w->Rect.Left, screen.Y - w->Rect.Top} : screen;
}

TPoint FakeDesktop::ClientToScreen(Wnd window, TPoint client) {
  ++Calls;
  const FakeWindow* w = Find(window);
  return w ? TPoint{client.X + w->Rect.Left, client.Y + w->Rect.Top} : client;
}

int FakeDesktop::ClassName(Wnd window, char* buffer, int size) {
  ++Calls;
  const FakeWindow* w = Find(window);
  if (!w || size <= 0) return 0;
  const int count = std::min<int>(static_cast<int>(w->ClassName.size()), size - 1);
  std::memcpy(buffer, w->ClassName.data(), count);
  buffer[count] = '\0';
  return count;
}

std::uint32_t FakeDesktop::Style(Wnd window) {
  ++Calls;
  const FakeWindow* w = Find(window);
  return w ? w->Style : 0;
}

std::uint32_t FakeDesktop::ExStyle(Wnd window) {
  ++Calls;
  const FakeWindow* w = Find(window);
  return w ? w->ExStyle : 0;
}

Wnd FakeDesktop::Parent(Wnd window) {
  ++Calls;
  const FakeWindow* w = Find(window);
  return w ? w->Parent : 0;
}

Wnd FakeDesktop::TopChild(Wnd window) {
  ++Calls;
  if (window && !Find(window)) return 0;
  const auto& list = SiblingsOf(window);
  return list.empty() ? 0 : list.front();
}

Wnd FakeDesktop::NextSibling(Wnd window) {
  ++Calls;
  const FakeWindow* w = Find(window);
  if (!w) return 0;
  const auto& list = SiblingsOf(w->Parent);
  const std::size_t next = ZIndex.at(window) + 1;
  return next < list.size() ? list[next] : 0;
}

bool FakeDesktop::WindowRect(Wnd window, TRect& rect) {
  ++Calls;
  const FakeWindow* w = Find(window);
  if (!w) return false;
  rect = w->Rect;
  return true;
}

bool FakeDesktop::IsEnabled(Wnd window) {
  ++Calls;
  const FakeWindow* w = Find(window);
  return w && !(w->Style & StyleDisabled);
}

bool FakeDesktop::IsVisible(Wnd window) {
  ++Calls;
  // As IsWindowVisible: the window and all its ancestors are visible.
  for (const FakeWindow* w = Find(window); w; w = Find(w->Parent)) {
    if (!(w->Style & StyleVisible)) return false;
    if (!w->Parent) return true;
  }
  return false;
}

Wnd FakeDesktop::ForegroundWindow() {
  ++Calls;
  return Foreground;
}

bool FakeDesktop::BringToTop(Wnd window) {
  ++Calls;
  Log.push_back("BringToTop " + std::to_string(window));
  return Find(window) != nullptr;
}

bool FakeDesktop::Send(Wnd window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) {
  ++Calls;
  Log.push_back("Send " + std::to_string(window) + " " + std::to_string(message) + " " +
                std::to_string(wParam) + " " + std::to_string(lParam));
  const FakeWindow* target = Find(window);
  return target != nullptr && !target->Hung;
}

std::int16_t FakeDesktop::AsyncKeyState(int virtualKey) {
  ++Calls;
  KeyQueries.push_back(virtualKey);
  return KeysHeld.count(virtualKey) ? static_cast<std::int16_t>(-0x8000) : 0;
}

void FakeDesktop::KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) {
  ++Calls;
  Log.push_back("key " + std::to_string(virtualKey) + " " + std::to_string(scanCode) +
                ((flags & KeyEventKeyUp) ? " up" : " down"));
}

std::uint32_t FakeDesktop::ScanCodeOf(std::uint32_t code) {
  ++Calls;
  return code + 1;
}

bool FakeDesktop::IsLeadByte(std::uint8_t byte) {
  return DoubleByteCodePage && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

std::uint32_t FakeDesktop::ProcessIdOf(Wnd window) {
  ++Calls;
  const FakeWindow* w = Find(window);
  return w ? w->ProcessId : 0;
}

ProcessHandle FakeDesktop::OpenProcessWatch(std::uint32_t processId) {
  ++Calls;
  const bool running = std::any_of(Windows.begin(), Windows.end(), [&](const auto& w) {
    return w.second.ProcessId == processId;
  });
  if (processId == 0 || !running) return 0;
  ++OpenWatches;
  Watches.push_back({processId, EndedProcesses[processId], true});
  return Watches.size();
}

bool FakeDesktop::ProcessEnded(ProcessHandle process) {
  ++Calls;
  const TWatch& watch = Watches.at(process - 1);
  return EndedProcesses[watch.ProcessId] != watch.Ended;
}

void FakeDesktop::CloseProcessWatch(ProcessHandle process) {
  ++Calls;
  // A handle never opened, or closed twice, fails the test that closes it.
  TWatch& watch = Watches.at(process - 1);
  if (!watch.Open) throw std::logic_error("process watch closed twice");
  watch.Open = false;
  --OpenWatches;
}

bool FakeDesktop::SetForeground(Wnd window) {
  ++Calls;
  Log.push_back("SetForeground " + std::to_string(window));
  if (!Find(window)) return false;
  Foreground = window;
  return true;
}

std::uint32_t FakeDesktop::GetModuleName(Wnd window, char* buffer, std::uint32_t size) {
  ++Calls;
  ++ModuleNameRequests;
  const FakeWindow* w = Find(window);
  if (!w || w->ModulePath.empty()) return 0;
  const std::uint32_t count =
      std::min<std::uint32_t>(size, static_cast<std::uint32_t>(w->ModulePath.size()) + 1);
  std::strncpy(buffer, w->ModulePath.c_str(), size);
  return count;
}

Wnd FakeDesktop::SetFocusEx(Wnd window) {
  ++Calls;
  Log.push_back("SetFocusEx " + std::to_string(window));
  const Wnd previous = Focus;
  if (Find(window)) Focus = window;
  return previous;
}

std::intptr_t FakeDesktop::SendVScroll(Wnd window, int code, int position, Wnd scrollBar) {
  return Scroll("VScroll ", window, code, position, scrollBar);
}

std::intptr_t FakeDesktop::SendHScroll(Wnd window, int code, int position, Wnd scrollBar) {
  return Scroll("HScroll ", window, code, position, scrollBar);
}

std::intptr_t FakeDesktop::Scroll(const char* bar, Wnd window, int code, int position,
                                  Wnd scrollBar) {
  ++Calls;
  Log.push_back(bar + std::to_string(window) + " " + std::to_string(code) + " " +
                std::to_string(position) + " " + std::to_string(scrollBar));
  const FakeWindow* target = Find(window);
  return target != nullptr && !target->Hung ? 1 : 0;
}
