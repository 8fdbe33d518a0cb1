#include "host/Vorlixhookloader.h"

#include "host/HookMode.h"
#include "host/ModuleNameCache.h"
#include "platform/BoundedSend.h"
#include "platform/Win32Owner.h"
#include "shared/Handles.h"
#include "shared/Messages.h"
#include "shared/OsVersion.h"

namespace {

static_assert(sizeof(PROCESSENTRY32) == 296, "the ANSI process entry of 32-bit Windows");

constexpr LPARAM AnyProcess = -1;  // ASFW_ANY

}  // namespace

bool TToolHelpLoader::Load() noexcept {
  if (!TDllLoader::Load()) return false;
  CreateSnapshotProc = ProcAs<TCreateSnapshot>("CreateToolhelp32Snapshot");
  FirstProc = ProcAs<TProcessWalk>("Process32First");
  NextProc = ProcAs<TProcessWalk>("Process32Next");
  return CreateSnapshotProc != nullptr && FirstProc != nullptr && NextProc != nullptr;
}

HANDLE TToolHelpLoader::CreateToolhelp32Snapshot(DWORD flags, DWORD processId) const noexcept {
  return CreateSnapshotProc != nullptr ? CreateSnapshotProc(flags, processId) : nullptr;
}

BOOL TToolHelpLoader::Process32First(HANDLE snapshot, PROCESSENTRY32* entry) const noexcept {
  return FirstProc != nullptr ? FirstProc(snapshot, entry) : FALSE;
}

BOOL TToolHelpLoader::Process32Next(HANDLE snapshot, PROCESSENTRY32* entry) const noexcept {
  return NextProc != nullptr ? NextProc(snapshot, entry) : FALSE;
}

TVorlixHook::TVorlixHook(HWND mainWindow, int hookMode) noexcept {
  OsVersion.dwOSVersionInfoSize = sizeof OsVersion;
  GetVersionExA(&OsVersion);
  IsReady = LoadHooks(mainWindow, hookMode);
}

std::uint8_t TVorlixHook::OsClass() const noexcept {
  return OsVersionClass(OsVersion.dwPlatformId, OsVersion.dwMajorVersion,
                        OsVersion.dwMinorVersion);
}

// Each step that fails returns at once; the destructor undoes what was done.
// Every hook handle reaches the shared record right after its install, since
// the procedures pass calls on with the handle they find there.
bool TVorlixHook::LoadHooks(HWND mainWindow, int hookMode) noexcept {
  if (!TDllLoader::Load()) return false;
  if (!SharedData.Create(SharedDataName) || !SharedData.Map()) return false;
  TVorlixData& data = *SharedData.Data();
  data.MainWnd = ToWnd(mainWindow);

  NotifyNumber = RegisterWindowMessageA(MouseWheelNotifyMessageName);
  GetModuleNameNumber = RegisterWindowMessageA(GetModuleNameMessageName);
  SetForegroundNumber = RegisterWindowMessageA(SetForegroundW2KMessageName);
  SetFocusNumber = RegisterWindowMessageA(SetFocusExMessageName);
  SendVScrollNumber = RegisterWindowMessageA(SendVScrollMessageName);
  SendHScrollNumber = RegisterWindowMessageA(SendHScrollMessageName);

  const HOOKPROC callWndProc = ProcAs<HOOKPROC>("CallWndProc");
  if (callWndProc == nullptr || !SetHook(WH_CALLWNDPROC, callWndProc)) return false;
  data.CallWndProcHook = ToStored(GetHook(WH_CALLWNDPROC));

  const std::uint8_t osClass = OsClass();
  HOOKPROC mouseProc = nullptr;
  int mouseHookType = WH_GETMESSAGE;
  if (UsesLowLevelHook(hookMode, osClass, ServicePackDigit(OsVersion.szCSDVersion))) {
    mouseProc = ProcAs<HOOKPROC>("LowLevelMouseProc");
    mouseHookType = WH_MOUSE_LL;
    const HOOKPROC sendScroll = ProcAs<HOOKPROC>("GetMsgProcSendScroll");
    if (sendScroll == nullptr || !SetHook(WH_GETMESSAGE, sendScroll)) return false;
    InLowLevelMode = true;
    data.SendScrollHook = ToStored(GetHook(WH_GETMESSAGE));
  } else {
    mouseProc = ProcAs<HOOKPROC>("GetMsgProc");
    InLowLevelMode = false;
  }
  if (mouseProc == nullptr || !SetHook(mouseHookType, mouseProc)) return false;
  data.MouseHook = ToStored(GetHook(mouseHookType));

  // NT 4 asks the target thread for its executable; every other system
  // needs the process snapshot functions to name a window's process.
  if (osClass == OsWindowsNT4) return true;
  return ToolHelpFunctions.Load();
}

bool TVorlixHook::ReinstallMouseHook() noexcept {
  if (!IsReady || !InLowLevelMode) return false;
  // The handle of the removed hook is of no use any more; the new one goes
  // to the shared record at once, as at the first install.
  const bool installed = SetHook(WH_MOUSE_LL, ProcAs<HOOKPROC>("LowLevelMouseProc"));
  SharedData.Data()->MouseHook = ToStored(GetHook(WH_MOUSE_LL));
  if (installed) ++Reinstalls;
  return installed;
}

bool TVorlixHook::SetForeground(Wnd window) {
  // Lets whatever process holds the foreground give it away: the request
  // runs in the foreground window's own thread.
  if (OsClass() == OsWindows2000)
    SendBounded(GetForegroundWindow(), SetForegroundNumber, 0, AnyProcess);
  return SetForegroundWindow(ToHwnd(window)) != FALSE;
}

std::uint32_t TVorlixHook::GetModuleName(Wnd window, char* buffer, std::uint32_t size) {
  if (buffer == nullptr || size == 0) return 0;
  return OsClass() == OsWindowsNT4 ? ModuleNameFromRequest(ToHwnd(window), buffer, size)
                                   : ModuleNameFromSnapshot(ToHwnd(window), buffer, size);
}

// The target thread writes its executable's path into the shared record.
// The name is cleared first: a window whose thread is not hooked leaves it
// empty, and that must read as "not found" rather than as the name that an
// earlier request left there.
std::uint32_t TVorlixHook::ModuleNameFromRequest(HWND window, char* buffer, std::uint32_t size) {
  TVorlixData* data = SharedData.Data();
  if (data == nullptr) return 0;
  data->ModuleName[0] = '\0';
  SendBounded(window, GetModuleNameNumber, 0, 0);
  if (data->ModuleName[0] == '\0') return 0;
  return CopyName(data->ModuleName, sizeof data->ModuleName, buffer, size);
}

std::uint32_t TVorlixHook::ModuleNameFromSnapshot(HWND window, char* buffer, std::uint32_t size) {
  DWORD processId = 0;
  // A window that has gone has no process; process id 0 would otherwise
  // match the system's idle process.
  if (GetWindowThreadProcessId(window, &processId) == 0) return 0;
  const HANDLE snapshot = ToolHelpFunctions.CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE || snapshot == nullptr) return 0;
  const TKernelHandle owner(snapshot);
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ToolHelpFunctions.Process32First(snapshot, &entry); more;
       more = ToolHelpFunctions.Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == processId)
      return CopyName(entry.szExeFile, sizeof entry.szExeFile, buffer, size);
  }
  return 0;
}

// The target thread moves its own focus. The previous focus is cleared
// first, so that a window whose thread is not hooked gives null instead of
// the answer to an earlier request.
Wnd TVorlixHook::SetFocusEx(Wnd window) {
  TVorlixData* data = SharedData.Data();
  if (data == nullptr) return 0;
  data->PrevFocusWnd = 0;
  SendBounded(ToHwnd(window), SetFocusNumber, 0, static_cast<LPARAM>(window));
  return data->PrevFocusWnd;
}

std::intptr_t TVorlixHook::SendVScroll(Wnd window, int code, int position, Wnd scrollBar) {
  return SendScroll(SendVScrollNumber, WM_VSCROLL, window, code, position, scrollBar);
}

std::intptr_t TVorlixHook::SendHScroll(Wnd window, int code, int position, Wnd scrollBar) {
  return SendScroll(SendHScrollNumber, WM_HSCROLL, window, code, position, scrollBar);
}

std::intptr_t TVorlixHook::SendScroll(UINT request, UINT message, Wnd window, int code,
                                      int position, Wnd scrollBar) {
  const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(position));
  const LPARAM lParam = static_cast<LPARAM>(scrollBar);
  // In low-level mode the decision runs inside the system's call of the
  // mouse hook: a post, turned into the scroll message by the target thread
  // itself, does not make the whole desktop's mouse wait on the target.
  if (InLowLevelMode) return PostMessageA(ToHwnd(window), request, wParam, lParam);
  return DeliverMessage(ToHwnd(window), message, wParam, lParam);
}
