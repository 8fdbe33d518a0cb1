// A library loaded at run time and looked up by export name, and its
// subclass that installs the library's procedures as hooks for the whole
// desktop. Each object owns what it loads and installs and gives it back in
// its destructor: the hooks first, then the library that holds their code.
#pragma once

#include <windows.h>

#include <utility>

#include "shared/SystemFunction.h"
#include "shared/Win32Owner.h"

class TDllLoader {
 public:
  TDllLoader() noexcept = default;
  virtual ~TDllLoader() = default;

  TDllLoader(const TDllLoader&) = delete;
  TDllLoader& operator=(const TDllLoader&) = delete;

  // The file name given to LoadLibraryA.
  virtual const char* GetDllName() const noexcept = 0;
  // Loads the library once; a second Load fails and changes nothing.
  virtual bool Load() noexcept;

  // Null when the library is not loaded or has no such export. The caller
  // casts to the function type it expects (see ProcAs).
  FARPROC GetProc(const char* name) const noexcept;
  template <typename Function>
  Function ProcAs(const char* name) const noexcept {
    return FunctionOf<Function>(GetProc(name));
  }

  // Looks each name up into its function pointer, all or nothing: when one
  // is missing, every pointer is left null and the answer is false.
  //   ResolveAll(std::pair{&Entry, "Name"}, ...)
  template <typename... Function>
  bool ResolveAll(const std::pair<Function*, const char*>&... exports) const noexcept {
    const bool all = ((GetProc(exports.second) != nullptr) && ...);
    ((*exports.first = all ? ProcAs<Function>(exports.second) : nullptr), ...);
    return all;
  }

  bool IsLoaded() const noexcept { return static_cast<bool>(Module); }
  HMODULE GetModule() const noexcept { return Module.Get(); }

 private:
  TModuleOwner Module;
};

class THookLoader : public TDllLoader {
 public:
  // Hook types from WH_MSGFILTER (-1) to 18, one slot each.
  static constexpr int SlotCount = 20;

  // Removes the hooks in slot order (WH_GETMESSAGE before WH_CALLWNDPROC
  // before WH_MOUSE_LL), before the library that holds their code goes.
  ~THookLoader() override;

  // Installs procedure, which must be an export of the loaded library, as
  // the hook of type id for every thread of the desktop. A hook of the same
  // type installed before is removed first.
  bool SetHook(int id, HOOKPROC procedure) noexcept;
  // The installed hook of type id, or null.
  HHOOK GetHook(int id) const noexcept;

 private:
  static bool HasSlot(int id) noexcept { return id + 1 >= 0 && id + 1 < SlotCount; }

  THookOwner Hooks[SlotCount];
};
