// How the Win32 suites drive vorlix_test_peer.exe, a second process that
// reports what it sees through its exit code or a shared log.
#pragma once

#include <windows.h>

#include <cstdint>

// vorlix_test_peer osclass: exits with CurrentOsVersionClass().
constexpr const char PeerModeOsClass[] = "osclass";
// vorlix_test_peer servicepack: exits with CurrentServicePackDigit().
constexpr const char PeerModeServicePack[] = "servicepack";
// vorlix_test_peer exchange NAME: opens the block NAME, writes
// PeerPrevFocusWnd to PrevFocusWnd and its own path to ModuleName, and exits
// with the MainWnd it found there.
constexpr const char PeerModeExchange[] = "exchange";
// vorlix_test_peer hookhost MODE: installs the hooks through TVorlixHook with
// that hook mode for a hidden window of its own, and exits with the
// HostReport bits of what it then finds.
constexpr const char PeerModeHookHost[] = "hookhost";
// vorlix_test_peer modulename WINDOW: installs the hooks through TVorlixHook
// as the system chooses and asks for the executable of WINDOW (a decimal
// handle); exits with the count, plus the ModuleNameReport bits.
constexpr const char PeerModeModuleName[] = "modulename";
enum ModuleNameReport : unsigned long {
  ModuleNameIsPath = 0x10000,       // the name holds a folder
  ModuleNameIsSuites = 0x20000,     // it ends with the suites' executable name
  ModuleNameNotReady = 0x40000,     // the hooks could not be installed
};
constexpr char SuitesExeName[] = "vorlix_win32_tests.exe";

// vorlix_test_peer probe NAME X Y [vscroll]: shows a 200 x 200 window at
// screen (X, Y), with a vertical scroll bar if asked, an edit control in its
// lower quarter, takes the foreground, and logs
// what its window receives to the TProbeLog mapping NAME until it is closed.
constexpr const char PeerModeProbe[] = "probe";
constexpr const char ProbeVScroll[] = "vscroll";
// vorlix_test_peer idle: a process that waits for messages and does
// nothing until it is ended (or PeerIdleLifetimeMs have passed, so that none
// outlives a run that crashed).
constexpr const char PeerModeIdle[] = "idle";
constexpr DWORD PeerIdleLifetimeMs = 15 * 60 * 1000;

constexpr unsigned long PeerPrevFocusWnd = 0x00C0FFEEu;

// Exit codes that no mode produces on success (they look like NTSTATUS
// errors, which no window handle or version class does).
constexpr unsigned long PeerExitUsage = 0xE0000001u;
constexpr unsigned long PeerExitNoBlock = 0xE0000002u;
constexpr unsigned long PeerExitNoWindow = 0xE0000003u;

enum HostReport : unsigned long {
  HostReady = 1,
  HostLowLevelMode = 2,
  HostCallWndProcHook = 4,   // installed, and its handle is in the block
  HostGetMessageHook = 8,    // a WH_GETMESSAGE hook is installed
  HostLowLevelHook = 16,     // a WH_MOUSE_LL hook is installed
  HostToolHelp = 32,         // the process snapshot functions were loaded
  HostMouseHookShared = 64,  // the mouse hook's handle is in the block
  // Low-level mode: no request hook for every thread, and none in the block.
  HostRequestHooksPerThread = 128,
  HostMainWndShared = 256,   // the block names the host's window
};

// The probe posts this to itself to sleep ProbeNapMs, so that messages the
// suite posts meanwhile are queued before the probe looks again.
constexpr UINT ProbeNapMessage = WM_APP + 1;
constexpr DWORD ProbeNapMs = 300;
// Posted to the probe: its thread stops answering for wParam milliseconds,
// as a hung application's does.
constexpr UINT ProbeHangMessage = WM_APP + 2;
// The probe's edit control covers client y from ProbeEditTop to the bottom.
constexpr int ProbeSize = 200;
constexpr int ProbeEditTop = 150;

struct TProbeEvent {
  std::uint32_t Message;
  std::uint32_t WParam;
  std::uint32_t LParam;
  std::uint32_t Sent;  // sent or notified by another thread, not posted
  std::uint32_t Tick;  // GetTickCount() when it arrived
};

// Written by the probe, read by the suite. An event is complete before the
// count that covers it is raised.
struct TProbeLog {
  static constexpr int Capacity = 256;
  volatile LONG Ready;  // the window exists and has the foreground
  std::uint32_t Window;
  std::uint32_t Edit;
  volatile LONG Moves;
  std::uint32_t LastMove;  // lParam of the last WM_MOUSEMOVE
  volatile LONG EventCount;
  // Whether VorlixHook.dll was in the probe's process at the last event.
  volatile LONG HookLibraryLoaded;
  TProbeEvent Events[Capacity];
};
