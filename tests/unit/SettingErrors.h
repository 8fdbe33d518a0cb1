// For tests of settings code that must fail with a given text.
#pragma once

#include <functional>
#include <string>

#include "settings/SettingError.h"

// The message of the ESettingError that action throws, or "<none>".
inline std::string SettingErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ESettingError& e) {
    return e.what();
  }
  return "<none>";
}
