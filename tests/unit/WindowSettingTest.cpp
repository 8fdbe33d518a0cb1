#include <gtest/gtest.h>

#include "MemoryStore.h"
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

TEST(WindowSettings, SaveWritesIndexAndSectionsInOrder) {
  MemoryStore store;
  store.WriteString("WindowSetting", "Stale", "x");
  store.WriteString("WindowSetting\\EDIT/A.EXE", "Ignore", "1");  // left by an earlier save
  store.Writes.clear();

  TWindowSettings settings;
  TWindowSetting wide = Rule("EDIT", "A.EXE", false);  // put from an application's page
  wide.SetSendWheelMsgOnly(true);
  wide.ScrollLines = 4;
  settings.Put("EDIT", "A.EXE", wide);
  TWindowSetting own = Rule("EDIT", "B.EXE", true);
  own.Ignore = true;
  settings.Put("EDIT", "B.EXE", own);
  settings.SaveTo(store);

  EXPECT_FALSE(store.SectionExists("WindowSetting"));
  EXPECT_FALSE(store.SectionExists("WindowSetting\\EDIT/A.EXE"));
  EXPECT_EQ(store.Writes, (std::vector<std::string>{
                              "WindowSetting\\EDIT|ClassName=EDIT",
                              "WindowSetting\\EDIT|ExeName=",
                              "WindowSetting\\EDIT|Ignore=0",
                              "WindowSetting\\EDIT|SendScrollMsgOnly=0",
                              "WindowSetting\\EDIT|SendWheelMsgOnly=1",
                              "WindowSetting\\EDIT|NonActiveScrollIdent=0",
                              "WindowSetting\\EDIT|SetFocus=0",
                              "WindowSetting\\EDIT|SetFocusWithCursor=0",
                              "WindowSetting\\EDIT|ThisExeOnly=0",
                              "WindowSetting\\EDIT|ScrollLines=4",
                              "WindowSetting\\.ClassNames|EDIT=",
                              "WindowSetting\\EDIT/B.EXE|ClassName=EDIT",
                              "WindowSetting\\EDIT/B.EXE|ExeName=B.EXE",
                              "WindowSetting\\EDIT/B.EXE|Ignore=1",
                              "WindowSetting\\EDIT/B.EXE|SendScrollMsgOnly=0",
                              "WindowSetting\\EDIT/B.EXE|SendWheelMsgOnly=0",
                              "WindowSetting\\EDIT/B.EXE|NonActiveScrollIdent=0",
                              "WindowSetting\\EDIT/B.EXE|SetFocus=0",
                              "WindowSetting\\EDIT/B.EXE|SetFocusWithCursor=0",
                              "WindowSetting\\EDIT/B.EXE|ThisExeOnly=1",
                              "WindowSetting\\EDIT/B.EXE|ScrollLines=0",
                              "WindowSetting\\.ClassNames|EDIT/B.EXE=",
                          }));
  // Saving changes nothing it saves: the rule in memory keeps its name.
  EXPECT_EQ(settings.Find("EDIT", "C.EXE").ExeName, "A.EXE");
}

TEST(WindowSettings, RoundTripReproducesEveryField) {
  TWindowSettings saved;
  TWindowSetting a = Rule("AFX:100", "", false);
  a.SetSendScrollMsgOnly(true);
  a.NonActiveScrollIdent = a.SetFocus = a.SetFocusWithCursor = true;
  a.ScrollLines = 9;
  saved.Put("AFX:100", "", a);
  TWindowSetting b = Rule("AFX:100", "X.EXE", true);
  b.Ignore = true;
  b.SetSendWheelMsgOnly(true);
  b.ScrollLines = -2;
  saved.Put("AFX:100", "X.EXE", b);
  TWindowSetting c = Rule("Edit", "Y.EXE", true);  // all defaults but the switch
  saved.Put("Edit", "Y.EXE", c);

  MemoryStore store;
  saved.SaveTo(store);
  TWindowSettings loaded;
  TWindowSetting stale = Rule("OLD", "", false);
  stale.Ignore = true;
  loaded.Put("OLD", "", stale);
  loaded.LoadFrom(store);

  EXPECT_EQ(loaded.Find("AFX:100", "Z.EXE"), a);
  EXPECT_EQ(loaded.Find("AFX:100", "X.EXE"), b);
  EXPECT_EQ(loaded.Find("Edit", "Y.EXE"), c);
  EXPECT_FALSE(loaded.Find("OLD", "").Ignore);  // a load replaces, never merges
}

TEST(WindowSettings, LoadTakesNamesFromTheSectionsAndSettlesConflicts) {
  MemoryStore store;
  const std::string index = "WindowSetting\\.ClassNames";
  store.WriteString(index, "MISSING", "");  // no section: default, dropped
  store.WriteString(index, "LIST", "");
  store.WriteString("WindowSetting\\LIST", "ClassName", "LIST");
  store.WriteString("WindowSetting\\LIST", "SendScrollMsgOnly", "1");
  store.WriteString("WindowSetting\\LIST", "SendWheelMsgOnly", "1");
  store.WriteString("WindowSetting\\LIST", "ScrollLines", "lots");
  TWindowSettings loaded;
  loaded.LoadFrom(store);

  const TWindowSetting& list = loaded.Find("LIST", "");
  EXPECT_TRUE(list.SendWheelMsgOnly());
  EXPECT_FALSE(list.SendScrollMsgOnly());
  EXPECT_EQ(list.ScrollLines, 0);
  MemoryStore again;
  loaded.SaveTo(again);
  EXPECT_EQ(again.ReadSectionKeys(index), std::vector<std::string>{"LIST"});
}

}  // namespace
