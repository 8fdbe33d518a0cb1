// The application page of the settings dialog: the application of the
// window last captured, and its key operations for that window's class or
// for all of its windows, one event row at a time.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "settings/Exesetting.h"
#include "settings/Keysetting.h"
#include "ui/FrameWindow.h"
#include "ui/Hotkeyex.h"

class TExeFrame : public TPageFrame {
 public:
  // onSave runs for the page's save button, onThisWindowOnly after a click
  // on "このウィンドウクラスにのみ設定" (the dialog decides what that shows).
  TExeFrame(HWND parent, const RECT& area, HFONT font, std::function<void()> onSave,
            std::function<void()> onThisWindowOnly);
  ~TExeFrame();

  HWND SaveButton() const;
  void SetSetting(const TExeSetting& setting);
  TExeSetting GetSetting();
  void SetClassName(const std::string& className);
  void ShowKeyOperation(int row);
  void UpdateEnabled(bool active);
  void ClearActionNames();
  void AddActionName(const std::string& name);
  bool ThisWindowOnlyChecked();
  std::string ClassNameShown();
  void SetClassNameShown(const std::string& className);

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT GroupBoxMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Command(int id, int code);
  void AnyKeyOpCtlExit();
  int SelectedRow();

  HWND GroupBox1 = nullptr;
  WNDPROC GroupBoxOriginal = nullptr;
  std::unique_ptr<THotKeyEx> HotKeyExKey;
  TExeSetting ExeSetting;
  TKeySetting KeySetting;
  std::function<void()> OnSave;
  std::function<void()> OnThisWindowOnly;
};
