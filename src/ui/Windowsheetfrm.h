// The window-class page of the settings dialog: the rule of the window class
// last captured, for every application or for that application only.
#pragma once

#include <windows.h>

#include "shared/Win32Owner.h"

#include <functional>

#include "settings/Windowsetting.h"

class TWindowFrame {
 public:
  // onSave runs for the page's save button, onThisExeOnly after a click on
  // "このExeに対して設定する(&O)" (the dialog decides what that shows).
  TWindowFrame(HWND parent, const RECT& area, HFONT font, std::function<void()> onSave,
               std::function<void()> onThisExeOnly);

  TWindowFrame(const TWindowFrame&) = delete;
  TWindowFrame& operator=(const TWindowFrame&) = delete;

  HWND Handle() const { return Window.Get(); }
  HWND SaveButton() const;
  void SetSetting(const TWindowSetting& setting);
  // Every box is read whether it is enabled or not.
  TWindowSetting GetSetting();
  void UpdateEnabled(bool active);
  bool ThisExeOnlyChecked() const;

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Command(int id);
  HWND Control(int id) const { return GetDlgItem(Window.Get(), id); }

  TWindowOwner Window;
  TWindowSetting Setting;
  std::function<void()> OnSave;
  std::function<void()> OnThisExeOnly;
};
