// The start-up load: which questions it asks, what ends start-up, and what
// the registry holds afterwards; and the message boxes that ask them.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "SettingsFixture.h"
#include "settings/SettingPrompt.h"

namespace {

const char OldSettingsQuestion[] =
    "Ask Vorlix - 旧式の設定がレジストリに見つかりました|"
    "古いバージョン( 0.326以前 )の設定がレジストリにあります。\n"
    "この古い設定を引き継ぐには[いいえ]を押した後、設定ファイルコンバータに\n"
    "よって古い設定をあたらしい設定形式に変更してください\n\n"
    "古い設定を削除して、デフォルト設定を読み込みますか？";

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

TEST_F(SettingsTest, WithoutKeyOrDefaultFileOneWarningThenSilentStarts) {
  const std::string missing = PathOf("default.vxs");
  TScriptedPrompt prompt;
  TVorlixSetting live;
  EXPECT_TRUE(live.LoadAtStartup(prompt, missing));
  EXPECT_EQ(prompt.Shown, std::vector<std::string>{"Warn けいこく|<" + missing +
                                                   ">が\n見つからないため、デフォルトの設定はなされません。"});
  EXPECT_EQ(RawValue("Version", "SettingVersionNo"), "DWORD 1297");
  EXPECT_EQ(RawValue("GeneralSetting", "ScrollLines"), "DWORD 3");
  EXPECT_EQ(RawValue("GeneralSetting", "CtrlShiftWheelNonActiveScroll"), "SZ 1");

  prompt.Shown.clear();
  SetRawValue("GeneralSetting", "ScrollLines", REG_DWORD, DwordBytes(6));
  TVorlixSetting next;
  EXPECT_TRUE(next.LoadAtStartup(prompt, missing));
  EXPECT_TRUE(prompt.Shown.empty());
  EXPECT_EQ(next.GeneralSetting.ScrollLines, 6);
}

TEST_F(SettingsTest, KeyOfAnotherVersionIsReplacedOnlyWhenTheUserAgrees) {
  SetRawValue("Version", "SettingVersionNo", REG_DWORD, DwordBytes(1000));
  SetRawValue("WindowSetting\\.ClassNames", "OLD", REG_SZ, "");
  const std::string defaults = PathOf("default.vxs");
  WriteBytes(defaults,
             "[GeneralSetting]\r\nScrollLines=7\r\n[Version]\r\nSettingVersionNo=1297\r\n");

  TScriptedPrompt prompt;
  TVorlixSetting live;
  EXPECT_FALSE(live.LoadAtStartup(prompt, defaults));
  EXPECT_EQ(prompt.Shown, std::vector<std::string>{OldSettingsQuestion});
  EXPECT_EQ(RawValue("Version", "SettingVersionNo"), "DWORD 1000");
  EXPECT_EQ(RawValue("GeneralSetting", "ScrollLines"), "missing");

  prompt.Answer = true;
  EXPECT_TRUE(live.LoadAtStartup(prompt, defaults));
  EXPECT_EQ(prompt.Shown.size(), 2u);
  EXPECT_EQ(live.GeneralSetting.ScrollLines, 7);
  EXPECT_EQ(RawValue("GeneralSetting", "ScrollLines"), "DWORD 7");
  EXPECT_EQ(RawValue("Version", "SettingVersionNo"), "DWORD 1297");
  EXPECT_EQ(RawValue("WindowSetting\\.ClassNames", "OLD"), "missing");
}

// Refused by the dialog, taken at start-up; the registry then holds version
// 0, so the next start asks again.
TEST_F(SettingsTest, DefaultFileWithoutVersionIsLoadedAndAskedAboutNextTime) {
  const std::string defaults = PathOf("default.vxs");
  WriteBytes(defaults, "[GeneralSetting]\r\nScrollLines=8\r\n");
  EXPECT_FALSE(TVorlixSetting::FileVersionMatches(defaults));
  TScriptedPrompt prompt;
  TVorlixSetting live;
  EXPECT_TRUE(live.LoadAtStartup(prompt, defaults));
  EXPECT_TRUE(prompt.Shown.empty());
  EXPECT_EQ(RawValue("GeneralSetting", "ScrollLines"), "DWORD 8");
  EXPECT_EQ(RawValue("Version", "SettingVersionNo"), "DWORD 0");

  EXPECT_FALSE(TVorlixSetting().LoadAtStartup(prompt, defaults));
  EXPECT_EQ(prompt.Shown, std::vector<std::string>{OldSettingsQuestion});
}

// Runs show, which puts up the message box titled `title`, and presses
// `button` in it from another thread once it appears (Wine takes seconds
// over the first box of a process). A box that never appears is ended
// through the quit message, so the test fails instead of hanging.
bool ShowAndPress(const char* title, int button, const std::function<void()>& show) {
  std::atomic<bool> pressed{false};
  const DWORD boxThread = GetCurrentThreadId();
  std::thread presser([&] {
    for (int tries = 0; tries < 3000; ++tries) {
      const HWND box = FindWindowA("#32770", title);
      if (box && PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0)) {
        pressed = true;
        return;
      }
      Sleep(20);
    }
    PostThreadMessageA(boxThread, WM_QUIT, 0, 0);
  });
  show();
  presser.join();
  return pressed;
}

TEST(MessageBoxPrompt, AnswersWithTheButtonPressed) {
  TMessageBoxPrompt prompt;
  bool answer = false;
  const auto ask = [&] { answer = prompt.Ask("Vorlix - question", "text"); };
  EXPECT_TRUE(ShowAndPress("Vorlix - question", IDYES, ask));
  EXPECT_TRUE(answer);
  EXPECT_TRUE(ShowAndPress("Vorlix - question", IDNO, ask));
  EXPECT_FALSE(answer);
  EXPECT_TRUE(
      ShowAndPress("Vorlix - notice", IDOK, [&] { prompt.Warn("Vorlix - notice", "text"); }));
}

}  // namespace
