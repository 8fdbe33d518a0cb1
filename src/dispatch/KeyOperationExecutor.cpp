#include "dispatch/KeyOperationExecutor.h"

#include "host/Windowutily.h"
#include "settings/Exesetting.h"

namespace {

constexpr std::uint16_t ButtonAndModifierBits = 0x7F;
constexpr std::uint16_t ExtraButtonBits = 0x70;  // middle, X1, X2
constexpr std::uint16_t StrokeKeyBits = 0x1FFF;
constexpr std::uint16_t StrokeShift = 0x2000;
constexpr std::uint16_t StrokeControl = 0x4000;
constexpr std::uint16_t StrokeAlt = 0x8000;
constexpr int WheelDeltaUnit = 120;

bool Held(WindowSystem& windows, int virtualKey) {
  return (static_cast<std::uint16_t>(windows.AsyncKeyState(virtualKey)) & 0x8000) != 0;
}

}  // namespace

int KeyEventOf(std::uint16_t keyState, std::int16_t wheelDelta) {
  if (wheelDelta == 0) {
    switch (keyState & ExtraButtonBits) {
      case 0x10: return KeyEventMiddleButtonDown;
      case 0x20: return KeyEventX1ButtonDown;
      case 0x40: return KeyEventX2ButtonDown;
      default: return NoKeyEvent;
    }
  }
  int up = NoKeyEvent;
  switch (keyState & ButtonAndModifierBits) {
    case 0x00: up = KeyEventUp; break;
    case 0x01: up = KeyEventLeftUp; break;
    case 0x02: up = KeyEventRightUp; break;
    case 0x10: up = KeyEventMiddleUp; break;
    case 0x20: up = KeyEventX1Up; break;
    case 0x40: up = KeyEventX2Up; break;
    case 0x08: up = KeyEventCtrlUp; break;
    case 0x04: up = KeyEventShiftUp; break;
    default: return NoKeyEvent;
  }
  // Each Down slot follows its Up slot.
  return wheelDelta > 0 ? up : up + 1;
}

TKeyOperationExecutor::TKeyOperationExecutor(WindowSystem& windows, HookRequests& hook,
                                             TWheelDispatcher& dispatcher,
                                             TPlugins* plugins)
    : Windows(windows), Hook(hook), Dispatcher(dispatcher), Plugins(plugins) {}

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
  Dispatcher.ActivateTarget(cursorWnd);
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
  const bool shiftHeld = Held(Windows, VkShift);
  const bool controlHeld = Held(Windows, VkControl);
  const bool altHeld = Held(Windows, VkMenu);
  const bool shift = (keyStroke & StrokeShift) != 0;
  const bool control = (keyStroke & StrokeControl) != 0;
  const bool alt = (keyStroke & StrokeAlt) != 0;
  const std::uint16_t key = keyStroke & StrokeKeyBits;

  if (shiftHeld) Key(VkShift, true);
  if (controlHeld) Key(VkControl, true);
  if (altHeld) Key(VkMenu, true);
  if (shift) Key(VkShift, false);
  if (control) Key(VkControl, false);
  if (alt) Key(VkMenu, false);

  const auto virtualKey = static_cast<std::uint8_t>(key & 0xFF);
  const auto scanCode = static_cast<std::uint8_t>(Windows.ScanCodeOf(key));
  Windows.KeybdEvent(virtualKey, scanCode, 0);
  Windows.KeybdEvent(virtualKey, scanCode, KeyEventKeyUp);

  if (alt) Key(VkMenu, true);
  if (control) Key(VkControl, true);
  if (shift) Key(VkShift, true);
  if (altHeld) Key(VkMenu, false);
  if (controlHeld) Key(VkControl, false);
  if (shiftHeld) Key(VkShift, false);
}

void TKeyOperationExecutor::RunPluginAction(const std::string& name, TActionParam* param) {
  if (Plugins != nullptr) Plugins->ExecuteAction(name, param);
}
