#include "host/HookWatchdog.h"

// Since the last look: input came (a program moving the pointer is no
// input), the pointer is elsewhere, and the hook, which sees every move
// before the system makes it, was not called. Times are compared by
// their difference, which holds across the tick count's wrap.
bool THookWatchdog::HookLost(std::uint32_t now, std::uint32_t lastInput, TPoint cursor,
                             std::uint32_t calls) {
  const bool lost = Looked && calls == Calls &&
                    static_cast<std::int32_t>(lastInput - LookedAt) > 0 &&
                    (cursor.X != Cursor.X || cursor.Y != Cursor.Y);
  Looked = true;
  LookedAt = now;
  Cursor = cursor;
  Calls = calls;
  return lost;
}
