#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryStore.h"
#include "settings/Exesetting.h"
#include "SettingErrors.h"

namespace {

const char Index[] = "ExeSetting\\.ExeNames";

TKeySetting Keys(bool enable, bool thisWindowOnly, std::uint16_t upStroke) {
  TKeySetting k;
  k.EnableKeySetting = enable;
  k.ThisWindowOnly = thisWindowOnly;
  k.Operations[KeyEventUp] = {TKeyOperation::Key, upStroke, ""};
  return k;
}

TExeSetting Ignored(const std::string& name) {
  TExeSetting e;
  e.SetExeName(name);
  e.Ignore = true;
  return e;
}

// The applications a save puts into the index, in its order.
std::vector<std::string> StoredNames(TExeSettings& all) {
  MemoryStore store;
  all.SaveTo(store);
  return store.ReadSectionKeys(Index);
}

TEST(ExeSetting, UnknownApplicationFindsEmptyDefaultsUnderItsUpperCasedName) {
  TExeSettings all;
  const TExeSetting& found = all.Find("notepad.exe");
  EXPECT_EQ(found.ExeName, "NOTEPAD.EXE");
  EXPECT_FALSE(found.Ignore);
  EXPECT_TRUE(found.WindowKeySettings.empty());
  EXPECT_EQ(found.FindKeySetting("Edit"), TKeySetting());
  EXPECT_EQ(all.Find("Calc.exe").ExeName, "CALC.EXE");
}

TEST(ExeSetting, EqualityAndAssignCoverNameIgnoreAndEveryEntry) {
  TExeSetting a = Ignored("App.exe");
  a.PutKeySetting("Edit", Keys(true, true, 0x41));
  TExeSetting b;
  b.Assign(a);
  EXPECT_EQ(b, a);
  b.ExeName = "app.exe";
  EXPECT_NE(b, a);
  b = a;
  b.WindowKeySettings.begin()->second.Operations[KeyEventUp].KeyStroke = 0x42;
  EXPECT_NE(b, a);
  b = a;
  b.WindowKeySettings.clear();
  b.WindowKeySettings["STATIC"] = a.WindowKeySettings.at("EDIT");
  EXPECT_NE(b, a);  // same size and content, another class
}

TEST(ExeSetting, KeySettingsAreFiledByThisWindowOnlyAndFoundCaseBlind) {
  TExeSetting e;
  EXPECT_EQ(e.FindKeySetting("EDIT"), TKeySetting());
  e.PutKeySetting("Edit", Keys(true, true, 1));
  e.PutKeySetting("", Keys(false, false, 2));
  EXPECT_EQ(e.FindKeySetting("edit"), Keys(true, true, 1));
  // The stored entry itself is handed out, not a copy.
  EXPECT_EQ(&e.FindKeySetting("eDIT"), &e.WindowKeySettings.at("EDIT"));
  // Disabled, the application-wide entry still applies to other classes.
  EXPECT_EQ(e.FindKeySetting("Static"), Keys(false, false, 2));

  // Not for this class only: the class's own entry goes, the application's is replaced.
  e.PutKeySetting("eDiT", Keys(true, false, 3));
  ASSERT_EQ(e.WindowKeySettings.size(), 1u);
  EXPECT_EQ(e.WindowKeySettings.at(""), Keys(true, false, 3));

  // A class entry that is not for this class only is passed over.
  e.WindowKeySettings["EDIT"] = Keys(true, false, 4);
  EXPECT_EQ(e.FindKeySetting("Edit"), Keys(true, false, 3));
}

TEST(ExeSettings, PutStoresCaseBlindAndDropsSettingsThatSayNothing) {
  TExeSettings all;
  all.Put("Foo.exe", Ignored("Foo.exe"));
  all.Put("bar.exe", Ignored("bar.exe"));
  EXPECT_TRUE(all.Find("foo.EXE").Ignore);
  EXPECT_EQ(&all.Find("foo.exe"), &all.Find("FOO.EXE"));

  TExeSetting s;
  s.SetExeName("foo.exe");
  s.PutKeySetting("", TKeySetting());  // disabled and all None, but present
  all.Put("FOO.exe", s);
  EXPECT_FALSE(all.Find("FOO.EXE").Ignore);
  EXPECT_EQ(StoredNames(all), (std::vector<std::string>{"BAR.EXE", "FOO.EXE"}));

  s.WindowKeySettings.clear();
  all.Put("foo.exe", s);
  EXPECT_EQ(StoredNames(all), std::vector<std::string>{"BAR.EXE"});

  // A name with lower-case letters left in it does not count as empty.
  TExeSetting unnamed;
  unnamed.ExeName = "baz.exe";
  all.Put("baz.exe", unnamed);
  EXPECT_EQ(StoredNames(all), (std::vector<std::string>{"BAR.EXE", "BAZ.EXE"}));
}

TEST(ExeSettings, SaveErasesAndWritesEachApplicationInOrderWithItsIndexKeyLast) {
  MemoryStore store;
  store.WriteString("ExeSetting", "Stale", "1");
  store.WriteString("ExeSetting\\A.EXE\\Window", "Stale", "1");
  store.Writes.clear();
  TExeSettings all;
  all.Put("b.exe", Ignored("b.exe"));
  TExeSetting a;
  a.PutKeySetting("Edit", Keys(true, true, 0x41));
  a.PutKeySetting("", Keys(true, false, 0x42));
  all.Put("A.exe", a);
  all.SaveTo(store);

  // Each key-setting section's run of writes folded into one line.
  std::vector<std::string> folded;
  for (const std::string& w : store.Writes) {
    const std::string section = w.substr(0, w.find('|'));
    const std::string line =
        section.find("\\KeySetting") == std::string::npos ? w : section + "|...";
    if (folded.empty() || folded.back() != line) folded.push_back(line);
  }
  EXPECT_EQ(folded, (std::vector<std::string>{
                        "ExeSetting\\A.EXE|ExeName=A.EXE",
                        "ExeSetting\\A.EXE|Ignore=0",
                        "ExeSetting\\A.EXE\\Window\\.\\KeySetting|...",
                        "ExeSetting\\A.EXE\\Window\\.ClassNames|.=",
                        "ExeSetting\\A.EXE\\Window\\EDIT\\KeySetting|...",
                        "ExeSetting\\A.EXE\\Window\\.ClassNames|EDIT=",
                        "ExeSetting\\.ExeNames|A.EXE=",
                        "ExeSetting\\B.EXE|ExeName=B.EXE",
                        "ExeSetting\\B.EXE|Ignore=1",
                        "ExeSetting\\.ExeNames|B.EXE=",
                    }));
  EXPECT_EQ(store.ReadString("ExeSetting\\A.EXE\\Window\\.\\KeySetting", "Up", ""), "66");
  EXPECT_FALSE(store.SectionExists("ExeSetting"));
  EXPECT_FALSE(store.SectionExists("ExeSetting\\A.EXE\\Window"));
}

TEST(ExeSettings, RoundTripReproducesEveryApplicationAndKeySetting) {
  TExeSettings saved;
  TExeSetting a;
  a.SetExeName("a.exe");
  // Filed under the empty name although ThisWindowOnly is set, so only the
  // mapping of "." brings it back there.
  a.PutKeySetting("", Keys(false, true, 0x10));
  TKeySetting edit = Keys(true, true, 0xC041);
  edit.Operations[KeyEventX2ButtonDown] = {TKeyOperation::Other, 0, "次のタブ"};
  a.PutKeySetting("Edit", edit);
  saved.Put("a.exe", a);
  saved.Put("b.exe", Ignored("b.exe"));
  MemoryStore store;
  saved.SaveTo(store);

  TExeSettings loaded;
  loaded.Put("stale.exe", Ignored("stale.exe"));
  loaded.LoadFrom(store);
  EXPECT_EQ(StoredNames(loaded), (std::vector<std::string>{"A.EXE", "B.EXE"}));
  EXPECT_EQ(loaded.Find("A.EXE"), a);
  EXPECT_EQ(loaded.Find("B.EXE"), Ignored("b.exe"));
}

TEST(ExeSettings, LoadTakesNamesFromTheIndexAndFilesKeySettingsByPut) {
  MemoryStore store;
  const std::string w = "ExeSetting\\NOTEPAD.EXE\\Window";
  store.WriteString(Index, "notepad.exe", "");
  store.WriteString(Index, "EMPTY.EXE", "");
  store.WriteString("ExeSetting\\NOTEPAD.EXE", "ExeName", "OTHER.EXE");
  for (const char* name : {".", "EDIT", "STATIC"}) store.WriteString(w + "\\.ClassNames", name, "");
  Keys(true, false, 1).SaveTo(store, w + "\\.");
  Keys(true, false, 2).SaveTo(store, w + "\\EDIT");  // not for EDIT only: the last such wins
  Keys(true, true, 3).SaveTo(store, w + "\\STATIC");

  TExeSettings all;
  all.LoadFrom(store);
  const TExeSetting& notepad = all.Find("Notepad.exe");
  EXPECT_EQ(notepad.ExeName, "NOTEPAD.EXE");
  ASSERT_EQ(notepad.WindowKeySettings.size(), 2u);
  EXPECT_EQ(notepad.WindowKeySettings.at(""), Keys(true, false, 2));
  EXPECT_EQ(notepad.FindKeySetting("static"), Keys(true, true, 3));
  EXPECT_EQ(StoredNames(all), std::vector<std::string>{"NOTEPAD.EXE"});  // EMPTY.EXE says nothing
}

TEST(ExeSettings, FailedLoadOrSaveKeepsEarlierApplications) {
  MemoryStore store;
  for (const char* name : {"A.EXE", "B.EXE", "C.EXE"}) store.WriteString(Index, name, "");
  store.WriteString("ExeSetting\\A.EXE", "Ignore", "1");
  store.WriteString("ExeSetting\\B.EXE\\Window\\.ClassNames", ".", "");
  store.WriteString("ExeSetting\\B.EXE\\Window\\.\\KeySetting", "DownType", "9");
  store.WriteString("ExeSetting\\C.EXE", "Ignore", "1");
  TExeSettings all;
  EXPECT_EQ(SettingErrorOf([&] { all.LoadFrom(store); }),
            "TKeyOperation::Load\nOperationTypeが変");
  EXPECT_EQ(StoredNames(all), std::vector<std::string>{"A.EXE"});

  TExeSetting b;
  b.PutKeySetting("", {});
  b.WindowKeySettings[""].Operations[KeyEventDown].OperationType = 4;
  all.Put("B.EXE", b);
  all.Put("C.EXE", Ignored("C.EXE"));
  MemoryStore out;
  EXPECT_EQ(SettingErrorOf([&] { all.SaveTo(out); }),
            " TKeyOperation::Save \nOperationTypeが変");
  EXPECT_EQ(out.ReadSectionKeys(Index), std::vector<std::string>{"A.EXE"});
  EXPECT_EQ(out.Writes.back(), "ExeSetting\\B.EXE\\Window\\.\\KeySetting|DownType=4");
  EXPECT_FALSE(out.SectionExists("ExeSetting\\C.EXE"));
}

}  // namespace
