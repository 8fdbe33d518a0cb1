#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "host/Windowutily.h"

namespace {

constexpr std::uint32_t Child = StyleVisible | StyleChild;
constexpr std::uint32_t Flags = SkipInvisible | SkipTransparent;

class WindowutilyTest : public ::testing::Test {
 protected:
  WindowutilyTest() {
    FakeWindow frame;
    frame.ClassName = "#32770";
    frame.Rect = {100, 100, 500, 400};
    Dialog = Desk.Add(frame);
  }
  Wnd Deep(int x, int y) { return ChildWindowFromPointDeep(Desk, Dialog, {x, y}, Flags); }

  FakeDesktop Desk;
  Wnd Dialog = 0;
};

TEST_F(WindowutilyTest, GroupBoxAboveAControlGivesTheControl) {
  const Wnd group = Desk.AddChild(Dialog, "Button", {10, 10, 200, 200}, Child | ButtonGroupBox);
  const Wnd edit = Desk.AddChild(Dialog, "Edit", {20, 30, 120, 60});
  EXPECT_EQ(Deep(50, 40), edit);
  EXPECT_EQ(Deep(150, 150), group);  // an empty part of the group box
  EXPECT_EQ(Deep(300, 250), Dialog);  // no child there
  EXPECT_EQ(Deep(-5, 10), Dialog);    // outside the window altogether
}

TEST_F(WindowutilyTest, PlainButtonIsNotLookedThrough) {
  const Wnd button = Desk.AddChild(Dialog, "BUTTON", {10, 10, 200, 200}, Child);  // push button
  Desk.AddChild(Dialog, "Edit", {20, 30, 120, 60});
  EXPECT_EQ(Deep(50, 40), button);
}

TEST_F(WindowutilyTest, TabControlDescendsIntoTheControlShownOnIt) {
  const Wnd tab = Desk.AddChild(Dialog, "SysTabControl32", {0, 0, 400, 300});
  const Wnd page = Desk.AddChild(Dialog, "#32770", {5, 25, 395, 295});
  const Wnd list = Desk.AddChild(page, "ListBox", {10, 10, 200, 200});
  EXPECT_EQ(Deep(50, 50), list);   // tab -> page below it -> list on the page
  EXPECT_EQ(Deep(300, 10), tab);   // the tab strip itself
}

TEST_F(WindowutilyTest, SiblingWalkSkipsHiddenAndTransparentButNotDisabled) {
  Desk.AddChild(Dialog, "Button", {0, 0, 300, 300}, Child | ButtonGroupBox);
  Desk.AddChild(Dialog, "Edit", {10, 10, 100, 100}, StyleChild);  // hidden
  const Wnd overlay = Desk.AddChild(Dialog, "Static", {10, 10, 100, 100});
  Desk.Window(overlay).ExStyle = ExStyleTransparent;
  const Wnd disabled = Desk.AddChild(Dialog, "Edit", {10, 10, 100, 100}, Child | StyleDisabled);
  EXPECT_EQ(Deep(50, 50), disabled);
  EXPECT_EQ(ChildWindowFromPointDeep(Desk, Dialog, {50, 50}, Flags | SkipDisabled),
            Desk.TopChild(Dialog));  // nothing left below the group box
}

TEST_F(WindowutilyTest, ManyStackedGroupBoxesDoNotExhaustTheStack) {
  for (int i = 0; i < 20000; ++i)
    Desk.AddChild(Dialog, "Button", {0, 0, 300, 300}, Child | ButtonGroupBox);
  const Wnd edit = Desk.AddChild(Dialog, "Edit", {10, 10, 100, 100});
  EXPECT_EQ(Deep(50, 50), edit);
}

TEST_F(WindowutilyTest, VanishedWindowsGiveNull) {
  const Wnd edit = Desk.AddChild(Dialog, "Edit", {10, 10, 100, 100});
  Desk.Remove(Dialog);
  EXPECT_EQ(ChildWindowFromPointDeep(Desk, Dialog, {50, 50}, Flags), Dialog);
  Wnd bar = 123;
  EXPECT_FALSE(FindVScrollBar(Desk, edit, bar));
  EXPECT_EQ(bar, 0u);
  EXPECT_EQ(GetTopLevelWindow(Desk, edit), edit);  // no style left: taken as top level
  EXPECT_EQ(GetTopLevelWindow(Desk, 0), 0u);
  EXPECT_EQ(FindVScrollBarChild(Desk, edit), 0u);
}

TEST_F(WindowutilyTest, OwnScrollBarWins) {
  const Wnd edit = Desk.AddChild(Dialog, "Edit", {10, 10, 100, 100}, Child | StyleVScroll);
  Desk.AddChild(edit, "ScrollBar", {80, 0, 90, 90}, Child | ScrollBarVertical);
  Wnd bar = 123;
  EXPECT_TRUE(FindVScrollBar(Desk, edit, bar));
  EXPECT_EQ(bar, 0u);
}

TEST_F(WindowutilyTest, ScrollBarControlAmongChildrenOrBesideTheWindow) {
  const Wnd list = Desk.AddChild(Dialog, "ListBox", {10, 10, 100, 100});
  Desk.AddChild(Dialog, "scrollbar", {100, 10, 110, 100}, Child);  // horizontal
  Desk.AddChild(Dialog, "ScrollBar", {100, 10, 110, 100}, StyleChild | ScrollBarVertical);  // hidden
  Desk.AddChild(Dialog, "ScrollBar", {100, 10, 110, 100},
                Child | StyleDisabled | ScrollBarVertical);
  Desk.AddChild(Dialog, "Static", {100, 10, 110, 100}, Child | ScrollBarVertical);
  const Wnd beside = Desk.AddChild(Dialog, "SCROLLBAR", {100, 10, 110, 100}, Child | ScrollBarVertical);
  Wnd bar = 0;
  EXPECT_TRUE(FindVScrollBar(Desk, list, bar));
  EXPECT_EQ(bar, beside);

  const Wnd inner = Desk.AddChild(list, "ScrollBar", {90, 0, 100, 90}, Child | ScrollBarVertical);
  EXPECT_TRUE(FindVScrollBar(Desk, list, bar));
  EXPECT_EQ(bar, inner);  // its own children come first
}

TEST_F(WindowutilyTest, NoScrollBarAnywhere) {
  const Wnd list = Desk.AddChild(Dialog, "ListBox", {10, 10, 100, 100});
  Wnd bar = 123;
  EXPECT_FALSE(FindVScrollBar(Desk, list, bar));
  EXPECT_EQ(bar, 0u);
}

TEST_F(WindowutilyTest, TopLevelWindowClimbsChildStyles) {
  const Wnd panel = Desk.AddChild(Dialog, "Panel", {0, 0, 200, 200});
  const Wnd edit = Desk.AddChild(panel, "Edit", {0, 0, 50, 50});
  EXPECT_EQ(GetTopLevelWindow(Desk, edit), Dialog);
  EXPECT_EQ(GetTopLevelWindow(Desk, Dialog), Dialog);
  // A child style without a parent ends in null.
  Desk.Window(Dialog).Style |= StyleChild;
  EXPECT_EQ(GetTopLevelWindow(Desk, edit), 0u);
}

}  // namespace
