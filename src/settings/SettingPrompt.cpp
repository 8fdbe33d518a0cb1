#include "settings/SettingPrompt.h"

#include <windows.h>

bool TMessageBoxPrompt::Ask(const std::string& title, const std::string& text) {
  return MessageBoxA(nullptr, text.c_str(), title.c_str(),
                     MB_YESNO | MB_ICONINFORMATION | MB_SETFOREGROUND) == IDYES;
}

void TMessageBoxPrompt::Warn(const std::string& title, const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}
