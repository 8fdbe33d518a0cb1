// The names by which the rules know a window: its class name and its
// executable's file name, both upper-cased. The dispatcher asks on every
// turn, the settings dialog on every capture.
#pragma once

#include <string>

#include "host/ModuleNameCache.h"
#include "platform/WindowSystem.h"

class TTargetNames {
 public:
  TTargetNames(WindowSystem& windows, HookRequests& hook) : Windows(windows), Names(windows, hook) {}

  std::string ClassName(Wnd window);
  std::string ModuleName(Wnd window);
  // The same into buffers of NameBufferSize: a turn builds no string.
  void ClassNameInto(Wnd window, char* buffer);
  void ModuleNameInto(Wnd window, char* buffer);

 private:
  WindowSystem& Windows;
  TModuleNameCache Names;
};
