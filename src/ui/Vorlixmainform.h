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
#include "shared/Win32Owner.h"
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

  HWND Handle() const { return Window.Get(); }
  // The settings dialog's window while the program runs, else null.
  HWND SettingFormHandle() const { return SettingForm ? SettingForm->Handle() : nullptr; }
  bool Started() const { return IsStarted; }
  bool Paused() const { return IsPaused; }

  std::unique_ptr<TVorlixHook> HookLoader;
  TVorlixSetting Setting;
  TPlugins Plugins;
  UINT NotifyMessage = 0;

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateComponents();
  void CreatePopupMenu1();
  void Command(UINT id);
  void FormCloseQuery();
  void LookAfterHooks();

  TWindowOwner Window;
  HWND Application;
  TFontOwner DefaultFont;
  TFontOwner TitleFont;
  TFontOwner VersionFont;
  TMenuOwner PopupMenu1;
  std::unique_ptr<TTrayIcon> TrayIcon1;
  TWin32WindowSystem Windows;
  std::unique_ptr<TKeyOperationExecutor> Executor;
  std::unique_ptr<TWheelDispatcher> Dispatcher;
  std::unique_ptr<TVXSettingForm> SettingForm;
  std::unique_ptr<CaptureDialog> DialogRouting;
  THookWatchdog Watchdog;
  bool IsPaused = true;
  bool IsStarted = false;
};
