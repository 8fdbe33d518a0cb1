// Owner of one named page-file mapping that holds a T, and of this process's
// view of it. Built into the main program and into the hook library, which
// runs inside foreign processes: it never throws and never allocates.
#pragma once

#include <windows.h>

#include "shared/VorlixData.h"

template <typename T>
class SharedStruct {
 public:
  SharedStruct() noexcept = default;
  ~SharedStruct() { Close(); }

  SharedStruct(const SharedStruct&) = delete;
  SharedStruct& operator=(const SharedStruct&) = delete;

  // Creates the mapping, or opens it when another process (or another object
  // here) created it first; both count as success. An object that already
  // holds a handle keeps it and refuses.
  bool Create(const char* name) noexcept {
    if (Mapping != nullptr) return false;
    // CreateFileMappingA reports failure with null, not INVALID_HANDLE_VALUE.
    Mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                 static_cast<DWORD>(sizeof(T)), name);
    return Mapping != nullptr;
  }

  // Maps the whole mapping. A view mapped before is released first, so that
  // mapping again never leaks the old one.
  bool Map() noexcept {
    if (Mapping == nullptr) return false;
    Unmap();
    View = static_cast<T*>(MapViewOfFile(Mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    return View != nullptr;
  }

  void Unmap() noexcept {
    if (View == nullptr) return;
    UnmapViewOfFile(View);
    View = nullptr;
  }

  // The system keeps the block while any other process still holds it.
  void Close() noexcept {
    Unmap();
    if (Mapping == nullptr) return;
    CloseHandle(Mapping);
    Mapping = nullptr;
  }

  T* Data() const noexcept { return View; }

 private:
  HANDLE Mapping = nullptr;
  T* View = nullptr;
};

using TVorlixSharedData = SharedStruct<TVorlixData>;
