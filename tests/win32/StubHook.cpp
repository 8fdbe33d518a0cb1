// A hook library that offers only the message-mode procedures, and that
// does nothing in them: the loader suites install it, and the hook host runs
// against it where it stands in for VorlixHook.dll.
#include <windows.h>

extern "C" LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
