// Owner of one named page-file mapping that holds a T, and of this process's
// view of it. Built into the main program and into the hook library, which
// runs inside foreign processes: it never throws and never allocates.
#pragma once

#include <windows.h>

#include "shared/VorlixData.h"
#include "shared/Win32Owner.h"

template <typename T>
class SharedStruct {
 public:
  SharedStruct() noexcept = default;

  SharedStruct(const SharedStruct&) = delete;
  SharedStruct& operator=(const SharedStruct&) = delete;

  // Creates the mapping, or opens it when another process (or another object
  // here) created it first; both count as success. An object that already
  // holds a handle keeps it and refuses.
  bool Create(const char* name) noexcept {
    if (Mapping) return false;
    // CreateFileMappingA reports failure with null, not INVALID_HANDLE_VALUE.
    Mapping = TKernelHandle(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                               static_cast<DWORD>(sizeof(T)), name));
    return static_cast<bool>(Mapping);
  }

  // Maps the whole mapping. A view mapped before is released first, so that
  // mapping again never leaks the old one.
  bool Map() noexcept {
    if (!Mapping) return false;
    View = TMappedView(MapViewOfFile(Mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    return static_cast<bool>(View);
  }

  void Unmap() noexcept { View.Reset(); }

  // The system keeps the block while any other process still holds it.
  void Close() noexcept {
    View.Reset();
    Mapping.Reset();
  }

  T* Data() const noexcept { return static_cast<T*>(View.Get()); }

 private:
  // Declared in this order so that the view goes before its mapping.
  TKernelHandle Mapping;
  TMappedView View;
};

using TVorlixSharedData = SharedStruct<TVorlixData>;
