// The second process of the Win32 suites: a process of its own sees its own
// Windows version (Wine lets the suites choose it per executable), its own
// view of a shared block, and owns windows of another process.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "TestPeer.h"
#include "host/Vorlixhookloader.h"
#include "shared/Win32Owner.h"
#include "shared/Handles.h"
#include "shared/Messages.h"
#include "shared/OsVersion.h"
#include "shared/SharedStruct.h"

namespace {

int Exchange(const char* name) {
  TVorlixSharedData shared;
  if (!shared.Create(name) || !shared.Map()) return static_cast<int>(PeerExitNoBlock);
  TVorlixData& data = *shared.Data();
  const Wnd seen = data.MainWnd;
  data.PrevFocusWnd = PeerPrevFocusWnd;
  GetModuleFileNameA(nullptr, data.ModuleName, sizeof data.ModuleName);
  return static_cast<int>(seen);
}

bool Shared(std::uint32_t stored, HHOOK installed) {
  return installed != nullptr && stored == ToStored(installed);
}

int HookHost(int hookMode) {
  const HWND window = CreateWindowExA(0, "STATIC", "VorlixTest host", 0, 0, 0, 0, 0, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return static_cast<int>(PeerExitNoWindow);
  unsigned long report = 0;
  {
    const TVorlixHook hook(window, hookMode);
    TVorlixSharedData shared;
    if (!shared.Create(SharedDataName) || !shared.Map()) return static_cast<int>(PeerExitNoBlock);
    const TVorlixData& data = *shared.Data();
    const HHOOK mouseHook = hook.GetHook(hook.LowLevelMode() ? WH_MOUSE_LL : WH_GETMESSAGE);
    if (hook.Ready()) report |= HostReady;
    if (hook.LowLevelMode()) report |= HostLowLevelMode;
    if (Shared(data.CallWndProcHook, hook.GetHook(WH_CALLWNDPROC))) report |= HostCallWndProcHook;
    if (hook.GetHook(WH_GETMESSAGE) != nullptr) report |= HostGetMessageHook;
    if (hook.GetHook(WH_MOUSE_LL) != nullptr) report |= HostLowLevelHook;
    if (hook.ToolHelp().IsLoaded()) report |= HostToolHelp;
    if (Shared(data.MouseHook, mouseHook)) report |= HostMouseHookShared;
    if (hook.LowLevelMode() && hook.GetHook(WH_CALLWNDPROC) == nullptr &&
        hook.GetHook(WH_GETMESSAGE) == nullptr && data.CallWndProcHook == 0 &&
        data.SendScrollHook == 0)
      report |= HostRequestHooksPerThread;
    if (data.MainWnd == ToWnd(window)) report |= HostMainWndShared;
  }
  DestroyWindow(window);
  return static_cast<int>(report);
}

int ModuleName(Wnd window) {
  const HWND own = CreateWindowExA(0, "STATIC", "VorlixTest host", 0, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
  if (own == nullptr) return static_cast<int>(PeerExitNoWindow);
  unsigned long report = 0;
  {
    TVorlixHook hook(own, 0);
    char name[MAX_PATH + 1] = {};
    const std::uint32_t count = hook.GetModuleName(window, name, MAX_PATH);
    const std::size_t length = std::strlen(name);
    const std::size_t suffix = sizeof SuitesExeName - 1;
    report = count;
    if (!hook.Ready()) report |= ModuleNameNotReady;
    if (std::strchr(name, '\\') != nullptr) report |= ModuleNameIsPath;
    if (length >= suffix && lstrcmpiA(name + length - suffix, SuitesExeName) == 0)
      report |= ModuleNameIsSuites;
  }
  DestroyWindow(own);
  return static_cast<int>(report);
}

TProbeLog* Log = nullptr;

// Sent or notified by another thread, not posted.
bool SentByAnotherThread() { return (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY)) != 0; }

void Record(UINT message, WPARAM wParam, LPARAM lParam) {
  const LONG index = Log->EventCount;
  if (index >= TProbeLog::Capacity) return;
  Log->Events[index] = {message, static_cast<std::uint32_t>(wParam),
                        static_cast<std::uint32_t>(lParam), SentByAnotherThread() ? 1u : 0u,
                        GetTickCount()};
  Log->HookLibraryLoaded = GetModuleHandleA("VorlixHook.dll") != nullptr;
  InterlockedIncrement(&Log->EventCount);
}

UINT NoOpNumber = 0;
UINT ScrollRequestNumber = 0;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      Log->LastMove = static_cast<std::uint32_t>(lParam);
      InterlockedIncrement(&Log->Moves);
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_VSCROLL:
    case WM_KEYDOWN:
    case WM_KEYUP:
      Record(message, wParam, lParam);
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    case ProbeNapMessage:
      Sleep(ProbeNapMs);
      return 0;
    case ProbeHangMessage:
      Sleep(static_cast<DWORD>(wParam));
      return 0;
    case WM_CLOSE:
      // Ends without hiding the window, which holds the foreground: Wine on
      // a display without a window manager waits two seconds for a hidden
      // foreground window to be withdrawn. The system destroys the window.
      PostQuitMessage(0);
      return 0;
    default:
      if (message != 0 && (message == NoOpNumber || message == ScrollRequestNumber)) {
        Record(message, wParam, lParam);
        return 0;
      }
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int Probe(const char* name, int x, int y, bool vscroll) {
  const TKernelHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                 sizeof(TProbeLog), name));
  if (!mapping) return static_cast<int>(PeerExitNoBlock);
  const TMappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!view) return static_cast<int>(PeerExitNoBlock);
  Log = static_cast<TProbeLog*>(const_cast<void*>(view.Get()));

  NoOpNumber = RegisterWindowMessageA(NoOpMessageName);
  ScrollRequestNumber = RegisterWindowMessageA(SendVScrollMessageName);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ProbeProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = "VorlixTestProbe";
  RegisterClassA(&windowClass);
  const DWORD style = WS_POPUP | WS_VISIBLE | (vscroll ? WS_VSCROLL : 0);
  const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "VorlixTest probe", style, x, y,
                                      ProbeSize, ProbeSize, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
  if (window == nullptr) return static_cast<int>(PeerExitNoWindow);
  const HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, ProbeEditTop,
                                    ProbeSize, ProbeSize - ProbeEditTop, window, nullptr,
                                    windowClass.hInstance, nullptr);
  SetForegroundWindow(window);
  SetFocus(window);
  Log->Window = ToWnd(window);
  Log->Edit = ToWnd(edit);
  InterlockedExchange(&Log->Ready, 1);

  // Each turn first peeks at scroll requests without removing them, as many
  // applications' loops do, and then retrieves the next message: a request
  // queued while the probe was busy is thus looked at twice.
  for (;;) {
    MSG message;
    PeekMessageA(&message, nullptr, ScrollRequestNumber, ScrollRequestNumber, PM_NOREMOVE);
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (message.message == WM_QUIT) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  Log = nullptr;
  return 0;
}

// A message loop with nothing to do, as a resident program has: the
// starter's WaitForInputIdle returns once the process has started up.
int Idle() {
  SetTimer(nullptr, 0, PeerIdleLifetimeMs, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0)
    if (message.message == WM_TIMER) break;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], PeerModeOsClass) == 0) return CurrentOsVersionClass();
  if (argc == 2 && std::strcmp(argv[1], PeerModeServicePack) == 0)
    return CurrentServicePackDigit();
  if (argc == 3 && std::strcmp(argv[1], PeerModeExchange) == 0) return Exchange(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], PeerModeHookHost) == 0)
    return HookHost(std::atoi(argv[2]));
  if (argc == 3 && std::strcmp(argv[1], PeerModeModuleName) == 0)
    return ModuleName(static_cast<Wnd>(std::strtoul(argv[2], nullptr, 10)));
  if (argc == 2 && std::strcmp(argv[1], PeerModeIdle) == 0) return Idle();
  if ((argc == 5 || argc == 6) && std::strcmp(argv[1], PeerModeProbe) == 0)
    return Probe(argv[2], std::atoi(argv[3]), std::atoi(argv[4]),
                 argc == 6 && std::strcmp(argv[5], ProbeVScroll) == 0);
  return static_cast<int>(PeerExitUsage);
}
