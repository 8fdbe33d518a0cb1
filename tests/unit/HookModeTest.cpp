// The choice between the low-level mouse hook and the message hook.
#include <gtest/gtest.h>

#include "host/HookMode.h"
#include "host/HookWatchdog.h"

namespace {

TEST(HookModeTest, SystemDecidesWhenTheModeIsZero) {
  EXPECT_FALSE(UsesLowLevelHook(0, OsWindows95, 0));
  EXPECT_FALSE(UsesLowLevelHook(0, OsWindows98, 0));
  EXPECT_FALSE(UsesLowLevelHook(0, OsWindowsNT4, 2)) << "WH_MOUSE_LL came with service pack 3";
  EXPECT_TRUE(UsesLowLevelHook(0, OsWindowsNT4, 3));
  EXPECT_TRUE(UsesLowLevelHook(0, OsWindowsNT4, 'a' - '0')) << "\"Service Pack 6a\"";
  EXPECT_TRUE(UsesLowLevelHook(0, OsWindows2000, 0));
  EXPECT_FALSE(UsesLowLevelHook(0, OsOther, 9));
}

TEST(HookModeTest, OneForcesTheLowLevelHookAndAnyOtherValueTheMessageHook) {
  EXPECT_TRUE(UsesLowLevelHook(1, OsWindows95, 0));
  EXPECT_FALSE(UsesLowLevelHook(2, OsWindows2000, 0));
  EXPECT_FALSE(UsesLowLevelHook(-1, OsWindows2000, 0));
}

// Each look is two seconds after the one before; input came at the time
// given, and the pointer is where it is given.
TEST(HookWatchdogTest, HookIsLostOnlyWhenInputMovedThePointerAndItWasNotCalled) {
  THookWatchdog watchdog;
  std::uint32_t now = 0xFFFFF000;  // the tick count wraps between the looks below
  auto look = [&](std::uint32_t inputAgo, TPoint cursor, std::uint32_t calls) {
    now += THookWatchdog::LookIntervalMs;
    return watchdog.HookLost(now, now - inputAgo, cursor, calls);
  };
  EXPECT_FALSE(look(10, {5, 5}, 0)) << "the first look has nothing to compare";
  EXPECT_FALSE(look(10, {9, 5}, 7)) << "moved, and the hook was called";
  EXPECT_TRUE(look(10, {9, 6}, 7));
  EXPECT_FALSE(look(10, {9, 6}, 7)) << "no move";
  EXPECT_FALSE(look(3000, {1, 1}, 7)) << "a program moved the pointer: no input since";
  EXPECT_TRUE(look(1990, {2, 1}, 7));
}

}  // namespace
