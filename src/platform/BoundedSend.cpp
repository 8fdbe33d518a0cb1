#include "platform/BoundedSend.h"

bool TBoundedSender::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) {
  result = 0;
  if (Stalled != nullptr) {
    if (GetTickCount() - StalledAt >= SkipMs)
      Stalled = nullptr;
    else if (window == Stalled)
      return false;
  }
  // Without SMTO_BLOCK: while waiting, this thread still answers what the
  // target sends back to it (the hook library's requests do).
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                          TimeoutMs, &answer) != 0) {
    result = static_cast<LRESULT>(answer);
    return true;
  }
  if (GetLastError() == ERROR_TIMEOUT) {
    Stalled = window;
    StalledAt = GetTickCount();
  }
  return false;
}

LRESULT TBoundedSender::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  Send(window, message, wParam, lParam, result);
  return result;
}
