#include "ui/FrameWindow.h"

HWND CreateFrameWindow(const char* className, HWND parent, const RECT& area, WNDPROC procedure,
                       void* self) {
  WNDCLASSA windowClass{};
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!GetClassInfoA(instance, className, &windowClass)) {
    windowClass = WNDCLASSA{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
  }
  // WS_EX_CONTROLPARENT: Tab moves on into the page's controls.
  return CreateWindowExA(WS_EX_CONTROLPARENT, className, "", WS_CHILD | WS_VISIBLE, area.left,
                         area.top, area.right - area.left, area.bottom - area.top, parent,
                         nullptr, instance, self);
}
