#include "platform/BoundedSend.h"

namespace {

HWND Stalled = nullptr;
DWORD StalledAt = 0;

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
