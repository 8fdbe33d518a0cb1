// All settings of the running program: the one live instance belongs to the
// main window; the dispatcher reads it, the settings dialog edits it in place.
#pragma once

#include <cstdint>

#include "settings/Generalsetting.h"
#include "settings/Windowsetting.h"

constexpr std::int32_t CurrentSettingVersion = 1297;

class TVorlixSetting {
 public:
  TGeneralSetting GeneralSetting;
  TWindowSettings WindowSettings;
  std::int32_t SettingVersionNo = CurrentSettingVersion;

  void Reset() {
    GeneralSetting.Reset();
    WindowSettings.Clear();
    SettingVersionNo = CurrentSettingVersion;
  }
};
