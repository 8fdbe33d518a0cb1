// The debug page of the settings dialog: what the program sees of the last
// window captured while the page was showing.
#pragma once

#include <windows.h>

#include <string>

#include "ui/FrameWindow.h"

struct TDebugFacts {
  std::string Hwnd, Caption, ClassName, ScrollBar, ModuleName;
};

class TDebugSheetFrame : public TPageFrame {
 public:
  TDebugSheetFrame(HWND parent, const RECT& area, HFONT font);

  void Show(const TDebugFacts& facts);
  void ShowHookReinstalls(unsigned count);
};
