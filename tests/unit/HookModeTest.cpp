// The choice between the low-level mouse hook and the message hook.
#include <gtest/gtest.h>

#include "host/HookMode.h"

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

}  // namespace
