// The plug-in host: the record an action receives, what the host needs of a
// plug-in, and TPlugins, which registers the actions of all plug-ins by name
// and runs them. The libraries themselves are loaded by TPlugin
// (plugins/PluginLibrary.h); nothing here touches the system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "VorlixPlugin.h"

// TActionParam, the record a plug-in's "Action" receives, is defined with its
// layout checks where plug-in authors find it: sdk/VorlixPlugin.h.

// A plug-in as the registry uses it: the built-in one, a loaded library, or a
// fake in the tests.
class PluginActions {
 public:
  virtual ~PluginActions() = default;
  // The name shown for the plug-in.
  virtual std::string GetName() const = 0;
  // The number of actions; 0 or less means none.
  virtual std::int32_t GetCount() = 0;
  virtual std::string GetCaption(std::int32_t number) = 0;
  virtual std::int32_t Action(std::int32_t number, TActionParam* param) = 0;
};

// The most actions the host asks one plug-in for. A count past it breaks no
// written rule, but asking for two thousand million captions would keep
// the program from ever starting.
constexpr std::int32_t ActionLimit = 1024;

// "GetCaption" writes into a buffer of CaptionSize + 1 bytes and is told
// CaptionSize; the host adds the zero.
constexpr std::int32_t CaptionSize = 255;
using TCaptionBuffer = char[CaptionSize + 1];

// The caption in buffer after the export returned written: ended with a zero
// at that count, clamped into the buffer, and cut at the first zero.
std::string CaptionText(TCaptionBuffer& buffer, std::int32_t written) noexcept;

class TPlugins {
 public:
  // Adds builtIn first, so that no plug-in can take its action names.
  explicit TPlugins(std::unique_ptr<PluginActions> builtIn);
  ~TPlugins();

  TPlugins(const TPlugins&) = delete;
  TPlugins& operator=(const TPlugins&) = delete;

#ifdef _WIN32
  // With the built-in plug-in that double-clicks (plugins/PluginLibrary.cpp).
  TPlugins();
  // Loads every plug-in file of folder, in the order the folder lists them.
  void LoadDirectory(const std::string& folder);
#endif

  // Takes a plug-in that has loaded and registers each of its action names
  // that no plug-in registered before.
  void Add(std::unique_ptr<PluginActions> plugin);
  // Destroys every plug-in, the built-in one included, and forgets all names.
  void Clear();
  // The result of the action registered under name; 0 when there is none.
  std::int32_t ExecuteAction(const std::string& name, TActionParam* param);

  int GetPluginCount() const;
  int GetActionCount() const;
  // The registered names in registration order; empty for an index out of range.
  std::string GetActionName(int index) const;

 private:
  struct TActionEntry {
    std::size_t Plugin;
    std::int32_t Number;
  };

  std::vector<std::unique_ptr<PluginActions>> PluginList;
  // Case-sensitive, byte by byte.
  std::map<std::string, TActionEntry> ActionIndex;
  std::vector<std::string> ActionNameList;
};
