#include "host/Vorlixhookloader.h"

#include "host/HookMode.h"
#include "host/ModuleNameCache.h"
#include "platform/AnsiText.h"
#include "platform/BoundedSend.h"
#include "shared/SystemFunction.h"
#include "shared/Win32Owner.h"
#include "shared/Handles.h"
#include "shared/Messages.h"
#include "shared/OsVersion.h"

namespace {

static_assert(sizeof(PROCESSENTRY32) == 296, "the ANSI process entry of 32-bit Windows");

constexpr LPARAM AnyProcess = -1;  // ASFW_ANY

}  // namespace

bool TToolHelpLoader::Load() noexcept {
  if (!TDllLoader::Load()) return false;
  return ResolveAll(std::pair{&CreateSnapshotProc, "CreateToolhelp32Snapshot"},
                    std::pair{&FirstProc, "Process32First"}, std::pair{&NextProc, "Process32Next"});
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
  if (callWndProc == nullptr) return false;

  const std::uint8_t osClass = OsClass();
  HOOKPROC mouseProc = nullptr;
  int mouseHookType = WH_GETMESSAGE;
  if (UsesLowLevelHook(hookMode, osClass, ServicePackDigit(OsVersion.szCSDVersion))) {
    // The requests' hooks go to each target thread when it is first asked
    // something (see TThreadHooks). Their handles are not in the record,
    // which holds 0 for them (whatever a run in message mode left there):
    // the procedures pass calls on with a null handle, which every system
    // that has the low-level hook accepts.
    const HOOKPROC sendScroll = ProcAs<HOOKPROC>("GetMsgProcSendScroll");
    const auto lowLevelState = ProcAs<TLowLevelState*(WINAPI*)()>(LowLevelStateExport);
    if (sendScroll == nullptr || lowLevelState == nullptr) return false;
    LowLevel = lowLevelState();
    ThreadHooks.SetProcedures(GetModule(), callWndProc, sendScroll);
    data.CallWndProcHook = 0;
    data.SendScrollHook = 0;
    mouseProc = ProcAs<HOOKPROC>("LowLevelMouseProc");
    mouseHookType = WH_MOUSE_LL;
    InLowLevelMode = true;
  } else {
    // Windows 95 and 98 pass a call on by the hook's handle, and a
    // procedure finds only one handle per type, in the record: the request
    // hook stays one for every thread, beside the message hook that sees
    // the wheel in every thread anyway.
    if (!SetHook(WH_CALLWNDPROC, callWndProc)) return false;
    data.CallWndProcHook = ToStored(GetHook(WH_CALLWNDPROC));
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

void TVorlixHook::SetMoveReports(bool report) {
  if (LowLevel != nullptr) LowLevel->ReportMoves = report;
}

std::uint32_t TVorlixHook::LowLevelCalls() const noexcept {
  return LowLevel != nullptr ? LowLevel->Calls : 0;
}

void TVorlixHook::SweepThreadHooks() noexcept { ThreadHooks.Sweep(GetTickCount()); }

bool TVorlixHook::HookThreadOf(HWND window, int type) noexcept {
  return !InLowLevelMode || ThreadHooks.Serve(window, type, GetTickCount());
}

bool TVorlixHook::SetForeground(Wnd window) {
  // Lets whatever process holds the foreground give it away: the request
  // runs in the foreground window's own thread.
  if (OsClass() == OsWindows2000) {
    const HWND foreground = GetForegroundWindow();
    if (HookThreadOf(foreground, WH_CALLWNDPROC))
      SendBounded(foreground, SetForegroundNumber, 0, AnyProcess);
  }
  return SetForegroundWindow(ToHwnd(window)) != FALSE;
}

std::uint32_t TVorlixHook::GetModuleName(Wnd window, char* buffer, std::uint32_t size) {
  if (buffer == nullptr || size == 0) return 0;
  if (OsClass() == OsWindowsNT4) return ModuleNameFromRequest(ToHwnd(window), buffer, size);
  const std::uint32_t count = ModuleNameFromQuery(ToHwnd(window), buffer, size);
  return count != 0 ? count : ModuleNameFromSnapshot(ToHwnd(window), buffer, size);
}

// Vista and later name a process's executable directly, where the snapshot
// walks every process of the system. The name given is the file name, as
// the snapshot gives it on the NT family, so that rules keep matching.
std::uint32_t TVorlixHook::ModuleNameFromQuery(HWND window, char* buffer, std::uint32_t size) {
  using TQueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
  static const auto query =
      SystemFunction<TQueryImageName>("Kernel32.dll", "QueryFullProcessImageNameA");
  constexpr DWORD QueryLimitedInformation = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION
  DWORD processId = 0;
  if (query == nullptr || GetWindowThreadProcessId(window, &processId) == 0) return 0;
  const TKernelHandle process(OpenProcess(QueryLimitedInformation, FALSE, processId));
  char path[MAX_PATH + 1] = {};
  DWORD length = MAX_PATH;
  if (!process || !query(process.Get(), 0, path, &length)) return 0;
  const std::size_t nameStart = FileNameStart(path, AnsiIsLeadByte);
  return CopyName(path + nameStart, sizeof path - nameStart, buffer, size);
}

// The target thread writes its executable's path into the shared record.
// The name is cleared first: a window whose thread is not hooked leaves it
// empty, and that must read as "not found" rather than as the name that an
// earlier request left there.
std::uint32_t TVorlixHook::ModuleNameFromRequest(HWND window, char* buffer, std::uint32_t size) {
  TVorlixData* data = SharedData.Data();
  if (data == nullptr) return 0;
  data->ModuleName[0] = '\0';
  if (!HookThreadOf(window, WH_CALLWNDPROC)) return 0;
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
  if (!HookThreadOf(ToHwnd(window), WH_CALLWNDPROC)) return 0;
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
  if (InLowLevelMode)
    return HookThreadOf(ToHwnd(window), WH_GETMESSAGE) &&
           PostMessageA(ToHwnd(window), request, wParam, lParam);
  return DeliverMessage(ToHwnd(window), message, wParam, lParam);
}
