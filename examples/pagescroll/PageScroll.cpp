// PageScroll.vxp: a Vorlix plug-in with four actions for the window under the
// cursor: a page up or down, and a line left or right. A turn of several
// notches does as many steps, a button press one. It needs nothing but the
// plug-in header of the SDK (sdk/VorlixPlugin.h).
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "VorlixPlugin.h"

namespace {

struct TScrollAction {
  const char* Caption;
  UINT Message;       // WM_VSCROLL or WM_HSCROLL
  DWORD ScrollStyle;  // the scroll bar that message moves
  WORD Code;
};

constexpr TScrollAction Actions[] = {
    {"Page Up", WM_VSCROLL, WS_VSCROLL, SB_PAGEUP},
    {"Page Down", WM_VSCROLL, WS_VSCROLL, SB_PAGEDOWN},
    {"Scroll Left", WM_HSCROLL, WS_HSCROLL, SB_LINELEFT},
    {"Scroll Right", WM_HSCROLL, WS_HSCROLL, SB_LINERIGHT},
};
constexpr std::int32_t ActionCount = sizeof Actions / sizeof Actions[0];

// The window under the cursor is often a child of the one that scrolls (a
// view inside a frame): the nearest window, going up through parents, that
// has the scroll bar; the window itself when none has.
HWND ScrollingWindow(HWND window, DWORD scrollStyle) {
  for (HWND current = window; current != nullptr; current = GetParent(current)) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(current, GWL_STYLE));
    if ((style & scrollStyle) != 0) return current;
    // Above a top-level window GetParent gives its owner, which does not
    // contain it.
    if ((style & WS_CHILD) == 0) break;
  }
  return window;
}

}  // namespace

extern "C" std::int32_t WINAPI GetCount() { return ActionCount; }

extern "C" std::int32_t WINAPI GetCaption(std::int32_t number, char* buffer, std::int32_t size) {
  if (number < 0 || number >= ActionCount || buffer == nullptr || size <= 0) return 0;
  const std::size_t length = std::strlen(Actions[number].Caption);
  const std::size_t written = length < static_cast<std::size_t>(size) ? length : size;
  std::memcpy(buffer, Actions[number].Caption, written);
  return static_cast<std::int32_t>(written);
}

// Posted, not sent: the program waits for nothing, so a window whose thread
// hangs cannot hang the program. Every step ends with SB_ENDSCROLL, as a
// scroll bar sends it when the user lets go of it.
extern "C" std::int32_t WINAPI Action(std::int32_t number, TActionParam* param) {
  if (number < 0 || number >= ActionCount || param == nullptr) return 0;
  const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(param->Window));
  if (!IsWindow(window)) return 0;
  const TScrollAction& action = Actions[number];
  const HWND target = ScrollingWindow(window, action.ScrollStyle);
  const int steps = param->Notches == 0 ? 1 : std::abs(param->Notches);
  for (int step = 0; step < steps; ++step) {
    PostMessageA(target, action.Message, MAKEWPARAM(action.Code, 0), 0);
    PostMessageA(target, action.Message, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
  }
  return steps;
}
