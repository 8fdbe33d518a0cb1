// The general page of the settings dialog: the settings every wheel turn
// follows unless a window-class or application rule says otherwise.
#pragma once

#include <windows.h>

#include <functional>

#include "settings/Generalsetting.h"
#include "ui/FrameWindow.h"

class TGeneralFrame : public TPageFrame {
 public:
  // A child of parent covering area; onSave runs for the page's save button.
  TGeneralFrame(HWND parent, const RECT& area, HFONT font, std::function<void()> onSave);

  HWND SaveButton() const;
  void SetSetting(const TGeneralSetting& setting);
  // The page's values; the line count is the number its field shows, kept
  // within the page's 1 to 9.
  TGeneralSetting GetSetting();

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  TFontOwner TitleFont;
  std::function<void()> OnSave;
};
