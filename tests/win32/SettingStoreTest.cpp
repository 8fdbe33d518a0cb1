// IniFileStore and RegistryStore under the real profile and registry
// functions, through TVorlixSetting: what lands in the file and the key, and
// what damaged or foreign contents read as.
#include <gtest/gtest.h>

#include "SettingErrors.h"
#include "SettingsFixture.h"
#include "settings/IniFileStore.h"

namespace {

std::string Crlf(const std::string& lines) {
  std::string text;
  for (char c : lines) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return text;
}

TEST_F(SettingsTest, BothStoresReproduceEverySetting) {
  TVorlixSetting saved = FullSetting();
  saved.SettingVersionNo = 4711;
  saved.SaveToRegistry();
  saved.SaveToFile(PathOf("all.vxs"));
  TVorlixSetting fromRegistry;
  fromRegistry.LoadFromRegistry();
  TVorlixSetting fromFile;
  fromFile.LoadFromFile(PathOf("all.vxs"));
  EXPECT_EQ(Dump(fromRegistry), Dump(saved));
  EXPECT_EQ(Dump(fromFile), Dump(saved));
  EXPECT_NE(Dump(TVorlixSetting()), Dump(saved));
}

TEST_F(SettingsTest, RegistryHoldsDwordIntegersAndStringBooleans) {
  FullSetting().SaveToRegistry();
  const std::string keys = "ExeSetting\\NOTEPAD.EXE\\Window\\.\\KeySetting";
  const std::string classKeys = "ExeSetting\\NOTEPAD.EXE\\Window\\EDIT\\KeySetting";
  const struct {
    std::string Section, Name, Value;
  } expected[] = {
      {"GeneralSetting", "ScrollLines", "DWORD 7"},
      {"GeneralSetting", "SendScrollMsgOnly", "SZ 1"},
      {"GeneralSetting", "CtrlWheelIgnore", "SZ 0"},
      {"WindowSetting\\.ClassNames", "EDIT", "SZ "},
      {"WindowSetting\\.ClassNames", "EDIT/NOTEPAD.EXE", "SZ "},
      {"WindowSetting\\EDIT", "ExeName", "SZ "},
      {"WindowSetting\\EDIT", "SendWheelMsgOnly", "SZ 1"},
      {"WindowSetting\\EDIT", "ScrollLines", "DWORD 5"},
      {"WindowSetting\\EDIT/NOTEPAD.EXE", "ExeName", "SZ NOTEPAD.EXE"},
      {"WindowSetting\\EDIT/NOTEPAD.EXE", "ScrollLines", "DWORD -2"},
      {"ExeSetting\\.ExeNames", "NOTEPAD.EXE", "SZ "},
      {"ExeSetting\\NOTEPAD.EXE", "ExeName", "SZ NOTEPAD.EXE"},
      {"ExeSetting\\NOTEPAD.EXE", "Ignore", "SZ 1"},
      {"ExeSetting\\NOTEPAD.EXE\\Window\\.ClassNames", ".", "SZ "},
      {"ExeSetting\\NOTEPAD.EXE\\Window\\.ClassNames", "EDIT", "SZ "},
      {keys, "UpType", "DWORD 0"},
      {keys, "Up", "missing"},
      {keys, "DownType", "DWORD 1"},
      {keys, "Down", "DWORD 57345"},
      {keys, "LeftUpType", "DWORD 2"},
      {keys, "LeftUp", "SZ ソフト 2"},
      {keys, "EnableKeySetting", "SZ 1"},
      {keys, "ThisWindowOnly", "SZ 0"},
      {classKeys, "ThisWindowOnly", "SZ 1"},
      {"Version", "SettingVersionNo", "DWORD 1297"},
  };
  for (const auto& value : expected)
    EXPECT_EQ(RawValue(value.Section, value.Name), value.Value)
        << value.Section << " " << value.Name;
}

TEST_F(SettingsTest, RegistryValuesOfOtherTypesAndTexts) {
  SetRawValue("GeneralSetting", "ScrollLines", REG_SZ, "12");
  SetRawValue("GeneralSetting", "CtrlWheelIgnore", REG_DWORD, DwordBytes(0));
  SetRawValue("GeneralSetting", "ShiftWheelIgnore", REG_SZ, "0x0");  // decimal only
  TVorlixSetting s;
  s.LoadFromRegistry();
  EXPECT_EQ(s.GeneralSetting.ScrollLines, 12);
  EXPECT_FALSE(s.GeneralSetting.CtrlWheelIgnore);
  EXPECT_TRUE(s.GeneralSetting.ShiftWheelIgnore);
  EXPECT_EQ(s.SettingVersionNo, 0);

  // An integer that someone stored as text stays text.
  s.GeneralSetting.ScrollLines = 6;
  s.SaveToRegistry();
  EXPECT_EQ(RawValue("GeneralSetting", "ScrollLines"), "SZ 6");

  for (const char* name : {"ScrollLines", "SendScrollMsgOnly"}) {
    SetRawValue("GeneralSetting", name, REG_BINARY, "\x01");
    const std::vector<std::string> before = Dump(s);
    EXPECT_EQ(SettingErrorOf([&] { s.LoadFromRegistry(); }),
              std::string("レジストリの値の型が違います\nGeneralSetting\\") + name);
    EXPECT_EQ(Dump(s), before);
    SetRawValue("GeneralSetting", name, REG_SZ, "1");
  }
  EXPECT_FALSE(TVorlixSetting::RegistryVersionMatches());  // version 0 was read and written back
  SetRawValue("Version", "SettingVersionNo", REG_DWORD, DwordBytes(1297));
  EXPECT_TRUE(TVorlixSetting::RegistryVersionMatches());
  SetRawValue("Version", "SettingVersionNo", REG_BINARY, DwordBytes(1297));
  EXPECT_FALSE(TVorlixSetting::RegistryVersionMatches());
}

TEST_F(SettingsTest, FileHoldsTheSectionsInTheOrderOfASave) {
  TVorlixSetting s;
  s.GeneralSetting.ScrollLines = 7;
  TWindowSetting edit;
  edit.ClassName = "EDIT";
  edit.Ignore = true;
  s.WindowSettings.Put("EDIT", "", edit);
  TExeSetting app;
  app.SetExeName("A.EXE");
  TKeySetting keys;
  keys.EnableKeySetting = true;
  keys.Operations[KeyEventUp].OperationType = TKeyOperation::Key;
  keys.Operations[KeyEventUp].KeyStroke = 0x4041;
  keys.Operations[KeyEventDown].OperationType = TKeyOperation::Other;
  keys.Operations[KeyEventDown].ActionName = "Double Click";
  app.PutKeySetting("", keys);
  s.ExeSettings.Put("A.EXE", app);
  s.SaveToFile(PathOf("s.vxs"));
  EXPECT_EQ(ReadBytes(PathOf("s.vxs")), Crlf(R"([GeneralSetting]
ScrollLines=7
SendScrollMsgOnly=0
CtrlWheelIgnore=1
ShiftWheelIgnore=1
CtrlShiftWheelNonActiveScroll=1
[WindowSetting\EDIT]
ClassName=EDIT
ExeName=
Ignore=1
SendScrollMsgOnly=0
SendWheelMsgOnly=0
NonActiveScrollIdent=0
SetFocus=0
SetFocusWithCursor=0
ThisExeOnly=0
ScrollLines=0
[WindowSetting\.ClassNames]
EDIT=
[ExeSetting\A.EXE]
ExeName=A.EXE
Ignore=0
[ExeSetting\A.EXE\Window\.\KeySetting]
UpType=1
Up=16449
DownType=2
Down=Double Click
LeftUpType=0
LeftDownType=0
RightUpType=0
RightDownType=0
MiddleButtonDownType=0
MiddleUpType=0
MiddleDownType=0
X1ButtonDownType=0
X1UpType=0
X1DownType=0
X2ButtonDownType=0
X2UpType=0
X2DownType=0
CtrlUpType=0
CtrlDownType=0
ShiftUpType=0
ShiftDownType=0
EnableKeySetting=1
ThisWindowOnly=0
[ExeSetting\A.EXE\Window\.ClassNames]
.=
[ExeSetting\.ExeNames]
A.EXE=
[Version]
SettingVersionNo=1297
)"));
}

// The file shipped beside the program is what a save of the defaults writes.
// A relative name is taken in the current folder.
TEST_F(SettingsTest, ShippedDefaultFileIsASaveOfTheDefaults) {
  const std::string shipped = TVorlixSetting::DefaultFilePath();
  EXPECT_EQ(shipped.substr(shipped.size() - 12), "\\default.vxs");
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(PathOf("").c_str()));
  TVorlixSetting().SaveToFile("reset.vxs");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(ReadBytes(PathOf("reset.vxs")), ReadBytes(shipped));
  EXPECT_TRUE(TVorlixSetting::FileVersionMatches(shipped));
}

TEST_F(SettingsTest, FileSaveReplacesTheWholeFileOrNothing) {
  const std::string path = PathOf("s.vxs");
  FullSetting().SaveToFile(path);
  TVorlixSetting().SaveToFile(path);
  EXPECT_EQ(ReadBytes(path), ReadBytes(TVorlixSetting::DefaultFilePath()));

  TVorlixSetting bad = FullSetting();
  TExeSetting app;
  app.SetExeName("B.EXE");
  TKeySetting keys;
  keys.Operations[KeyEventRightUp].OperationType = 7;
  app.PutKeySetting("", keys);
  bad.ExeSettings.Put("B.EXE", app);
  const std::string before = ReadBytes(path);
  EXPECT_EQ(SettingErrorOf([&] { bad.SaveToFile(path); }), " TKeyOperation::Save \nOperationTypeが変");
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(PathExists(path + ".tmp"));

  const std::string missing = PathOf("missing\\s.vxs");
  EXPECT_EQ(SettingErrorOf([&] { FullSetting().SaveToFile(missing); }),
            "設定ファイルに書き込めませんでした\n" + missing + ".tmp");
  EXPECT_FALSE(PathExists(PathOf("missing")));

  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(SettingErrorOf([&] { FullSetting().SaveToFile(path); }),
            "設定ファイルに書き込めませんでした\n" + path);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(PathExists(path + ".tmp"));
}

TEST_F(SettingsTest, DamagedFilesLoadWhatIsReadable) {
  const std::string path = PathOf("damaged.vxs");
  WriteBytes(path, "garbage before any section\r\n"
                   "[GeneralSetting]\r\n"
                   "ScrollLines=twelve\r\n"
                   "CtrlWheelIgnore=0x0\r\n"
                   "ShiftWheelIgnore\r\n"
                   "=orphan\r\n"
                   "[WindowSetting\\.ClassNames]\r\n"
                   "EDIT=\r\n"
                   "[WindowSetting\\EDIT]\r\n"
                   "ClassName=EDIT\r\n"
                   "SetFocus=$1\r\n"
                   "ScrollLines=" + std::string(3000, '1') + "\r\n"
                   "[ExeSetting\\.ExeNames]\nA.EXE=\n"
                   "[ExeSetting\\A.EXE\\Window\\.ClassNames]\n.=\n"
                   "[ExeSetting\\A.EXE\\Window\\.\\KeySetting]\n"
                   "UpType=2\nUp=" + std::string(3000, 'a') + "\n"
                   "DownType=1\nDown=0x10041\n"
                   "[Vers");
  TVorlixSetting s;
  s.LoadFromFile(path);
  EXPECT_EQ(s.GeneralSetting.ScrollLines, 3);
  EXPECT_FALSE(s.GeneralSetting.CtrlWheelIgnore);
  EXPECT_TRUE(s.GeneralSetting.ShiftWheelIgnore);
  const TWindowSetting edit = s.WindowSettings.Find("EDIT", "X.EXE");
  EXPECT_TRUE(edit.SetFocus);
  EXPECT_EQ(edit.ScrollLines, 0);  // 2047 digits: out of range
  const TKeySetting keys = s.ExeSettings.Find("A.EXE").FindKeySetting("EDIT");
  EXPECT_EQ(keys.Operations[KeyEventUp].ActionName, std::string(2047, 'a'));
  EXPECT_EQ(keys.Operations[KeyEventDown].KeyStroke, 0x41);
  EXPECT_EQ(s.SettingVersionNo, 0);
  EXPECT_FALSE(TVorlixSetting::FileVersionMatches(path));

  // A file cut short loses its version, so the dialog refuses it.
  FullSetting().SaveToFile(path);
  const std::string whole = ReadBytes(path);
  WriteBytes(path, whole.substr(0, whole.size() / 2));
  s.LoadFromFile(path);
  EXPECT_EQ(s.GeneralSetting.ScrollLines, 7);
  EXPECT_FALSE(TVorlixSetting::FileVersionMatches(path));

  // A bad operation type stops the load and leaves the settings as they were.
  std::string badType = whole;
  badType.replace(badType.find("UpType=0"), 8, "UpType=3");
  WriteBytes(path, badType);
  s = FullSetting();
  const std::vector<std::string> before = Dump(s);
  EXPECT_EQ(SettingErrorOf([&] { s.LoadFromFile(path); }), "TKeyOperation::Load\nOperationTypeが変");
  EXPECT_EQ(Dump(s), before);
}

}  // namespace
