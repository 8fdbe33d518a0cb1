#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryStore.h"
#include "settings/Keysetting.h"
#include "SettingErrors.h"

namespace {

const char Base[] = "ExeSetting\\APP.EXE\\Window\\.";
const char S[] = "ExeSetting\\APP.EXE\\Window\\.\\KeySetting";
const char LoadError[] = "TKeyOperation::Load\nOperationTypeが変";
const char SaveError[] = " TKeyOperation::Save \nOperationTypeが変";

TKeyOperation Op(std::int8_t type, std::uint16_t stroke, const std::string& action) {
  TKeyOperation op;
  op.OperationType = type;
  op.KeyStroke = stroke;
  op.ActionName = action;
  return op;
}

TEST(KeyEventSlots, NamesMatchTheTableRows) {
  EXPECT_STREQ(KeyEventSlots[KeyEventMiddleButtonDown].Identifier, "MiddleButtonDown");
  EXPECT_STREQ(KeyEventSlots[KeyEventX2Down].Identifier, "X2Down");
  EXPECT_STREQ(KeyEventSlots[KeyEventShiftDown].Identifier, "ShiftDown");
  EXPECT_EQ(KeyEventShiftDown + 1, KeyEventCount);
  EXPECT_STREQ(KeyEventSlots[KeyEventLeftUp].Caption, "左＋上回転");
  EXPECT_STREQ(KeyEventSlots[KeyEventX1ButtonDown].Caption, "X1ボタンDown");
}

TEST(KeySetting, EqualityComparesEveryFieldAndAssignCopiesThem) {
  EXPECT_NE(Op(TKeyOperation::None, 0, ""), Op(TKeyOperation::None, 0, "x"));
  EXPECT_NE(Op(TKeyOperation::Other, 0, "a"), Op(TKeyOperation::Other, 0, "A"));
  TKeySetting s;
  s.Operations[KeyEventShiftDown].KeyStroke = 1;  // left over in a None slot
  EXPECT_NE(s, TKeySetting());
  TKeySetting t;
  t.ThisWindowOnly = true;
  EXPECT_NE(t, TKeySetting());
  t.Assign(s);
  EXPECT_EQ(t, s);
}

TEST(KeySetting, SlotAccessIsBoundsChecked) {
  TKeySetting s;
  const TKeyOperation op = Op(TKeyOperation::Other, 0, "act");
  for (int bad : {-1, KeyEventCount}) {
    EXPECT_EQ(SettingErrorOf([&] { s.Operation(bad); }), "Bounds Exception") << bad;
    EXPECT_EQ(SettingErrorOf([&] { s.SetOperation(bad, op); }), "Bounds Exception") << bad;
  }
  EXPECT_EQ(s, TKeySetting());
  s.SetOperation(KeyEventShiftDown, op);
  EXPECT_EQ(s.Operation(KeyEventShiftDown), op);
  EXPECT_EQ(s.Operation(0), TKeyOperation());
}

TEST(KeySetting, SavesEveryTypeKeyThenTheValueOfItsTypeThenTheSwitches) {
  MemoryStore store;
  TKeySetting s;
  s.Operations[KeyEventUp] = Op(TKeyOperation::Key, 0x4041, "unused");
  s.Operations[KeyEventMiddleButtonDown] = Op(TKeyOperation::Other, 9, "Act");
  s.Operations[KeyEventShiftDown] = Op(TKeyOperation::None, 0x41, "unused");
  s.EnableKeySetting = true;
  s.SaveTo(store, Base);
  std::vector<std::string> expected;
  for (const char* key :
       {"UpType=1", "Up=16449", "DownType=0", "LeftUpType=0", "LeftDownType=0", "RightUpType=0",
        "RightDownType=0", "MiddleButtonDownType=2", "MiddleButtonDown=Act", "MiddleUpType=0",
        "MiddleDownType=0", "X1ButtonDownType=0", "X1UpType=0", "X1DownType=0",
        "X2ButtonDownType=0", "X2UpType=0", "X2DownType=0", "CtrlUpType=0", "CtrlDownType=0",
        "ShiftUpType=0", "ShiftDownType=0", "EnableKeySetting=1", "ThisWindowOnly=0"})
    expected.push_back(std::string(S) + "|" + key);
  EXPECT_EQ(store.Writes, expected);
}

TEST(KeySetting, RoundTripReproducesEverySlotOfEveryType) {
  MemoryStore store;
  TKeySetting saved;
  for (int i = 0; i < KeyEventCount; ++i) {
    TKeyOperation& op = saved.Operations[static_cast<std::size_t>(i)];
    op.OperationType = static_cast<std::int8_t>(i % 3);
    if (op.OperationType == TKeyOperation::Key)
      op.KeyStroke = static_cast<std::uint16_t>(0xE000 + i);
    if (op.OperationType == TKeyOperation::Other) op.ActionName = "動作 " + std::to_string(i);
  }
  saved.EnableKeySetting = saved.ThisWindowOnly = true;
  saved.SaveTo(store, Base);
  TKeySetting loaded;
  loaded.LoadFrom(store, Base);
  EXPECT_EQ(loaded, saved);
}

TEST(KeySetting, EmptySectionLoadsNoneEverywhereAndBothSwitchesOff) {
  MemoryStore store;
  TKeySetting s;
  for (TKeyOperation& op : s.Operations) op.OperationType = TKeyOperation::Key;
  s.EnableKeySetting = s.ThisWindowOnly = true;
  s.LoadFrom(store, Base);
  for (const TKeyOperation& op : s.Operations) EXPECT_EQ(op.OperationType, TKeyOperation::None);
  EXPECT_FALSE(s.EnableKeySetting);
  EXPECT_FALSE(s.ThisWindowOnly);
}

// Each row: stored type and value, and what an operation holding Key 0x1234
// "old" becomes. The value the type does not use is left alone.
TEST(KeyOperation, LoadTakesTheValueOfTheTypeCutToTheFieldWidth) {
  struct Row {
    const char* Type;
    const char* Value;
    TKeyOperation Expected;
  };
  const Row rows[] = {
      {"1", "16449", Op(TKeyOperation::Key, 0x4041, "old")},  // Ctrl + 'A'
      {"1", "65601", Op(TKeyOperation::Key, 0x0041, "old")},  // 0x10041
      {"1", "$FFFF4041", Op(TKeyOperation::Key, 0x4041, "old")},
      {"1", nullptr, Op(TKeyOperation::Key, 0, "old")},
      {"2", "Act", Op(TKeyOperation::Other, 0x1234, "Act")},
      {"258", "Act", Op(TKeyOperation::Other, 0x1234, "Act")},
      {"2", nullptr, Op(TKeyOperation::Other, 0x1234, "")},
      {"0", "Act", Op(TKeyOperation::None, 0x1234, "old")},
      {"256", "Act", Op(TKeyOperation::None, 0x1234, "old")},
      {nullptr, "Act", Op(TKeyOperation::None, 0x1234, "old")},
  };
  for (const Row& row : rows) {
    MemoryStore store;
    if (row.Type) store.WriteString(S, "UpType", row.Type);
    if (row.Value) store.WriteString(S, "Up", row.Value);
    TKeyOperation op = Op(TKeyOperation::Key, 0x1234, "old");
    op.LoadFrom(store, S, "Up");
    EXPECT_EQ(op, row.Expected) << (row.Type ? row.Type : "-") << " "
                                << (row.Value ? row.Value : "-");
  }
}

TEST(KeyOperation, BadTypeOnLoadFailsAndKeepsTheBadType) {
  MemoryStore store;
  for (const auto& [text, kept] :
       {std::pair<const char*, int>{"3", 3}, {"-1", -1}, {"255", -1}, {"-128", -128}}) {
    store.WriteString(S, "UpType", text);
    TKeyOperation op;
    EXPECT_EQ(SettingErrorOf([&] { op.LoadFrom(store, S, "Up"); }), LoadError) << text;
    EXPECT_EQ(op.OperationType, kept) << text;
  }
}

TEST(KeySetting, FailedLoadOrSaveKeepsWhatWasDoneBefore) {
  MemoryStore store;
  store.WriteString(S, "UpType", "1");
  store.WriteString(S, "Up", "65");
  store.WriteString(S, "LeftUpType", "7");
  store.WriteString(S, "RightUpType", "2");
  store.WriteString(S, "EnableKeySetting", "0");
  TKeySetting loaded;
  loaded.EnableKeySetting = true;
  EXPECT_EQ(SettingErrorOf([&] { loaded.LoadFrom(store, Base); }), LoadError);
  EXPECT_EQ(loaded.Operations[KeyEventUp], Op(TKeyOperation::Key, 65, ""));
  EXPECT_EQ(loaded.Operations[KeyEventRightUp], TKeyOperation());
  EXPECT_TRUE(loaded.EnableKeySetting);

  MemoryStore out;
  TKeySetting s;
  s.Operations[KeyEventUp] = Op(TKeyOperation::Other, 0, "Act");
  s.Operations[KeyEventLeftUp] = Op(-1, 0x41, "x");
  EXPECT_EQ(SettingErrorOf([&] { s.SaveTo(out, Base); }), SaveError);
  const std::string p = std::string(S) + "|";
  EXPECT_EQ(out.Writes, (std::vector<std::string>{p + "UpType=2", p + "Up=Act", p + "DownType=0",
                                                  p + "LeftUpType=-1"}));
}

TEST(KeySetting, SaveErasesOnlyItsOwnSectionFirst) {
  MemoryStore store;
  TKeySetting s;
  s.Operations[KeyEventRightDown] = Op(TKeyOperation::Key, 0x41, "");
  s.Operations[KeyEventCtrlUp] = Op(TKeyOperation::Other, 0, "Act");
  s.SaveTo(store, Base);
  store.WriteString(Base, "Neighbour", "kept");

  s.SetOperation(KeyEventRightDown, TKeyOperation());
  s.Operations[KeyEventCtrlUp].OperationType = TKeyOperation::None;
  s.SaveTo(store, Base);
  EXPECT_EQ(store.ReadString(S, "RightDown", "<missing>"), "<missing>");
  EXPECT_EQ(store.ReadString(S, "CtrlUp", "<missing>"), "<missing>");
  EXPECT_EQ(store.ReadString(S, "RightDownType", ""), "0");
  EXPECT_EQ(store.ReadString(Base, "Neighbour", ""), "kept");
}

}  // namespace
