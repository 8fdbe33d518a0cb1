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
