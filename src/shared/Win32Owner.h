// One owner per kind of Win32 handle: the handle and the function that
// releases it, copying deleted, moves allowed. Header only, never allocating
// and never throwing, so that the hook library, which runs inside foreign
// processes, owns its handles the same way as the program.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, auto Release>
class TOwner {
 public:
  TOwner() noexcept = default;
  explicit TOwner(Handle handle) noexcept : Value(handle) {}
  ~TOwner() { Reset(); }

  TOwner(const TOwner&) = delete;
  TOwner& operator=(const TOwner&) = delete;
  TOwner(TOwner&& other) noexcept : Value(std::exchange(other.Value, Handle{})) {}
  TOwner& operator=(TOwner&& other) noexcept {
    if (this != &other) {
      Reset();
      Value = std::exchange(other.Value, Handle{});
    }
    return *this;
  }

  Handle Get() const noexcept { return Value; }
  explicit operator bool() const noexcept { return Value != Handle{}; }
  // For out-parameters of the API: releases what is held first.
  Handle* Put() noexcept {
    Reset();
    return &Value;
  }
  // The handle stays valid while it is released: a window being destroyed
  // still gets its last messages through its owner's object.
  void Reset() noexcept {
    if (Value != Handle{}) Release(Value);
    Value = Handle{};
  }

 private:
  Handle Value{};
};

// Handles that CloseHandle releases and for which null means none (mappings,
// processes, threads; not CreateFileA's INVALID_HANDLE_VALUE).
using TKernelHandle = TOwner<HANDLE, CloseHandle>;
using TMappedView = TOwner<void*, UnmapViewOfFile>;
using TModuleOwner = TOwner<HMODULE, FreeLibrary>;
using THookOwner = TOwner<HHOOK, UnhookWindowsHookEx>;
using TRegKey = TOwner<HKEY, RegCloseKey>;
using TWindowOwner = TOwner<HWND, DestroyWindow>;
// Icons of our own (CopyIcon, CreateIcon...), not shared ones from LoadIcon.
using TIconOwner = TOwner<HICON, DestroyIcon>;
using TMenuOwner = TOwner<HMENU, DestroyMenu>;
using TFontOwner = TOwner<HFONT, DeleteObject>;
// A search of FindFirstFileA. It reports failure as INVALID_HANDLE_VALUE,
// never null: test that before handing the handle over.
using TFindHandle = TOwner<HANDLE, FindClose>;
