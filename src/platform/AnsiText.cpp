#include "platform/AnsiText.h"

#ifdef _WIN32
#include <windows.h>

void AnsiUpperCase(std::string& text) {
  if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
}

bool AnsiIsLeadByte(std::uint8_t byte) { return IsDBCSLeadByte(byte) != FALSE; }
#else
void AnsiUpperCase(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

bool AnsiIsLeadByte(std::uint8_t) { return false; }
#endif
