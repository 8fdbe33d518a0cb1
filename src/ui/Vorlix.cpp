// Vorlix.exe: one instance per session, living in the notification area.
#include <windows.h>
#include <commctrl.h>

#include "shared/Win32Owner.h"
#include "ui/ErrorBox.h"
#include "ui/Vorlixmainform.h"

namespace {

constexpr char MutexName[] = "Vorlix_MutexName";
constexpr char ApplicationClass[] = "TApplication";
// WS_MINIMIZE, WS_SYSMENU and WS_MINIMIZEBOX cleared: the hidden window that
// owns the forms is never restored or closed from a taskbar menu.
constexpr LONG ApplicationStyleMask = static_cast<LONG>(0xDFF5FFFF);

// The hidden window that owns every form: owned forms get no taskbar entry.
TWindowOwner CreateApplicationWindow(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = ApplicationClass;
  RegisterClassA(&windowClass);
  TWindowOwner window(CreateWindowExA(0, ApplicationClass, "Vorlix",
                                 WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                 nullptr, nullptr, instance, nullptr));
  if (window)
    SetWindowLongA(window.Get(), GWL_STYLE,
                   GetWindowLongA(window.Get(), GWL_STYLE) & ApplicationStyleMask);
  return window;
}

// Tab, Enter, Esc and the access keys work in the settings dialog and the
// about box as in any dialog. A control that wants every key (the key-stroke
// field) gets Alt with a letter too, which the dialog would otherwise take
// as an access key; the field's other keys IsDialogMessage hands it itself.
bool IsFormMessage(HWND form, MSG& message) {
  if (form == nullptr || (message.hwnd != form && !IsChild(form, message.hwnd))) return false;
  if (message.message == WM_SYSCHAR &&
      (SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam,
                    reinterpret_cast<LPARAM>(&message)) &
       DLGC_WANTMESSAGE))
    return false;
  return IsDialogMessageA(form, &message) != FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // Another instance runs: end without a word.
  if (const TKernelHandle other{OpenMutexA(MUTEX_ALL_ACCESS, FALSE, MutexName)}) return 0;
  // Held, and so the name taken, until the process ends.
  const TKernelHandle mutex(CreateMutexA(nullptr, TRUE, MutexName));

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Guarded(nullptr, [&]() -> LRESULT {
    const TWindowOwner application = CreateApplicationWindow(instance);
    TVXMainForm form(application.Get());
    if (!form.Started()) return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (IsFormMessage(form.SettingFormHandle(), message) || IsFormMessage(form.Handle(), message))
        continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    return 0;
  });
  return 0;
}
