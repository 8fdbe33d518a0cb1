#include "ui/Hotkeyex.h"

#include <commctrl.h>

#include "ui/FrameWindow.h"
#include "ui/HotkeyexCore.h"

static_assert(HOTKEYF_SHIFT == HotKeyFlagShift && HOTKEYF_CONTROL == HotKeyFlagControl &&
              HOTKEYF_ALT == HotKeyFlagAlt && HOTKEYF_EXT == HotKeyFlagExt);
static_assert(VK_BACK == VkBack && VK_TAB == VkTab && VK_RETURN == VkReturn &&
              VK_ESCAPE == VkEscape && VK_SPACE == VkSpace && VK_DELETE == VkDelete);

namespace {

bool IsHeld(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// The virtual key of the scan code in a key message's lParam.
UINT KeyOfScanCode(LPARAM lParam) {
  return MapVirtualKeyA((static_cast<UINT>(lParam) >> 16) & 0xFF, MAPVK_VSC_TO_VK);
}

}  // namespace

THotKeyEx::THotKeyEx(HWND owner, const THotKeyExOptions& options) : Options(options) {
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_HOTKEY_CLASS};
  InitCommonControlsEx(&classes);
  Window = TWindowOwner(CreateWindowExA(
      0, "msctls_hotkey32", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, Options.Left, Options.Top,
      Options.Width, Options.Height, owner,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(Options.Id)), GetModuleHandleA(nullptr),
      nullptr));
  if (!Window) return;
  OriginalProc = Subclass(Handle(), this, BoundProc<THotKeyEx, &THotKeyEx::HandleMessage>);
  SendMessageA(Handle(), HKM_SETRULES, Options.InvalidKeys, MAKELPARAM(Options.Modifiers, 0));
  // The first value is shown, not edited: the owner, still being built, is
  // not told of it.
  CallWindowProcA(OriginalProc, Handle(), HKM_SETHOTKEY,
                  MAKEWORD(Options.HotKey & 0xFF, Options.Modifiers), 0);
}

// The window may already be gone with its parent; the window owner's
// DestroyWindow then fails harmlessly.
THotKeyEx::~THotKeyEx() { Unsubclass(Handle(), OriginalProc); }

std::uint16_t THotKeyEx::GetHotKey() const {
  return KeyStrokeFromHotKey(static_cast<std::uint16_t>(SendMessageA(Handle(), HKM_GETHOTKEY, 0, 0)));
}

// Straight to the control, past the telling of a change: what the owner
// shows is not the user's edit.
void THotKeyEx::SetHotKey(std::uint16_t value) {
  if (OriginalProc != nullptr)
    CallWindowProcA(OriginalProc, Handle(), HKM_SETHOTKEY, HotKeyFromKeyStroke(value), 0);
}

LRESULT THotKeyEx::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case HKM_SETHOTKEY: {
      // The control tells its parent of the keys it takes itself; a value
      // set by message (an intercepted key, another program) changes the
      // field just as much, and is told the same way.
      const LRESULT before = CallWindowProcA(OriginalProc, Handle(), HKM_GETHOTKEY, 0, 0);
      const LRESULT result = CallWindowProcA(OriginalProc, Handle(), message, wParam, lParam);
      if (CallWindowProcA(OriginalProc, Handle(), HKM_GETHOTKEY, 0, 0) != before)
        SendMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(Options.Id, EN_CHANGE),
                     reinterpret_cast<LPARAM>(Handle()));
      return result;
    }
    case WM_GETDLGCODE:
      // IsDialogMessage asks the focused control before it moves the focus
      // on Tab, presses the default button on Enter or cancels on Esc. The
      // answer "every key" makes it hand those keys to the control instead,
      // where they become the key stroke; the field keeps the focus until
      // the user clicks elsewhere.
      return CallWindowProcA(OriginalProc, Handle(), message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (IsInterceptedKey(static_cast<std::uint16_t>(wParam))) {
        const std::uint8_t flags =
            HeldModifierFlags(IsHeld(VK_MENU), IsHeld(VK_SHIFT), IsHeld(VK_CONTROL));
        SendMessageA(Handle(), HKM_SETHOTKEY,
                     InterceptedHotKey(static_cast<std::uint8_t>(wParam), flags), 0);
        return 1;
      }
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      // The characters of those keys (Tab, Enter, Ctrl+Enter's line feed,
      // Alt+Space...) would reach the control as a second key press, which
      // clears it (Wine's control) or opens the window menu (Alt+Space).
      if (IsInterceptedKey(static_cast<std::uint16_t>(KeyOfScanCode(lParam)))) return 0;
      break;
    default:
      break;
  }
  return CallWindowProcA(OriginalProc, Handle(), message, wParam, lParam);
}
