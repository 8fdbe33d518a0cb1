// Key operations: which slot an event falls in, the key events a stroke is
// typed with, and what running an operation does to the desktop.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeDesktop.h"
#include "dispatch/KeyOperationExecutor.h"
#include "settings/Exesetting.h"
#include "settings/Vorlixsetting.h"

namespace {

using Log = std::vector<std::string>;

struct TSlotRow {
  std::uint16_t KeyState;
  std::int16_t WheelDelta;
  int Expected;
};

TEST(KeyEventOfTest, EverySlotAndTheCombinationsThatHaveNone) {
  const TSlotRow rows[] = {
      {0x00, 120, KeyEventUp},         {0x00, -120, KeyEventDown},
      {0x01, 240, KeyEventLeftUp},     {0x01, -1, KeyEventLeftDown},
      {0x02, 120, KeyEventRightUp},    {0x02, -120, KeyEventRightDown},
      {0x10, 0, KeyEventMiddleButtonDown},
      {0x10, 120, KeyEventMiddleUp},   {0x10, -120, KeyEventMiddleDown},
      {0x20, 0, KeyEventX1ButtonDown}, {0x20, 120, KeyEventX1Up},
      {0x20, -120, KeyEventX1Down},    {0x40, 0, KeyEventX2ButtonDown},
      {0x40, 120, KeyEventX2Up},       {0x40, -120, KeyEventX2Down},
      {0x08, 120, KeyEventCtrlUp},     {0x08, -120, KeyEventCtrlDown},
      {0x04, 120, KeyEventShiftUp},    {0x04, -120, KeyEventShiftDown},
      // A press looks only at the middle and X buttons.
      {0x18, 0, KeyEventMiddleButtonDown}, {0x43, 0, KeyEventX2ButtonDown},
      // Bits above the seven are not looked at.
      {0x80, 120, KeyEventUp},
      // Two of the seven bits with a turn, two buttons or none with a press.
      {0x0C, 120, NoKeyEvent},         {0x09, -120, NoKeyEvent},
      {0x30, 0, NoKeyEvent},           {0x00, 0, NoKeyEvent},
      {0x0C, 0, NoKeyEvent}};
  for (const TSlotRow& row : rows)
    EXPECT_EQ(row.Expected, KeyEventOf(row.KeyState, row.WheelDelta))
        << "key state 0x" << std::hex << row.KeyState << std::dec << ", delta " << row.WheelDelta;
}

// Offers "Page Down" and records what its action receives.
struct TActionLog {
  Log Names;
  std::vector<TActionParam> Params;
};

class RecordingPlugin : public PluginActions {
 public:
  explicit RecordingPlugin(TActionLog& log) : Seen(log) {}
  std::string GetName() const override { return "recorder"; }
  std::int32_t GetCount() override { return 1; }
  std::string GetCaption(std::int32_t) override { return "Page Down"; }
  std::int32_t Action(std::int32_t, TActionParam* param) override {
    Seen.Names.push_back("Page Down");
    Seen.Params.push_back(*param);
    return 7;
  }

 private:
  TActionLog& Seen;
};

// A viewer with a pane under the cursor; the focus is on another of its
// controls, and another application is in the foreground.
class KeyOperationExecutorTest : public ::testing::Test {
 protected:
  KeyOperationExecutorTest() {
    Other = Desk.Add({"Notepad", {0, 0, 400, 300}, StyleVisible | StyleCaption, 0, 0, ""});
    Viewer = Desk.Add({"ViewerFrame", {400, 0, 800, 600}, StyleVisible | StyleCaption, 0, 0, ""});
    Pane = Desk.AddChild(Viewer, "ViewPane", {10, 10, 390, 290});
    List = Desk.AddChild(Viewer, "ListBox", {10, 300, 390, 590});
    Desk.Foreground = Other;
    Desk.Focus = List;
  }

  void SetSlot(int event, std::int8_t type, std::uint16_t stroke, const std::string& action = "") {
    TKeyOperation operation;
    operation.OperationType = type;
    operation.KeyStroke = stroke;
    operation.ActionName = action;
    Keys.SetOperation(event, operation);
  }

  bool Run(std::uint16_t keyState, std::int16_t delta) {
    return Executor.ExecuteKeyOperation(Pane, Keys, TPoint{500, 100}, keyState, delta);
  }

  static std::string KeyDown(int vk) { return "key " + std::to_string(vk) + " " + std::to_string(vk + 1) + " down"; }
  static std::string KeyUp(int vk) { return "key " + std::to_string(vk) + " " + std::to_string(vk + 1) + " up"; }

  FakeDesktop Desk;
  TVorlixSetting Setting;
  TWheelDispatcher Dispatcher{Desk, Desk, Setting};
  TActionLog Actions;
  TPlugins Plugins{std::make_unique<RecordingPlugin>(Actions)};
  TKeyOperationExecutor Executor{Desk, Desk, &Plugins};
  TKeySetting Keys;
  Wnd Other = 0, Viewer = 0, Pane = 0, List = 0;
};

TEST_F(KeyOperationExecutorTest, StrokeIsTypedIntoTheWindowUnderTheCursorWhichIsActivated) {
  SetSlot(KeyEventMiddleButtonDown, TKeyOperation::Key, 0x4041);  // Ctrl+A
  EXPECT_TRUE(Run(0x10 | 0x08, 0));
  EXPECT_EQ(Desk.Log, (Log{"SetForeground " + std::to_string(Viewer),
                           "SetFocusEx " + std::to_string(Pane), KeyDown(0x11), KeyDown(0x41),
                           KeyUp(0x41), KeyUp(0x11), "SetFocusEx " + std::to_string(List)}))
      << "the focus goes back to the list after the stroke";
}

TEST_F(KeyOperationExecutorTest, HeldModifiersAreLetGoForTheStrokeAndPressedAgain) {
  Desk.KeysHeld = {VkShift, VkControl};
  Executor.SendKeyStroke(0x8009);  // Alt+Tab
  EXPECT_EQ(Desk.KeyQueries, (std::vector<int>{VkShift, VkControl, VkMenu}));
  EXPECT_EQ(Desk.Log, (Log{KeyUp(VkShift), KeyUp(VkControl), KeyDown(VkMenu), KeyDown(0x09),
                           KeyUp(0x09), KeyUp(VkMenu), KeyDown(VkControl), KeyDown(VkShift)}));

  Desk.Log.clear();
  Desk.KeysHeld = {VkMenu};
  Executor.SendKeyStroke(0x2000 | 0x4000 | 0x8000 | 0x70);  // Ctrl+Alt+Shift+F1
  EXPECT_EQ(Desk.Log, (Log{KeyUp(VkMenu), KeyDown(VkShift), KeyDown(VkControl), KeyDown(VkMenu),
                           KeyDown(0x70), KeyUp(0x70), KeyUp(VkMenu), KeyUp(VkControl),
                           KeyUp(VkShift), KeyDown(VkMenu)}));
}

TEST_F(KeyOperationExecutorTest, ActionReceivesTheEventAndCountsAsConsumedWhateverItReturns) {
  SetSlot(KeyEventDown, TKeyOperation::Other, 0, "Page Down");
  SetSlot(KeyEventMiddleButtonDown, TKeyOperation::Other, 0, "Nobody offers this");
  EXPECT_TRUE(Run(0, -240));
  EXPECT_TRUE(Run(0x10, 0));
  ASSERT_EQ(Actions.Names, Log{"Page Down"}) << "an unknown name runs nothing";
  EXPECT_EQ(500, Actions.Params[0].X);
  EXPECT_EQ(100, Actions.Params[0].Y);
  EXPECT_EQ(0, Actions.Params[0].KeyState);
  EXPECT_EQ(-2, Actions.Params[0].Notches);
  EXPECT_EQ(Pane, Actions.Params[0].Window);
  SetSlot(KeyEventMiddleButtonDown, TKeyOperation::Other, 0, "Page Down");
  EXPECT_TRUE(Run(0x10, 0));
  ASSERT_EQ(2u, Actions.Params.size());
  EXPECT_EQ(0x10, Actions.Params[1].KeyState);
  EXPECT_EQ(0, Actions.Params[1].Notches);
}

TEST_F(KeyOperationExecutorTest, PressIsDecidedOnlyWhileAKeySettingHasItsSlot) {
  Dispatcher.Executor = &Executor;
  Dispatcher.Paused = false;
  Desk.Cursor = {500, 100};
  Desk.Window(Pane).ModulePath = "C:\\viewer.exe";
  const auto middlePress = [&] { return Dispatcher.RouteWheelNotification(0x10, Other); };
  const auto putKeys = [&] {
    TExeSetting exe;
    exe.SetExeName("viewer.exe");
    exe.PutKeySetting("", Keys);
    Setting.ExeSettings.Put("viewer.exe", exe);
  };
  Keys.EnableKeySetting = true;
  SetSlot(KeyEventX1ButtonDown, TKeyOperation::Key, 0x41);
  putKeys();
  EXPECT_EQ(middlePress(), 0);
  EXPECT_EQ(Desk.Calls, 0) << "only the X1 slot is in use";

  SetSlot(KeyEventMiddleButtonDown, TKeyOperation::Key, 0x42);
  putKeys();
  EXPECT_EQ(middlePress(), 1) << "the first press after the change runs the stroke";
  EXPECT_EQ(Desk.Log.at(2), KeyDown(0x42));

  Keys.EnableKeySetting = false;
  putKeys();
  Desk.Calls = 0;
  EXPECT_EQ(middlePress(), 0);
  EXPECT_EQ(Desk.Calls, 0);
}

TEST_F(KeyOperationExecutorTest, NothingRunsForAnEmptySlotNoSlotOrAnUnusableWindow) {
  SetSlot(KeyEventUp, TKeyOperation::Key, 0x41);
  EXPECT_FALSE(Run(0, -120)) << "the Down slot is empty";
  EXPECT_FALSE(Run(0x0C, 120)) << "Ctrl+Shift has no slot";
  Desk.Window(Viewer).Style |= StyleDisabled;
  EXPECT_FALSE(Run(0, 120)) << "behind a modal dialog";
  Desk.Window(Viewer).Style &= ~StyleDisabled;
  Desk.Window(Pane).Style &= ~StyleVisible;
  EXPECT_FALSE(Run(0, 120));
  EXPECT_TRUE(Desk.Log.empty());
}

}  // namespace
