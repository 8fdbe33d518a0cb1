// The window walks on real windows through the Win32 seam: real group boxes,
// tab controls, scroll-bar controls and edits, laid out the way the walks
// must see through them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "PeerProcess.h"
#include "TestPeer.h"
#include "host/Windowutily.h"
#include "platform/Win32WindowSystem.h"
#include "shared/Handles.h"

namespace {

constexpr std::uint32_t CursorWndFlags = SkipInvisible | SkipTransparent;

class Win32WindowSystemTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
  }

  void SetUp() override {
    Host = CreateWindowExA(0, "STATIC", "VorlixTest host", WS_POPUP, 600, 50, 300, 300, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(Host, nullptr);
    // Not activated: Wine without a window manager takes two seconds to
    // hide a window that holds the foreground.
    ShowWindow(Host, SW_SHOWNOACTIVATE);
  }

  void TearDown() override { DestroyWindow(Host); }

  // A child of the host, placed at the top of its siblings' Z order.
  HWND Child(const char* windowClass, DWORD style, int x, int y, int width, int height) {
    const HWND child = CreateWindowExA(0, windowClass, "", WS_CHILD | style, x, y, width, height,
                                       Host, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return child;
  }

  HWND Under(int x, int y) {
    return ToHwnd(ChildWindowFromPointDeep(Windows, ToWnd(Host), TPoint{x, y}, CursorWndFlags));
  }

  TWin32WindowSystem Windows;
  HWND Host = nullptr;
};

TEST_F(Win32WindowSystemTest, GroupBoxAboveAControlGivesTheControlUnderIt) {
  const HWND edit = Child("EDIT", WS_VISIBLE | WS_DISABLED, 30, 30, 100, 30);
  const HWND group = Child("BUTTON", WS_VISIBLE | BS_GROUPBOX, 10, 10, 200, 200);
  ASSERT_EQ(group, GetTopWindow(Host)) << "the group box must lie above the edit";
  EXPECT_EQ(edit, Under(40, 40)) << "a disabled control is still the one under the cursor";
  EXPECT_EQ(group, Under(150, 150));
  EXPECT_EQ(Host, Under(250, 250));
}

TEST_F(Win32WindowSystemTest, TabControlAboveAControlGivesTheVisibleControlUnderIt) {
  const HWND list = Child("LISTBOX", WS_VISIBLE, 20, 40, 100, 100);
  const HWND hidden = Child("EDIT", 0, 20, 40, 100, 100);
  const HWND tabs = Child(WC_TABCONTROLA, WS_VISIBLE, 0, 0, 300, 300);
  ASSERT_EQ(tabs, GetTopWindow(Host));
  ASSERT_EQ(hidden, GetWindow(tabs, GW_HWNDNEXT));
  EXPECT_EQ(list, Under(30, 50));
  EXPECT_EQ(tabs, Under(250, 250));
}

TEST_F(Win32WindowSystemTest, ScrollBarsOfTheWindowItsChildrenOrItsSiblings) {
  const HWND memo = Child("EDIT", WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 100, 100);
  Wnd scrollBar = 1;
  EXPECT_TRUE(FindVScrollBar(Windows, ToWnd(memo), scrollBar));
  EXPECT_EQ(0u, scrollBar) << "the window's own scroll bar";

  const HWND list = Child("LISTBOX", WS_VISIBLE, 100, 0, 100, 100);
  const HWND vertical = Child("ScrollBar", WS_VISIBLE | SBS_VERT, 200, 0, 16, 100);
  Child("ScrollBar", WS_VISIBLE | WS_DISABLED | SBS_VERT, 220, 0, 16, 100);
  Child("ScrollBar", WS_VISIBLE | SBS_HORZ, 100, 100, 100, 16);
  Child("ScrollBar", SBS_VERT, 240, 0, 16, 100);
  EXPECT_TRUE(FindVScrollBar(Windows, ToWnd(list), scrollBar));
  EXPECT_EQ(ToWnd(vertical), scrollBar)
      << "only a visible, enabled, vertical control beside the list serves it";
}

TEST_F(Win32WindowSystemTest, WalksAcceptTopLevelNullAndVanishedWindows) {
  const HWND edit = Child("EDIT", WS_VISIBLE, 0, 0, 100, 30);
  EXPECT_EQ(ToWnd(Host), GetTopLevelWindow(Windows, ToWnd(edit)));
  EXPECT_EQ(ToWnd(Host), GetTopLevelWindow(Windows, ToWnd(Host)));
  EXPECT_EQ(0u, GetTopLevelWindow(Windows, 0));

  DestroyWindow(edit);
  Wnd scrollBar = 1;
  EXPECT_FALSE(FindVScrollBar(Windows, ToWnd(edit), scrollBar));
  EXPECT_EQ(0u, scrollBar);
  EXPECT_EQ(ToWnd(edit),
            ChildWindowFromPointDeep(Windows, ToWnd(edit), TPoint{5, 5}, CursorWndFlags));
  char name[16] = "unchanged";
  EXPECT_EQ(0, Windows.ClassName(ToWnd(edit), name, sizeof name));
  EXPECT_EQ(0u, Windows.ProcessIdOf(ToWnd(edit)));
}

// What the module-name cache relies on: a window names its process, and a
// watch on a process tells whether it still runs.
TEST_F(Win32WindowSystemTest, WindowsNameTheirProcessWhoseWatchTellsWhenItEnds) {
  EXPECT_EQ(GetCurrentProcessId(), Windows.ProcessIdOf(ToWnd(Host)));
  ProcessHandle watch = 0;
  {
    TPeerProcess peer;
    ASSERT_TRUE(peer.Start(PeerModeIdle));
    watch = Windows.OpenProcessWatch(peer.Id());
    ASSERT_NE(0u, watch);
    EXPECT_FALSE(Windows.ProcessEnded(watch));
  }  // terminated here
  EXPECT_TRUE(PumpMessagesUntil([&] { return Windows.ProcessEnded(watch); }, 10000));
  Windows.CloseProcessWatch(watch);
}

}  // namespace
