// What the hook library keeps for the low-level hook in the process that
// installed it. That hook runs in the main program's own thread, so the main
// program reads and writes this through the library's LowLevelStateExport,
// from the same thread, without a lock; other processes have a copy of
// their own that nothing uses.
#pragma once

#include <cstdint>

struct TLowLevelState {
  // Whether plain moves are reported. The main program clears it while no
  // rule could act on a move, and the hook then passes moves on at once.
  bool ReportMoves = true;
  // Calls of the low-level hook so far, of every kind: the hook watchdog
  // tells a hook the system removed by these.
  std::uint32_t Calls = 0;
};

constexpr const char LowLevelStateExport[] = "LowLevelState";
