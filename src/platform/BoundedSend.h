// Sends to other programs' windows that cannot hold this thread for long.
// Vorlix decides inside the mouse hook's call: while it waits on a window,
// the mouse of the whole desktop (low-level hook) or the application that
// moved it (message hook) waits too.
#pragma once

#include <windows.h>

class TBoundedSender {
 public:
  // How long one send waits for the window's thread to answer.
  static constexpr UINT TimeoutMs = 100;
  // After a window failed to answer, further sends to it are skipped for
  // this long instead of waiting again (a turn of several lines is many sends).
  static constexpr DWORD SkipMs = 1000;

  // SendMessageA within the bound. false when the window did not answer in
  // time, is hung, has gone, or is being skipped; result is then 0. A message
  // that timed out is still delivered when the window's thread wakes.
  bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  HWND Stalled = nullptr;
  DWORD StalledAt = 0;
};
