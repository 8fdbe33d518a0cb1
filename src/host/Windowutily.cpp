#include "host/Windowutily.h"

#include <cstring>

namespace {


bool SameTextAscii(const char* a, const char* b) {
  for (; *a && *b; ++a, ++b) {
    char ca = *a, cb = *b;
    if (ca >= 'a' && ca <= 'z') ca = static_cast<char>(ca - 'a' + 'A');
    if (cb >= 'a' && cb <= 'z') cb = static_cast<char>(cb - 'a' + 'A');
    if (ca != cb) return false;
  }
  return *a == *b;
}

bool ClassIs(WindowSystem& ws, Wnd window, const char* name) {
  char className[NameBufferSize] = {};
  ws.ClassName(window, className, NameBufferSize);
  return SameTextAscii(className, name);
}

bool IsTabOrGroupBox(WindowSystem& ws, Wnd window) {
  char className[NameBufferSize] = {};
  ws.ClassName(window, className, NameBufferSize);
  if (SameTextAscii(className, "SysTabControl32")) return true;
  return SameTextAscii(className, "BUTTON") &&
         (ws.Style(window) & ButtonTypeMask) == ButtonGroupBox;
}

bool Skipped(WindowSystem& ws, Wnd window, std::uint32_t flags) {
  const std::uint32_t style = ws.Style(window);
  if ((flags & SkipInvisible) && !(style & StyleVisible)) return true;
  if ((flags & SkipDisabled) && (style & StyleDisabled)) return true;
  if ((flags & SkipTransparent) && (ws.ExStyle(window) & ExStyleTransparent)) return true;
  return false;
}

// A "ScrollBar" control is vertical with SBS_VERT, horizontal without it.
Wnd FindScrollBarChild(WindowSystem& ws, Wnd window, bool vertical) {
  for (Wnd child = ws.TopChild(window); child; child = ws.NextSibling(child)) {
    if (!ClassIs(ws, child, "ScrollBar")) continue;
    const std::uint32_t style = ws.Style(child);
    if (((style & ScrollBarVertical) != 0) == vertical && (style & StyleVisible) &&
        !(style & StyleDisabled))
      return child;
  }
  return 0;
}

}  // namespace

bool FindScrollBar(WindowSystem& ws, Wnd window, bool vertical, Wnd& scrollBar) {
  scrollBar = 0;
  if (ws.Style(window) & (vertical ? StyleVScroll : StyleHScroll)) return true;
  scrollBar = FindScrollBarChild(ws, window, vertical);
  if (scrollBar) return true;
  scrollBar = FindScrollBarChild(ws, ws.Parent(window), vertical);
  return scrollBar != 0;
}

Wnd FindVScrollBarChild(WindowSystem& ws, Wnd window) {
  return FindScrollBarChild(ws, window, true);
}

bool FindVScrollBar(WindowSystem& ws, Wnd window, Wnd& scrollBar) {
  return FindScrollBar(ws, window, true, scrollBar);
}

Wnd GetTopLevelWindow(WindowSystem& ws, Wnd window) {
  while (window && (ws.Style(window) & StyleChild)) window = ws.Parent(window);
  return window;
}

// Written as a loop rather than by recursion: a window with many stacked
// group boxes must not be able to exhaust our stack.
Wnd ChildWindowFromPointDeep(WindowSystem& ws, Wnd window, TPoint client, std::uint32_t flags) {
  for (;;) {
    const Wnd child = ws.ChildWindowFromPointEx(window, client, flags);
    if (!child) return window;
    const TPoint screen = ws.ClientToScreen(window, client);
    if (!IsTabOrGroupBox(ws, child)) return child;

    Wnd below = ws.NextSibling(child);
    for (; below; below = ws.NextSibling(below)) {
      if (Skipped(ws, below, flags)) continue;
      TRect rect;
      if (ws.WindowRect(below, rect) && rect.Contains(screen)) break;
    }
    if (!below) return child;
    window = below;
    client = ws.ScreenToClient(below, screen);
  }
}

void ActivateTarget(WindowSystem& ws, HookRequests& hook, Wnd window) {
  const Wnd top = GetTopLevelWindow(ws, window);
  if (!ws.IsEnabled(top) || !ws.IsVisible(top)) return;
  if (top != ws.ForegroundWindow()) hook.SetForeground(top);
  BringChildFrameToTop(ws, window);
}

void BringChildFrameToTop(WindowSystem& ws, Wnd window) {
  // Climb to the nearest framed child (an MDI child or a child with a
  // caption) and bring it to the top of its siblings.
  for (Wnd w = window; w && (ws.Style(w) & StyleChild); w = ws.Parent(w)) {
    if ((ws.ExStyle(w) & ExStyleMdiChild) || (ws.Style(w) & StyleCaption) == StyleCaption) {
      if (ws.IsEnabled(w) && ws.IsVisible(w)) ws.BringToTop(w);
      return;
    }
  }
}

bool IsWindowChainUsable(WindowSystem& ws, Wnd window) {
  for (Wnd w = window; w; w = ws.Parent(w)) {
    if (!ws.IsEnabled(w) || !ws.IsVisible(w)) return false;
    if (!(ws.Style(w) & StyleChild)) return true;
  }
  return true;
}
