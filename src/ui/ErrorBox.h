// How the program tells the user of an error it did not expect: a box with
// the error's text, after which the program goes on.
#pragma once

#include <windows.h>

#include <exception>

// The application's error box: the text, the caption "Vorlix", an OK button.
void ShowError(HWND owner, const char* text);

// Runs the work of a window procedure (or any other procedure the system
// calls) and returns its result. An exception must not unwind through the
// system's dispatch: this compiler's exceptions cannot cross user32's
// frames, and the process would end. The user reads its text instead, the
// message gets result 0, and the message loop goes on.
template <typename Work>
LRESULT Guarded(HWND window, Work&& work) noexcept {
  try {
    return work();
  } catch (const std::exception& error) {
    ShowError(window, error.what());
  } catch (...) {
    ShowError(window, "予期しないエラーが発生しました");
  }
  return 0;
}
