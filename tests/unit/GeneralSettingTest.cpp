#include <gtest/gtest.h>

#include "MemoryStore.h"
#include "settings/Generalsetting.h"

namespace {

const char S[] = "GeneralSetting";

TEST(GeneralSetting, MissingSectionLoadsDefaults) {
  MemoryStore store;
  TGeneralSetting s;
  s.ScrollLines = 9;
  s.SendScrollMsgOnly = true;
  s.CtrlWheelIgnore = s.ShiftWheelIgnore = s.CtrlShiftWheelNonActiveScroll = false;
  s.LoadFrom(store);
  EXPECT_EQ(s.ScrollLines, 3);
  EXPECT_FALSE(s.SendScrollMsgOnly);
  EXPECT_TRUE(s.CtrlWheelIgnore);
  EXPECT_TRUE(s.ShiftWheelIgnore);
  EXPECT_TRUE(s.CtrlShiftWheelNonActiveScroll);
}

TEST(GeneralSetting, SavesKeysInOrderWithoutErasing) {
  MemoryStore store;
  store.WriteString(S, "Other", "kept");
  store.Writes.clear();
  TGeneralSetting s;
  s.ScrollLines = 7;
  s.SendScrollMsgOnly = true;
  s.ShiftWheelIgnore = false;
  s.SaveTo(store);
  EXPECT_EQ(store.Writes, (std::vector<std::string>{
                              "GeneralSetting|ScrollLines=7",
                              "GeneralSetting|SendScrollMsgOnly=1",
                              "GeneralSetting|CtrlWheelIgnore=1",
                              "GeneralSetting|ShiftWheelIgnore=0",
                              "GeneralSetting|CtrlShiftWheelNonActiveScroll=1",
                          }));
  EXPECT_EQ(store.ReadString(S, "Other", ""), "kept");
}

TEST(GeneralSetting, RoundTripReproducesEveryField) {
  MemoryStore store;
  TGeneralSetting saved;
  saved.ScrollLines = -4;
  saved.SendScrollMsgOnly = true;
  saved.CtrlWheelIgnore = false;
  saved.ShiftWheelIgnore = false;
  saved.CtrlShiftWheelNonActiveScroll = false;
  saved.SaveTo(store);
  TGeneralSetting loaded;
  loaded.LoadFrom(store);
  EXPECT_EQ(loaded.ScrollLines, -4);
  EXPECT_TRUE(loaded.SendScrollMsgOnly);
  EXPECT_FALSE(loaded.CtrlWheelIgnore);
  EXPECT_FALSE(loaded.ShiftWheelIgnore);
  EXPECT_FALSE(loaded.CtrlShiftWheelNonActiveScroll);
}

TEST(GeneralSetting, StoredValuesAreTakenUnclampedAndBadOnesDefault) {
  MemoryStore store;
  TGeneralSetting s;
  store.WriteString(S, "ScrollLines", "25");
  store.WriteString(S, "CtrlWheelIgnore", "2");
  store.WriteString(S, "ShiftWheelIgnore", "0");
  store.WriteString(S, "SendScrollMsgOnly", "yes");
  store.WriteString(S, "CtrlShiftWheelNonActiveScroll", "");
  s.LoadFrom(store);
  EXPECT_EQ(s.ScrollLines, 25);
  EXPECT_TRUE(s.CtrlWheelIgnore);
  EXPECT_FALSE(s.ShiftWheelIgnore);
  EXPECT_FALSE(s.SendScrollMsgOnly);  // not a number: default
  EXPECT_TRUE(s.CtrlShiftWheelNonActiveScroll);

  for (const char* bad : {"", "three", "3.5", " ", "99999999999"}) {
    store.WriteString(S, "ScrollLines", bad);
    s.LoadFrom(store);
    EXPECT_EQ(s.ScrollLines, 3) << '"' << bad << '"';
  }
  store.WriteString(S, "ScrollLines", "0");
  s.LoadFrom(store);
  EXPECT_EQ(s.ScrollLines, 0);
}

TEST(GeneralSetting, ResetAndAssign) {
  TGeneralSetting a;
  a.ScrollLines = 8;
  a.CtrlWheelIgnore = false;
  TGeneralSetting b;
  b.Assign(a);
  EXPECT_EQ(b.ScrollLines, 8);
  EXPECT_FALSE(b.CtrlWheelIgnore);
  b.Reset();
  EXPECT_EQ(b.ScrollLines, 3);
  EXPECT_TRUE(b.CtrlWheelIgnore);
}

TEST(SettingInteger, DecimalAndBothHexForms) {
  EXPECT_EQ(ParseSettingInteger("42", -1), 42);
  EXPECT_EQ(ParseSettingInteger("-42", -1), -42);
  EXPECT_EQ(ParseSettingInteger("+7", -1), 7);
  EXPECT_EQ(ParseSettingInteger("0x1F", -1), 31);
  EXPECT_EQ(ParseSettingInteger("0X1f", -1), 31);
  EXPECT_EQ(ParseSettingInteger("$511", -1), 1297);
  EXPECT_EQ(ParseSettingInteger("$FFFFFFFF", 0), -1);
  EXPECT_EQ(ParseSettingInteger("2147483647", 0), 2147483647);
  EXPECT_EQ(ParseSettingInteger("-2147483648", 0), INT32_MIN);
}

TEST(SettingInteger, AnythingElseGivesTheDefault) {
  for (const char* bad : {"", "0x", "$", "-", "+", "0xG", "$1FFFFFFFF", "12a", " 12", "12 ",
                          "2147483648", "-2147483649", "1e3"})
    EXPECT_EQ(ParseSettingInteger(bad, -5), -5) << '"' << bad << '"';
  // "0x" needs a third character to be hexadecimal; "0" alone is decimal.
  EXPECT_EQ(ParseSettingInteger("0", -5), 0);
}

TEST(SettingStoreBooleans, WrittenAsOneAndZeroReadAsNonZero) {
  MemoryStore store;
  store.WriteBool("S", "T", true);
  store.WriteBool("S", "F", false);
  EXPECT_EQ(store.ReadString("S", "T", ""), "1");
  EXPECT_EQ(store.ReadString("S", "F", ""), "0");
  store.WriteString("S", "Hex", "0x10");
  EXPECT_TRUE(store.ReadBool("S", "Hex", false));
  EXPECT_TRUE(store.ReadBool("S", "Missing", true));
  EXPECT_FALSE(store.ReadBool("S", "Missing", false));
}

}  // namespace
