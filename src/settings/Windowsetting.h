// Rules per window class, optionally restricted to one application.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

class SettingStore;

class TWindowSetting {
 public:
  std::string ClassName;
  bool Ignore = false;
  bool NonActiveScrollIdent = false;  // scroll without activating; Ctrl+Shift inverts
  bool SetFocus = false;
  bool SetFocusWithCursor = false;    // with SetFocus: the focus follows the cursor
  std::int32_t ScrollLines = 0;       // 0: the general ScrollLines applies
  bool ThisExeOnly = false;
  std::string ExeName;

  // The two delivery choices exclude each other: setting one clears the other.
  bool SendScrollMsgOnly() const { return SendScrollMsgOnly_; }
  bool SendWheelMsgOnly() const { return SendWheelMsgOnly_; }
  void SetSendScrollMsgOnly(bool value);
  void SetSendWheelMsgOnly(bool value);

  void Assign(const TWindowSetting& other) { *this = other; }
  bool operator==(const TWindowSetting& other) const;
  bool operator!=(const TWindowSetting& other) const { return !(*this == other); }

  void SaveTo(SettingStore& store, const std::string& section) const;
  // Every field is overwritten by the value read or its default.
  void LoadFrom(SettingStore& store, const std::string& section);

 private:
  // Calls visit(key, member) for every field, in the stored key order: the
  // one list of the fields that saving, loading and equality go by.
  template <typename Visit>
  static void VisitKeys(Visit&& visit);

  bool SendScrollMsgOnly_ = false;
  bool SendWheelMsgOnly_ = false;
};

class TWindowSettings {
 public:
  // The entry that applies: the application's own entry for the class, else
  // the class-wide one, else the defaults. Valid until the collection changes.
  const TWindowSetting& Find(const std::string& className, const std::string& exeName);
  // The same without building a default: null where the defaults apply.
  // Looks up by the names as they are, without building strings.
  const TWindowSetting* FindEntry(std::string_view className, std::string_view exeName) const;
  // Adds, replaces or drops one entry; a class-wide entry equal to the
  // defaults is dropped rather than stored.
  void Put(const std::string& className, const std::string& exeName,
           const TWindowSetting& setting);
  void Clear() { Entries.clear(); }
  // Whether any entry lets the keyboard focus follow the cursor, the one
  // rule that acts on a mouse move.
  bool AnyFocusFollowsCursor() const;
  // Replaces the stored rules below "WindowSetting"; class-wide entries are
  // stored without the application name they were put with.
  void SaveTo(SettingStore& store) const;
  // Replaces the collection with the rules listed in the store's index.
  void LoadFrom(SettingStore& store);

 private:
  // class name -> application name ("" = every application) -> entry;
  // a class is present only while it holds at least one entry.
  // Transparent comparison, so that a look-up needs no string of its own.
  std::map<std::string, std::map<std::string, TWindowSetting, std::less<>>, std::less<>> Entries;
  TWindowSetting DefaultWindowSetting;
};
