// The settings dialog's pages as their tables bind them: what each control
// shows and reads back, and when it is enabled.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ui/SettingPages.h"

namespace {

class FakeControls : public PageControls {
 public:
  bool Checked(int id) override { return Flags[id]; }
  void SetChecked(int id, bool value) override { Flags[id] = value; }
  int Number(int id) override { return Numbers[id]; }
  void SetNumber(int id, int value) override { Numbers[id] = value; }
  std::string Text(int id) override { return Texts[id]; }
  void SetText(int id, const std::string& text) override { Texts[id] = text; }
  void Enable(int id, bool enabled) override { Enabled[id] = enabled; }

  std::map<int, bool> Flags, Enabled;
  std::map<int, int> Numbers;
  std::map<int, std::string> Texts;
};

// Shown and read back into a default setting, every field comes back: no
// field is left out, and no two share a control.
template <typename Setting>
Setting RoundTrip(const TPageBinding<Setting>& binding, const Setting& shown) {
  FakeControls controls;
  binding.Show(shown, controls);
  Setting read;
  binding.Read(read, controls);
  return read;
}

TEST(PageBindingTest, EveryPageShowsAndReadsBackEachFieldOfItsSetting) {
  TGeneralSetting general;
  general.ScrollLines = 5;
  general.SendScrollMsgOnly = true;
  general.CtrlWheelIgnore = general.ShiftWheelIgnore = false;
  general.CtrlShiftWheelNonActiveScroll = false;
  const TGeneralSetting generalRead = RoundTrip(GeneralPage::Binding, general);
  EXPECT_EQ(generalRead.ScrollLines, 5);
  EXPECT_TRUE(generalRead.SendScrollMsgOnly);
  EXPECT_FALSE(generalRead.CtrlWheelIgnore || generalRead.ShiftWheelIgnore ||
               generalRead.CtrlShiftWheelNonActiveScroll);

  TWindowSetting window;
  window.ClassName = "EDIT";
  window.Ignore = window.NonActiveScrollIdent = window.SetFocus = true;
  window.SetFocusWithCursor = window.ThisExeOnly = true;
  window.SetSendWheelMsgOnly(true);
  window.ScrollLines = 7;
  window.ExeName = "NOTEPAD.EXE";
  EXPECT_EQ(RoundTrip(WindowPage::Binding, window), window);

  TExeSetting exe;
  exe.ExeName = "NOTEPAD.EXE";
  exe.Ignore = true;
  EXPECT_EQ(RoundTrip(ExePage::Binding, exe), exe);
  TKeySetting keys;
  keys.EnableKeySetting = keys.ThisWindowOnly = true;
  EXPECT_EQ(RoundTrip(ExePage::KeyBinding, keys), keys);
}

TEST(PageBindingTest, WindowPageOffersOptionsOnlyWhereTheyApply) {
  using namespace WindowPage;
  FakeControls c;
  Binding.UpdateEnabled(false, c);
  for (const auto& [id, enabled] : c.Enabled) EXPECT_FALSE(enabled) << "control " << id;

  c.Flags[IdCheckIgnore] = true;
  Binding.Clicked(IdCheckIgnore, c);
  EXPECT_TRUE(c.Enabled[IdCheckThisExeOnly] && c.Enabled[IdBtnSave]);
  EXPECT_FALSE(c.Enabled[IdCheckSendScrollMsgOnly] || c.Enabled[IdUpDownScrollLines]);

  c.Flags[IdCheckIgnore] = false;
  Binding.Clicked(IdCheckIgnore, c);
  EXPECT_TRUE(c.Enabled[IdCheckSetFocus]);
  EXPECT_FALSE(c.Enabled[IdCheckSetFocusWithCursor]) << "the focus does not move";
  c.Flags[IdCheckSetFocus] = true;
  Binding.Clicked(IdCheckSetFocus, c);
  EXPECT_TRUE(c.Enabled[IdCheckSetFocusWithCursor]);

  c.Flags[IdCheckSendScrollMsgOnly] = c.Flags[IdCheckSendWheelMsgOnly] = true;
  Binding.Clicked(IdCheckSendWheelMsgOnly, c);
  EXPECT_FALSE(c.Flags[IdCheckSendScrollMsgOnly]) << "the delivery choices exclude each other";
  c.Flags[IdCheckSendScrollMsgOnly] = true;
  Binding.Clicked(IdCheckSendScrollMsgOnly, c);
  EXPECT_FALSE(c.Flags[IdCheckSendWheelMsgOnly]);
}

TEST(PageBindingTest, ApplicationPageGatesTheKeyRowsAndTheirChoices) {
  using namespace ExePage;
  FakeControls c;
  Binding.UpdateEnabled(true, c);
  EXPECT_TRUE(c.Enabled[IdCheckEnableKeySetting]);
  EXPECT_FALSE(c.Enabled[IdListBoxKeyOp]) << "until the key setting is enabled";

  c.Flags[IdCheckEnableKeySetting] = c.Flags[IdRadioKeyOpKey] = true;
  Binding.Clicked(IdRadioKeyOpKey, c);
  EXPECT_TRUE(c.Enabled[IdListBoxKeyOp] && c.Enabled[IdHotKeyExKey]);
  EXPECT_FALSE(c.Enabled[IdComboBoxOther]);
  c.Flags[IdRadioKeyOpKey] = false;
  c.Flags[IdRadioKeyOpOther] = true;
  Binding.Clicked(IdRadioKeyOpOther, c);
  EXPECT_TRUE(c.Enabled[IdComboBoxOther]);
  EXPECT_FALSE(c.Enabled[IdHotKeyExKey]);

  c.Flags[IdCheckIgnore] = true;
  Binding.Clicked(IdCheckIgnore, c);
  EXPECT_FALSE(c.Enabled[IdCheckThisWindowOnly] || c.Enabled[IdListBoxKeyOp] ||
               c.Enabled[IdHotKeyExKey]);
}

}  // namespace
