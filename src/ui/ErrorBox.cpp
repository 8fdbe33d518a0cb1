#include "ui/ErrorBox.h"

void ShowError(HWND owner, const char* text) {
  MessageBoxA(owner, text, "Vorlix", MB_OK | MB_ICONERROR);
}
