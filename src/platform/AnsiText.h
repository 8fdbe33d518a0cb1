// Text rules of the system's ANSI code page.
#pragma once

#include <string>

// Upper-cases in place with the system's ANSI case mapping (CharUpperBuffA,
// which leaves the trail bytes of double-byte characters alone). Built
// natively, it maps the ASCII letters only.
void AnsiUpperCase(std::string& text);
