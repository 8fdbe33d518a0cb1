#include "host/Dllloader.h"

TDllLoader::~TDllLoader() {
  if (!Loaded) return;
  FreeLibrary(Module);
  Loaded = false;
}

bool TDllLoader::Load() noexcept {
  if (Loaded) return false;
  if (Module == nullptr) Module = LoadLibraryA(GetDllName());
  if (Module == nullptr) return false;
  Loaded = true;
  return true;
}

FARPROC TDllLoader::GetProc(const char* name) const noexcept {
  return Module != nullptr ? GetProcAddress(Module, name) : nullptr;
}

THookLoader::~THookLoader() {
  // Slot order: WH_GETMESSAGE before WH_CALLWNDPROC before WH_MOUSE_LL.
  for (HHOOK& hook : Hooks) {
    if (hook == nullptr) continue;
    UnhookWindowsHookEx(hook);
    hook = nullptr;
  }
}

bool THookLoader::SetHook(int id, HOOKPROC procedure) noexcept {
  if (!IsLoaded() || !HasSlot(id)) return false;
  HHOOK& slot = Hooks[id + 1];
  if (slot != nullptr) {
    UnhookWindowsHookEx(slot);
    slot = nullptr;
  }
  slot = SetWindowsHookExA(id, procedure, GetModule(), 0);
  return slot != nullptr;
}

HHOOK THookLoader::GetHook(int id) const noexcept {
  return HasSlot(id) ? Hooks[id + 1] : nullptr;
}
