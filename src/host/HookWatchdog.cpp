#include "host/HookWatchdog.h"

// Since the last look: input came (a program moving the pointer is no
// input), the pointer is elsewhere, and the hook, which sees every move
// before the system makes it, reported nothing. Times are compared by
// their difference, which holds across the tick count's wrap.
bool THookWatchdog::HookLost(std::uint32_t now, std::uint32_t lastInput, TPoint cursor,
                             std::uint64_t reported) {
  const bool lost = Looked && reported == Reported &&
                    static_cast<std::int32_t>(lastInput - LookedAt) > 0 &&
                    (cursor.X != Cursor.X || cursor.Y != Cursor.Y);
  Looked = true;
  LookedAt = now;
  Cursor = cursor;
  Reported = reported;
  return lost;
}
