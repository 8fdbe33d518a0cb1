// What a key setting makes of a wheel turn or a button press: the event is
// mapped to one of the key-event slots, and the slot's key stroke is typed,
// or its plug-in action run, into the window under the cursor.
#pragma once

#include <cstdint>
#include <string>

#include "dispatch/WheelDispatcher.h"
#include "platform/WindowSystem.h"
#include "plugins/Plugin.h"

class TKeySetting;

// The slot of a notification, or NoKeyEvent. A turn needs exactly one (or
// none) of the button and modifier bits; a press (no delta) exactly one of
// the middle and X button bits, whatever else is held.
constexpr int NoKeyEvent = -1;
int KeyEventOf(std::uint16_t keyState, std::int16_t wheelDelta);

class TKeyOperationExecutor : public KeyOperations {
 public:
  // plugins may be null where no plug-in host exists.
  TKeyOperationExecutor(WindowSystem& windows, HookRequests& hook, TPlugins* plugins);

  bool ExecuteKeyOperation(Wnd cursorWnd, const TKeySetting& keySetting, TPoint cursor,
                           std::uint16_t keyState, std::int16_t wheelDelta) override;
  bool MayActWithoutTurn(const TExeSettings& exeSettings, std::uint16_t keyState) override;
  // Types one stroke: bits 0-12 the key, 0x2000 Shift, 0x4000 Ctrl,
  // 0x8000 Alt. The modifiers the user holds are let go for the stroke and
  // pressed again after it.
  void SendKeyStroke(std::uint16_t keyStroke);
  void RunPluginAction(const std::string& name, TActionParam* param);

 private:
  void Key(std::uint8_t virtualKey, bool up);

  WindowSystem& Windows;
  HookRequests& Hook;
  TPlugins* Plugins;
};
