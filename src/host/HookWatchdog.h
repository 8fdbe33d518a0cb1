// Windows 7 and later remove a low-level hook that keeps the system waiting
// too often (LowLevelHooksTimeout), and say nothing: the program would go
// on running with no turn reaching it. The watchdog notices that the
// pointer moved through input while the hook was not called.
#pragma once

#include <cstdint>

#include "platform/WindowSystem.h"

class THookWatchdog {
 public:
  // One look, made now and then (every LookIntervalMs): the system's time
  // and the time of its last input (GetTickCount, GetLastInputInfo), the
  // pointer, and how many times the hook has been called so far. True when
  // the hook is gone and is to be installed again.
  bool HookLost(std::uint32_t now, std::uint32_t lastInput, TPoint cursor, std::uint32_t calls);

  static constexpr std::uint32_t LookIntervalMs = 2000;

 private:
  bool Looked = false;
  std::uint32_t LookedAt = 0;
  TPoint Cursor;
  std::uint32_t Calls = 0;
};
