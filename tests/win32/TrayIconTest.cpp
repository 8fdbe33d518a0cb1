// The tray icon through the real shell: Wine's system tray shows it, xdotool
// clicks on it open the menus, and the callback window routes the shell's
// messages to the icon they name.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "PeerProcess.h"
#include "ui/TrayIcon.h"

namespace {

// Wine's tray window shows some ten seconds after the first icon.
constexpr DWORD WaitMs = 30000;
constexpr char ShellDosPath[] = "Z:\\bin\\sh";
constexpr char XdotoolDosPath[] = "Z:\\usr\\bin\\xdotool";
constexpr char OwnerClass[] = "VorlixTest_TrayOwner";

// What the owner window saw of the menus: the menu of every
// WM_INITMENUPOPUP, how many menu loops ended, and how many of them the
// suite had to end itself because the input did not close the menu.
struct TMenuLog {
  std::vector<HMENU> Opened;
  int Closed = 0;
  int Forced = 0;
};
TMenuLog Menus;

constexpr UINT_PTR MenuTimer = 1;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENUPOPUP:
      Menus.Opened.push_back(reinterpret_cast<HMENU>(wParam));
      // The menu loop would hold this thread, and the suite with it.
      SetTimer(window, MenuTimer, 8000, nullptr);
      break;
    case WM_TIMER:
      KillTimer(window, MenuTimer);
      ++Menus.Forced;
      EndMenu();
      break;
    case WM_EXITMENULOOP:
      KillTimer(window, MenuTimer);
      ++Menus.Closed;
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class TrayIconTest : public testing::Test {
 protected:
  void SetUp() override {
    if (GetFileAttributesA(XdotoolDosPath) == INVALID_FILE_ATTRIBUTES ||
        GetFileAttributesA(ShellDosPath) == INVALID_FILE_ATTRIBUTES) {
      ASSERT_FALSE(RunningUnderWine()) << "the suite needs xdotool under Wine";
      GTEST_SKIP() << "Wine's system tray and xdotool are needed";
    }
    Menus = TMenuLog{};
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = OwnerClass;
    RegisterClassA(&windowClass);
    Owner = TWindowOwner(CreateWindowExA(0, OwnerClass, "VorlixTest tray owner", WS_POPUP, 0, 0, 10,
                                         10, nullptr, nullptr, windowClass.hInstance, nullptr));
    ASSERT_TRUE(Owner);
    for (TMenuOwner* menu : {&LeftMenu, &RightMenu}) {
      *menu = TMenuOwner(CreatePopupMenu());
      AppendMenuA(menu->Get(), MF_STRING, 1, "項目(&I)");
    }
  }

  // The X windows of Wine's tray that xdotool finds with the options, one
  // id a line, and then "end"; empty when the search could not be run.
  static std::string TraySearch(const std::string& options) {
    const std::string name = "vorlix_tray_" + std::to_string(GetCurrentProcessId());
    const std::string dosPath = "Z:\\tmp\\" + name;
    DeleteFileA(dosPath.c_str());
    // Renamed into place once complete, so that it is never read half written.
    if (!RunUnix("(timeout 25 xdotool search " + options +
                 " --name 'Wine System Tray'; echo end) > /tmp/" + name + ".part; mv /tmp/" + name +
                 ".part /tmp/" + name) ||
        !PumpMessagesUntil(
            [&] { return GetFileAttributesA(dosPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, WaitMs))
      return {};
    std::ostringstream content;
    content << std::ifstream(dosPath).rdbuf();
    DeleteFileA(dosPath.c_str());
    return content.str();
  }

  // Clicks a button on the first icon of Wine's tray; once the menu is open,
  // closes it with a click elsewhere.
  static void ClickIcon(int button) {
    RunUnix(
        "xdotool search --sync --onlyvisible --name 'Wine System Tray' mousemove --window %1 8 8 "
        "click " +
        std::to_string(button) + " sleep 0.5 mousemove 700 600 click 1");
  }

  TWindowOwner Owner;
  TMenuOwner LeftMenu, RightMenu;
};

TEST_F(TrayIconTest, ShellShowsChangesAndRemovesTheIcon) {
  {
    TTrayIcon icon(Owner.Get());
    icon.SetIcon(LoadIconA(nullptr, IDI_APPLICATION));
    ASSERT_NE(icon.Icon(), nullptr);
    icon.SetVisible(true);
    ASSERT_TRUE(icon.Added());
    const std::string shown = TraySearch("--sync --onlyvisible");
    EXPECT_TRUE(shown.size() > 4 && shown.substr(shown.size() - 4) == "end\n") << shown;

    icon.SetTipHelp("Vorlix - 常駐中");
    EXPECT_EQ(icon.TipHelp(), "Vorlix - 常駐中");  // a change the shell took
    // A shell that announces a new start but kept the icon refuses to add it
    // again; the icon must not be taken for gone.
    SendMessageA(FindWindowA(TCallbackWindow::ClassName, nullptr),
                 RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(icon.Added());
    icon.SetVisible(false);
    EXPECT_FALSE(icon.Added());
    // With its last icon gone, Wine's tray hides.
    EXPECT_TRUE(PumpMessagesUntil([] { return TraySearch("--onlyvisible") == "end\n"; }, WaitMs));
    // The shell no longer knows the icon and refuses a change of it.
    try {
      icon.UpdateNotifyIcon(NotifyIconModify);
      ADD_FAILURE() << "the shell changed a removed icon";
    } catch (const ENotifyIconError& error) {
      EXPECT_STREQ(error.what(), "タスクトレイにアイコンを登録できません。");
    }
  }
  EXPECT_EQ(FindWindowA(TCallbackWindow::ClassName, nullptr), nullptr);
}

TEST_F(TrayIconTest, PressesOnTheIconOpenEachButtonsMenuAndTheMenusClose) {
  TTrayIcon icon(Owner.Get());
  icon.SetIcon(LoadIconA(nullptr, IDI_APPLICATION));
  icon.SetLBPopupMenu(LeftMenu.Get());
  icon.SetRBPopupMenu(RightMenu.Get());
  int downs = 0;
  icon.OnMouseDown = [&](TMouseButton, std::uint32_t, int, int) { ++downs; };
  icon.SetVisible(true);
  ASSERT_TRUE(icon.Added());

  ClickIcon(1);
  ASSERT_TRUE(PumpMessagesUntil([] { return Menus.Closed == 1; }, WaitMs))
      << Menus.Opened.size() << " menus opened";
  ClickIcon(3);
  ASSERT_TRUE(PumpMessagesUntil([] { return Menus.Closed == 2; }, WaitMs))
      << Menus.Opened.size() << " menus opened";
  EXPECT_EQ(Menus.Opened, (std::vector<HMENU>{LeftMenu.Get(), RightMenu.Get()}));
  EXPECT_EQ(Menus.Forced, 0);
  EXPECT_EQ(downs, 0);
}

TEST_F(TrayIconTest, OneCallbackWindowServesEveryIconAndTimesSingleClicks) {
  std::vector<std::string> events;
  TTrayIcon first(Owner.Get()), second(Owner.Get());
  first.OnMouseDown = [&](TMouseButton, std::uint32_t, int, int) { events.push_back("first"); };
  second.OnMouseDown = [&](TMouseButton, std::uint32_t, int, int) { events.push_back("second"); };
  const HWND callback = FindWindowA(TCallbackWindow::ClassName, nullptr);
  ASSERT_NE(callback, nullptr);
  EXPECT_EQ(FindWindowExA(nullptr, callback, TCallbackWindow::ClassName, nullptr), nullptr);

  SendMessageA(callback, TrayCallbackMessage, second.Id(), WM_RBUTTONDOWN);
  SendMessageA(callback, TrayCallbackMessage, first.Id(), WM_MBUTTONDOWN);
  SendMessageA(callback, TrayCallbackMessage, second.Id() + 1, WM_RBUTTONDOWN);
  EXPECT_EQ(events, (std::vector<std::string>{"second", "first"}));

  int clicks = 0;
  first.OnClick = [&] { ++clicks; };
  const DWORD released = GetTickCount();
  SendMessageA(callback, TrayCallbackMessage, first.Id(), WM_LBUTTONUP);
  ASSERT_TRUE(PumpMessagesUntil([&] { return clicks == 1; }, WaitMs));
  EXPECT_GE(GetTickCount() - released, GetDoubleClickTime());
}

}  // namespace
