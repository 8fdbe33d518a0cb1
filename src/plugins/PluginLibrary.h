// The plug-ins of the running program: libraries found in its folder, loaded
// with TDllLoader and called through their three exports, and the built-in
// plug-in, which double-clicks.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "host/Dllloader.h"
#include "plugins/Plugin.h"

// The exports of a plug-in library, under these undecorated names.
using TGetCountExport = std::int32_t(WINAPI*)();
using TGetCaptionExport = std::int32_t(WINAPI*)(std::int32_t number, char* buffer,
                                                std::int32_t size);
using TActionExport = std::int32_t(WINAPI*)(std::int32_t number, TActionParam* param);

constexpr char InternalPluginName[] = "(Internal)";
constexpr char DoubleClickAction[] = "Double Click";

class TPlugin : public TDllLoader, public PluginActions {
 public:
  // folder ends with a separator; fileName is the name the listing gave.
  TPlugin(const std::string& folder, const std::string& fileName);

  // Without folder; empty for the built-in plug-in.
  const std::string FileName;

  // The full path, so that the library loaded is the file that was listed.
  const char* GetDllName() const noexcept override;
  // Succeeds only when the library has all three exports.
  bool Load() noexcept override;
  std::string GetName() const override;
  // Each returns 0 (or an empty text) while the export is missing, and
  // when the export faults.
  std::int32_t GetCount() override;
  std::string GetCaption(std::int32_t number) override;
  std::int32_t Action(std::int32_t number, TActionParam* param) override;

 protected:
  TPlugin() = default;

 private:
  // Calls an export with 32-bit arguments, guarded: a fault ends the call
  // with 0 and its exception code in fault.
  static std::int32_t Call(const void* entry, std::initializer_list<std::int32_t> arguments,
                           DWORD& fault);

  std::string Path;
  TGetCountExport EntryGetCount = nullptr;
  TGetCaptionExport EntryGetCaption = nullptr;
  TActionExport EntryAction = nullptr;
};

// Present in every run and loads no library: one action, DoubleClickAction.
class TInternalPlugin : public TPlugin {
 public:
  TInternalPlugin() = default;

  bool Load() noexcept override;
  std::string GetName() const override;
  std::int32_t GetCount() override;
  std::string GetCaption(std::int32_t number) override;
  std::int32_t Action(std::int32_t number, TActionParam* param) override;

 private:
  static void DoubleClick(const TActionParam& param);
};
