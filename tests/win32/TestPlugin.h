// The plug-in libraries that the plug-in suite loads (TestPlugin.cpp, one
// build per variant) and what they report to it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "plugins/Plugin.h"

// The variants as built beside the suite:
// first and second: "Shared" and "First only" or "Second only"; their Action
// records its call and returns PluginId * 100 + the action number.
constexpr char FirstPluginFile[] = "vorlix_test_plugin_first.dll";
constexpr char SecondPluginFile[] = "vorlix_test_plugin_second.dll";
// no_action: offers "Orphan" but has no "Action" export.
constexpr char NoActionPluginFile[] = "vorlix_test_plugin_no_action.dll";
// captions: four captions that fill the whole buffer with 'L', 'M', 'N' and
// 'O' and report, in order, the buffer size, 45 more, -1, and 2; its Action
// is that of first and second.
constexpr char CaptionsPluginFile[] = "vorlix_test_plugin_captions.dll";
// faulty: claims 2147483647 actions, "Crash", "Throw", "Fine" and then
// faults in GetCaption; action 0 writes through a null pointer, action 1
// raises the exception of a C++ throw in Visual C++, action 2 is that of
// first and second.
constexpr char FaultyPluginFile[] = "vorlix_test_plugin_faulty.dll";

// The last call of a test plug-in's "Action", in a mapping of this name that
// the suite creates.
struct TPluginCall {
  volatile LONG Calls;
  std::int32_t PluginId;  // 1 first, 2 second, 3 captions, 4 faulty
  std::int32_t Number;
  TActionParam Param;
};

inline std::string PluginCallMappingName() {
  return "VorlixTest_PluginCall" + std::to_string(GetCurrentProcessId());
}
