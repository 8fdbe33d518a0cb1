#include "settings/Keysetting.h"

#include "settings/SettingError.h"
#include "settings/SettingStore.h"

const TKeyEventSlot KeyEventSlots[KeyEventCount] = {
    {"Up", "上回転"},
    {"Down", "下回転"},
    {"LeftUp", "左＋上回転"},
    {"LeftDown", "左＋下回転"},
    {"RightUp", "右＋上回転"},
    {"RightDown", "右＋下回転"},
    {"MiddleButtonDown", "中ボタンDown"},
    {"MiddleUp", "中＋上回転"},
    {"MiddleDown", "中＋下回転"},
    {"X1ButtonDown", "X1ボタンDown"},
    {"X1Up", "X1＋上回転"},
    {"X1Down", "X1＋下回転"},
    {"X2ButtonDown", "X2ボタンDown"},
    {"X2Up", "X2＋上回転"},
    {"X2Down", "X2＋下回転"},
    {"CtrlUp", "Ctrl＋上回転"},
    {"CtrlDown", "Ctrl＋下回転"},
    {"ShiftUp", "Shift＋上回転"},
    {"ShiftDown", "Shift＋下回転"},
};

namespace {

const char SectionSuffix[] = "\\KeySetting";

}  // namespace

// The value the type does not use is compared too: the page stores all three
// fields on every edit, so a left-over key stroke still counts as a change.
bool TKeyOperation::operator==(const TKeyOperation& other) const {
  return OperationType == other.OperationType && KeyStroke == other.KeyStroke &&
         ActionName == other.ActionName;
}

// The type key is written before the type is checked, so a failed save leaves
// it in the store, like every key written before it.
void TKeyOperation::SaveTo(SettingStore& store, const std::string& section,
                           const std::string& event) const {
  store.WriteInteger(section, event + "Type", OperationType);
  switch (OperationType) {
    case None:
      break;
    case Key:
      store.WriteInteger(section, event, KeyStroke);
      break;
    case Other:
      store.WriteString(section, event, ActionName);
      break;
    default:
      throw ESettingError(" TKeyOperation::Save \nOperationTypeが変");
  }
}

// Only the value of the type read is taken; the other one keeps what it held,
// which for a freshly constructed setting is its default. A stored number too
// wide for its field is cut to the field's width rather than rejected.
void TKeyOperation::LoadFrom(SettingStore& store, const std::string& section,
                             const std::string& event) {
  const std::int32_t type = store.ReadInteger(section, event + "Type", None);
  OperationType = static_cast<std::int8_t>(static_cast<std::uint8_t>(type & 0xFF));
  switch (OperationType) {
    case None:
      break;
    case Key:
      KeyStroke = static_cast<std::uint16_t>(store.ReadInteger(section, event, 0) & 0xFFFF);
      break;
    case Other:
      ActionName = store.ReadString(section, event, "");
      break;
    default:
      throw ESettingError("TKeyOperation::Load\nOperationTypeが変");
  }
}

bool TKeySetting::operator==(const TKeySetting& other) const {
  return Operations == other.Operations && EnableKeySetting == other.EnableKeySetting &&
         ThisWindowOnly == other.ThisWindowOnly;
}

const TKeyOperation& TKeySetting::Operation(int index) const {
  if (index < 0 || index >= KeyEventCount) throw ESettingError("Bounds Exception");
  return Operations[static_cast<std::size_t>(index)];
}

void TKeySetting::SetOperation(int index, const TKeyOperation& operation) {
  if (index < 0 || index >= KeyEventCount) throw ESettingError("Bounds Exception");
  TKeyOperation& slot = Operations[static_cast<std::size_t>(index)];
  if (slot != operation) slot = operation;
}

// A slot whose type went back to None writes no value key, so without the
// erase the value of an earlier save would survive beside it.
void TKeySetting::SaveTo(SettingStore& store, const std::string& base) const {
  const std::string section = base + SectionSuffix;
  if (store.SectionExists(section)) store.EraseSection(section);
  for (int i = 0; i < KeyEventCount; ++i)
    Operations[static_cast<std::size_t>(i)].SaveTo(store, section, KeyEventSlots[i].Identifier);
  store.WriteBool(section, "EnableKeySetting", EnableKeySetting);
  store.WriteBool(section, "ThisWindowOnly", ThisWindowOnly);
}

void TKeySetting::LoadFrom(SettingStore& store, const std::string& base) {
  const std::string section = base + SectionSuffix;
  for (int i = 0; i < KeyEventCount; ++i)
    Operations[static_cast<std::size_t>(i)].LoadFrom(store, section, KeyEventSlots[i].Identifier);
  EnableKeySetting = store.ReadBool(section, "EnableKeySetting", false);
  ThisWindowOnly = store.ReadBool(section, "ThisWindowOnly", false);
}
