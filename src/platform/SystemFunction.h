// A function that not every system the program runs on has, looked up by
// name in a system library the process has loaded; null where it is missing.
#pragma once

#include <windows.h>

template <typename Function>
Function SystemFunction(const char* library, const char* name) {
  // The detour through a generic function type is the documented use of
  // GetProcAddress and keeps -Wcast-function-type quiet.
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(library), name)));
}
