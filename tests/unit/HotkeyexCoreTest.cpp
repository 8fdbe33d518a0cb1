#include <gtest/gtest.h>

#include <cstdint>

#include "ui/HotkeyexCore.h"

namespace {

constexpr std::uint16_t ModifierSets[] = {0, KeyStrokeShift, KeyStrokeCtrl, KeyStrokeAlt,
                                          KeyStrokeShift | KeyStrokeCtrl,
                                          KeyStrokeShift | KeyStrokeAlt,
                                          KeyStrokeCtrl | KeyStrokeAlt,
                                          KeyStrokeShift | KeyStrokeCtrl | KeyStrokeAlt};

TEST(HotkeyexCoreTest, EveryKeyStrokeSurvivesTheControlsWord) {
  for (std::uint16_t key = 0; key < 256; ++key)
    for (std::uint16_t modifiers : ModifierSets) {
      const std::uint16_t value = key | modifiers;
      ASSERT_EQ(KeyStrokeFromHotKey(HotKeyFromKeyStroke(value)), value) << std::hex << value;
    }
}

TEST(HotkeyexCoreTest, ModifierBitsMapToTheControlsFlags) {
  EXPECT_EQ(HotKeyFromKeyStroke(0x2041), 0x0141);
  EXPECT_EQ(HotKeyFromKeyStroke(0x4041), 0x0241);
  EXPECT_EQ(HotKeyFromKeyStroke(0x8041), 0x0441);
  EXPECT_EQ(KeyStrokeFromHotKey(0x0741), 0xE041);
}

TEST(HotkeyexCoreTest, OnlyNavigationKeysAreMarkedExtended) {
  for (std::uint16_t key = 0; key < 256; ++key) {
    const bool navigation = (key >= 33 && key <= 40) || key == 45 || key == 46;
    EXPECT_EQ((HotKeyFromKeyStroke(key) >> 8 & HotKeyFlagExt) != 0, navigation) << key;
  }
}

TEST(HotkeyexCoreTest, AltLeftArrowIsTheCursorBlocksArrow) {
  EXPECT_EQ(HotKeyFromKeyStroke(0x8025), (HotKeyFlagAlt | HotKeyFlagExt) << 8 | 0x25);
}

TEST(HotkeyexCoreTest, ExtendedFlagHasNoBitInTheKeyStroke) {
  EXPECT_EQ(KeyStrokeFromHotKey((HotKeyFlagControl | HotKeyFlagExt) << 8 | 0x2E), 0x402E);
}

TEST(HotkeyexCoreTest, KeyCodesAboveAByteKeepOnlyTheirLowByte) {
  // 0x125 is no navigation key although its low byte is Left.
  EXPECT_EQ(HotKeyFromKeyStroke(0x0125), 0x0025);
}

TEST(HotkeyexCoreTest, InterceptedKeysAreTheSixThatTheDialogTakes) {
  int count = 0;
  for (std::uint16_t key = 0; key < 256; ++key) count += IsInterceptedKey(key);
  EXPECT_EQ(count, 6);
  for (std::uint8_t key : {VkBack, VkTab, VkReturn, VkEscape, VkSpace, VkDelete})
    EXPECT_TRUE(IsInterceptedKey(key)) << int(key);
}

TEST(HotkeyexCoreTest, CtrlDeleteTypedReadsBackAs0x402E) {
  const std::uint16_t typed =
      InterceptedHotKey(VkDelete, HeldModifierFlags(false, false, true));
  EXPECT_EQ(typed >> 8 & HotKeyFlagExt, HotKeyFlagExt);
  EXPECT_EQ(KeyStrokeFromHotKey(typed), 0x402E);
  EXPECT_EQ(HotKeyFromKeyStroke(0x402E), typed);
}

TEST(HotkeyexCoreTest, HeldModifiersGiveTheirFlags) {
  EXPECT_EQ(HeldModifierFlags(false, false, false), 0);
  EXPECT_EQ(HeldModifierFlags(true, false, false), HotKeyFlagAlt);
  EXPECT_EQ(HeldModifierFlags(false, true, false), HotKeyFlagShift);
  EXPECT_EQ(HeldModifierFlags(true, true, true),
            HotKeyFlagAlt | HotKeyFlagShift | HotKeyFlagControl);
  // Only Delete of the six is a cursor-block key.
  EXPECT_EQ(InterceptedHotKey(VkTab, HotKeyFlagShift), HotKeyFlagShift << 8 | VkTab);
}

}  // namespace
