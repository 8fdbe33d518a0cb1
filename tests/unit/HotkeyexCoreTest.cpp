#include <gtest/gtest.h>

#include <cstdint>

#include "ui/HotkeyexCore.h"

namespace {

TEST(HotkeyexCoreTest, EveryKeyStrokeSurvivesTheControlsWord) {
  for (std::uint16_t key = 0; key < 256; ++key)
    for (std::uint16_t modifiers = 0; modifiers < 8; ++modifiers) {
      const auto value = static_cast<std::uint16_t>(key | modifiers << 13);
      ASSERT_EQ(KeyStrokeFromHotKey(HotKeyFromKeyStroke(value)), value) << std::hex << value;
    }
}

TEST(HotkeyexCoreTest, ModifierBitsAndExtendedFlag) {
  EXPECT_EQ(HotKeyFromKeyStroke(0xE041), 0x0741);
  EXPECT_EQ(HotKeyFromKeyStroke(0x2041), 0x0141);
  // Alt with the left arrow of the cursor block.
  EXPECT_EQ(HotKeyFromKeyStroke(0x8025), (HotKeyFlagAlt | HotKeyFlagExt) << 8 | 0x25);
  // Only the low byte of a larger key code is shown, and 0x125 is not Left.
  EXPECT_EQ(HotKeyFromKeyStroke(0x0125), 0x0025);
  for (std::uint16_t key = 0; key < 256; ++key) {
    const bool navigation = (key >= 33 && key <= 40) || key == 45 || key == 46;
    EXPECT_EQ((HotKeyFromKeyStroke(key) >> 8 & HotKeyFlagExt) != 0, navigation) << key;
  }
}

TEST(HotkeyexCoreTest, TypedKeysWithHeldModifiers) {
  int intercepted = 0;
  for (std::uint16_t key = 0; key < 256; ++key) intercepted += IsInterceptedKey(key);
  EXPECT_EQ(intercepted, 6);
  for (std::uint8_t key : {VkBack, VkTab, VkReturn, VkEscape, VkSpace, VkDelete})
    EXPECT_TRUE(IsInterceptedKey(key)) << int(key);
  // Ctrl+Delete is the cursor block's Delete and reads back as 0x402E.
  const std::uint16_t typed = InterceptedHotKey(VkDelete, HeldModifierFlags(false, false, true));
  EXPECT_EQ(typed, HotKeyFromKeyStroke(0x402E));
  EXPECT_EQ(KeyStrokeFromHotKey(typed), 0x402E);
  EXPECT_EQ(InterceptedHotKey(VkTab, HeldModifierFlags(true, true, false)),
            (HotKeyFlagAlt | HotKeyFlagShift) << 8 | VkTab);
}

}  // namespace
