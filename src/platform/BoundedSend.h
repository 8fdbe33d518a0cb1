// Sends to other programs' windows that cannot hold this thread for long.
// Vorlix decides inside the mouse hook's call: while it waits on a window,
// the mouse of the whole desktop (low-level hook) or the application that
// moved it (message hook) waits too.
#pragma once

#include <windows.h>

// How long one send waits for the window's thread to answer.
constexpr UINT BoundedSendTimeoutMs = 100;
// After a window failed to answer, every send to it is skipped for this long
// instead of waiting again: one decision sends to the same window several
// times (focus, line scrolls, the wheel message).
constexpr DWORD BoundedSendSkipMs = 1000;

// SendMessageA within the bound; 0 when the window did not answer in time,
// is hung, has gone or is being skipped. A message that timed out is still
// delivered when the window's thread wakes. For the user-interface thread
// only: which window failed last is remembered for the whole program.
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
