// The main form: the hidden window that receives the hook's notifications
// and owns everything the program runs on (hooks, settings, plug-ins), the
// tray menu through which the user reaches it, and, shown, the about box.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "dispatch/KeyOperationExecutor.h"
#include "dispatch/WheelDispatcher.h"
#include "host/HookWatchdog.h"
#include "host/Vorlixhookloader.h"
#include "platform/Win32Owner.h"
#include "platform/Win32WindowSystem.h"
#include "plugins/Plugin.h"
#include "settings/Vorlixsetting.h"
#include "ui/TrayIcon.h"
#include "ui/Vorlixsettingform.h"

class TVXMainForm {
 public:
  // Creates the (hidden) form owned by application and starts the program;
  // Started() tells whether the program may go on running.
  explicit TVXMainForm(HWND application);
  ~TVXMainForm();

  TVXMainForm(const TVXMainForm&) = delete;
  TVXMainForm& operator=(const TVXMainForm&) = delete;

  bool Start();
  void Stop();
  void SetPaused(bool value);
  bool LoadSettings();
  bool LoadPlugins();

  void ShowSettingDialog();
  void ShowAboutDialog();
  void QuitClick();
  void PauseClick();
  void ButtonOkClick();

  // The settings dialog, created after the main form has started; from then
  // on wheel turns can be captured into it.
  void AttachSettingForm(TVXSettingForm* form);
  TWheelDispatcher* WheelDispatcher() const { return Dispatcher.get(); }
  WindowSystem& Desktop() { return Windows; }

  HWND Handle() const { return Window; }
  bool Started() const { return IsStarted; }
  bool Paused() const { return IsPaused; }

  std::unique_ptr<TVorlixHook> HookLoader;
  TVorlixSetting Setting;
  TPlugins Plugins;
  UINT NotifyMessage = 0;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateComponents();
  void CreatePopupMenu1();
  void Command(UINT id);
  void FormCloseQuery();
  void LookAfterHooks();

  HWND Window = nullptr;
  TFontOwner DefaultFont;
  TFontOwner TitleFont;
  TFontOwner VersionFont;
  TMenuOwner PopupMenu1;
  std::unique_ptr<TTrayIcon> TrayIcon1;
  TWin32WindowSystem Windows;
  std::unique_ptr<TWheelDispatcher> Dispatcher;
  std::unique_ptr<TKeyOperationExecutor> KeyOps;
  TVXSettingForm* SettingForm = nullptr;
  std::unique_ptr<CaptureDialog> DialogRouting;
  THookWatchdog Watchdog;
  bool IsPaused = true;
  bool IsStarted = false;
};
