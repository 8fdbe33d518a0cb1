// All settings of the running program: the one live instance belongs to the
// main window; the dispatcher reads it, the settings dialog edits it in place.
#pragma once

#include <cstdint>
#include <string>

#include "platform/AnsiText.h"
#include "settings/Exesetting.h"
#include "settings/Generalsetting.h"
#include "settings/Windowsetting.h"

class SettingStore;
#ifdef _WIN32
class TSettingPrompt;
#endif

// The only layout of the settings this program accepts.
constexpr std::int32_t CurrentSettingVersion = 1297;

class TVorlixSetting {
 public:
  TExeSettings ExeSettings;
  TGeneralSetting GeneralSetting;
  TWindowSettings WindowSettings;
  std::int32_t SettingVersionNo = CurrentSettingVersion;

  void Reset();
  // General settings, window-class rules, applications, then the version.
  void SaveTo(SettingStore& store) const;
  // In the order of SaveTo, replacing everything; a load that fails on the
  // way leaves this object as it was.
  void LoadFrom(SettingStore& store);
  // Whether the store holds settings of the current layout.
  static bool VersionMatches(SettingStore& store);
  // Throws ESettingError when the registry key could not hold a name of
  // these settings, which a save into it would find only halfway. Names are
  // text of the code page whose double-byte characters isLeadByte tells.
  void CheckRegistryNames(TLeadByteTest isLeadByte = AnsiIsLeadByte) const;

#ifdef _WIN32
  // Refused whole, before anything is written, when CheckRegistryNames is.
  void SaveToRegistry();
  // What one page of the settings dialog saves.
  enum TPart { GeneralPart, WindowPart, ExePart };
  // Writes that part alone into the registry key (the version stays as it
  // is); refused like SaveToRegistry.
  void SavePartToRegistry(TPart part);
  void LoadFromRegistry();
  // The file afterwards holds exactly these settings; a save that fails
  // leaves the previous file as it was.
  void SaveToFile(const std::string& path);
  // Like LoadFrom; settings that the registry could not hold are refused too.
  void LoadFromFile(const std::string& path);
  static bool RegistryVersionMatches();
  static bool FileVersionMatches(const std::string& path);
  static bool RegistryKeyExists();
  // "default.vxs" in the folder of the program file.
  static std::string DefaultFilePath();

  // The settings at start-up: from the registry when it holds the current
  // layout, else (after the user agrees to replace settings of another
  // layout) from defaultFile or the built-in defaults, which are then
  // written to the registry. Settings in the registry that cannot be read
  // are replaced only when the user agrees; otherwise the program runs on
  // the defaults and leaves the key alone. A default file that cannot be
  // read counts as missing. False when start-up must not go on.
  bool LoadAtStartup(TSettingPrompt& prompt, const std::string& defaultFile);
#endif
};
