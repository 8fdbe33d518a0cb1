// The setting stores and the start-up load under the real registry and
// profile functions: what lands in the key and in a file, what damaged or
// foreign contents read as, and what start-up asks and writes.
#include <gtest/gtest.h>

#include <shlwapi.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <fstream>
#include <iterator>

#include "MemoryStore.h"
#include "PeerProcess.h"
#include "SettingErrors.h"
#include "settings/IniFileStore.h"
#include "settings/RegistryStore.h"
#include "settings/SettingPrompt.h"
#include "platform/ProgramFolder.h"
#include "settings/Vorlixsetting.h"

namespace {

std::string KeyOf(const std::string& section) {
  return std::string(RegistryStore::KeyPath) + "\\" + section;
}

// A value below the Vorlix key as "DWORD <n>", "SZ <text>", "type <n>" or "missing".
std::string Raw(const std::string& section, const std::string& name) {
  TRegKey key;
  DWORD type = 0;
  char data[4096];
  DWORD size = sizeof data;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyOf(section).c_str(), 0, KEY_READ, key.Put()) ||
      RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                       &size))
    return "missing";
  std::int32_t number = 0;
  std::memcpy(&number, data, sizeof number);
  if (type == REG_DWORD) return "DWORD " + std::to_string(number);
  if (type == REG_SZ) return "SZ " + std::string(data, size > 0 ? size - 1 : 0);
  return "type " + std::to_string(type);
}

void SetRaw(const std::string& section, const std::string& name, DWORD type,
            const std::string& bytes) {
  TRegKey key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, KeyOf(section).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, key.Put(), nullptr), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), name.c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
}

std::string Dword(DWORD value) { return std::string(reinterpret_cast<char*>(&value), 4); }

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Crlf(const std::string& lines) {
  std::string text;
  for (char c : lines) text += c == '\n' ? "\r\n" : std::string(1, c);
  return text;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Every write of a save, in order: equal dumps mean equal settings.
std::vector<std::string> Dump(TVorlixSetting setting) {
  MemoryStore store;
  setting.SaveTo(store);
  return store.Writes;
}

// Every field off its default, a class-wide and an application's own window
// rule, and an application-wide and a class key setting whose slots take
// turns at None, Key and Other.
TVorlixSetting FullSetting() {
  TVorlixSetting s;
  TGeneralSetting& g = s.GeneralSetting;
  g.ScrollLines = 7;
  g.SendScrollMsgOnly = true;
  g.CtrlWheelIgnore = g.ShiftWheelIgnore = g.CtrlShiftWheelNonActiveScroll = false;
  TWindowSetting w;
  w.ClassName = "EDIT";
  w.Ignore = w.NonActiveScrollIdent = w.SetFocus = w.SetFocusWithCursor = true;
  w.SetSendWheelMsgOnly(true);
  w.ScrollLines = 5;
  s.WindowSettings.Put("EDIT", "", w);
  w = TWindowSetting();
  w.ClassName = "EDIT";
  w.ExeName = "NOTEPAD.EXE";
  w.ThisExeOnly = true;
  w.SetSendScrollMsgOnly(true);
  w.ScrollLines = -2;
  s.WindowSettings.Put("EDIT", "NOTEPAD.EXE", w);
  TKeySetting keys;
  keys.EnableKeySetting = true;
  for (int i = 0; i < KeyEventCount; ++i) {
    TKeyOperation& op = keys.Operations[static_cast<std::size_t>(i)];
    op.OperationType = static_cast<std::int8_t>(i % 3);
    if (i % 3 == 1) op.KeyStroke = static_cast<std::uint16_t>(0xE000 + i);
    if (i % 3 == 2) op.ActionName = "ソフト " + std::to_string(i);  // 0x5C in code page 932
  }
  TExeSetting app;
  app.SetExeName("notepad.exe");
  app.Ignore = true;
  app.PutKeySetting("", keys);
  keys.ThisWindowOnly = true;
  keys.EnableKeySetting = false;
  app.PutKeySetting("Edit", keys);
  s.ExeSettings.Put("notepad.exe", app);
  return s;
}

// Each test starts and ends without the Vorlix key, and with a folder of its
// own. A key that exists already belongs to a user of Vorlix: hands off.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (TVorlixSetting::RegistryKeyExists()) GTEST_SKIP() << "the Vorlix key exists already";
    Owned = true;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    Folder = std::string(temp) + "vorlix-settings";
    ASSERT_TRUE(CreateDirectoryA(Folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    if (!Owned) return;
    SHDeleteKeyA(HKEY_CURRENT_USER, RegistryStore::KeyPath);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(PathOf("*").c_str(), &found);
    do {
      SetFileAttributesA(PathOf(found.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(PathOf(found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_TRUE(RemoveDirectoryA(Folder.c_str()));
  }
  std::string PathOf(const std::string& name) const { return Folder + "\\" + name; }

 private:
  bool Owned = false;
  std::string Folder;
};

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
  const std::string app = "ExeSetting\\NOTEPAD.EXE", keys = app + "\\Window\\.\\KeySetting";
  const std::string expected[][3] = {
      {"GeneralSetting", "ScrollLines", "DWORD 7"},
      {"GeneralSetting", "CtrlWheelIgnore", "SZ 0"},
      {"WindowSetting\\.ClassNames", "EDIT/NOTEPAD.EXE", "SZ "},
      {"WindowSetting\\EDIT", "ExeName", "SZ "},
      {"WindowSetting\\EDIT", "SendWheelMsgOnly", "SZ 1"},
      {"WindowSetting\\EDIT/NOTEPAD.EXE", "ScrollLines", "DWORD -2"},
      {"ExeSetting\\.ExeNames", "NOTEPAD.EXE", "SZ "},
      {app, "Ignore", "SZ 1"},
      {app + "\\Window\\.ClassNames", ".", "SZ "},
      {app + "\\Window\\EDIT\\KeySetting", "ThisWindowOnly", "SZ 1"},
      {keys, "UpType", "DWORD 0"},
      {keys, "Up", "missing"},
      {keys, "Down", "DWORD 57345"},
      {keys, "LeftUp", "SZ ソフト 2"},
      {"Version", "SettingVersionNo", "DWORD 1297"},
  };
  for (const auto& value : expected) EXPECT_EQ(Raw(value[0], value[1]), value[2]) << value[0];
}

TEST_F(SettingsTest, RegistryValuesOfOtherTypesAndTexts) {
  SetRaw("GeneralSetting", "ScrollLines", REG_SZ, "12");
  SetRaw("GeneralSetting", "CtrlWheelIgnore", REG_DWORD, Dword(0));
  SetRaw("GeneralSetting", "ShiftWheelIgnore", REG_SZ, "0x0");  // decimal only: default
  TVorlixSetting s;
  s.LoadFromRegistry();
  EXPECT_EQ(s.GeneralSetting.ScrollLines, 12);
  EXPECT_FALSE(s.GeneralSetting.CtrlWheelIgnore);
  EXPECT_TRUE(s.GeneralSetting.ShiftWheelIgnore);
  s.GeneralSetting.ScrollLines = 6;
  s.SaveToRegistry();
  EXPECT_EQ(Raw("GeneralSetting", "ScrollLines"), "SZ 6");  // text stays text

  EXPECT_FALSE(TVorlixSetting::RegistryVersionMatches());  // version 0 was read and saved
  SetRaw("Version", "SettingVersionNo", REG_DWORD, Dword(1297));
  EXPECT_TRUE(TVorlixSetting::RegistryVersionMatches());
  SetRaw("Version", "SettingVersionNo", REG_BINARY, Dword(1297));
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
  keys.Operations[KeyEventUp].OperationType = TKeyOperation::Key;
  keys.Operations[KeyEventUp].KeyStroke = 0x4041;
  keys.Operations[KeyEventDown].OperationType = TKeyOperation::Other;
  keys.Operations[KeyEventDown].ActionName = "Double Click";
  app.PutKeySetting("", keys);
  s.ExeSettings.Put("A.EXE", app);
  s.SaveToFile(PathOf("s.vxs"));
  EXPECT_EQ(ReadBytes(PathOf("s.vxs")),
            Crlf("[GeneralSetting]\nScrollLines=7\nSendScrollMsgOnly=0\nCtrlWheelIgnore=1\n"
                 "ShiftWheelIgnore=1\nCtrlShiftWheelNonActiveScroll=1\n"
                 "[WindowSetting\\EDIT]\nClassName=EDIT\nExeName=\nIgnore=1\n"
                 "SendScrollMsgOnly=0\nSendWheelMsgOnly=0\nNonActiveScrollIdent=0\nSetFocus=0\n"
                 "SetFocusWithCursor=0\nThisExeOnly=0\nScrollLines=0\n"
                 "[WindowSetting\\.ClassNames]\nEDIT=\n"
                 "[ExeSetting\\A.EXE]\nExeName=A.EXE\nIgnore=0\n"
                 "[ExeSetting\\A.EXE\\Window\\.\\KeySetting]\n"
                 "UpType=1\nUp=16449\nDownType=2\nDown=Double Click\nLeftUpType=0\n"
                 "LeftDownType=0\nRightUpType=0\nRightDownType=0\nMiddleButtonDownType=0\n"
                 "MiddleUpType=0\nMiddleDownType=0\nX1ButtonDownType=0\nX1UpType=0\n"
                 "X1DownType=0\nX2ButtonDownType=0\nX2UpType=0\nX2DownType=0\nCtrlUpType=0\n"
                 "CtrlDownType=0\nShiftUpType=0\nShiftDownType=0\n"
                 "EnableKeySetting=0\nThisWindowOnly=0\n"
                 "[ExeSetting\\A.EXE\\Window\\.ClassNames]\n.=\n"
                 "[ExeSetting\\.ExeNames]\nA.EXE=\n"
                 "[Version]\nSettingVersionNo=1297\n"));
}

// The shipped file is a save of the defaults. A relative name is taken in
// the current folder.
TEST_F(SettingsTest, ShippedDefaultFileIsASaveOfTheDefaults) {
  const std::string shipped = TVorlixSetting::DefaultFilePath();
  EXPECT_EQ(shipped.substr(shipped.size() - 12), "\\default.vxs");
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(PathOf("").c_str()));
  TVorlixSetting().SaveToFile("reset.vxs");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(ReadBytes(PathOf("reset.vxs")), ReadBytes(shipped));
}

TEST_F(SettingsTest, FileSaveReplacesTheWholeFileOrNothing) {
  const std::string path = PathOf("s.vxs");
  FullSetting().SaveToFile(path);
  TVorlixSetting().SaveToFile(path);  // no entry of the fuller save survives
  const std::string before = ReadBytes(path);
  EXPECT_EQ(before, ReadBytes(TVorlixSetting::DefaultFilePath()));

  TVorlixSetting bad = FullSetting();
  TExeSetting app;
  app.SetExeName("B.EXE");
  TKeySetting keys;
  keys.Operations[KeyEventRightUp].OperationType = 7;
  app.PutKeySetting("", keys);
  bad.ExeSettings.Put("B.EXE", app);
  EXPECT_EQ(SettingErrorOf([&] { bad.SaveToFile(path); }),
            " TKeyOperation::Save \nOperationTypeが変");
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(Exists(path + ".tmp"));

  const std::string missing = PathOf("missing\\s.vxs");
  EXPECT_EQ(SettingErrorOf([&] { FullSetting().SaveToFile(missing); }),
            "設定ファイルに書き込めませんでした\n" + missing + ".tmp");
  EXPECT_FALSE(Exists(PathOf("missing")));

  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(SettingErrorOf([&] { FullSetting().SaveToFile(path); }),
            "設定ファイルに書き込めませんでした\n" + path);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(SettingsTest, DamagedFilesLoadWhatIsReadable) {
  const std::string path = PathOf("damaged.vxs");
  WriteBytes(path, "garbage\n[GeneralSetting]\nScrollLines=twelve\nCtrlWheelIgnore=0x0\n"
                   "ShiftWheelIgnore\n=orphan\n[WindowSetting\\.ClassNames]\nEDIT=\n"
                   "[WindowSetting\\EDIT]\nClassName=EDIT\nSetFocus=$1\nScrollLines=" +
                       std::string(3000, '1') +
                       "\n[ExeSetting\\.ExeNames]\nA.EXE=\n"
                       "[ExeSetting\\A.EXE\\Window\\.ClassNames]\n.=\n"
                       "[ExeSetting\\A.EXE\\Window\\.\\KeySetting]\nUpType=2\nUp=" +
                       std::string(3000, 'a') + "\nDownType=1\nDown=0x10041\n[Vers");
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

  // Cut short, a file loses its version, so the dialog refuses it.
  FullSetting().SaveToFile(path);
  std::string whole = ReadBytes(path);
  WriteBytes(path, whole.substr(0, whole.size() / 2));
  s.LoadFromFile(path);
  EXPECT_EQ(s.GeneralSetting.ScrollLines, 7);
  EXPECT_FALSE(TVorlixSetting::FileVersionMatches(path));

  // A bad operation type stops the load and leaves the settings as they were.
  WriteBytes(path, whole.replace(whole.find("UpType=0"), 8, "UpType=3"));
  s = FullSetting();
  const std::vector<std::string> before = Dump(s);
  EXPECT_EQ(SettingErrorOf([&] { s.LoadFromFile(path); }),
            "TKeyOperation::Load\nOperationTypeが変");
  EXPECT_EQ(Dump(s), before);
}

class TScriptedPrompt : public TSettingPrompt {
 public:
  bool Answer = false;
  std::vector<std::string> Shown;  // "Ask|Warn title|text"
  bool Ask(const std::string& title, const std::string& text) override {
    Shown.push_back("Ask " + title + "|" + text);
    return Answer;
  }
  void Warn(const std::string& title, const std::string& text) override {
    Shown.push_back("Warn " + title + "|" + text);
  }
};

const char OldSettingsQuestion[] =
    "Ask Vorlix - 旧式の設定がレジストリに見つかりました|"
    "古いバージョン( 0.326以前 )の設定がレジストリにあります。\n"
    "この古い設定を引き継ぐには[いいえ]を押した後、設定ファイルコンバータに\n"
    "よって古い設定をあたらしい設定形式に変更してください\n\n"
    "古い設定を削除して、デフォルト設定を読み込みますか？";

TEST_F(SettingsTest, StartupWithoutKeyOrDefaultFileWarnsOnceThenStartsSilently) {
  const std::string missing = PathOf("default.vxs");
  TScriptedPrompt prompt;
  EXPECT_TRUE(TVorlixSetting().LoadAtStartup(prompt, missing));
  EXPECT_EQ(prompt.Shown, std::vector<std::string>{"Warn けいこく|<" + missing +
                          ">が\n見つからないため、デフォルトの設定はなされません。"});
  EXPECT_EQ(Raw("Version", "SettingVersionNo"), "DWORD 1297");
  EXPECT_EQ(Raw("GeneralSetting", "CtrlShiftWheelNonActiveScroll"), "SZ 1");

  SetRaw("GeneralSetting", "ScrollLines", REG_DWORD, Dword(6));
  TVorlixSetting next;
  EXPECT_TRUE(next.LoadAtStartup(prompt, missing));
  EXPECT_EQ(prompt.Shown.size(), 1u);
  EXPECT_EQ(next.GeneralSetting.ScrollLines, 6);
}

TEST_F(SettingsTest, StartupReplacesAKeyOfAnotherVersionOnlyWhenTheUserAgrees) {
  SetRaw("Version", "SettingVersionNo", REG_DWORD, Dword(1000));
  SetRaw("WindowSetting\\.ClassNames", "OLD", REG_SZ, "");
  const std::string defaults = PathOf("default.vxs");
  WriteBytes(defaults, "[GeneralSetting]\nScrollLines=7\n[Version]\nSettingVersionNo=1297\n");
  TScriptedPrompt prompt;
  TVorlixSetting live;
  EXPECT_FALSE(live.LoadAtStartup(prompt, defaults));
  EXPECT_EQ(prompt.Shown, std::vector<std::string>{OldSettingsQuestion});
  EXPECT_EQ(Raw("Version", "SettingVersionNo"), "DWORD 1000");
  EXPECT_EQ(Raw("GeneralSetting", "ScrollLines"), "missing");

  prompt.Answer = true;
  EXPECT_TRUE(live.LoadAtStartup(prompt, defaults));
  EXPECT_EQ(live.GeneralSetting.ScrollLines, 7);
  EXPECT_EQ(Raw("GeneralSetting", "ScrollLines"), "DWORD 7");
  EXPECT_EQ(Raw("Version", "SettingVersionNo"), "DWORD 1297");
  EXPECT_EQ(Raw("WindowSetting\\.ClassNames", "OLD"), "missing");
}

// Refused by the dialog, taken at start-up; the registry then holds version
// 0, so the next start asks again.
TEST_F(SettingsTest, StartupTakesADefaultFileWithoutVersionAndAsksNextTime) {
  const std::string defaults = PathOf("default.vxs");
  WriteBytes(defaults, "[GeneralSetting]\nScrollLines=8\n");
  EXPECT_FALSE(TVorlixSetting::FileVersionMatches(defaults));
  TScriptedPrompt prompt;
  EXPECT_TRUE(TVorlixSetting().LoadAtStartup(prompt, defaults));
  EXPECT_TRUE(prompt.Shown.empty());
  EXPECT_EQ(Raw("GeneralSetting", "ScrollLines"), "DWORD 8");
  EXPECT_EQ(Raw("Version", "SettingVersionNo"), "DWORD 0");
  EXPECT_FALSE(TVorlixSetting().LoadAtStartup(prompt, defaults));
  EXPECT_EQ(prompt.Shown, std::vector<std::string>{OldSettingsQuestion});
}

// Everything below the Vorlix key, value by value with type and bytes: equal
// snapshots mean that nothing was written.
void Snapshot(HKEY parent, const std::string& path, std::vector<std::string>& values) {
  TRegKey key;
  if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, key.Put())) return;
  char name[16384];
  std::vector<BYTE> data(1 << 20);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name, type = 0, size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key.Get(), i, name, &nameSize, nullptr, &type, data.data(), &size)) break;
    values.push_back(path + "|" + std::string(name, nameSize) + "|" + std::to_string(type) + "|" +
                     std::string(data.begin(), data.begin() + size));
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(key.Get(), i, name, &nameSize, nullptr, nullptr, nullptr, nullptr)) break;
    Snapshot(key.Get(), std::string(name, nameSize), values);
  }
}

std::vector<std::string> Snapshot() {
  std::vector<std::string> values;
  Snapshot(HKEY_CURRENT_USER, RegistryStore::KeyPath, values);
  return values;
}

std::vector<std::string> RegistryDump() {
  TVorlixSetting s;
  s.LoadFromRegistry();
  return Dump(s);
}

// Values of a type this program never writes, and texts that are no number:
// each reads as its default, start-up asks nothing and writes nothing.
TEST_F(SettingsTest, WrongTypedRegistryValuesReadAsDefaultsAndStayInTheKey) {
  const std::string keys = "ExeSetting\\NOTEPAD.EXE\\Window\\.\\KeySetting";
  const std::pair<std::string, std::string> targets[] = {
      {"GeneralSetting", "ScrollLines"},            // 7, default 3
      {"GeneralSetting", "SendScrollMsgOnly"},      // true, default false
      {"WindowSetting\\EDIT/NOTEPAD.EXE", "ScrollLines"},  // -2, default 0
      {keys, "DownType"},                           // Key, default None
      {keys, "EnableKeySetting"},                   // true, default false
      {"ExeSetting\\.ExeNames", "NOTEPAD.EXE"},     // an index: the name is what counts
  };
  const std::pair<DWORD, std::string> kinds[] = {
      {REG_BINARY, "\x04"},
      {REG_MULTI_SZ, std::string("4\0\0", 3)},
      {REG_DWORD, ""},
      {REG_DWORD, Dword(4) + Dword(0)},
      {REG_QWORD, Dword(4) + Dword(0)},
      {REG_DWORD_BIG_ENDIAN, Dword(4)},
      {REG_SZ, ""},
      {REG_SZ, "four"},
      {REG_SZ, std::string(1 << 20, '4')},
  };
  for (const auto& [type, bytes] : kinds) {
    SCOPED_TRACE("type " + std::to_string(type) + ", " + std::to_string(bytes.size()) + " bytes");
    SHDeleteKeyA(HKEY_CURRENT_USER, RegistryStore::KeyPath);
    FullSetting().SaveToRegistry();
    for (const auto& [section, name] : targets) SetRaw(section, name, type, bytes);
    const std::vector<std::string> stored = Snapshot();

    TScriptedPrompt prompt;
    TVorlixSetting s;
    EXPECT_TRUE(s.LoadAtStartup(prompt, PathOf("default.vxs")));
    EXPECT_TRUE(prompt.Shown.empty());
    EXPECT_EQ(Snapshot(), stored);
    EXPECT_EQ(s.GeneralSetting.ScrollLines, 3);
    EXPECT_FALSE(s.GeneralSetting.SendScrollMsgOnly);
    EXPECT_EQ(s.WindowSettings.Find("EDIT", "NOTEPAD.EXE").ScrollLines, 0);
    const TKeySetting& app = s.ExeSettings.Find("NOTEPAD.EXE").FindKeySetting("");
    EXPECT_EQ(app.Operations[KeyEventDown].OperationType, TKeyOperation::None);
    EXPECT_FALSE(app.EnableKeySetting);
    EXPECT_EQ(app.Operations[KeyEventLeftUp].ActionName, "ソフト 2");
  }
}

// A key whose settings cannot be loaded is the user's only copy of them.
TEST_F(SettingsTest, StartupReplacesUnreadableRegistrySettingsOnlyWhenTheUserAgrees) {
  FullSetting().SaveToRegistry();
  SetRaw("ExeSetting\\NOTEPAD.EXE\\Window\\EDIT\\KeySetting", "X2UpType", REG_SZ, "9");
  const std::vector<std::string> stored = Snapshot();
  const std::string defaults = PathOf("default.vxs");
  WriteBytes(defaults, "[GeneralSetting]\nScrollLines=8\n[Version]\nSettingVersionNo=1297\n");
  const std::string question = "Ask Vorlix - レジストリの設定を読み込めません|"
      "TKeyOperation::Load\nOperationTypeが変\n\n"
      "レジストリの設定を削除して、デフォルト設定を読み込みますか？\n"
      "[いいえ]を押すと、レジストリの設定はそのまま残し、デフォルト設定で動作します。";

  TScriptedPrompt prompt;
  TVorlixSetting kept;
  EXPECT_TRUE(kept.LoadAtStartup(prompt, defaults));
  EXPECT_EQ(prompt.Shown, std::vector<std::string>{question});
  EXPECT_EQ(kept.GeneralSetting.ScrollLines, 8);
  EXPECT_EQ(Snapshot(), stored);

  prompt.Answer = true;
  TVorlixSetting replaced;
  EXPECT_TRUE(replaced.LoadAtStartup(prompt, defaults));
  EXPECT_EQ(prompt.Shown.size(), 2u);
  EXPECT_EQ(RegistryDump(), Dump(replaced));
  EXPECT_EQ(Raw("ExeSetting\\.ExeNames", "NOTEPAD.EXE"), "missing");
}

// What the corpus of damaged setting files gives when the dialog loads one:
// empty when it loads, "version" when the version check refuses it, else
// the start of the error shown.
const std::pair<const char*, const char*> CorpusOutcomes[] = {
    {"bad-operation-type-low-byte.vxs", "TKeyOperation::Load"},
    {"bad-operation-type.vxs", "TKeyOperation::Load"},
    {"binary-around-sections.vxs", ""},
    {"binary-garbage.vxs", "version"},
    {"empty.vxs", "version"},
    {"extreme-numbers.vxs", ""},
    {"huge-values.vxs", ""},
    {"index-missing-and-duplicated.vxs", ""},
    {"line-without-end.vxs", ""},
    {"many-applications.vxs", "設定ファイルの項目が多すぎます"},
    {"many-class-entries.vxs", "設定ファイルの項目が多すぎます"},
    {"name-beginning-with-separator.vxs", "レジストリに保存できない名前があります"},
    {"name-too-deep.vxs", "レジストリに保存できない名前があります"},
    {"name-too-long.vxs", "レジストリに保存できない名前があります"},
    {"names-outside-code-page.vxs", ""},
    {"names-with-double-byte-characters.vxs", ""},  // 表 and ソ: trail byte 0x5C
    {"names-with-separators.vxs", ""},
    {"operation-type-extremes.vxs", ""},
    {"other-version.vxs", "version"},
    {"truncated-after-index.vxs", "version"},  // the version header runs into a cut line
    {"truncated-in-key-setting.vxs", "version"},
    {"utf16-byte-order-mark.vxs", ""},
    {"version-only.vxs", ""},
};

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE first = FindFirstFileA((ProgramFolder() + "corpus\\*.vxs").c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) return names;
  const TFindHandle search(first);
  do names.push_back(found.cFileName);
  while (FindNextFileA(search.Get(), &found));
  return names;
}

// Whether name is text of the code page. Wine keeps a key named otherwise
// (one ending in a lone lead byte) where no function can open or delete it.
bool IsText(const std::string& name) {
  return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name.c_str(), -1, nullptr, 0) > 0;
}

// The sections and keys of a file's text as string values of the key, as
// far as the registry takes them.
void CopyToRegistry(const std::string& text) {
  MemoryStore file;
  file.LoadIniText(text);
  for (const auto& [section, keys] : file.Sections) {
    TRegKey key;
    if (!IsText(section) ||
        RegCreateKeyExA(HKEY_CURRENT_USER, KeyOf(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, key.Put(), nullptr))
      continue;
    for (const auto& [name, value] : keys)
      RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
  }
}

// Each damaged file, loaded by the dialog's button, as the default file at
// start-up, and written into the key that start-up reads. Whatever the
// file holds: the live settings and the key agree afterwards, a refused
// load changes neither, and the key changes only when the user agrees.
TEST_F(SettingsTest, DamagedFilesAreRefusedWholeOrLoadedWhereverTheyComeFrom) {
  const std::vector<std::string> files = CorpusFiles();
  ASSERT_EQ(files.size(), std::size(CorpusOutcomes));
  for (const auto& [name, outcome] : CorpusOutcomes) {
    SCOPED_TRACE(name);
    const std::string path = ProgramFolder() + "corpus\\" + name;
    SHDeleteKeyA(HKEY_CURRENT_USER, RegistryStore::KeyPath);

    // The load button: the version check, the load, the registry.
    TVorlixSetting live = FullSetting();
    live.SaveToRegistry();
    const std::vector<std::string> before = Dump(live);
    const std::vector<std::string> stored = Snapshot();
    std::string result;
    if (!TVorlixSetting::FileVersionMatches(path)) {
      result = "version";
    } else {
      result = SettingErrorOf([&] {
        live.LoadFromFile(path);
        live.SaveToRegistry();
      });
      if (result == "<none>") result.clear();
    }
    EXPECT_EQ(result.substr(0, std::strlen(outcome)), outcome);
    EXPECT_EQ(result.empty(), std::strlen(outcome) == 0) << result;
    if (!result.empty()) {
      EXPECT_EQ(Dump(live), before);
      EXPECT_EQ(Snapshot(), stored);
    }
    EXPECT_EQ(RegistryDump(), Dump(live));

    // The default file at start-up, without a key: its version is not
    // compared, and one that cannot be loaded counts as missing.
    SHDeleteKeyA(HKEY_CURRENT_USER, RegistryStore::KeyPath);
    TScriptedPrompt prompt;
    TVorlixSetting started;
    EXPECT_TRUE(started.LoadAtStartup(prompt, path));
    const bool refused = result != "" && result != "version";
    EXPECT_EQ(prompt.Shown.size(), refused ? 1u : 0u);
    if (refused) {
      EXPECT_EQ(Dump(started), Dump(TVorlixSetting()));
    }
    EXPECT_EQ(RegistryDump(), Dump(started));

    // The same contents in the key: left alone on No, replaced on Yes.
    SHDeleteKeyA(HKEY_CURRENT_USER, RegistryStore::KeyPath);
    CopyToRegistry(ReadBytes(path));
    const std::vector<std::string> copied = Snapshot();
    prompt.Shown.clear();
    TVorlixSetting declined;
    declined.LoadAtStartup(prompt, PathOf("default.vxs"));
    if (!copied.empty()) {
      EXPECT_EQ(Snapshot(), copied);
    }
    prompt.Answer = true;
    TVorlixSetting agreed;
    EXPECT_TRUE(agreed.LoadAtStartup(prompt, PathOf("default.vxs")));
    EXPECT_EQ(RegistryDump(), Dump(agreed));
  }
}

}  // namespace
