// Functions looked up by name: exports of a library loaded at run time, and
// functions that not every system the program runs on has. Header only and
// never throwing, for the hook library too.
#pragma once

#include <windows.h>

// An export's address as the function type the caller expects. The detour
// through a generic function type is the documented use of GetProcAddress
// and keeps -Wcast-function-type quiet.
template <typename Function>
Function FunctionOf(FARPROC address) noexcept {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// A function of a system library the process has loaded; null where it is
// missing.
template <typename Function>
Function SystemFunction(const char* library, const char* name) noexcept {
  return FunctionOf<Function>(GetProcAddress(GetModuleHandleA(library), name));
}
