// All settings of the running program: the one live instance belongs to the
// main window; the dispatcher reads it, the settings dialog edits it in place.
#pragma once

#include <cstdint>

#include "settings/Exesetting.h"
#include "settings/Generalsetting.h"
#include "settings/Windowsetting.h"

constexpr std::int32_t CurrentSettingVersion = 1297;

class TVorlixSetting {
 public:
  TExeSettings ExeSettings;
  TGeneralSetting GeneralSetting;
  TWindowSettings WindowSettings;
  std::int32_t SettingVersionNo = CurrentSettingVersion;

  void Reset() {
    ExeSettings.Clear();
    GeneralSetting.Reset();
    WindowSettings.Clear();
    SettingVersionNo = CurrentSettingVersion;
  }
};
