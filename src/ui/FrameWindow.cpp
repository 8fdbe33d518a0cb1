#include "ui/FrameWindow.h"

#include <algorithm>
#include <cstdlib>

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

WNDPROC Subclass(HWND control, void* self, WNDPROC procedure) {
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  return reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

// The control may already be gone with its parent; this then fails
// harmlessly.
void Unsubclass(HWND control, WNDPROC original) {
  if (original == nullptr) return;
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  SetWindowLongPtrA(control, GWLP_USERDATA, 0);
}

void BindUpDown(HWND upDown, HWND buddy, int lowest, int highest) {
  SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageA(upDown, UDM_SETRANGE, 0, MAKELPARAM(highest, lowest));
}

namespace {

// Value within the up-down's range: the 16-bit position message would
// otherwise cut a number from a hand-edited registry to its low word.
int WithinRange(HWND upDown, long value) {
  const LRESULT range = SendMessageA(upDown, UDM_GETRANGE, 0, 0);
  return static_cast<int>(std::clamp<long>(value, static_cast<short>(HIWORD(range)),
                                           static_cast<short>(LOWORD(range))));
}

}  // namespace

void SetUpDownValue(HWND upDown, int value) {
  SendMessageA(upDown, UDM_SETPOS, 0, MAKELPARAM(WithinRange(upDown, value), 0));
}

int UpDownValue(HWND upDown) {
  const std::string text =
      WindowText(reinterpret_cast<HWND>(SendMessageA(upDown, UDM_GETBUDDY, 0, 0)));
  char* end = nullptr;
  const long typed = std::strtol(text.c_str(), &end, 10);
  // Without a number the up-down answers the value it last showed.
  const int value = WithinRange(
      upDown, end != text.c_str() ? typed
                                  : static_cast<short>(LOWORD(SendMessageA(upDown, UDM_GETPOS, 0, 0))));
  SetUpDownValue(upDown, value);
  return value;
}

void PressEnterButton(HWND form, HWND defaultButton) {
  const HWND focus = GetFocus();
  const bool onButton =
      focus != nullptr && IsChild(form, focus) &&
      (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
  const HWND button = onButton ? focus : defaultButton;
  if (button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button))
    SendMessageA(button, BM_CLICK, 0, 0);
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

HWND TWin32PageControls::Control(int id) const {
  const HWND control = GetDlgItem(Page, id);
  return control != nullptr || Group == nullptr ? control : GetDlgItem(Group, id);
}
