#include "platform/BoundedSend.h"

#include "shared/SystemFunction.h"

namespace {

HWND Stalled = nullptr;
DWORD StalledAt = 0;

using TIsHungAppWindow = BOOL(WINAPI*)(HWND);

// Looked up by name: Windows 95 and 98 do not have it.
TIsHungAppWindow IsHungAppWindowFunction() {
  static const auto function = SystemFunction<TIsHungAppWindow>("user32.dll", "IsHungAppWindow");
  return function;
}

}  // namespace

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (Stalled != nullptr) {
    if (GetTickCount() - StalledAt >= BoundedSendSkipMs)
      Stalled = nullptr;
    else if (window == Stalled)
      return 0;
  }
  // Without SMTO_BLOCK: while waiting, this thread still answers what the
  // target sends back to it (the hook library's requests do).
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                          BoundedSendTimeoutMs, &answer) != 0)
    return static_cast<LRESULT>(answer);
  if (GetLastError() == ERROR_TIMEOUT) {
    Stalled = window;
    StalledAt = GetTickCount();
  }
  return 0;
}

bool DeliverMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const TIsHungAppWindow isHung = IsHungAppWindowFunction();
  if (isHung != nullptr && isHung(window)) return false;
  return SendNotifyMessageA(window, message, wParam, lParam) != FALSE;
}
