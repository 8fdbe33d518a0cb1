#include "platform/AnsiText.h"

#ifdef _WIN32
#include <windows.h>

void AnsiUpperCase(char* text, std::size_t length) {
  if (length != 0) CharUpperBuffA(text, static_cast<DWORD>(length));
}

bool AnsiIsLeadByte(std::uint8_t byte) { return IsDBCSLeadByte(byte) != FALSE; }
#else
void AnsiUpperCase(char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
}

bool AnsiIsLeadByte(std::uint8_t) { return false; }
#endif

void AnsiUpperCase(std::string& text) { AnsiUpperCase(text.data(), text.size()); }
