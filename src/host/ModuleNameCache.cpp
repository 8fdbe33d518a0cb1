#include "host/ModuleNameCache.h"

#include <algorithm>
#include <cstring>
#include <utility>

std::uint32_t CopyName(const char* source, std::size_t capacity, char* buffer,
                       std::uint32_t size) {
  const std::size_t length =
      static_cast<std::size_t>(std::find(source, source + capacity, '\0') - source);
  const std::uint32_t count = length + 1 < size ? static_cast<std::uint32_t>(length + 1) : size;
  const std::size_t copied = length < size ? length : size;
  std::memcpy(buffer, source, copied);
  std::memset(buffer + copied, 0, size - copied);
  return count;
}

TProcessWatch::TProcessWatch(TProcessWatch&& other) noexcept
    : Windows(other.Windows), Handle(std::exchange(other.Handle, 0)) {}

TProcessWatch& TProcessWatch::operator=(TProcessWatch&& other) noexcept {
  if (this != &other) {
    Reset();
    Windows = other.Windows;
    Handle = std::exchange(other.Handle, 0);
  }
  return *this;
}

void TProcessWatch::Reset() {
  if (Handle != 0) Windows->CloseProcessWatch(Handle);
  Handle = 0;
}

// An entry answers only while its process runs. The watch it holds keeps
// the id from being given to another process meanwhile; once the process
// has ended, the id may name a newer process, so the entry goes before it
// can answer for that one.
std::uint32_t TModuleNameCache::GetModuleName(Wnd window, char* buffer, std::uint32_t size) {
  const std::uint32_t processId = Windows.ProcessIdOf(window);
  if (processId == 0) return Hook.GetModuleName(window, buffer, size);
  for (TEntry& entry : Entries) {
    if (!entry.Watch || entry.ProcessId != processId) continue;
    if (Windows.ProcessEnded(entry.Watch.Get())) {
      entry.Watch.Reset();
      break;
    }
    entry.LastUse = ++UseCount;
    return CopyName(entry.Name, NameCapacity, buffer, size);
  }

  // Watched before the name is asked for: the name then cannot belong to a
  // process that took the id after the watched one ended.
  TProcessWatch watch(Windows, Windows.OpenProcessWatch(processId));
  if (!watch) return Hook.GetModuleName(window, buffer, size);
  // Asked for before an entry is chosen: on NT 4 the request waits for the
  // window's thread, and a notification handled meanwhile uses the entries
  // too. Not found is not remembered: a thread that the hook library has not
  // reached yet answers later.
  char name[NameCapacity];
  if (Hook.GetModuleName(window, name, NameCapacity) == 0) return 0;
  TEntry& entry = MakeRoom();
  std::memcpy(entry.Name, name, NameCapacity);
  entry.ProcessId = processId;
  entry.Watch = std::move(watch);
  entry.LastUse = ++UseCount;
  return CopyName(entry.Name, NameCapacity, buffer, size);
}

// Drops the entries of processes that have ended, so that no watch keeps a
// dead process's id from the system for long; then a free entry, or the
// one unused longest.
TModuleNameCache::TEntry& TModuleNameCache::MakeRoom() {
  TEntry* free = nullptr;
  TEntry* oldest = &Entries[0];
  for (TEntry& entry : Entries) {
    if (entry.Watch && Windows.ProcessEnded(entry.Watch.Get())) entry.Watch.Reset();
    if (!entry.Watch && free == nullptr) free = &entry;
    if (entry.LastUse < oldest->LastUse) oldest = &entry;
  }
  if (free != nullptr) return *free;
  oldest->Watch.Reset();
  return *oldest;
}
