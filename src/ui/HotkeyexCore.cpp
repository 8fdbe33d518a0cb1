#include "ui/HotkeyexCore.h"

namespace {

constexpr std::uint16_t VkPrior = 0x21;
constexpr std::uint16_t VkDown = 0x28;
constexpr std::uint16_t VkInsert = 0x2D;

std::uint16_t MakeHotKey(std::uint16_t key, std::uint8_t flags) {
  return static_cast<std::uint16_t>((key & 0xFF) | (flags << 8));
}

}  // namespace

bool IsNavigationKey(std::uint16_t key) {
  return (key >= VkPrior && key <= VkDown) || key == VkInsert || key == VkDelete;
}

bool IsInterceptedKey(std::uint16_t key) {
  return key == VkBack || key == VkTab || key == VkReturn || key == VkEscape || key == VkSpace ||
         key == VkDelete;
}

std::uint8_t HeldModifierFlags(bool alt, bool shift, bool control) {
  return static_cast<std::uint8_t>((alt ? HotKeyFlagAlt : 0) | (shift ? HotKeyFlagShift : 0) |
                                   (control ? HotKeyFlagControl : 0));
}

std::uint16_t InterceptedHotKey(std::uint8_t key, std::uint8_t flags) {
  if (key == VkDelete) flags |= HotKeyFlagExt;
  return MakeHotKey(key, flags);
}

std::uint16_t HotKeyFromKeyStroke(std::uint16_t keyStroke) {
  const std::uint16_t key = keyStroke & KeyStrokeKeyMask;
  std::uint8_t flags = static_cast<std::uint8_t>(
      ((keyStroke & KeyStrokeShift) ? HotKeyFlagShift : 0) |
      ((keyStroke & KeyStrokeCtrl) ? HotKeyFlagControl : 0) |
      ((keyStroke & KeyStrokeAlt) ? HotKeyFlagAlt : 0));
  // Without the flag the control names the keypad twin (Num 4 for Left).
  if (IsNavigationKey(key)) flags |= HotKeyFlagExt;
  return MakeHotKey(key, flags);
}

std::uint16_t KeyStrokeFromHotKey(std::uint16_t hotKey) {
  const std::uint16_t flags = (hotKey >> 8) & (HotKeyFlagShift | HotKeyFlagControl | HotKeyFlagAlt);
  return static_cast<std::uint16_t>((hotKey & 0xFF) | (flags << 13));
}
