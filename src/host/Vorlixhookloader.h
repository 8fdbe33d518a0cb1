// The main program's side of the hooks: TVorlixHook loads VorlixHook.dll,
// opens the shared record, registers the messages, installs the hooks for
// the mode this system supports, and carries out the requests that must run
// in a target window's own thread. TToolHelpLoader finds the process
// snapshot functions, which not every system has, by name.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>

#include "host/Dllloader.h"
#include "host/ThreadHooks.h"
#include "platform/WindowSystem.h"
#include "shared/LowLevelState.h"
#include "shared/SharedStruct.h"

class TToolHelpLoader : public TDllLoader {
 public:
  const char* GetDllName() const noexcept override { return "Kernel32.dll"; }
  // True only when all three functions were found.
  bool Load() noexcept override;

  // Each calls the function of that name, or returns 0 (a null handle,
  // FALSE) while it is unknown.
  HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId) const noexcept;
  BOOL Process32First(HANDLE snapshot, PROCESSENTRY32* entry) const noexcept;
  BOOL Process32Next(HANDLE snapshot, PROCESSENTRY32* entry) const noexcept;

 private:
  using TCreateSnapshot = HANDLE(WINAPI*)(DWORD, DWORD);
  using TProcessWalk = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

  TCreateSnapshot CreateSnapshotProc = nullptr;
  TProcessWalk FirstProc = nullptr;
  TProcessWalk NextProc = nullptr;
};

class TVorlixHook : public THookLoader, public HookRequests {
 public:
  // hookMode: 0 chooses by the system, 1 forces the low-level hook, any
  // other value the message hook. Never fails; the creator tests Ready().
  TVorlixHook(HWND mainWindow, int hookMode) noexcept;
  // Members go first (the threads' request hooks, the snapshot functions,
  // then the shared record), then the hooks, then the library.
  ~TVorlixHook() override = default;

  const char* GetDllName() const noexcept override { return "VorlixHook.dll"; }
  // The library is loaded by the constructor only.
  bool Load() noexcept override { return false; }

  bool Ready() const noexcept { return IsReady; }
  bool LowLevelMode() const noexcept { return InLowLevelMode; }
  UINT NotifyMessage() const noexcept { return NotifyNumber; }
  const TToolHelpLoader& ToolHelp() const noexcept { return ToolHelpFunctions; }

  // Installs the low-level mouse hook again, after the system removed it
  // (see THookWatchdog); false in message mode or when the install fails.
  bool ReinstallMouseHook() noexcept;
  unsigned MouseHookReinstalls() const noexcept { return Reinstalls; }
  // Low-level mode: removes the request hooks of threads that have ended or
  // were not asked anything for a while; how many threads have them.
  void SweepThreadHooks() noexcept;
  std::size_t HookedThreads() const noexcept { return ThreadHooks.ThreadCount(); }

  bool SetForeground(Wnd window) override;
  std::uint32_t GetModuleName(Wnd window, char* buffer, std::uint32_t size) override;
  Wnd SetFocusEx(Wnd window) override;
  std::intptr_t SendVScroll(Wnd window, int code, int position, Wnd scrollBar) override;
  std::intptr_t SendHScroll(Wnd window, int code, int position, Wnd scrollBar) override;
  void SetMoveReports(bool report) override;
  // Low-level mode: the low-level hook's calls so far; 0 in message mode.
  std::uint32_t LowLevelCalls() const noexcept;

 private:
  bool LoadHooks(HWND mainWindow, int hookMode) noexcept;
  std::uint8_t OsClass() const noexcept;
  std::uint32_t ModuleNameFromRequest(HWND window, char* buffer, std::uint32_t size);
  std::uint32_t ModuleNameFromSnapshot(HWND window, char* buffer, std::uint32_t size);
  std::uint32_t ModuleNameFromQuery(HWND window, char* buffer, std::uint32_t size);
  // Gives the window's thread the hook that carries out a request of type
  // (WH_CALLWNDPROC, WH_GETMESSAGE); false when it cannot have it.
  bool HookThreadOf(HWND window, int type) noexcept;
  std::intptr_t SendScroll(UINT request, UINT message, Wnd window, int code, int position,
                           Wnd scrollBar);

  TVorlixSharedData SharedData;
  UINT NotifyNumber = 0;
  UINT GetModuleNameNumber = 0;
  UINT SetForegroundNumber = 0;
  UINT SetFocusNumber = 0;
  UINT SendVScrollNumber = 0;
  UINT SendHScrollNumber = 0;
  OSVERSIONINFOA OsVersion{};
  TToolHelpLoader ToolHelpFunctions;
  TThreadHooks ThreadHooks;
  // The library's state for the low-level hook in this process.
  TLowLevelState* LowLevel = nullptr;
  bool IsReady = false;
  bool InLowLevelMode = false;
  unsigned Reinstalls = 0;
};
