// Conversions between the 32-bit handle values stored in the shared record
// and the handle types of the API. Window and hook handles fit in 32 bits on
// every system the record is shared on.
#pragma once

#include <windows.h>

#include <cstdint>

#include "shared/VorlixData.h"

inline HWND ToHwnd(Wnd stored) noexcept {
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(stored));
}

inline Wnd ToWnd(HWND window) noexcept {
  return static_cast<Wnd>(reinterpret_cast<std::uintptr_t>(window));
}

inline HHOOK ToHhook(std::uint32_t stored) noexcept {
  return reinterpret_cast<HHOOK>(static_cast<std::uintptr_t>(stored));
}

inline std::uint32_t ToStored(HHOOK hook) noexcept {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(hook));
}
