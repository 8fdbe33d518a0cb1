// The answer to every notification of the hook library: finds the window
// under the cursor, looks up the rules that apply to it and decides whether
// the event is left alone, captured by the settings dialog, or delivered by
// this program (activation, focus, scroll or wheel messages).
#pragma once

#include <cstdint>
#include <string>

#include "dispatch/TargetNames.h"
#include "platform/WindowSystem.h"
#include "shared/WheelNotification.h"

class TExeSettings;
class TKeySetting;
class TVorlixSetting;

// The settings dialog as the routing sees it.
class CaptureDialog {
 public:
  virtual ~CaptureDialog() = default;
  virtual bool Visible() = 0;
  // Makes the window-class page active unless a capture page (window class
  // or application) already is.
  virtual void ActivateCapturePage() = 0;
  virtual void ShowSettingDialog() = 0;
  // Fills the pages from the window under the cursor; true when the wheel
  // event is to be swallowed.
  virtual bool CaptureWindow(Wnd targetWnd, Wnd cursorWnd, TPoint cursor, std::uint16_t keyState,
                             std::int16_t wheelDelta) = 0;
};

// Runs the key stroke or plug-in action that a key setting gives an event.
class KeyOperations {
 public:
  virtual ~KeyOperations() = default;
  // true when an operation ran and the event is consumed.
  virtual bool ExecuteKeyOperation(Wnd cursorWnd, const TKeySetting& keySetting, TPoint cursor,
                                   std::uint16_t keyState, std::int16_t wheelDelta) = 0;
  // Whether any key setting of exeSettings could run an operation for a
  // notification without a turn (a move or a button press) with keyState.
  virtual bool MayActWithoutTurn(const TExeSettings& exeSettings, std::uint16_t keyState) = 0;
};

// What the main window procedure does with a message.
enum class MainWindowAction {
  RouteNotification,  // the hook's notification: answer it
  Hide,               // close or minimise: hide the form, stay in the tray
  Default,            // default processing
};
MainWindowAction ClassifyMainWindowMessage(std::uint32_t message, std::uintptr_t wParam,
                                           std::uint32_t notifyMessage);

class TWheelDispatcher {
 public:
  TWheelDispatcher(WindowSystem& windows, HookRequests& hook, TVorlixSetting& setting,
                   KeyOperations* executor = nullptr, CaptureDialog* dialog = nullptr);

  // While paused every notification is answered 0 and nothing is looked up.
  bool Paused = true;
  // To be called after Paused or the settings changed: tells the hook
  // whether a plain move could be acted on, so that while none could it
  // asks nothing about moves.
  void RulesChanged();
  // Runs the key settings; while it is absent, none runs.
  KeyOperations* Executor;
  // The settings dialog; while it is absent, capture never happens.
  CaptureDialog* Dialog;

  // The notification's answer: 1 when the event was dealt with here.
  std::intptr_t RouteWheelNotification(std::uintptr_t wParam, std::intptr_t lParam);
  bool DispatchWheel(Wnd targetWnd, Wnd cursorWnd, std::int16_t wheelDelta,
                     std::uint16_t keyState, TPoint cursor);

  std::string GetTargetClassName(Wnd window);
  std::string GetTargetModuleName(Wnd window);
  void ActivateTarget(Wnd window);
  void BringChildFrameToTop(Wnd window);
  bool IsWindowChainUsable(Wnd window);

 private:
  bool AltCtrlShiftHeld();
  bool MayActWithoutTurn(std::uint16_t keyState);
  bool SendScrollLines(Wnd window, Wnd scrollBar, bool horizontal, std::int16_t wheelDelta,
                       std::int32_t lines);

  WindowSystem& Windows;
  HookRequests& Hook;
  TVorlixSetting& Setting;
  TTargetNames Names;
  // What the last turns delivered as lines left over: less than one line,
  // in units of a notch's delta (120) per line, for one window, wheel and
  // direction.
  struct TLineRemainder {
    Wnd Window = 0;
    Wnd ScrollBar = 0;
    bool Horizontal = false;
    bool Forward = false;
    std::int64_t Units = 0;
  } Remainder;
};
