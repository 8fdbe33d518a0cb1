// The window-class page of the settings dialog: the rule of the window class
// last captured, for every application or for that application only.
#pragma once

#include <windows.h>

#include <functional>

#include "settings/Windowsetting.h"
#include "ui/FrameWindow.h"

class TWindowFrame : public TPageFrame {
 public:
  // onSave runs for the page's save button, onThisExeOnly after a click on
  // "このExeに対して設定する(&O)" (the dialog decides what that shows).
  TWindowFrame(HWND parent, const RECT& area, HFONT font, std::function<void()> onSave,
               std::function<void()> onThisExeOnly);

  HWND SaveButton() const;
  void SetSetting(const TWindowSetting& setting);
  // Every box is read whether it is enabled or not.
  TWindowSetting GetSetting();
  void UpdateEnabled(bool active);
  bool ThisExeOnlyChecked();

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Command(int id);

  TWindowSetting Setting;
  std::function<void()> OnSave;
  std::function<void()> OnThisExeOnly;
};
