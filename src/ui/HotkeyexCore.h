// The key-stroke field's arithmetic, free of Win32: the 16-bit key-stroke
// word of a key operation against the hot key control's word (key code in
// the low byte, HOTKEYF_* flags in the high byte), and which keys the field
// takes from the dialog.
#pragma once

#include <cstdint>

#include "settings/Keysetting.h"

// The hot key control's modifier flags (HOTKEYF_*).
constexpr std::uint8_t HotKeyFlagShift = 0x1;
constexpr std::uint8_t HotKeyFlagControl = 0x2;
constexpr std::uint8_t HotKeyFlagAlt = 0x4;
constexpr std::uint8_t HotKeyFlagExt = 0x8;

// The virtual keys the field needs by name.
constexpr std::uint8_t VkBack = 0x08;
constexpr std::uint8_t VkTab = 0x09;
constexpr std::uint8_t VkReturn = 0x0D;
constexpr std::uint8_t VkEscape = 0x1B;
constexpr std::uint8_t VkSpace = 0x20;
constexpr std::uint8_t VkDelete = 0x2E;

// Page Up to Down arrow, Insert and Delete: the cursor-block keys that share
// their key codes with the numeric keypad.
bool IsNavigationKey(std::uint16_t key);

// Backspace, Tab, Enter, Esc, Space and Delete, which the dialog or the
// standard control would otherwise take for themselves.
bool IsInterceptedKey(std::uint16_t key);

// HOTKEYF_* flags of the modifier keys held.
std::uint8_t HeldModifierFlags(bool alt, bool shift, bool control);

// The control's word for an intercepted key typed with the flags held;
// Delete is the cursor block's.
std::uint16_t InterceptedHotKey(std::uint8_t key, std::uint8_t flags);

// The control's word that shows keyStroke (HKM_SETHOTKEY's wParam).
std::uint16_t HotKeyFromKeyStroke(std::uint16_t keyStroke);

// The key-stroke word of the control's word (HKM_GETHOTKEY's result); the
// extended flag has no bit there.
std::uint16_t KeyStrokeFromHotKey(std::uint16_t hotKey);
