// The settings dialog: pages for the general settings, window classes,
// applications and a debug view; while it is open, a wheel turn over another
// window captures that window into the pages instead of scrolling it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "dispatch/TargetNames.h"
#include "shared/Win32Owner.h"
#include "platform/WindowSystem.h"
#include "settings/Vorlixsetting.h"
#include "ui/Debugsheetfrm.h"
#include "ui/Exesheetfrm.h"
#include "ui/Generalsheetfrm.h"
#include "ui/Windowsheetfrm.h"

class TVXSettingForm {
 public:
  static constexpr char ClassName[] = "TVXSettingForm";
  enum Page : int { GeneralSheet, WindowSheet, ExeSheet, DebugSheet };

  // Hidden until shown. A capture names windows as the rules know them,
  // through windows and hook; onRulesChanged runs after every save or load
  // that changed the live settings.
  TVXSettingForm(HWND owner, WindowSystem& windows, HookRequests& hook,
                 std::function<void()> onRulesChanged);
  ~TVXSettingForm();

  TVXSettingForm(const TVXSettingForm&) = delete;
  TVXSettingForm& operator=(const TVXSettingForm&) = delete;

  HWND Handle() const { return Window.Get(); }
  bool Visible() const { return IsWindowVisible(Window.Get()) != FALSE; }
  Page ActivePage() const;
  void SetActivePage(Page page);

  // The debug page's count of the mouse hook's installs after the first.
  void ShowHookReinstalls(unsigned count) { DebugSheetFrame1->ShowHookReinstalls(count); }
  bool CaptureWindow(Wnd targetWnd, Wnd cursorWnd, TPoint cursor, std::uint16_t keyState,
                     std::int16_t wheelDelta);
  void SetSetting(TVorlixSetting* setting);

  void ButtonSaveClick();
  void ButtonLoadClick();
  void ButtonCloseClick();
  void GeneralFrame1BtnSaveClick();
  void WindowFrame1BtnSaveClick();
  void WindowFrame1CheckThisExeOnlyClick();
  void ExeFrame1ButtonSaveClick();
  void ExeFrame1CheckThisWindowOnlyClick();
  void ClearActionNames() { ExeFrame1->ClearActionNames(); }
  void AddActionName(const std::string& name) { ExeFrame1->AddActionName(name); }

  TVorlixSetting* Setting = nullptr;
  std::unique_ptr<TGeneralFrame> GeneralFrame1;
  std::unique_ptr<TWindowFrame> WindowFrame1;
  std::unique_ptr<TExeFrame> ExeFrame1;
  std::unique_ptr<TDebugSheetFrame> DebugSheetFrame1;

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void ShowPage(Page page);
  HWND ShownSaveButton() const;
  void SavePage(TVorlixSetting::TPart part, const std::function<void(TVorlixSetting&)>& change);
  TDebugFacts DebugFactsOf(Wnd window);
  std::string ChooseFile(bool save);

  WindowSystem& Windows;
  TTargetNames Names;
  std::function<void()> OnRulesChanged;
  TWindowOwner Window;
  HWND PageControl1 = nullptr;
  TFontOwner Font;
};
