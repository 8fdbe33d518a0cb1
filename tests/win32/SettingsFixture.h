// What the settings suites share: a test starts and ends without the Vorlix
// registry key and has a temporary folder of its own; raw access to the key
// and to files checks what the stores really wrote.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "settings/Vorlixsetting.h"

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string PathOf(const std::string& name) const { return Folder + "\\" + name; }

 private:
  bool Owned = false;
  std::string Folder;
};

// A value below the Vorlix key as "DWORD <signed number>", "SZ <text>",
// "type <n>" for any other type, or "missing".
std::string RawValue(const std::string& section, const std::string& name);
void SetRawValue(const std::string& section, const std::string& name, DWORD type,
                 const std::string& bytes);
std::string DwordBytes(DWORD value);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);

// Every write of a save, in order: equal dumps mean equal settings.
std::vector<std::string> Dump(TVorlixSetting setting);
// General settings off their defaults, a class-wide and an application's own
// window rule, and an application with an application-wide and a class key
// setting in which the slots take turns at None, Key and Other.
TVorlixSetting FullSetting();
