// The record shared by Vorlix.exe and every process that has VorlixHook.dll
// loaded, through the page-file mapping SharedDataName. Both deliverables
// compile this same layout; the offsets are part of the contract.
#pragma once

#include <cstddef>
#include <cstdint>

// Window and hook handles are stored as 32-bit values on both sides.
using Wnd = std::uint32_t;

struct TVorlixData {
  Wnd MainWnd;                     // window that receives the notifications
  std::uint32_t MouseHook;         // WH_GETMESSAGE or WH_MOUSE_LL hook handle
  std::uint32_t CallWndProcHook;   // WH_CALLWNDPROC hook handle
  std::uint32_t SendScrollHook;    // low-level mode only; 0 otherwise
  char ModuleName[264];            // executable path written by the target process
  Wnd PrevFocusWnd;                // focus window before a SetFocus request
};

static_assert(sizeof(TVorlixData) == 284, "TVorlixData must be 284 bytes");
static_assert(offsetof(TVorlixData, MainWnd) == 0, "MainWnd offset");
static_assert(offsetof(TVorlixData, MouseHook) == 4, "MouseHook offset");
static_assert(offsetof(TVorlixData, CallWndProcHook) == 8, "CallWndProcHook offset");
static_assert(offsetof(TVorlixData, SendScrollHook) == 12, "SendScrollHook offset");
static_assert(offsetof(TVorlixData, ModuleName) == 16, "ModuleName offset");
static_assert(offsetof(TVorlixData, PrevFocusWnd) == 280, "PrevFocusWnd offset");

// The longest name the program reads (a window class, an executable's path;
// the longest path CallWndProc writes into ModuleName), not counting its
// zero; and a buffer for one with its zero.
constexpr std::size_t ModuleNamePathMax = 260;
constexpr std::size_t NameBufferSize = ModuleNamePathMax + 1;
static_assert(ModuleNamePathMax + 1 <= sizeof(TVorlixData::ModuleName), "path and zero fit");

constexpr const char SharedDataName[] = "Vorlix_SharedData";
