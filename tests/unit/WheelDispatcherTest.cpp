#include <gtest/gtest.h>

#include <functional>

#include "AllocationCount.h"
#include "FakeDesktop.h"
#include "dispatch/WheelDispatcher.h"
#include "settings/Vorlixsetting.h"

namespace {

using Log = std::vector<std::string>;

constexpr std::uint32_t Child = StyleVisible | StyleChild;
constexpr std::uint32_t Frame = StyleVisible | StyleCaption;
constexpr std::uint16_t Shift = KeyStateShift;
constexpr std::uint16_t Ctrl = KeyStateControl;
constexpr std::uint16_t LButton = 0x0001;
constexpr std::uint16_t MButton = 0x0010;
constexpr std::uint16_t Tilt = KeyStateHorizontal;

std::string N(Wnd w) { return std::to_string(w); }
std::string Foreground(Wnd w) { return "SetForeground " + N(w); }
std::string ToTop(Wnd w) { return "BringToTop " + N(w); }
std::string Focus(Wnd w) { return "SetFocusEx " + N(w); }
std::string Line(Wnd w, int code, Wnd bar = 0) {
  return "VScroll " + N(w) + " " + std::to_string(code) + " 0 " + N(bar);
}
std::string End(Wnd w, Wnd bar = 0) { return Line(w, 8, bar); }
std::string Wheel(Wnd w, std::uint32_t wParam, std::int32_t lParam) {
  return "Send " + N(w) + " 522 " + std::to_string(wParam) + " " + std::to_string(lParam);
}
Log Lines(Wnd w, int code, int count, Wnd bar = 0) {
  Log log;
  for (int i = 0; i < count; ++i) {
    log.push_back(Line(w, code, bar));
    log.push_back(End(w, bar));
  }
  return log;
}
Log Columns(Wnd w, int code, int count) {
  Log log = Lines(w, code, count);
  for (std::string& entry : log) entry[0] = 'H';
  return log;
}
Log operator+(Log a, const Log& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::uintptr_t WParam(std::uint16_t keys, std::int16_t delta) {
  return TWheelNotification{keys, delta, 0}.WParam();
}

class RecordingDialog : public CaptureDialog {
 public:
  bool Visible() override { return Shown; }
  void ActivateCapturePage() override { Calls.push_back("ActivateCapturePage"); }
  void ShowSettingDialog() override {
    Calls.push_back("ShowSettingDialog");
    Shown = true;
  }
  bool CaptureWindow(Wnd target, Wnd cursor, TPoint pt, std::uint16_t keys,
                     std::int16_t delta) override {
    Calls.push_back("CaptureWindow " + N(target) + " " + N(cursor) + " " + std::to_string(pt.X) +
                    "," + std::to_string(pt.Y) + " " + std::to_string(keys) + " " +
                    std::to_string(delta));
    return Answer;
  }
  bool Shown = false;
  bool Answer = true;
  Log Calls;
};

class RecordingKeyOps : public KeyOperations {
 public:
  bool ExecuteKeyOperation(Wnd cursorWnd, const TKeySetting& keySetting, TPoint pt,
                           std::uint16_t keys, std::int16_t delta) override {
    Calls.push_back(N(cursorWnd) + " " + std::to_string(pt.X) + "," + std::to_string(pt.Y) +
                    " " + std::to_string(keys) + " " + std::to_string(delta) + " " +
                    std::to_string(keySetting.Operation(KeyEventUp).KeyStroke));
    if (Meanwhile) Meanwhile();
    return Answer;
  }
  // Acts on anything, so that every notification reaches it.
  bool MayActWithoutTurn(const TExeSettings&, std::uint16_t) override { return true; }
  bool Answer = true;
  std::function<void()> Meanwhile;  // what happens on the desktop while it runs
  Log Calls;
};

// Two applications: the one with the focus (top left) and a viewer whose
// pane has its own scroll bar (right).
class DispatcherTest : public ::testing::Test {
 protected:
  DispatcherTest() {
    FocusApp = Desk.Add({"Notepad", {0, 0, 400, 300}, Frame, 0, 0, "C:\\WINDOWS\\notepad.exe"});
    FocusEdit = Desk.AddChild(FocusApp, "Edit", {0, 0, 400, 300}, Child | StyleVScroll);
    Viewer = Desk.Add({"ViewerFrame", {400, 0, 800, 600}, Frame, 0, 0, "D:\\Tools\\viewer.exe"});
    Pane = Desk.AddChild(Viewer, "ViewPane", {10, 10, 390, 590}, Child | StyleVScroll);
    Desk.Foreground = FocusApp;
    Desk.Focus = FocusEdit;
    Dispatcher.Paused = false;
  }

  // A wheel turn (or a move, with delta 0) at a screen point, reported by
  // the hook as addressed to the focus window.
  std::intptr_t Turn(TPoint at, std::int16_t delta, std::uint16_t keys = 0) {
    Desk.Cursor = at;
    return Dispatcher.RouteWheelNotification(WParam(keys, delta), FocusEdit);
  }
  std::intptr_t OverPane(std::int16_t delta, std::uint16_t keys = 0) {
    return Turn({500, 100}, delta, keys);
  }
  void Rule(const std::string& cls, const std::function<void(TWindowSetting&)>& edit) {
    TWindowSetting s;
    s.ClassName = cls;
    edit(s);
    Setting.WindowSettings.Put(cls, "", s);
  }

  FakeDesktop Desk;
  TVorlixSetting Setting;
  TWheelDispatcher Dispatcher{Desk, Desk, Setting};
  Wnd FocusApp = 0, FocusEdit = 0, Viewer = 0, Pane = 0;
};

// --- Routing --------------------------------------------------------------

TEST_F(DispatcherTest, PausedAnswersZeroAndLooksAtNothing) {
  RecordingDialog dialog;
  Dispatcher.Dialog = &dialog;
  Dispatcher.Paused = true;
  Desk.KeysHeld = {VkMenu, VkControl, VkShift};
  EXPECT_EQ(OverPane(120), 0);
  EXPECT_EQ(OverPane(0, MButton), 0);
  EXPECT_EQ(Desk.Calls, 0);
  EXPECT_TRUE(dialog.Calls.empty());
}

TEST_F(DispatcherTest, PlainTurnOverInactiveWindowActivatesAndScrollsIt) {
  EXPECT_EQ(OverPane(-120), 1);
  EXPECT_EQ(Desk.Log, Log{Foreground(Viewer)} + Lines(Pane, 1, 3));
}

TEST_F(DispatcherTest, AltCtrlShiftTurnCapturesInsteadOfDispatching) {
  RecordingDialog dialog;
  Dispatcher.Dialog = &dialog;
  Desk.KeysHeld = {VkMenu, VkControl, VkShift};
  EXPECT_EQ(OverPane(120, Ctrl | Shift), 1);
  EXPECT_EQ(dialog.Calls, (Log{"ActivateCapturePage", "ShowSettingDialog",
                               "CaptureWindow " + N(FocusEdit) + " " + N(Pane) + " 500,100 12 120"}));
  EXPECT_TRUE(Desk.Log.empty());
  EXPECT_EQ(Desk.KeyQueries, (std::vector<int>{VkMenu, VkControl, VkShift}));

  dialog.Answer = false;
  EXPECT_EQ(OverPane(-120, Ctrl | Shift), 0);
}

TEST_F(DispatcherTest, ModifierTestStopsAtTheFirstKeyNotHeld) {
  RecordingDialog dialog;
  Dispatcher.Dialog = &dialog;
  Desk.KeysHeld = {VkMenu, VkShift};
  OverPane(120, Shift);
  EXPECT_EQ(Desk.KeyQueries, (std::vector<int>{VkMenu, VkControl}));
  EXPECT_TRUE(dialog.Calls.empty());
}

TEST_F(DispatcherTest, AltCtrlShiftWithoutATurnIsNoCapture) {
  RecordingDialog dialog;
  Dispatcher.Dialog = &dialog;
  Desk.KeysHeld = {VkMenu, VkControl, VkShift};
  EXPECT_EQ(OverPane(0, Ctrl | Shift), 0);
  EXPECT_TRUE(dialog.Calls.empty());
  EXPECT_TRUE(Desk.KeyQueries.empty());
}

TEST_F(DispatcherTest, VisibleDialogCapturesTurnsAndIgnoresEverythingElse) {
  RecordingDialog dialog;
  dialog.Shown = true;
  Dispatcher.Dialog = &dialog;
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetFocus = s.SetFocusWithCursor = true; });
  EXPECT_EQ(OverPane(0), 0);
  EXPECT_EQ(OverPane(0, MButton), 0);
  EXPECT_TRUE(dialog.Calls.empty());
  EXPECT_TRUE(Desk.Log.empty());

  dialog.Answer = false;
  EXPECT_EQ(OverPane(-240, LButton), 0);
  EXPECT_EQ(dialog.Calls, Log{"CaptureWindow " + N(FocusEdit) + " " + N(Pane) + " 500,100 1 -240"});
  EXPECT_TRUE(Desk.Log.empty());
}

TEST_F(DispatcherTest, CursorWindowIsFoundThroughAGroupBoxAboveIt) {
  const Wnd dialog = Desk.Add({"#32770", {100, 350, 300, 550}, Frame, 0, 0, "C:\\APP.EXE"});
  Desk.AddChild(dialog, "Button", {0, 0, 200, 200}, Child | ButtonGroupBox);
  const Wnd list = Desk.AddChild(dialog, "ListBox", {20, 20, 180, 180}, Child | StyleVScroll);
  EXPECT_EQ(Turn({150, 400}, 120), 1);
  EXPECT_EQ(Desk.Log, Log{Foreground(dialog)} + Lines(list, 0, 3));
}

TEST(MainWindowMessages, NotificationSysCommandsAndTheRest) {
  EXPECT_EQ(ClassifyMainWindowMessage(0xC100, 0, 0xC100), MainWindowAction::RouteNotification);
  EXPECT_EQ(ClassifyMainWindowMessage(0x0112, 0xF060, 0xC100), MainWindowAction::Hide);
  EXPECT_EQ(ClassifyMainWindowMessage(0x0112, 0xF06F, 0xC100), MainWindowAction::Hide);
  EXPECT_EQ(ClassifyMainWindowMessage(0x0112, 0xF020, 0xC100), MainWindowAction::Hide);
  EXPECT_EQ(ClassifyMainWindowMessage(0x0112, 0xF030, 0xC100), MainWindowAction::Default);
  EXPECT_EQ(ClassifyMainWindowMessage(0x0010, 0, 0xC100), MainWindowAction::Default);
  // Before the hooks are loaded the number is 0: WM_NULL stays WM_NULL.
  EXPECT_EQ(ClassifyMainWindowMessage(0, 0, 0), MainWindowAction::Default);
}

TEST(WheelNotification, ReadsKeyStateSignedDeltaAndTarget) {
  const TWheelNotification n = TWheelNotification::Read(WParam(0x0018, -360), 0x1234);
  EXPECT_EQ(n.KeyState, 0x0018);
  EXPECT_EQ(n.WheelDelta, -360);
  EXPECT_EQ(n.TargetWnd, 0x1234u);
}

// --- Delivery -------------------------------------------------------------

TEST_F(DispatcherTest, ForegroundWindowIsNotBroughtForwardAgain) {
  Desk.Foreground = Viewer;
  EXPECT_EQ(OverPane(120), 1);
  EXPECT_EQ(Desk.Log, Lines(Pane, 0, 3));
}

TEST_F(DispatcherTest, LineCountFollowsDeltaAndScrollLines) {
  Desk.Foreground = Viewer;
  EXPECT_EQ(OverPane(240), 1);
  EXPECT_EQ(Desk.Log, Lines(Pane, 0, 6));

  Desk.Log.clear();
  Setting.GeneralSetting.ScrollLines = 5;
  OverPane(-120);
  EXPECT_EQ(Desk.Log, Lines(Pane, 1, 5));

  Desk.Log.clear();
  Rule("VIEWPANE", [](TWindowSetting& s) { s.ScrollLines = 2; });
  OverPane(-359);  // 5.98 lines: five now, the rest kept
  EXPECT_EQ(Desk.Log, Lines(Pane, 1, 5));
}

// Pieces of a notch add up per window and direction: the lines come as
// their share of a notch comes in, and a run scrolls what whole notches of
// its total would.
TEST_F(DispatcherTest, SubNotchDeltasAddUpPerWindowAndDirection) {
  Desk.Foreground = Viewer;
  Setting.GeneralSetting.ScrollLines = 1;
  EXPECT_EQ(OverPane(40), 1) << "nothing yet, but kept";
  OverPane(40);
  EXPECT_TRUE(Desk.Log.empty());
  OverPane(40);
  EXPECT_EQ(Desk.Log, Lines(Pane, 0, 1));

  Desk.Log.clear();
  for (int i = 0; i < 8; ++i) OverPane(-15);
  EXPECT_EQ(Desk.Log, Lines(Pane, 1, 1));

  Desk.Log.clear();
  OverPane(60);
  OverPane(-60);  // the other way: afresh
  Turn({100, 100}, -60);  // another window: afresh
  EXPECT_EQ(Desk.Log, Log{Foreground(FocusApp)});
  Desk.Log.clear();
  Turn({100, 100}, -60);
  EXPECT_EQ(Desk.Log, Lines(FocusEdit, 1, 1));
}

// The tilt wheel: a horizontal scroll bar gets the columns the system gives
// a notch, right for a positive delta, pieces adding up apart from the
// vertical wheel's; elsewhere the window gets WM_MOUSEHWHEEL.
TEST_F(DispatcherTest, TiltScrollsColumnsOrSendsTheHorizontalWheelMessage) {
  Desk.ScrollChars = 1;
  EXPECT_EQ(OverPane(120, Tilt | LButton), 1);
  EXPECT_EQ(Desk.Log, (Log{Foreground(Viewer), "Send " + N(Pane) + " 526 " +
                                                   std::to_string(WParam(LButton, 120)) + " " +
                                                   std::to_string((100 << 16) | 500)}));

  Desk.Log.clear();
  Desk.Window(Pane).Style |= StyleHScroll;
  OverPane(-60, Tilt);
  OverPane(40);  // a vertical turn starts afresh
  OverPane(-60, Tilt);
  EXPECT_EQ(Desk.Log, Lines(Pane, 0, 1));
  Desk.Log.clear();
  OverPane(-60, Tilt);
  Desk.ScrollChars = 3;
  OverPane(180, Tilt);
  EXPECT_EQ(Desk.Log, Columns(Pane, 0, 1) + Columns(Pane, 1, 4));
}

// A window that cannot take the turn (hung, or gone meanwhile) leaves it to
// the system, whether it was to get lines or a wheel message.
TEST_F(DispatcherTest, TurnThatCannotBeDeliveredIsLeftToTheSystem) {
  Desk.Foreground = Viewer;
  Desk.Window(Pane).Hung = true;
  EXPECT_EQ(OverPane(-120), 0);
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetSendWheelMsgOnly(true); });
  EXPECT_EQ(OverPane(-120), 0);
}

TEST_F(DispatcherTest, HugeOrNegativeLineCountsDoNotOverflow) {
  Desk.Foreground = Viewer;
  Setting.GeneralSetting.ScrollLines = -3;
  EXPECT_EQ(OverPane(-32768), 0) << "no line to scroll: the turn is the window's";
  EXPECT_TRUE(Desk.Log.empty());

  // Two thousand million lines from a hand-edited file would keep the
  // program sending for hours.
  Setting.GeneralSetting.ScrollLines = 2147483647;
  EXPECT_EQ(OverPane(-120), 1);
  EXPECT_EQ(Desk.Log, Lines(Pane, 1, 200));
}

TEST_F(DispatcherTest, WindowWithoutScrollBarGetsOneWheelMessage) {
  // A window on a monitor left of the primary one: negative coordinates.
  const Wnd canvas = Desk.Add({"Canvas", {-400, 0, 0, 300}, Frame, 0, 0, "C:\\paint.exe"});
  EXPECT_EQ(Turn({-10, 40}, -120, Shift | LButton), 0);  // Shift+wheel is ignored by default
  EXPECT_TRUE(Desk.Log.empty());

  Setting.GeneralSetting.ShiftWheelIgnore = false;
  EXPECT_EQ(Turn({-10, 40}, -120, Shift | LButton), 1);
  // Delta in the high word and key state in the low; the point as two
  // 16-bit screen coordinates.
  const std::uint32_t wParam = (0xFF88u << 16) | 0x0005;
  const std::int32_t lParam = static_cast<std::int32_t>((40u << 16) | 0xFFF6u);
  EXPECT_EQ(Desk.Log, (Log{Foreground(canvas), Wheel(canvas, wParam, lParam)}));
}

TEST_F(DispatcherTest, WheelMessageIsLeftAloneWhenTheCursorIsOverItsTarget) {
  Rule("EDIT", [](TWindowSetting& s) { s.SetSendWheelMsgOnly(true); });
  EXPECT_EQ(Turn({100, 100}, 120), 0);
  EXPECT_TRUE(Desk.Log.empty());  // already the foreground, nothing to send
}

TEST_F(DispatcherTest, ScrollBarControlBesideTheWindowRedirectsToItsParent) {
  const Wnd panel = Desk.AddChild(Viewer, "Panel", {0, 0, 400, 600});
  Desk.AddChild(panel, "List", {0, 0, 380, 600});
  const Wnd bar = Desk.AddChild(panel, "ScrollBar", {380, 0, 400, 600}, Child | ScrollBarVertical);
  Desk.Remove(Pane);
  Desk.Foreground = Viewer;
  EXPECT_EQ(Turn({450, 50}, -120), 1);
  EXPECT_EQ(Desk.Log, Lines(panel, 1, 3, bar));
}

TEST_F(DispatcherTest, DeliveryChoiceOrder) {
  const Wnd canvas = Desk.AddChild(Viewer, "Canvas", {0, 0, 10, 10});  // no scroll bar
  Desk.Foreground = Viewer;
  const TPoint at{405, 5};
  const std::uint32_t wParam = 120u << 16;
  const std::int32_t lParam = (5 << 16) | 405;

  // The general scroll-only switch turns the wheel message into lines.
  Setting.GeneralSetting.SendScrollMsgOnly = true;
  Turn(at, 120);
  EXPECT_EQ(Desk.Log, Lines(canvas, 0, 3));

  // A class's wheel-only switch beats the general one, even over a window
  // with its own scroll bar.
  Desk.Log.clear();
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetSendWheelMsgOnly(true); });
  OverPane(120);
  EXPECT_EQ(Desk.Log, Log{Wheel(Pane, wParam, (100 << 16) | 500)});

  // A class's scroll-only switch sends lines to the window itself.
  Desk.Log.clear();
  Setting.GeneralSetting.SendScrollMsgOnly = false;
  Rule("CANVAS", [](TWindowSetting& s) { s.SetSendScrollMsgOnly(true); });
  Turn(at, 120);
  EXPECT_EQ(Desk.Log, Lines(canvas, 0, 3));

  Desk.Log.clear();
  Rule("CANVAS", [](TWindowSetting& s) { s.Ignore = false; });  // back to defaults
  Turn(at, 120);
  EXPECT_EQ(Desk.Log, Log{Wheel(canvas, wParam, lParam)});
}

// --- Activation and focus ---------------------------------------------------

TEST_F(DispatcherTest, CtrlAndShiftTurnsAreIgnoredByDefault) {
  for (std::uint16_t keys : {Ctrl, Shift, std::uint16_t(Ctrl | LButton)}) {
    EXPECT_EQ(OverPane(120, keys), 0) << keys;
  }
  EXPECT_TRUE(Desk.Log.empty());
}

TEST_F(DispatcherTest, CtrlOrShiftTurnActivatesWhenNotIgnored) {
  Setting.GeneralSetting.CtrlWheelIgnore = false;
  Setting.GeneralSetting.ShiftWheelIgnore = false;
  Rule("VIEWPANE", [](TWindowSetting& s) { s.NonActiveScrollIdent = true; });
  EXPECT_EQ(OverPane(120, Ctrl), 1);
  EXPECT_EQ(Desk.Log, Log{Foreground(Viewer)} + Lines(Pane, 0, 3));
  Desk.Foreground = FocusApp;
  Desk.Log.clear();
  EXPECT_EQ(OverPane(120, Shift), 1);
  EXPECT_EQ(Desk.Log, Log{Foreground(Viewer)} + Lines(Pane, 0, 3));
}

TEST_F(DispatcherTest, CtrlShiftActivatesWhenTheSwitchEqualsTheClassChoice) {
  struct Case {
    bool generalSwitch, nonActive, activates;
  };
  for (const Case c : {Case{true, true, true}, Case{true, false, false},
                       Case{false, false, true}, Case{false, true, false}}) {
    Setting.GeneralSetting.CtrlShiftWheelNonActiveScroll = c.generalSwitch;
    Rule("VIEWPANE", [&](TWindowSetting& s) { s.NonActiveScrollIdent = c.nonActive; });
    Desk.Foreground = FocusApp;
    Desk.Log.clear();
    EXPECT_EQ(OverPane(120, Ctrl | Shift), 1);
    const Log expected = (c.activates ? Log{Foreground(Viewer)} : Log{}) + Lines(Pane, 0, 3);
    EXPECT_EQ(Desk.Log, expected) << c.generalSwitch << c.nonActive;
  }
}

TEST_F(DispatcherTest, NonActiveClassScrollsWithoutActivating) {
  Rule("VIEWPANE", [](TWindowSetting& s) { s.NonActiveScrollIdent = true; });
  EXPECT_EQ(OverPane(-120, LButton | MButton), 1);  // button bits do not matter
  EXPECT_EQ(Desk.Log, Lines(Pane, 1, 3));
}

TEST_F(DispatcherTest, FocusMovesAfterActivationAndBeforeDelivery) {
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetFocus = true; });
  EXPECT_EQ(OverPane(120), 1);
  EXPECT_EQ(Desk.Log, (Log{Foreground(Viewer), Focus(Pane)} + Lines(Pane, 0, 3)));
}

TEST_F(DispatcherTest, IgnoredClassIsLeftAlone) {
  Rule("VIEWPANE", [](TWindowSetting& s) {
    s.Ignore = true;
    s.SetFocus = s.SetFocusWithCursor = true;
  });
  EXPECT_EQ(OverPane(120), 0);
  EXPECT_EQ(OverPane(0), 0);
  EXPECT_TRUE(Desk.Log.empty());
}

TEST_F(DispatcherTest, ApplicationSpecificRuleUsesTheModuleFileName) {
  TWindowSetting s;
  s.ThisExeOnly = true;
  s.Ignore = true;
  Setting.WindowSettings.Put("VIEWPANE", "VIEWER.EXE", s);
  EXPECT_EQ(OverPane(120), 0);
  Desk.Window(Pane).ModulePath = "D:\\Tools\\other.exe";
  EXPECT_EQ(OverPane(120), 1);
}

TEST_F(DispatcherTest, FocusFollowsTheCursorOnMovesWithoutForeground) {
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetFocus = s.SetFocusWithCursor = true; });
  EXPECT_EQ(OverPane(0), 0);
  EXPECT_EQ(OverPane(0, MButton), 0);
  EXPECT_EQ(Desk.Log, (Log{Focus(Pane), Focus(Pane)}));

  Desk.Log.clear();
  Desk.Window(Viewer).Style |= StyleDisabled;  // behind a modal dialog
  EXPECT_EQ(OverPane(0), 0);
  EXPECT_TRUE(Desk.Log.empty());
}

TEST_F(DispatcherTest, HookReportsMovesOnlyWhileARuleCouldActOnThem) {
  Dispatcher.RulesChanged();
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetFocus = s.SetFocusWithCursor = true; });
  Dispatcher.RulesChanged();
  Dispatcher.Paused = true;
  Dispatcher.RulesChanged();
  EXPECT_EQ(Desk.Log, (Log{"MoveReports 0", "MoveReports 1", "MoveReports 0"}));
}

TEST_F(DispatcherTest, MovesDoNothingWithoutFocusFollowingTheCursor) {
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetFocus = true; });
  EXPECT_EQ(OverPane(0), 0);
  EXPECT_TRUE(Desk.Log.empty());
}

TEST_F(DispatcherTest, FramedChildIsBroughtToTop) {
  const Wnd mdiChild = Desk.AddChild(Viewer, "MdiDoc", {0, 0, 400, 600}, Child);
  Desk.Window(mdiChild).ExStyle = ExStyleMdiChild;
  const Wnd view = Desk.AddChild(mdiChild, "DocView", {0, 0, 400, 600}, Child | StyleVScroll);
  Desk.Remove(Pane);
  EXPECT_EQ(OverPane(120), 1);
  EXPECT_EQ(Desk.Log, (Log{Foreground(Viewer), ToTop(mdiChild)} + Lines(view, 0, 3)));

  // A captioned child counts the same; a disabled one ends the climb.
  Desk.Log.clear();
  Desk.Window(mdiChild).ExStyle = 0;
  Desk.Window(mdiChild).Style |= StyleCaption;
  Rule("DOCVIEW", [](TWindowSetting& s) { s.SetFocus = s.SetFocusWithCursor = true; });
  OverPane(0);
  EXPECT_EQ(Desk.Log, (Log{ToTop(mdiChild), Focus(view)}));
}

TEST_F(DispatcherTest, DisabledChainSwallowsTheTurn) {
  Desk.Window(Pane).Style |= StyleDisabled;
  EXPECT_EQ(OverPane(120), 1);
  EXPECT_EQ(Desk.Log, Log{Foreground(Viewer)});  // activated, nothing delivered

  Desk.Log.clear();
  Desk.Window(Pane).Style &= ~StyleDisabled;
  Desk.Window(Viewer).Style |= StyleDisabled;
  EXPECT_EQ(OverPane(120), 1);
  EXPECT_TRUE(Desk.Log.empty());
}

// Names too long to be kept inside a string object: the look-ups of a turn
// by class and application build none. (The first turn over a process
// names it once.)
TEST_F(DispatcherTest, TurnLooksUpItsRulesWithoutAllocating) {
  const std::string longClass = "AFX:00400000:8:00010005:00000000:00000000";
  Desk.Remove(Pane);
  Desk.Window(Viewer).ModulePath = "D:\\Tools\\a-viewer-with-a-long-name.exe";
  Desk.AddChild(Viewer, longClass, {0, 0, 400, 600}, Child | StyleVScroll);
  TWindowSetting ignore;
  ignore.ThisExeOnly = ignore.Ignore = true;
  Setting.WindowSettings.Put(longClass, "A-VIEWER-WITH-A-LONG-NAME.EXE", ignore);
  TExeSetting exe;
  exe.SetExeName("a-viewer-with-a-long-name.exe");
  exe.Ignore = true;
  Setting.ExeSettings.Put(exe.ExeName, exe);
  EXPECT_EQ(OverPane(120), 0);
  const long before = AllocationCount();
  EXPECT_EQ(OverPane(-120), 0);
  EXPECT_EQ(AllocationCount(), before);
}

TEST_F(DispatcherTest, MoveThatNoRuleCanActOnLooksAtNothingUntilOneCan) {
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetFocus = true; });
  Rule("AFX:00400000:8:00010005:00000000:00000000", [](TWindowSetting& s) { s.Ignore = true; });
  const long before = AllocationCount();
  EXPECT_EQ(OverPane(0), 0);
  EXPECT_EQ(OverPane(0, MButton | Ctrl | LButton), 0);
  EXPECT_EQ(AllocationCount(), before) << "a move allocates nothing";
  EXPECT_EQ(Desk.Calls, 0);

  // The first move after the settings change is decided by the new rules.
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetFocus = s.SetFocusWithCursor = true; });
  EXPECT_EQ(OverPane(0), 0);
  EXPECT_EQ(Desk.Log, Log{Focus(Pane)});
  Rule("VIEWPANE", [](TWindowSetting&) {});
  Desk.Calls = 0;
  EXPECT_EQ(OverPane(0), 0);
  EXPECT_EQ(Desk.Calls, 0);
}

// --- Application rules and key operations ----------------------------------

class KeyOperationTest : public DispatcherTest {
 protected:
  KeyOperationTest() { Dispatcher.Executor = &KeyOps; }
  // The viewer's key setting, for every class or for one class only.
  void KeySetting(bool enabled, const std::string& onlyClass = "") {
    TExeSetting exe;
    exe.SetExeName("viewer.exe");
    TKeySetting key;
    key.EnableKeySetting = enabled;
    key.ThisWindowOnly = !onlyClass.empty();
    TKeyOperation op;
    op.OperationType = TKeyOperation::Key;
    op.KeyStroke = 0x4041;
    key.SetOperation(KeyEventUp, op);
    exe.PutKeySetting(onlyClass, key);
    Setting.ExeSettings.Put("viewer.exe", exe);
  }
  RecordingKeyOps KeyOps;
};

TEST_F(KeyOperationTest, KeyOperationThatRunsAnswersBeforeTheModifierRules) {
  KeySetting(true);
  EXPECT_EQ(OverPane(120, Ctrl), 1);  // Ctrl+wheel is otherwise ignored
  EXPECT_EQ(KeyOps.Calls, Log{N(Pane) + " 500,100 8 120 16449"});
  EXPECT_TRUE(Desk.Log.empty());

  EXPECT_EQ(OverPane(0, MButton), 1);  // a middle press reaches it with delta 0
  EXPECT_EQ(KeyOps.Calls.back(), N(Pane) + " 500,100 16 0 16449");
}

TEST_F(KeyOperationTest, NoOperationForTheEventGoesOnAsUsual) {
  KeySetting(true);
  KeyOps.Answer = false;
  EXPECT_EQ(OverPane(120, Ctrl), 0);
  EXPECT_EQ(OverPane(-120), 1);
  EXPECT_EQ(KeyOps.Calls.size(), 2u);
  EXPECT_EQ(Desk.Log, Log{Foreground(Viewer)} + Lines(Pane, 1, 3));
}

TEST_F(KeyOperationTest, DisabledKeySettingIsNotConsulted) {
  KeySetting(false);
  EXPECT_EQ(OverPane(120), 1);
  EXPECT_TRUE(KeyOps.Calls.empty());
}

TEST_F(KeyOperationTest, WindowThatVanishesMeanwhileLeavesTheTurnToTheSystem) {
  KeySetting(true);
  KeyOps.Answer = false;
  KeyOps.Meanwhile = [&] { Desk.Remove(Viewer); };
  EXPECT_EQ(OverPane(120), 0);
}

TEST_F(KeyOperationTest, TiltHasNoKeySlots) {
  KeySetting(true);
  EXPECT_EQ(OverPane(120, Tilt), 1);
  EXPECT_TRUE(KeyOps.Calls.empty());
}

TEST_F(KeyOperationTest, KeySettingOfOneClassAppliesToThatClassOnly) {
  KeySetting(true, "viewpane");
  Desk.AddChild(Viewer, "Canvas", {0, 0, 10, 10});
  EXPECT_EQ(Turn({405, 5}, 120), 1);
  EXPECT_TRUE(KeyOps.Calls.empty());
  EXPECT_EQ(OverPane(120), 1);
  EXPECT_EQ(KeyOps.Calls.size(), 1u);
}

TEST_F(KeyOperationTest, IgnoredApplicationRunsNothing) {
  KeySetting(true);
  TExeSetting exe = Setting.ExeSettings.Find("VIEWER.EXE");
  exe.Ignore = true;
  Setting.ExeSettings.Put("VIEWER.EXE", exe);
  Rule("VIEWPANE", [](TWindowSetting& s) { s.SetFocus = s.SetFocusWithCursor = true; });
  EXPECT_EQ(OverPane(120), 0);
  EXPECT_EQ(OverPane(0), 0);
  EXPECT_TRUE(KeyOps.Calls.empty());
  EXPECT_TRUE(Desk.Log.empty());
}

TEST_F(KeyOperationTest, IgnoredClassRunsNoKeyOperation) {
  KeySetting(true);
  Rule("VIEWPANE", [](TWindowSetting& s) { s.Ignore = true; });
  EXPECT_EQ(OverPane(120), 0);
  EXPECT_TRUE(KeyOps.Calls.empty());
}

// --- Names -----------------------------------------------------------------

TEST_F(DispatcherTest, ClassNameUpperCasedWithAsciiRulesOnly) {
  Desk.Window(Pane).ClassName = "Afx:View\xE4x";
  EXPECT_EQ(Dispatcher.GetTargetClassName(Pane), "AFX:VIEW\xE4X");
  EXPECT_EQ(Dispatcher.GetTargetClassName(0xBAD), "");
}

TEST_F(DispatcherTest, ModuleNameIsTheUpperCasedFileName) {
  EXPECT_EQ(Dispatcher.GetTargetModuleName(Pane), "VIEWER.EXE");
  Desk.Window(Pane).ModulePath = "C:viewer.exe";
  EXPECT_EQ(Dispatcher.GetTargetModuleName(Pane), "VIEWER.EXE");
  Desk.Window(Pane).ModulePath = "bare.exe";
  EXPECT_EQ(Dispatcher.GetTargetModuleName(Pane), "BARE.EXE");
  EXPECT_EQ(Dispatcher.GetTargetModuleName(0xBAD), "");
}

TEST_F(DispatcherTest, ModuleNameKeepsDoubleByteCharactersWhole) {
  // "\x83\x5C" is one character of code page 932 whose trail byte is "\".
  Desk.Window(Pane).ModulePath = "C:\\\x83\x5C\x83t\x83g\\\x83\x5Ctool.exe";
  EXPECT_EQ(Dispatcher.GetTargetModuleName(Pane), "\x83\x5CTOOL.EXE");
  Desk.DoubleByteCodePage = false;
  EXPECT_EQ(Dispatcher.GetTargetModuleName(Pane), "TOOL.EXE");
}

TEST_F(DispatcherTest, ModuleNameOfFullLengthFitsTheBuffer) {
  const std::string name(256, 'a');
  Desk.Window(Pane).ModulePath = name + ".exe" + "tail-beyond-260";
  const std::string got = Dispatcher.GetTargetModuleName(Pane);
  EXPECT_EQ(got, std::string(256, 'A') + ".EXE");
}

}  // namespace
