// The hooks through which requests are carried out inside a target thread
// (WH_CALLWNDPROC for the sent requests, WH_GETMESSAGE for the posted line
// requests), installed for that one thread when the program first asks
// something of it, instead of for every thread of the desktop: a hook that
// is installed for all threads makes every message of every program pass
// through it. Hooks of a thread not asked anything for a while, or whose
// window has gone with it, are removed by Sweep; the rest when the table
// goes.
#pragma once

#include <windows.h>

#include <cstddef>

#include "shared/Win32Owner.h"

class TThreadHooks {
 public:
  // Threads served at the same time; the one served longest ago makes room.
  static constexpr std::size_t Capacity = 16;
  // A thread not asked anything for this long loses its hooks.
  static constexpr DWORD IdleMs = 10000;

  // The library's procedures; Serve installs nothing until they are given.
  void SetProcedures(HMODULE library, HOOKPROC callWndProc, HOOKPROC getMessage) noexcept;
  // Makes sure the thread of window has the hook of type (WH_CALLWNDPROC or
  // WH_GETMESSAGE); false when it could not be installed (no such window, a
  // thread closed to this program).
  bool Serve(HWND window, int type, DWORD now) noexcept;
  void Sweep(DWORD now) noexcept;
  std::size_t ThreadCount() const noexcept;

 private:
  struct TEntry {
    DWORD ThreadId = 0;
    HWND Window = nullptr;  // the last window served in the thread
    DWORD LastServed = 0;
    THookOwner CallWndProc;
    THookOwner GetMessage;
  };

  TEntry& EntryFor(DWORD threadId) noexcept;

  HMODULE Library = nullptr;
  HOOKPROC CallWndProc = nullptr;
  HOOKPROC GetMessage = nullptr;
  TEntry Entries[Capacity];
};
