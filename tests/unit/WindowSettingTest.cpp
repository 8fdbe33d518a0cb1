#include <gtest/gtest.h>

#include "settings/Windowsetting.h"

namespace {

TWindowSetting Rule(const std::string& cls, const std::string& exe, bool thisExeOnly) {
  TWindowSetting s;
  s.ClassName = cls;
  s.ExeName = exe;
  s.ThisExeOnly = thisExeOnly;
  return s;
}

TEST(WindowSetting, DeliveryChoicesExcludeEachOther) {
  TWindowSetting s;
  s.SetSendScrollMsgOnly(true);
  s.SetSendWheelMsgOnly(true);
  EXPECT_FALSE(s.SendScrollMsgOnly());
  EXPECT_TRUE(s.SendWheelMsgOnly());
  s.SetSendScrollMsgOnly(false);  // clearing one leaves the other
  EXPECT_TRUE(s.SendWheelMsgOnly());
  s.SetSendScrollMsgOnly(true);
  EXPECT_TRUE(s.SendScrollMsgOnly());
  EXPECT_FALSE(s.SendWheelMsgOnly());
}

TEST(WindowSetting, EqualityComparesEveryField) {
  const TWindowSetting base = Rule("EDIT", "A.EXE", false);
  std::vector<TWindowSetting> changed(10, base);
  changed[0].ClassName = "edit";
  changed[1].Ignore = true;
  changed[2].SetSendScrollMsgOnly(true);
  changed[3].SetSendWheelMsgOnly(true);
  changed[4].NonActiveScrollIdent = true;
  changed[5].SetFocus = true;
  changed[6].SetFocusWithCursor = true;
  changed[7].ScrollLines = 1;
  changed[8].ThisExeOnly = true;
  changed[9].ExeName = "B.EXE";
  for (std::size_t i = 0; i < changed.size(); ++i) EXPECT_NE(base, changed[i]) << i;
  EXPECT_EQ(base, Rule("EDIT", "A.EXE", false));
}

TEST(WindowSettings, FindPrefersApplicationEntryThenClassWideThenDefaults) {
  TWindowSettings settings;
  TWindowSetting classWide = Rule("EDIT", "", false);
  classWide.ScrollLines = 5;
  settings.Put("EDIT", "", classWide);
  TWindowSetting own = Rule("EDIT", "NOTEPAD.EXE", true);
  own.Ignore = true;
  settings.Put("EDIT", "NOTEPAD.EXE", own);

  EXPECT_TRUE(settings.Find("EDIT", "NOTEPAD.EXE").Ignore);
  EXPECT_EQ(settings.Find("EDIT", "WORD.EXE").ScrollLines, 5);
  EXPECT_FALSE(settings.Find("EDIT", "WORD.EXE").Ignore);

  const TWindowSetting& none = settings.Find("LISTBOX", "WORD.EXE");
  EXPECT_EQ(none.ClassName, "LISTBOX");
  EXPECT_EQ(none.ExeName, "WORD.EXE");
  EXPECT_EQ(none.ScrollLines, 0);
  EXPECT_FALSE(none.Ignore);
  // Names are compared exactly: callers upper-case them.
  EXPECT_EQ(settings.Find("Edit", "WORD.EXE").ScrollLines, 0);
}

TEST(WindowSettings, ClassWithOnlyApplicationEntriesGivesDefaultsElsewhere) {
  TWindowSettings settings;
  TWindowSetting own = Rule("EDIT", "A.EXE", true);  // all defaults but the switch
  settings.Put("EDIT", "A.EXE", own);
  EXPECT_TRUE(settings.Find("EDIT", "A.EXE").ThisExeOnly);
  EXPECT_FALSE(settings.Find("EDIT", "B.EXE").ThisExeOnly);
}

TEST(WindowSettings, TurningThisExeOnlyOffMakesTheSettingClassWide) {
  TWindowSettings settings;
  TWindowSetting own = Rule("EDIT", "A.EXE", true);
  own.ScrollLines = 2;
  settings.Put("EDIT", "A.EXE", own);
  TWindowSetting wide = own;
  wide.ThisExeOnly = false;
  wide.ScrollLines = 4;
  settings.Put("EDIT", "A.EXE", wide);
  EXPECT_EQ(settings.Find("EDIT", "A.EXE").ScrollLines, 4);
  EXPECT_EQ(settings.Find("EDIT", "B.EXE").ScrollLines, 4);
  EXPECT_EQ(settings.Find("EDIT", "B.EXE").ExeName, "A.EXE");  // copied as it was
}

TEST(WindowSettings, DefaultClassWideSettingDropsTheEntry) {
  TWindowSettings settings;
  TWindowSetting wide = Rule("EDIT", "", false);
  wide.SetFocus = true;
  settings.Put("EDIT", "", wide);
  TWindowSetting own = Rule("EDIT", "A.EXE", true);
  own.Ignore = true;
  settings.Put("EDIT", "A.EXE", own);

  settings.Put("EDIT", "", Rule("EDIT", "", false));
  EXPECT_FALSE(settings.Find("EDIT", "B.EXE").SetFocus);
  EXPECT_TRUE(settings.Find("EDIT", "A.EXE").Ignore);  // other entries stay

  // Dropping the last entry through its application removes the class.
  settings.Put("EDIT", "A.EXE", Rule("EDIT", "A.EXE", false));
  EXPECT_FALSE(settings.Find("EDIT", "A.EXE").Ignore);
}

TEST(WindowSettings, ClearRemovesEverything) {
  TWindowSettings settings;
  TWindowSetting s = Rule("EDIT", "", false);
  s.Ignore = true;
  settings.Put("EDIT", "", s);
  settings.Clear();
  EXPECT_FALSE(settings.Find("EDIT", "").Ignore);
}

}  // namespace
