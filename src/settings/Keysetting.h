// What a wheel turn or a button press does instead of its normal handling:
// one operation per event slot, grouped into the key setting of an
// application or of one of its window classes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class SettingStore;

// The key-stroke word of a key operation: the virtual-key code in the low
// bits, the modifiers to hold for it above.
constexpr std::uint16_t KeyStrokeKeyMask = 0x1FFF;
constexpr std::uint16_t KeyStrokeShift = 0x2000;
constexpr std::uint16_t KeyStrokeCtrl = 0x4000;
constexpr std::uint16_t KeyStrokeAlt = 0x8000;

class TKeyOperation {
 public:
  static constexpr std::int8_t None = 0;   // the event keeps its normal handling
  static constexpr std::int8_t Key = 1;    // send KeyStroke
  static constexpr std::int8_t Other = 2;  // run the plug-in action ActionName

  std::int8_t OperationType = None;
  std::uint16_t KeyStroke = 0;  // a key-stroke word (KeyStrokeKeyMask...)
  std::string ActionName;

  void Assign(const TKeyOperation& other) { *this = other; }
  bool operator==(const TKeyOperation& other) const;
  bool operator!=(const TKeyOperation& other) const { return !(*this == other); }

  // event: the identifier of the slot, which names its keys in the section.
  void SaveTo(SettingStore& store, const std::string& section, const std::string& event) const;
  void LoadFrom(SettingStore& store, const std::string& section, const std::string& event);
};

// The event slots, in their fixed order. Each Up slot is even and its Down
// partner follows it, so a wheel turn picks the pair and the sign of the
// delta picks the slot.
enum KeyEvent : int {
  KeyEventUp = 0,
  KeyEventDown,
  KeyEventLeftUp,
  KeyEventLeftDown,
  KeyEventRightUp,
  KeyEventRightDown,
  KeyEventMiddleButtonDown,
  KeyEventMiddleUp,
  KeyEventMiddleDown,
  KeyEventX1ButtonDown,
  KeyEventX1Up,
  KeyEventX1Down,
  KeyEventX2ButtonDown,
  KeyEventX2Up,
  KeyEventX2Down,
  KeyEventCtrlUp,
  KeyEventCtrlDown,
  KeyEventShiftUp,
  KeyEventShiftDown,
};
constexpr int KeyEventCount = 19;

struct TKeyEventSlot {
  const char* Identifier;  // key name in the store
  const char* Caption;     // how the application page lists the slot
};
// Indexed by KeyEvent.
extern const TKeyEventSlot KeyEventSlots[KeyEventCount];

class TKeySetting {
 public:
  std::array<TKeyOperation, KeyEventCount> Operations;  // indexed by KeyEvent
  bool EnableKeySetting = false;
  bool ThisWindowOnly = false;  // applies to its own window class only

  void Assign(const TKeySetting& other) { *this = other; }
  bool operator==(const TKeySetting& other) const;
  bool operator!=(const TKeySetting& other) const { return !(*this == other); }

  // Both throw ESettingError("Bounds Exception") for an index outside the slots.
  const TKeyOperation& Operation(int index) const;
  void SetOperation(int index, const TKeyOperation& operation);

  // The section is base + "\KeySetting".
  void SaveTo(SettingStore& store, const std::string& base) const;
  void LoadFrom(SettingStore& store, const std::string& base);
};
