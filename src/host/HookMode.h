// Which mouse hook the host installs: the low-level hook reports every event
// of the desktop on the host's own thread; the message hook reports from
// inside each thread that retrieves a mouse message.
#pragma once

#include <cstdint>

#include "shared/OsVersion.h"

// hookMode 0 decides by the system, 1 forces the low-level hook, anything
// else the message hook. WH_MOUSE_LL exists from NT 4 service pack 3 on.
constexpr bool UsesLowLevelHook(int hookMode, std::uint8_t osClass, int servicePackDigit) {
  if (hookMode != 0) return hookMode == 1;
  return osClass == OsWindows2000 || (osClass == OsWindowsNT4 && servicePackDigit >= 3);
}
