#include "dispatch/KeyOperationExecutor.h"

#include <iterator>

#include "host/Windowutily.h"
#include "settings/Exesetting.h"

namespace {

constexpr std::uint16_t ButtonAndModifierBits = KeyStateLeft | KeyStateRight | KeyStateShift |
                                                KeyStateControl | KeyStateMiddle | KeyStateX1 |
                                                KeyStateX2;
constexpr std::uint16_t ExtraButtonBits = KeyStateMiddle | KeyStateX1 | KeyStateX2;
constexpr int WheelDeltaUnit = 120;

bool Held(WindowSystem& windows, int virtualKey) {
  return (static_cast<std::uint16_t>(windows.AsyncKeyState(virtualKey)) & AsyncKeyDown) != 0;
}

}  // namespace

int KeyEventOf(std::uint16_t keyState, std::int16_t wheelDelta) {
  if (wheelDelta == 0) {
    switch (keyState & ExtraButtonBits) {
      case KeyStateMiddle: return KeyEventMiddleButtonDown;
      case KeyStateX1: return KeyEventX1ButtonDown;
      case KeyStateX2: return KeyEventX2ButtonDown;
      default: return NoKeyEvent;
    }
  }
  int up = NoKeyEvent;
  switch (keyState & ButtonAndModifierBits) {
    case 0: up = KeyEventUp; break;
    case KeyStateLeft: up = KeyEventLeftUp; break;
    case KeyStateRight: up = KeyEventRightUp; break;
    case KeyStateMiddle: up = KeyEventMiddleUp; break;
    case KeyStateX1: up = KeyEventX1Up; break;
    case KeyStateX2: up = KeyEventX2Up; break;
    case KeyStateControl: up = KeyEventCtrlUp; break;
    case KeyStateShift: up = KeyEventShiftUp; break;
    default: return NoKeyEvent;
  }
  // Each Down slot follows its Up slot.
  return wheelDelta > 0 ? up : up + 1;
}

TKeyOperationExecutor::TKeyOperationExecutor(WindowSystem& windows, HookRequests& hook,
                                             TPlugins* plugins)
    : Windows(windows), Hook(hook), Plugins(plugins) {}

bool TKeyOperationExecutor::ExecuteKeyOperation(Wnd cursorWnd, const TKeySetting& keySetting,
                                                TPoint cursor, std::uint16_t keyState,
                                                std::int16_t wheelDelta) {
  const Wnd top = GetTopLevelWindow(Windows, cursorWnd);
  if (!Windows.IsEnabled(top) || !Windows.IsVisible(top) || !Windows.IsEnabled(cursorWnd) ||
      !Windows.IsVisible(cursorWnd))
    return false;
  const int event = KeyEventOf(keyState, wheelDelta);
  if (event == NoKeyEvent) return false;
  const TKeyOperation& operation = keySetting.Operations[static_cast<std::size_t>(event)];
  if (operation.OperationType == TKeyOperation::None) return false;

  // Activated whatever the class says about scrolling inactive windows: a
  // key stroke goes to the foreground.
  ActivateTarget(Windows, Hook, cursorWnd);
  const Wnd previous = Hook.SetFocusEx(cursorWnd);
  if (operation.OperationType == TKeyOperation::Key) {
    SendKeyStroke(operation.KeyStroke);
  } else {
    TActionParam param{cursor.X, cursor.Y, keyState,
                       static_cast<std::int16_t>(wheelDelta / WheelDeltaUnit), cursorWnd};
    RunPluginAction(operation.ActionName, &param);
  }
  if (previous != 0) Hook.SetFocusEx(previous);
  // Consumed even when no plug-in offers the action.
  return true;
}

bool TKeyOperationExecutor::MayActWithoutTurn(const TExeSettings& exeSettings,
                                              std::uint16_t keyState) {
  const int event = KeyEventOf(keyState, 0);
  return event != NoKeyEvent && exeSettings.AnyOperationFor(event);
}

void TKeyOperationExecutor::Key(std::uint8_t virtualKey, bool up) {
  Windows.KeybdEvent(virtualKey, static_cast<std::uint8_t>(Windows.ScanCodeOf(virtualKey)),
                     up ? KeyEventKeyUp : 0);
}

void TKeyOperationExecutor::SendKeyStroke(std::uint16_t keyStroke) {
  // Let go in this order and pressed again in the opposite one.
  struct TModifier {
    std::uint8_t Key;
    bool Held;    // by the user
    bool Wanted;  // by the stroke
  };
  const TModifier modifiers[] = {
      {VkShift, Held(Windows, VkShift), (keyStroke & KeyStrokeShift) != 0},
      {VkControl, Held(Windows, VkControl), (keyStroke & KeyStrokeCtrl) != 0},
      {VkMenu, Held(Windows, VkMenu), (keyStroke & KeyStrokeAlt) != 0},
  };
  for (const TModifier& m : modifiers)
    if (m.Held) Key(m.Key, true);
  for (const TModifier& m : modifiers)
    if (m.Wanted) Key(m.Key, false);

  const std::uint16_t key = keyStroke & KeyStrokeKeyMask;
  const auto virtualKey = static_cast<std::uint8_t>(key & 0xFF);
  const auto scanCode = static_cast<std::uint8_t>(Windows.ScanCodeOf(key));
  Windows.KeybdEvent(virtualKey, scanCode, 0);
  Windows.KeybdEvent(virtualKey, scanCode, KeyEventKeyUp);

  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m)
    if (m->Wanted) Key(m->Key, true);
  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m)
    if (m->Held) Key(m->Key, false);
}

void TKeyOperationExecutor::RunPluginAction(const std::string& name, TActionParam* param) {
  if (Plugins != nullptr) Plugins->ExecuteAction(name, param);
}
