#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/TrayIconCore.h"

namespace {

// A shell that records what the icon asks of it, with code page 932's lead
// bytes.
struct FakeTrayShell : TrayShell {
  bool Accepts = true;
  std::uint32_t Icon = 0x1234;
  bool Menus[2] = {true, true};
  std::vector<std::pair<std::uint32_t, TNotifyIconData>> Calls;
  std::vector<TMouseButton> Popups;
  std::vector<std::uint32_t> Tickets;

  bool NotifyIcon(std::uint32_t mode, TNotifyIconData& record) override {
    if (mode == NotifyIconAdd) record.hWnd = 0x77;
    Calls.emplace_back(mode, record);
    return Accepts;
  }
  std::uint32_t ShownIcon() override { return Icon; }
  TPoint CursorPos() override { return {640, 470}; }
  bool HasPopupMenu(TMouseButton button) override {
    return button != TMouseButton::Middle && Menus[static_cast<int>(button)];
  }
  void PopupMenu(TMouseButton button, TPoint) override { Popups.push_back(button); }
  void StartSingleClick(int, std::uint32_t ticket) override { Tickets.push_back(ticket); }
  bool IsLeadByte(std::uint8_t b) override {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  }
};

class TrayIconCoreTest : public testing::Test {
 protected:
  // Every test starts with an empty list: its icon is the first.
  void SetUp() override { ASSERT_EQ(Icon.Id(), 1); }
  FakeTrayShell Shell;
  TTrayIconCore Icon{Shell};
};

TEST_F(TrayIconCoreTest, IdentifiersFollowTheLastLiveIconAndStopAtTheLimit) {
  auto second = std::make_unique<TTrayIconCore>(Shell);
  TTrayIconCore third(Shell);
  EXPECT_EQ(third.Id(), 3);
  second.reset();
  EXPECT_EQ(TrayIconList.Find(2), nullptr);
  EXPECT_EQ(TrayIconList.Find(3), &third);
  EXPECT_EQ(TTrayIconCore(Shell).Id(), 4);

  std::vector<std::unique_ptr<TTrayIconCore>> more;
  while (TrayIconList.Count() < TrayIconLimit)
    more.push_back(std::make_unique<TTrayIconCore>(Shell));
  try {
    TTrayIconCore refused(Shell);
    FAIL() << "icon " << refused.Id() << " was created";
  } catch (const ENotifyIconError& error) {
    EXPECT_STREQ(error.what(), NotifyIconErrorText);
  }
  EXPECT_EQ(TrayIconList.Count(), TrayIconLimit);
}

TEST_F(TrayIconCoreTest, RecordAndShellCallsFollowVisibilityAndTip) {
  Icon.SetVisible(true);
  ASSERT_EQ(Shell.Calls.size(), 1u);
  const TNotifyIconData& added = Shell.Calls[0].second;
  EXPECT_EQ(Shell.Calls[0].first, NotifyIconAdd);
  EXPECT_EQ(added.cbSize, 88u);
  EXPECT_EQ(added.uID, 1u);
  EXPECT_EQ(added.uFlags, 7u);
  EXPECT_EQ(added.uCallbackMessage, 0x04C8u);
  EXPECT_EQ(added.hIcon, 0x1234u);
  EXPECT_STREQ(added.szTip, "TipHelp");
  EXPECT_TRUE(Icon.Added());

  Icon.SetTipHelp("");
  ASSERT_EQ(Shell.Calls.size(), 2u);
  EXPECT_EQ(Shell.Calls[1].first, NotifyIconModify);
  EXPECT_EQ(Shell.Calls[1].second.uFlags, 3u);
  EXPECT_EQ(Shell.Calls[1].second.hWnd, 0x77u);  // kept from the add
  Icon.SetTipHelp("");
  EXPECT_EQ(Shell.Calls.size(), 2u);  // no change, no call

  Shell.Accepts = false;
  EXPECT_THROW(Icon.SetTipHelp("Vorlix"), ENotifyIconError);
  Icon.SetVisible(false);
  EXPECT_EQ(Shell.Calls.back().first, NotifyIconDelete);
  EXPECT_FALSE(Icon.Added());  // whatever the shell answered
}

TEST_F(TrayIconCoreTest, RefusedOrIconlessShowLeavesTheIconHiddenAndRetryable) {
  Shell.Icon = 0;
  Icon.SetVisible(true);
  EXPECT_FALSE(Icon.Visible());
  EXPECT_TRUE(Shell.Calls.empty());

  Shell.Icon = 0x1234;
  Shell.Accepts = false;
  EXPECT_THROW(Icon.SetVisible(true), ENotifyIconError);
  EXPECT_FALSE(Icon.Visible());
  Shell.Accepts = true;
  Icon.SetVisible(true);
  EXPECT_TRUE(Icon.Added());
  EXPECT_EQ(Shell.Calls.size(), 2u);
}

TEST_F(TrayIconCoreTest, TipKeepsSixtyTwoBytesWithoutSplittingACharacter) {
  Icon.SetTipHelp(std::string(70, 'x'));
  EXPECT_EQ(Icon.TipHelp(), std::string(62, 'x'));
  const std::string so = "\x83\x5C";  // a trail byte that is also '\'
  Icon.SetTipHelp(std::string(60, 'x') + so + "y");
  EXPECT_EQ(Icon.TipHelp(), std::string(60, 'x') + so);
  Icon.SetTipHelp(std::string(61, 'x') + so);
  EXPECT_EQ(Icon.TipHelp(), std::string(61, 'x'));
  // Byte 62 looks like a lead byte but is the trail of a pair: it stays.
  Icon.SetTipHelp("xx" + std::string(62, '\x82'));
  EXPECT_EQ(Icon.TipHelp(), "xx" + std::string(60, '\x82'));
  Icon.SetTipHelp(std::string("ab\0cd", 5));
  EXPECT_EQ(Icon.TipHelp(), "ab");
}

TEST_F(TrayIconCoreTest, PressesOpenTheirButtonsMenuOrReportTheButton) {
  std::vector<std::string> events;
  const auto log = [&](const char* what, int button, std::uint32_t shift, int x) {
    events.push_back(what + std::to_string(button) + " " + std::to_string(shift) + " " +
                     std::to_string(x));
  };
  Icon.OnMouseDown = [&](TMouseButton b, std::uint32_t shift, int x, int) {
    log("down", int(b), shift, x);
  };
  Icon.OnMouseUp = [&](TMouseButton b, std::uint32_t shift, int x, int) {
    log("up", int(b), shift, x);
  };
  Icon.OnMouseMove = [&](std::uint32_t shift, int x, int) { log("move", -1, shift, x); };

  Icon.HandleCallback(WmLButtonDown);
  Icon.HandleCallback(WmRButtonDown);
  EXPECT_EQ(Shell.Popups, (std::vector<TMouseButton>{TMouseButton::Left, TMouseButton::Right}));
  EXPECT_TRUE(events.empty());

  Shell.Menus[0] = false;  // no left menu
  Icon.HandleCallback(WmLButtonDown);
  Icon.AutoPopup = false;
  for (std::uint32_t m :
       {WmRButtonDown, WmMButtonDown, WmLButtonUp, WmRButtonUp, WmMButtonUp, WmMouseMove, 0x206u})
    Icon.HandleCallback(m);
  Icon.SetEnabled(false);
  Icon.HandleCallback(WmLButtonDown);
  EXPECT_EQ(events,
            (std::vector<std::string>{"down0 8 640", "down1 16 640", "down2 32 640", "up0 8 640",
                                      "up1 16 640", "up2 32 640", "move-1 0 640"}));
  EXPECT_EQ(Shell.Popups.size(), 2u);
  EXPECT_TRUE(Shell.Tickets.empty());  // with OnMouseUp no click is ever timed
}

TEST_F(TrayIconCoreTest, SingleClickFiresLateAndDoubleClickFiresAlone) {
  int clicks = 0, doubles = 0;
  Icon.OnClick = [&] { ++clicks; };
  Icon.OnDblClick = [&] { ++doubles; };

  Icon.HandleCallback(WmLButtonUp);
  ASSERT_EQ(Shell.Tickets.size(), 1u);
  EXPECT_EQ(clicks, 0);
  Icon.SingleClickDone(Shell.Tickets[0]);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(Icon.ClickPending());

  for (std::uint32_t m : {WmLButtonUp, WmLButtonDblClk, WmLButtonUp}) Icon.HandleCallback(m);
  EXPECT_EQ(doubles, 1);
  // A new click before the double click's wait ends: only its own wait counts.
  Icon.HandleCallback(WmLButtonUp);
  ASSERT_EQ(Shell.Tickets.size(), 3u);
  Icon.SingleClickDone(Shell.Tickets[1]);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(Icon.ClickPending());
  Icon.SingleClickDone(Shell.Tickets[2]);
  EXPECT_EQ(clicks, 2);

  Icon.HandleCallback(WmLButtonUp);
  Icon.SetEnabled(false);
  Icon.SingleClickDone(Shell.Tickets.back());
  EXPECT_EQ(clicks, 2);
}

}  // namespace
