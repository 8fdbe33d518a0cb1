// Text rules of the system's ANSI code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Upper-cases in place with the system's ANSI case mapping (CharUpperBuffA,
// which leaves the trail bytes of double-byte characters alone). Built
// natively, it maps the ASCII letters only.
void AnsiUpperCase(std::string& text);
void AnsiUpperCase(char* text, std::size_t length);

// Whether byte leads a double-byte character of the system's ANSI code page
// (IsDBCSLeadByte): the byte after it is its trail, whatever its value, and
// in code page 932 that may be 0x5C, the path and key separator. Built
// natively, no byte leads.
bool AnsiIsLeadByte(std::uint8_t byte);
using TLeadByteTest = bool (*)(std::uint8_t byte);

// Where the file name of a path starts: after its last "\" or ":". The
// trail byte of a double-byte character may have the same value and is no
// delimiter; isLeadByte tells the lead bytes.
template <typename LeadByteTest>
std::size_t FileNameStart(const char* path, LeadByteTest&& isLeadByte) {
  std::size_t start = 0;
  for (std::size_t i = 0; path[i] != '\0'; ++i) {
    if (isLeadByte(static_cast<std::uint8_t>(path[i])) && path[i + 1] != '\0')
      ++i;
    else if (path[i] == '\\' || path[i] == ':')
      start = i + 1;
  }
  return start;
}
