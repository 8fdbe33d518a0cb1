// The settings that apply to every wheel turn unless a window-class or an
// application setting says otherwise. Section "GeneralSetting".
#pragma once

#include <cstdint>

class SettingStore;

class TGeneralSetting {
 public:
  std::int32_t ScrollLines = 3;  // lines per notch; no range is enforced here
  bool SendScrollMsgOnly = false;
  bool CtrlWheelIgnore = true;
  bool ShiftWheelIgnore = true;
  bool CtrlShiftWheelNonActiveScroll = true;

  void Reset() { *this = TGeneralSetting(); }
  void Assign(const TGeneralSetting& other) { *this = other; }
  // The section is not erased first; keys go in their fixed order.
  void SaveTo(SettingStore& store) const;
  // Every field is overwritten; a missing or unreadable key takes its default.
  void LoadFrom(SettingStore& store);

 private:
  // Calls visit(key, member) for every field, in the stored key order.
  template <typename Visit>
  static void VisitKeys(Visit&& visit);
};
