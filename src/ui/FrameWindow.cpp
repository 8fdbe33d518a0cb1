#include "ui/FrameWindow.h"

void RegisterFormClass(const char* className, WNDPROC procedure) {
  WNDCLASSA windowClass{};
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoA(instance, className, &windowClass)) return;
  windowClass = WNDCLASSA{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIconA(instance, "MAINICON");
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
}

HWND CreateFrameWindow(const char* className, HWND parent, const RECT& area, WNDPROC procedure,
                       void* self) {
  RegisterFormClass(className, procedure);
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  // WS_EX_CONTROLPARENT: Tab moves on into the page's controls.
  return CreateWindowExA(WS_EX_CONTROLPARENT, className, "", WS_CHILD | WS_VISIBLE, area.left,
                         area.top, area.right - area.left, area.bottom - area.top, parent,
                         nullptr, instance, self);
}

bool Checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND box, bool value) {
  SendMessageA(box, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string WindowText(HWND control) {
  char text[300] = {};
  GetWindowTextA(control, text, sizeof text);
  return text;
}
