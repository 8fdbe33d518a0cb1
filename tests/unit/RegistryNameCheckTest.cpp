// Which names a save into the registry key would be refused for, told
// before anything is written.
#include <gtest/gtest.h>

#include "SettingErrors.h"
#include "settings/Vorlixsetting.h"

namespace {

std::string CheckOf(const std::string& className, TLeadByteTest isLeadByte = AnsiIsLeadByte) {
  TVorlixSetting s;
  TWindowSetting w;
  w.ClassName = className;
  w.Ignore = true;
  s.WindowSettings.Put(className, "", w);
  return SettingErrorOf([&] { s.CheckRegistryNames(isLeadByte); });
}

std::string Levels(int count) {
  std::string name = "L";
  for (int i = 1; i < count; ++i) name += "\\L";
  return name;
}

TEST(RegistryNameCheck, RefusesNamesBeyondTheRegistrysLimits) {
  // A class-wide rule also erases the class's own rule for an application,
  // the section of the name followed by "/": that name must fit as well.
  EXPECT_EQ(CheckOf(std::string(254, 'C')), "<none>");
  EXPECT_EQ(CheckOf(std::string(255, 'C')),
            "レジストリに保存できない名前があります\nWindowSetting\\" + std::string(255, 'C') + "/");
  EXPECT_EQ(CheckOf("A\\B"), "<none>");  // nests one key below another
  EXPECT_EQ(CheckOf(".."), "<none>");
  EXPECT_EQ(CheckOf(Levels(31)), "<none>");  // 32 levels with "WindowSetting"
  EXPECT_NE(CheckOf(Levels(32)), "<none>");
  for (const char* empty : {"\\LEAD", "TRAIL\\", "A\\\\B"}) EXPECT_NE(CheckOf(empty), "<none>") << empty;
  // In code page 932, 0x5C may be the trail byte of a character (表 is
  // 0x95 0x5C): one key, not two.
  const auto shiftJisLead = [](std::uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  };
  EXPECT_EQ(CheckOf("\x95\\", shiftJisLead), "<none>");

  TVorlixSetting s;
  TExeSetting app;
  app.SetExeName("A.EXE");
  TKeySetting keys;
  keys.ThisWindowOnly = true;
  app.PutKeySetting(std::string(255, 'K'), keys);  // a key name too, in the class index
  s.ExeSettings.Put("A.EXE", app);
  EXPECT_EQ(SettingErrorOf([&] { s.CheckRegistryNames(); }), "<none>");
  app.PutKeySetting(std::string(256, 'K'), keys);
  s.ExeSettings.Put("A.EXE", app);
  EXPECT_NE(SettingErrorOf([&] { s.CheckRegistryNames(); }), "<none>");
}

}  // namespace
