// VorlixHook.dll: four hook procedures that report mouse events to the main
// window and carry out requests inside foreign threads, plus the attach and
// detach code. It runs inside every hooked process, so nothing here
// allocates, throws, waits on a lock, or touches the shared block without
// first checking that this process has a view of it.
#include <windows.h>

#include <cstdint>
#include <new>

#include "shared/Handles.h"
#include "shared/LowLevelState.h"
#include "shared/Messages.h"
#include "shared/OsVersion.h"
#include "shared/SharedStruct.h"
#include "shared/SystemFunction.h"
#include "shared/VorlixData.h"
#include "shared/WheelNotification.h"

namespace {

static_assert(KeyStateLeft == MK_LBUTTON && KeyStateRight == MK_RBUTTON &&
                  KeyStateShift == MK_SHIFT && KeyStateControl == MK_CONTROL &&
                  KeyStateMiddle == MK_MBUTTON && KeyStateX1 == MK_XBUTTON1 &&
                  KeyStateX2 == MK_XBUTTON2,
              "the key state is the system's");
static_assert((KeyStateHorizontal & (MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL |
                                     MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) == 0,
              "the tilt mark is no MK_ bit");

constexpr int NoRemoveCode = 3;       // HC_NOREMOVE: a peek that leaves the message queued
constexpr UINT UnlockForeground = 2;  // LSFW_UNLOCK

// Indexes into MessageNumbers, in the order of RegisteredMessageNames.
enum : int {
  NotifyIndex,
  GetModuleNameIndex,
  SetForegroundW2KIndex,
  SetFocusExIndex,
  SendVScrollIndex,
  NoOpIndex,
  SendHScrollIndex,
  MessageCount,
};
static_assert(sizeof RegisteredMessageNames / sizeof RegisteredMessageNames[0] == MessageCount,
              "one number per registered name");

using TAllowSetForegroundWindow = BOOL(WINAPI*)(DWORD);
using TLockSetForegroundWindow = BOOL(WINAPI*)(UINT);

// The block object lives in raw storage, constructed at attach and destroyed
// at detach by hand: a global with a destructor would make the runtime
// register it in its exit table, which allocates inside the foreign process.
alignas(TVorlixSharedData) unsigned char SharedStorage[sizeof(TVorlixSharedData)];
TVorlixSharedData* Shared = nullptr;

UINT MessageNumbers[MessageCount] = {};
TAllowSetForegroundWindow AllowSetForeground = nullptr;
TLockSetForegroundWindow LockSetForeground = nullptr;

TLowLevelState LowLevel;

// The last posted scroll request carried out in this process, so that a
// request first peeked and then removed scrolls once. Unguarded on purpose:
// threads of one process compare against each other's last request.
MSG LastScrollRequest = {};

TVorlixData* View() { return Shared != nullptr ? Shared->Data() : nullptr; }

// The handle is read at the moment of the call: the main program writes it
// only after the hook is installed, and a call in between passes 0 on.
LRESULT PassOn(const std::uint32_t TVorlixData::*hook, int code, WPARAM wParam, LPARAM lParam) {
  const TVorlixData* data = View();
  return CallNextHookEx(data != nullptr ? ToHhook(data->*hook) : nullptr, code, wParam, lParam);
}

bool KeyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// In message mode the hooked thread waits for the main window's decision,
// so the wait is bounded: a main program that is busy, hung or killed must
// not freeze the application. An unanswered event goes on unchanged, and for
// a while after that the events of this process go on without asking. (In
// low-level mode the main window belongs to the calling thread and the send
// is a direct call.) A missing main window fails at once, the same way.
constexpr UINT NotifyTimeoutMs = 500;
constexpr DWORD NotifySkipMs = 1000;
// GetTickCount() when a notification went unanswered (made odd, so that it
// is never 0); 0 while nothing is skipped.
volatile LONG UnansweredAt = 0;

bool Notify(const TVorlixData& data, WPARAM wParam, HWND target) {
  const LONG unanswered = UnansweredAt;
  if (unanswered != 0) {
    if (GetTickCount() - static_cast<DWORD>(unanswered) < NotifySkipMs) return false;
    InterlockedCompareExchange(&UnansweredAt, 0, unanswered);
  }
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutA(ToHwnd(data.MainWnd), MessageNumbers[NotifyIndex], wParam,
                          reinterpret_cast<LPARAM>(target), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                          NotifyTimeoutMs, &answer) != 0)
    return answer != 0;
  if (GetLastError() == ERROR_TIMEOUT)
    InterlockedExchange(&UnansweredAt, static_cast<LONG>(GetTickCount() | 1));
  return false;
}

BOOL Attach() {
  Shared = new (SharedStorage) TVorlixSharedData();
  if (!Shared->Create(SharedDataName)) return FALSE;
  // Without a view no procedure could do its work; refusing the process is
  // the same outcome as a block that cannot be created.
  if (!Shared->Map()) return FALSE;
  for (int i = 0; i < MessageCount; ++i)
    MessageNumbers[i] = RegisterWindowMessageA(RegisteredMessageNames[i]);
  if (CurrentOsVersionClass() == OsWindows2000) {
    if (GetModuleHandleA("User32.dll") == nullptr) return FALSE;
    AllowSetForeground =
        SystemFunction<TAllowSetForegroundWindow>("User32.dll", "AllowSetForegroundWindow");
    LockSetForeground =
        SystemFunction<TLockSetForegroundWindow>("User32.dll", "LockSetForegroundWindow");
    if (AllowSetForeground == nullptr || LockSetForeground == nullptr) return FALSE;
  }
  return TRUE;
}

void Detach() {
  if (Shared == nullptr) return;
  Shared->~TVorlixSharedData();  // closes the view and the handle
  Shared = nullptr;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH: {
      const BOOL attached = Attach();
      // Whatever a refused attach took is given back at once; Detach may run
      // again when the system follows the refusal with a detach call.
      if (!attached) Detach();
      return attached;
    }
    case DLL_PROCESS_DETACH:
      Detach();
      return TRUE;
    default:
      return TRUE;
  }
}

// The system calls this hook for a message that is only peeked (wParam
// PM_NOREMOVE) and again when it is retrieved: an application that peeks
// before it retrieves would otherwise have each turn acted on twice. Only
// the retrieval is reported; the peek sees the message as it is.
extern "C" LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  TVorlixData* data = View();
  if (data == nullptr) return CallNextHookEx(nullptr, code, wParam, lParam);
  MSG* message = reinterpret_cast<MSG*>(lParam);
  if (code >= 0 && wParam == PM_REMOVE && message != nullptr) {
    bool report = true;
    switch (message->message) {
      case WM_MOUSEMOVE:
      case WM_MOUSEWHEEL:
        break;
      case WM_MBUTTONDOWN:
        message->wParam = KeyStateMiddle;
        break;
      case WM_XBUTTONDOWN:
        message->wParam = HIWORD(message->wParam) == XBUTTON1 ? KeyStateX1 : KeyStateX2;
        break;
      default:
        report = false;
    }
    // The rewritten wParam stays even when the event is not swallowed.
    if (report && Notify(*data, message->wParam, message->hwnd) && message->message != WM_MOUSEMOVE)
      message->message = MessageNumbers[NoOpIndex];
  }
  return PassOn(&TVorlixData::MouseHook, code, wParam, lParam);
}

extern "C" TLowLevelState* WINAPI LowLevelState() { return &LowLevel; }

extern "C" LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
  TVorlixData* data = View();
  if (data == nullptr) return CallNextHookEx(nullptr, code, wParam, lParam);
  ++LowLevel.Calls;
  MSLLHOOKSTRUCT* event = reinterpret_cast<MSLLHOOKSTRUCT*>(lParam);
  // Most events are moves, and while no rule could act on one the main
  // program has said so: such a move costs no question.
  const bool reported = (wParam == WM_MOUSEMOVE && LowLevel.ReportMoves) ||
                        wParam == WM_MBUTTONDOWN ||
                        wParam == WM_MOUSEWHEEL || wParam == WmMouseHWheel ||
                        wParam == WM_XBUTTONDOWN;
  if (code == HC_ACTION && reported && event != nullptr && event->dwExtraInfo != OwnInputMarker) {
    const HWND target = GetForegroundWindow();
    WORD keyState = 0;
    if (KeyDown(VK_CONTROL)) keyState |= KeyStateControl;
    if (KeyDown(VK_SHIFT)) keyState |= KeyStateShift;
    switch (wParam) {
      case WM_MBUTTONDOWN:
        keyState |= KeyStateMiddle;
        event->mouseData &= 0xFFFF;
        break;
      case WM_XBUTTONDOWN:
        keyState |= HIWORD(event->mouseData) == XBUTTON1 ? KeyStateX1 : KeyStateX2;
        // A press carries no wheel delta; the button is told by KeyState alone.
        event->mouseData &= 0xFFFF;
        break;
      case WmMouseHWheel:
        keyState |= KeyStateHorizontal;
        [[fallthrough]];
      case WM_MOUSEWHEEL:
        if (KeyDown(VK_LBUTTON)) keyState |= KeyStateLeft;
        if (KeyDown(VK_MBUTTON)) keyState |= KeyStateMiddle;
        if (KeyDown(VK_RBUTTON)) keyState |= KeyStateRight;
        if (KeyDown(VK_XBUTTON1)) keyState |= KeyStateX1;
        if (KeyDown(VK_XBUTTON2)) keyState |= KeyStateX2;
        break;
      default:
        break;
    }
    const TWheelNotification notification{keyState,
                                          static_cast<std::int16_t>(HIWORD(event->mouseData)),
                                          ToWnd(target)};
    if (Notify(*data, notification.WParam(), target) && wParam != WM_MOUSEMOVE) return 1;
  }
  return PassOn(&TVorlixData::MouseHook, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  TVorlixData* data = View();
  if (data == nullptr) return CallNextHookEx(nullptr, code, wParam, lParam);
  const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code >= 0 && sent != nullptr) {
    const UINT number = sent->message;
    if (number == MessageNumbers[GetModuleNameIndex]) {
      const DWORD length = GetModuleFileNameA(nullptr, data->ModuleName, ModuleNamePathMax);
      // A truncated path comes back unterminated on some systems.
      data->ModuleName[length < ModuleNamePathMax ? length : ModuleNamePathMax] = '\0';
    } else if (number == MessageNumbers[SetForegroundW2KIndex]) {
      // Resolved only on the systems where the main program sends this.
      if (LockSetForeground != nullptr && AllowSetForeground != nullptr) {
        LockSetForeground(UnlockForeground);
        AllowSetForeground(static_cast<DWORD>(sent->lParam));
      }
    } else if (number == MessageNumbers[SetFocusExIndex]) {
      const HWND previous = SetFocus(reinterpret_cast<HWND>(sent->lParam));
      data->PrevFocusWnd = ToWnd(previous);
    } else if (number == MessageNumbers[SendVScrollIndex]) {
      SendMessageA(sent->hwnd, WM_VSCROLL, sent->wParam, sent->lParam);
    } else if (number == MessageNumbers[SendHScrollIndex]) {
      SendMessageA(sent->hwnd, WM_HSCROLL, sent->wParam, sent->lParam);
    }
  }
  return PassOn(&TVorlixData::CallWndProcHook, code, wParam, lParam);
}

extern "C" LRESULT CALLBACK GetMsgProcSendScroll(int code, WPARAM wParam, LPARAM lParam) {
  TVorlixData* data = View();
  if (data == nullptr) return CallNextHookEx(nullptr, code, wParam, lParam);
  MSG* message = reinterpret_cast<MSG*>(lParam);
  const UINT scroll = message == nullptr                                   ? 0
                     : message->message == MessageNumbers[SendVScrollIndex] ? WM_VSCROLL
                     : message->message == MessageNumbers[SendHScrollIndex] ? WM_HSCROLL
                                                                            : 0;
  if (code >= 0 && code != NoRemoveCode && scroll != 0) {
    const MSG& last = LastScrollRequest;
    const bool repeated = message->hwnd == last.hwnd && message->message == last.message &&
                          message->wParam == last.wParam && message->lParam == last.lParam &&
                          message->time == last.time && message->pt.x == last.pt.x &&
                          message->pt.y == last.pt.y;
    if (!repeated) {
      LastScrollRequest = *message;
      message->message = MessageNumbers[NoOpIndex];
      SendMessageA(message->hwnd, scroll, message->wParam, message->lParam);
    }
  }
  return PassOn(&TVorlixData::SendScrollHook, code, wParam, lParam);
}
