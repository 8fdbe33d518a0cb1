// The notification the hook library sends the main window for every mouse
// event it reports: the key state in the low word of wParam, the wheel delta
// (signed) in the high word, the window that would get the event in lParam.
// A wheel message's own wParam has the same layout.
#pragma once

#include <cstdint>

#include "shared/VorlixData.h"

// MK_* bits of the key state.
constexpr std::uint16_t KeyStateLeft = 0x0001;
constexpr std::uint16_t KeyStateRight = 0x0002;
constexpr std::uint16_t KeyStateShift = 0x0004;
constexpr std::uint16_t KeyStateControl = 0x0008;
constexpr std::uint16_t KeyStateMiddle = 0x0010;
constexpr std::uint16_t KeyStateX1 = 0x0020;
constexpr std::uint16_t KeyStateX2 = 0x0040;
// No MK_* bit: the turn is of the tilt wheel (WM_MOUSEHWHEEL), where a
// positive delta is to the right.
constexpr std::uint16_t KeyStateHorizontal = 0x1000;

// The extra information of the input Vorlix injects itself (key strokes,
// the double click); the low-level hook lets such events pass unreported,
// so that no action sets itself off. A plug-in whose action injects mouse
// input passes it too.
constexpr std::uint32_t OwnInputMarker = 0x56524C58;  // "VRLX"

// WM_MOUSEHWHEEL, which the headers of the oldest systems built for lack.
constexpr std::uint32_t WmMouseHWheel = 0x020E;

struct TWheelNotification {
  std::uint16_t KeyState = 0;
  std::int16_t WheelDelta = 0;
  Wnd TargetWnd = 0;

  static TWheelNotification Read(std::uintptr_t wParam, std::intptr_t lParam) {
    TWheelNotification n;
    n.KeyState = static_cast<std::uint16_t>(wParam & 0xFFFF);
    n.WheelDelta = static_cast<std::int16_t>((wParam >> 16) & 0xFFFF);
    n.TargetWnd = static_cast<Wnd>(lParam);
    return n;
  }

  std::uint32_t WParam() const {
    return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(WheelDelta)) << 16) | KeyState;
  }
};
