#include "host/ThreadHooks.h"

void TThreadHooks::SetProcedures(HMODULE library, HOOKPROC callWndProc,
                                 HOOKPROC getMessage) noexcept {
  Library = library;
  CallWndProc = callWndProc;
  GetMessage = getMessage;
}

bool TThreadHooks::Serve(HWND window, int type, DWORD now) noexcept {
  const bool callWndProc = type == WH_CALLWNDPROC;
  // A turn asks one window for several lines: the window served last is
  // known without asking the system for its thread again. (Its handle
  // names no other thread's window while the sweep keeps the entry.)
  for (TEntry& entry : Entries) {
    if (entry.ThreadId == 0 || entry.Window != window) continue;
    if (!(callWndProc ? entry.CallWndProc : entry.GetMessage)) break;
    entry.LastServed = now;
    return true;
  }
  const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
  const HOOKPROC procedure = callWndProc ? CallWndProc : GetMessage;
  if (threadId == 0 || procedure == nullptr) return false;
  TEntry& entry = EntryFor(threadId);
  entry.Window = window;
  entry.LastServed = now;
  THookOwner& hook = callWndProc ? entry.CallWndProc : entry.GetMessage;
  if (!hook) hook = THookOwner(SetWindowsHookExA(type, procedure, Library, threadId));
  return static_cast<bool>(hook);
}

// The thread's own entry, else a free one, else the one served longest ago,
// emptied.
TThreadHooks::TEntry& TThreadHooks::EntryFor(DWORD threadId) noexcept {
  TEntry* chosen = &Entries[0];
  for (TEntry& entry : Entries) {
    if (entry.ThreadId == threadId) return entry;
    if (chosen->ThreadId == 0) continue;
    // Compared by difference, which holds across the tick count's wrap.
    if (entry.ThreadId == 0 || static_cast<LONG>(entry.LastServed - chosen->LastServed) < 0)
      chosen = &entry;
  }
  if (chosen->ThreadId != threadId) *chosen = TEntry{};
  chosen->ThreadId = threadId;
  return *chosen;
}

// A thread that has ended took its windows with it; one that now owns
// another window under the same handle value is not the thread served.
void TThreadHooks::Sweep(DWORD now) noexcept {
  for (TEntry& entry : Entries) {
    if (entry.ThreadId == 0) continue;
    if (now - entry.LastServed >= IdleMs ||
        GetWindowThreadProcessId(entry.Window, nullptr) != entry.ThreadId)
      entry = TEntry{};
  }
}

std::size_t TThreadHooks::ThreadCount() const noexcept {
  std::size_t count = 0;
  for (const TEntry& entry : Entries) count += entry.ThreadId != 0 ? 1 : 0;
  return count;
}
