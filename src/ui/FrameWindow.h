// Forms and their pages are built from tables of their controls, each page
// in a child window of its own that takes its controls' notifications.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>
#include <vector>

#include "shared/Win32Owner.h"
#include "ui/ErrorBox.h"
#include "ui/PageBinding.h"

struct TComponent {
  const char* ClassName;
  const char* Caption;
  DWORD Style;  // besides WS_CHILD | WS_VISIBLE
  int Left, Top, Width, Height;
  int Id;
};

// Creates the controls in table order, which is their tab order, all in
// font; returns their handles in the same order.
template <std::size_t N>
std::vector<HWND> CreateComponents(HWND parent, const TComponent (&table)[N], HFONT font) {
  std::vector<HWND> controls;
  for (const TComponent& c : table) {
    const HWND control = CreateWindowExA(
        0, c.ClassName, c.Caption, WS_CHILD | WS_VISIBLE | c.Style, c.Left, c.Top, c.Width,
        c.Height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.Id)),
        GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    controls.push_back(control);
  }
  return controls;
}

// Registers a window class of the program (its icon, the dialog colour)
// unless it is registered already.
void RegisterFormClass(const char* className, WNDPROC procedure);

// A page: a child window of parent over area, of a class registered on first
// use, bound to self (see BoundProc).
HWND CreateFrameWindow(const char* className, HWND parent, const RECT& area, WNDPROC procedure,
                       void* self);

// A page's number field: the edit buddy shows the up-down's value, and the
// up-down's arrows (and the arrow keys in the edit) step it within
// lowest to highest. The 16-bit up-down messages throughout: the 32-bit ones
// need comctl32 5.80, which Windows 95, NT 4 and the first 98 lack.
constexpr DWORD UpDownStyle = UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
void BindUpDown(HWND upDown, HWND buddy, int lowest, int highest);
void SetUpDownValue(HWND upDown, int value);
// The number the edit shows, clamped to the range; a text that is no number
// keeps the value shown before. The edit is then set to the value returned,
// so that what the field shows is what the page stores.
int UpDownValue(HWND upDown);

// Enter in a form presses the push button that has the focus, else the
// form's default button. Forms answer DM_GETDEFID with EnterKeyDefId();
// IsDialogMessage then sends WM_COMMAND with IdEnterKey, on which they call
// PressEnterButton.
constexpr int IdEnterKey = 0x7FFE;
inline LRESULT EnterKeyDefId() { return MAKELONG(IdEnterKey, DC_HASDEFID); }
void PressEnterButton(HWND form, HWND defaultButton);

bool Checked(HWND box);
void SetChecked(HWND box, bool value);
// The text of a control of this process.
std::string WindowText(HWND control);

// A page's controls: children of the page, or of a group box on it that
// holds controls of its own. Number fields are named by their up-down.
class TWin32PageControls : public PageControls {
 public:
  explicit TWin32PageControls(HWND page = nullptr, HWND group = nullptr)
      : Page(page), Group(group) {}
  HWND Control(int id) const;

  bool Checked(int id) override { return ::Checked(Control(id)); }
  void SetChecked(int id, bool value) override { ::SetChecked(Control(id), value); }
  int Number(int id) override { return UpDownValue(Control(id)); }
  void SetNumber(int id, int value) override { SetUpDownValue(Control(id), value); }
  std::string Text(int id) override { return WindowText(Control(id)); }
  void SetText(int id, const std::string& text) override {
    SetWindowTextA(Control(id), text.c_str());
  }
  void Enable(int id, bool enabled) override { EnableWindow(Control(id), enabled); }

 private:
  HWND Page;
  HWND Group;
};

// A page of a form: its window, bound to the page object, and its controls.
class TPageFrame {
 public:
  TPageFrame(const TPageFrame&) = delete;
  TPageFrame& operator=(const TPageFrame&) = delete;

  HWND Handle() const { return Window.Get(); }

 protected:
  TPageFrame() = default;
  ~TPageFrame() = default;
  HWND Control(int id) const { return Controls.Control(id); }

  TWindowOwner Window;
  TWin32PageControls Controls;
};

// The object a window belongs to is kept in the window's user data: from
// WM_NCCREATE on for a window of ours (CreateWindowExA's last argument),
// from Subclass on for a control of the system's. BoundProc<T, &T::Member>
// is the procedure of either: it hands each message to that object's
// member, guarded; what comes before WM_NCCREATE goes to DefWindowProcA.
template <typename T, LRESULT (T::*Member)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK BoundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(
                          reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return Guarded(window, [&] { return (self->*Member)(window, message, wParam, lParam); });
}

// Makes procedure (a BoundProc) the procedure of control, bound to self.
// Returns the control's own procedure, to which self passes what it leaves
// alone, and which Unsubclass puts back.
WNDPROC Subclass(HWND control, void* self, WNDPROC procedure);
void Unsubclass(HWND control, WNDPROC original);
