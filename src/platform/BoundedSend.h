// Sends to other programs' windows that cannot hold this thread for long.
// Vorlix decides inside the mouse hook's call: while it waits on a window,
// the mouse of the whole desktop (low-level hook) or the application that
// moved it (message hook) waits too.
#pragma once

#include <windows.h>

// How long one send waits for the window's thread to answer.
constexpr UINT BoundedSendTimeoutMs = 100;
// After a window failed to answer in time, requests to it are skipped for
// this long instead of waiting again: one decision sends to the same window
// several times (focus, the module name).
constexpr DWORD BoundedSendSkipMs = 1000;

// SendMessageA within the bound, for a request whose answer is read; 0 when
// the window did not answer in time, is hung, has gone or is being skipped.
// For the user-interface thread only: which window failed last is
// remembered for the whole program.
LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Delivers a message whose answer is not needed (a wheel or scroll
// message) without waiting for it (SendNotifyMessageA): a busy window gets
// every message, in order, late if need be. (A send that timed out would not
// do: Wine drops the message with the send.) True when the window has it or
// will have it; false when the system reports the window hung (where it can
// tell: IsHungAppWindow, which Windows 95 and 98 lack), or the window has
// gone or refused it. The turn is then left to the system.
bool DeliverMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
