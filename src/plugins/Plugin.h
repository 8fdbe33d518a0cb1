// The plug-in host's view of a plug-in action: the record an action receives.
#pragma once

#include <cstddef>
#include <cstdint>

#include "shared/VorlixData.h"

// Handed to a plug-in's "Action" export by pointer; plug-ins compiled by
// anyone rely on this exact 16-byte layout.
struct TActionParam {
  std::int32_t X;           // cursor, screen coordinates
  std::int32_t Y;
  std::uint16_t KeyState;   // MK_* bits as in the notification
  std::int16_t Notches;     // wheel delta / 120, toward zero; 0 for a press
  Wnd Window;               // the window under the cursor
};

static_assert(sizeof(TActionParam) == 16, "TActionParam is 16 bytes");
static_assert(offsetof(TActionParam, X) == 0, "X offset");
static_assert(offsetof(TActionParam, Y) == 4, "Y offset");
static_assert(offsetof(TActionParam, KeyState) == 8, "KeyState offset");
static_assert(offsetof(TActionParam, Notches) == 10, "Notches offset");
static_assert(offsetof(TActionParam, Window) == 12, "Window offset");
