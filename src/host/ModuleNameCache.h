// The executable names of windows' processes, remembered per process. A
// process keeps its name for life, but asking for it walks a process
// snapshot (or, on NT 4, waits for the window's thread), and the dispatcher
// asks on every notification.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/WindowSystem.h"

// Copies a name as strncpy does: at most size bytes, the rest up to size
// filled with zeros, no terminating zero when the name has size or more
// characters. The source is read no further than its capacity, so a name
// that another process left unterminated cannot be over-read. Returns the
// number of bytes that count, the zero included.
std::uint32_t CopyName(const char* source, std::size_t capacity, char* buffer,
                       std::uint32_t size);

// A process watch of the seam, closed when its owner is done with it.
class TProcessWatch {
 public:
  TProcessWatch() = default;
  TProcessWatch(WindowSystem& windows, ProcessHandle handle) : Windows(&windows), Handle(handle) {}
  ~TProcessWatch() { Reset(); }
  TProcessWatch(const TProcessWatch&) = delete;
  TProcessWatch& operator=(const TProcessWatch&) = delete;
  TProcessWatch(TProcessWatch&& other) noexcept;
  TProcessWatch& operator=(TProcessWatch&& other) noexcept;

  ProcessHandle Get() const { return Handle; }
  explicit operator bool() const { return Handle != 0; }
  void Reset();

 private:
  WindowSystem* Windows = nullptr;
  ProcessHandle Handle = 0;
};

class TModuleNameCache {
 public:
  // Every system names an executable in at most this many characters.
  static constexpr std::uint32_t NameCapacity = ModuleNamePathMax;
  // Processes remembered at once; the one unused longest makes room.
  static constexpr int Capacity = 32;

  TModuleNameCache(WindowSystem& windows, HookRequests& hook) : Windows(windows), Hook(hook) {}
  TModuleNameCache(const TModuleNameCache&) = delete;
  TModuleNameCache& operator=(const TModuleNameCache&) = delete;

  // What HookRequests::GetModuleName answers for the window, byte for byte.
  std::uint32_t GetModuleName(Wnd window, char* buffer, std::uint32_t size);

 private:
  struct TEntry {
    std::uint32_t ProcessId = 0;
    TProcessWatch Watch;  // none: the entry is free
    std::uint32_t LastUse = 0;
    char Name[NameCapacity] = {};
  };
  TEntry& MakeRoom();

  WindowSystem& Windows;
  HookRequests& Hook;
  TEntry Entries[Capacity];
  std::uint32_t UseCount = 0;
};
