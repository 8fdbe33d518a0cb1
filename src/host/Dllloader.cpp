#include "host/Dllloader.h"

bool TDllLoader::Load() noexcept {
  if (Module) return false;
  Module = TModuleOwner(LoadLibraryA(GetDllName()));
  return static_cast<bool>(Module);
}

FARPROC TDllLoader::GetProc(const char* name) const noexcept {
  return Module ? GetProcAddress(Module.Get(), name) : nullptr;
}

THookLoader::~THookLoader() {
  // Members would go in the opposite order.
  for (THookOwner& hook : Hooks) hook.Reset();
}

bool THookLoader::SetHook(int id, HOOKPROC procedure) noexcept {
  if (!IsLoaded() || !HasSlot(id)) return false;
  THookOwner& slot = Hooks[id + 1];
  slot.Reset();
  slot = THookOwner(SetWindowsHookExA(id, procedure, GetModule(), 0));
  return static_cast<bool>(slot);
}

HHOOK THookLoader::GetHook(int id) const noexcept {
  return HasSlot(id) ? Hooks[id + 1].Get() : nullptr;
}
