#include "dispatch/WheelDispatcher.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "dispatch/KeyOperationExecutor.h"
#include "host/Windowutily.h"
#include "platform/AnsiText.h"
#include "settings/Vorlixsetting.h"

namespace {

constexpr int WheelDeltaUnit = 120;
// The dialog offers up to 9 lines a notch; a fast wheel reports a few
// notches in one event.
constexpr std::int64_t MaxLinesPerEvent = 200;

// The window under the cursor: skip invisible and transparent children, not
// disabled ones (a disabled control still swallows the turn).
constexpr std::uint32_t CursorWndFlags = SkipInvisible | SkipTransparent;

// The fields of a class's rule that decide a turn, copied: whatever the
// turn sets off (a nested notification, a dialog that saves) must not change
// the rules it is decided by, and the whole rule would copy its names.
struct TTurnRule {
  explicit TTurnRule(const TWindowSetting& rule)
      : Ignore(rule.Ignore),
        NonActiveScrollIdent(rule.NonActiveScrollIdent),
        SetFocus(rule.SetFocus),
        SetFocusWithCursor(rule.SetFocusWithCursor),
        ScrollMsgOnly(rule.SendScrollMsgOnly()),
        WheelMsgOnly(rule.SendWheelMsgOnly()),
        ScrollLines(rule.ScrollLines) {}
  bool Ignore, NonActiveScrollIdent, SetFocus, SetFocusWithCursor, ScrollMsgOnly, WheelMsgOnly;
  std::int32_t ScrollLines;
};

const TWindowSetting DefaultRule;

}  // namespace

MainWindowAction ClassifyMainWindowMessage(std::uint32_t message, std::uintptr_t wParam,
                                           std::uint32_t notifyMessage) {
  // Until the hooks are loaded the number is 0, which is WM_NULL, not ours.
  if (notifyMessage != 0 && message == notifyMessage) return MainWindowAction::RouteNotification;
  if (message == WmSysCommand) {
    const std::uintptr_t command = wParam & 0xFFF0;
    if (command == ScClose || command == ScMinimize) return MainWindowAction::Hide;
  }
  return MainWindowAction::Default;
}

TWheelDispatcher::TWheelDispatcher(WindowSystem& windows, HookRequests& hook,
                                   TVorlixSetting& setting, KeyOperations* executor,
                                   CaptureDialog* dialog)
    : Executor(executor), Dialog(dialog), Windows(windows), Hook(hook), Setting(setting),
      Names(windows, hook) {}

bool TWheelDispatcher::AltCtrlShiftHeld() {
  // In this order, stopping at the first key that is not held.
  for (int key : {VkMenu, VkControl, VkShift})
    if (!(static_cast<std::uint16_t>(Windows.AsyncKeyState(key)) & AsyncKeyDown)) return false;
  return true;
}

// Read from the live settings on every call, so that a change counts from
// the next notification on.
bool TWheelDispatcher::MayActWithoutTurn(std::uint16_t keyState) {
  return Setting.WindowSettings.AnyFocusFollowsCursor() ||
         (Executor && Executor->MayActWithoutTurn(Setting.ExeSettings, keyState));
}

// A move's key state has no button in it (a press is reported by itself),
// so what could act on one is what could act on a move with no key held.
void TWheelDispatcher::RulesChanged() { Hook.SetMoveReports(!Paused && MayActWithoutTurn(0)); }

std::intptr_t TWheelDispatcher::RouteWheelNotification(std::uintptr_t wParam,
                                                       std::intptr_t lParam) {
  if (Paused) return 0;
  const TWheelNotification n = TWheelNotification::Read(wParam, lParam);
  // Every mouse move of the desktop comes here while its thread waits. A
  // move or press is answered 0 and left alone unless a rule could act on
  // it; where none could, the window under the cursor and its names would
  // change nothing.
  if (n.WheelDelta == 0 && !MayActWithoutTurn(n.KeyState)) return 0;

  const TPoint cursor = Windows.CursorPos();
  const Wnd atPoint = Windows.WindowFromPoint(cursor);
  const Wnd cursorWnd = ChildWindowFromPointDeep(
      Windows, atPoint, Windows.ScreenToClient(atPoint, cursor), CursorWndFlags);

  if (Dialog && n.WheelDelta != 0 && AltCtrlShiftHeld()) {
    Dialog->ActivateCapturePage();
    Dialog->ShowSettingDialog();
    return Dialog->CaptureWindow(n.TargetWnd, cursorWnd, cursor, n.KeyState, n.WheelDelta) ? 1 : 0;
  }
  if (Dialog && Dialog->Visible()) {
    if (n.WheelDelta == 0) return 0;
    return Dialog->CaptureWindow(n.TargetWnd, cursorWnd, cursor, n.KeyState, n.WheelDelta) ? 1 : 0;
  }
  return DispatchWheel(n.TargetWnd, cursorWnd, n.WheelDelta, n.KeyState, cursor) ? 1 : 0;
}

bool TWheelDispatcher::DispatchWheel(Wnd targetWnd, Wnd cursorWnd, std::int16_t wheelDelta,
                                     std::uint16_t keyState, TPoint cursor) {
  char className[NameBufferSize];
  char moduleName[NameBufferSize];
  Names.ClassNameInto(cursorWnd, className);
  Names.ModuleNameInto(cursorWnd, moduleName);

  // Copies: whatever this notification sets off (a nested notification, a
  // dialog that saves) must not change the rules it is deciding by.
  const TGeneralSetting general = Setting.GeneralSetting;
  const TWindowSetting* rule = Setting.WindowSettings.FindEntry(className, moduleName);
  const TTurnRule window(rule != nullptr ? *rule : DefaultRule);
  const TExeSetting* exe = Setting.ExeSettings.FindEntry(moduleName);

  if ((exe != nullptr && exe->Ignore) || window.Ignore) return false;

  // The tilt wheel has no key slots of its own: its turns are scrolled.
  const bool horizontal = (keyState & KeyStateHorizontal) != 0;

  // A key operation comes before every other rule.
  if (Executor && !horizontal && exe != nullptr) {
    char upperCased[NameBufferSize];
    std::memcpy(upperCased, className, NameBufferSize);
    AnsiUpperCase(upperCased, std::strlen(upperCased));
    const TKeySetting& live = exe->FindKeySettingOfUpperCased(upperCased);
    if (live.EnableKeySetting) {
      // Copied where an operation is to run: running it may change the
      // settings (a nested notification, a dialog that saves).
      const int event = KeyEventOf(keyState, wheelDelta);
      const bool runs = event != NoKeyEvent && live.Operations[static_cast<std::size_t>(event)]
                                                       .OperationType != TKeyOperation::None;
      const std::optional<TKeySetting> copy = runs ? std::optional<TKeySetting>(live) : std::nullopt;
      if (Executor->ExecuteKeyOperation(cursorWnd, copy ? *copy : live, cursor, keyState, wheelDelta))
        return true;
    }
  }

  if (wheelDelta == 0) {
    // A move or a button press: only the focus may follow the cursor.
    if (window.SetFocus && window.SetFocusWithCursor) {
      const Wnd top = GetTopLevelWindow(Windows, cursorWnd);
      if (Windows.IsEnabled(top) && Windows.IsVisible(top)) {
        BringChildFrameToTop(cursorWnd);
        Hook.SetFocusEx(cursorWnd);
      }
    }
    return false;
  }

  switch (keyState & (KeyStateShift | KeyStateControl)) {
    case KeyStateControl:
      if (general.CtrlWheelIgnore) return false;
      ActivateTarget(cursorWnd);
      break;
    case KeyStateShift:
      if (general.ShiftWheelIgnore) return false;
      ActivateTarget(cursorWnd);
      break;
    case KeyStateShift | KeyStateControl:
      // With CtrlShiftWheelNonActiveScroll set, Ctrl+Shift inverts the
      // class's choice; with it clear, Ctrl+Shift is a plain turn.
      if (general.CtrlShiftWheelNonActiveScroll == window.NonActiveScrollIdent)
        ActivateTarget(cursorWnd);
      break;
    default:
      if (!window.NonActiveScrollIdent) ActivateTarget(cursorWnd);
      break;
  }

  if (window.SetFocus) Hook.SetFocusEx(cursorWnd);

  // Over a disabled window, or one behind a modal dialog, the turn goes
  // nowhere: not to the window, and not to the focus window either. Over
  // one that has gone meanwhile, it is the system's to deliver.
  if (!IsWindowChainUsable(cursorWnd)) {
    char stillThere[2] = {};
    return Windows.ClassName(cursorWnd, stillThere, sizeof stillThere) != 0;
  }

  // The tilt wheel scrolls the columns the system gives a notch (cut like a
  // line count, so that any value fits); the line counts of the settings
  // are rows.
  const std::int32_t lines =
      horizontal ? static_cast<std::int32_t>(std::min<std::uint32_t>(Windows.WheelScrollChars(),
                                                                     MaxLinesPerEvent))
      : window.ScrollLines != 0 ? window.ScrollLines
                                : general.ScrollLines;
  if (window.ScrollMsgOnly || (!window.WheelMsgOnly && general.SendScrollMsgOnly))
    return SendScrollLines(cursorWnd, 0, horizontal, wheelDelta, lines);
  if (!window.WheelMsgOnly) {
    Wnd scrollBar = 0;
    if (FindScrollBar(Windows, cursorWnd, !horizontal, scrollBar)) {
      // A scroll-bar control is served by its parent, told by lParam.
      return SendScrollLines(scrollBar ? Windows.Parent(scrollBar) : cursorWnd, scrollBar,
                             horizontal, wheelDelta, lines);
    }
  }

  if (cursorWnd == targetWnd) return false;  // the wheel message is on its way there already
  const TWheelNotification message{static_cast<std::uint16_t>(keyState & ~KeyStateHorizontal),
                                   wheelDelta, 0};
  const std::uint32_t lParam = (static_cast<std::uint32_t>(cursor.Y & 0xFFFF) << 16) |
                               static_cast<std::uint32_t>(cursor.X & 0xFFFF);
  // A window that cannot get it (hung, gone, closed to this program) leaves
  // the turn to the system.
  return Windows.Send(cursorWnd, horizontal ? WmMouseHWheel : WmMouseWheel, message.WParam(),
                      static_cast<std::int32_t>(lParam));
}

// High-resolution wheels and touchpads report pieces of a notch (a delta of
// 40, or 15). Each line is scrolled once its share of a notch (120 / lines)
// has come in; what does not make a line yet is kept for the next turn in
// the same direction over the same window, so that any run of turns scrolls
// what whole notches of the same total would. What is kept is less than one
// line, so no pause needs to start afresh; another window or direction does.
// The turn is consumed when lines were scrolled or something is kept; a line
// count of 0 or less, or a window that cannot take the lines (hung, gone,
// closed to this program), leaves the turn to the system. The tilt wheel's
// columns are counted the same way, apart from the vertical wheel's rows.
bool TWheelDispatcher::SendScrollLines(Wnd window, Wnd scrollBar, bool horizontal,
                                       std::int16_t wheelDelta, std::int32_t lines) {
  // Down and right are the forward codes, SB_LINEDOWN and SB_LINERIGHT (1);
  // a vertical turn down and a tilt to the right have opposite signs.
  const bool forward = horizontal ? wheelDelta > 0 : wheelDelta < 0;
  if (lines <= 0) {
    Remainder = {};
    return false;
  }
  if (Remainder.Window != window || Remainder.ScrollBar != scrollBar ||
      Remainder.Horizontal != horizontal || Remainder.Forward != forward)
    Remainder = {window, scrollBar, horizontal, forward, 0};
  // 64 bits: a large line count from a hand-edited setting must not
  // overflow; and each line is two messages the target thread (and, in
  // message mode, the application waiting for this decision) must get
  // through, so a count far past any useful scroll is cut.
  const std::int64_t units = Remainder.Units + static_cast<std::int64_t>(std::abs(wheelDelta)) * lines;
  Remainder.Units = units % WheelDeltaUnit;
  const std::int64_t count = std::min(units / WheelDeltaUnit, MaxLinesPerEvent);
  const int code = forward ? SbLineForward : SbLineBack;
  const auto send = horizontal ? &HookRequests::SendHScroll : &HookRequests::SendVScroll;
  for (std::int64_t i = 0; i < count; ++i) {
    if ((Hook.*send)(window, code, 0, scrollBar) == 0) {
      Remainder = {};
      return i > 0;
    }
    (Hook.*send)(window, SbEndScroll, 0, scrollBar);
  }
  return true;
}

std::string TWheelDispatcher::GetTargetClassName(Wnd window) { return Names.ClassName(window); }

std::string TWheelDispatcher::GetTargetModuleName(Wnd window) { return Names.ModuleName(window); }

void TWheelDispatcher::ActivateTarget(Wnd window) { ::ActivateTarget(Windows, Hook, window); }

void TWheelDispatcher::BringChildFrameToTop(Wnd window) { ::BringChildFrameToTop(Windows, window); }

bool TWheelDispatcher::IsWindowChainUsable(Wnd window) {
  return ::IsWindowChainUsable(Windows, window);
}
