// Rules per application, identified by its executable's file name: whether
// its windows are ignored, and its key settings.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "settings/Keysetting.h"

class SettingStore;

class TExeSetting {
 public:
  std::string ExeName;  // file name without folder, upper-cased
  bool Ignore = false;
  // Upper-cased window class name -> key setting for that class only;
  // "" -> the key setting of the whole application.
  std::map<std::string, TKeySetting, std::less<>> WindowKeySettings;
  // What FindKeySetting answers when nothing matches: disabled, all None.
  static const TKeySetting DefaultKeySetting;

  void SetExeName(const std::string& name);
  void Assign(const TExeSetting& other);
  bool operator==(const TExeSetting& other) const;
  bool operator!=(const TExeSetting& other) const { return !(*this == other); }

  // Files the key setting under the class, or for the whole application when
  // its ThisWindowOnly is false (dropping the class's own entry).
  void PutKeySetting(const std::string& className, const TKeySetting& keySetting);
  // The class's own entry when it is ThisWindowOnly, else the application's,
  // else DefaultKeySetting. Valid until WindowKeySettings next changes.
  const TKeySetting& FindKeySetting(const std::string& className) const;
  // The same for a name already upper-cased, without building a string.
  const TKeySetting& FindKeySettingOfUpperCased(std::string_view className) const;
};

class TExeSettings {
 public:
  // The application's entry, or a default one carrying the upper-cased name.
  // Valid until the collection next changes.
  const TExeSetting& Find(const std::string& exeName);
  // The entry of an upper-cased name, without building a string; null
  // where none is stored.
  const TExeSetting* FindEntry(std::string_view upperCasedName) const;
  // Stores or replaces the entry; a setting that says nothing is removed.
  void Put(const std::string& exeName, const TExeSetting& setting);
  void Clear() { Entries.clear(); }
  // Whether any enabled key setting of any application has an operation in
  // the slot of keyEvent, which must be a KeyEvent.
  bool AnyOperationFor(int keyEvent) const;

  void SaveTo(SettingStore& store) const;
  void LoadFrom(SettingStore& store);

 private:
  std::map<std::string, TExeSetting, std::less<>> Entries;  // by upper-cased name
  TExeSetting DefaultExeSetting;
};
