// The debug page of the settings dialog: what the program sees of the last
// window captured while the page was showing.
#pragma once

#include <windows.h>

#include "shared/Win32Owner.h"

#include <string>

struct TDebugFacts {
  std::string Hwnd, Caption, ClassName, ScrollBar, ModuleName;
};

class TDebugSheetFrame {
 public:
  TDebugSheetFrame(HWND parent, const RECT& area, HFONT font);

  TDebugSheetFrame(const TDebugSheetFrame&) = delete;
  TDebugSheetFrame& operator=(const TDebugSheetFrame&) = delete;

  HWND Handle() const { return Window.Get(); }
  void Show(const TDebugFacts& facts);
  void ShowHookReinstalls(unsigned count);

 private:
  TWindowOwner Window;
};
