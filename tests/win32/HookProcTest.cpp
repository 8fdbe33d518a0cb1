// The four procedures of VorlixHook.dll, loaded into this process and called
// directly with hand-made records. A window of the test stands in for the
// main window: it records every notification and answers as told.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "PeerProcess.h"
#include "shared/Handles.h"
#include "shared/LowLevelState.h"
#include "shared/Messages.h"
#include "shared/SharedStruct.h"
#include "shared/WheelNotification.h"
#include "shared/VorlixData.h"

namespace {

struct TRecorded {
  WPARAM WParam;
  LPARAM LParam;
};

// What the stand-in main window saw, and what it answers.
struct TWindowLog {
  UINT NotifyNumber = 0;
  LRESULT Answer = 0;
  std::vector<TRecorded> Notifications;
  std::vector<TRecorded> VScrolls;
  std::vector<TRecorded> HScrolls;
};

TWindowLog Log;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0 && message == Log.NotifyNumber) {
    Log.Notifications.push_back({wParam, lParam});
    return Log.Answer;
  }
  if (message == WM_VSCROLL || message == WM_HSCROLL) {
    (message == WM_VSCROLL ? Log.VScrolls : Log.HScrolls).push_back({wParam, lParam});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

constexpr char RecordingClass[] = "VorlixTest_HookProcWindow";

class HookProcTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Beside the test executable, where the build copies it; a full path so
    // that no other copy on the search path can answer.
    Library = LoadLibraryA((TestFolder() + "VorlixHook.dll").c_str());
    if (Library == nullptr) return;
    GetMsg = Resolve("GetMsgProc");
    LowLevelMouse = Resolve("LowLevelMouseProc");
    CallWnd = Resolve("CallWndProc");
    SendScroll = Resolve("GetMsgProcSendScroll");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = RecordingClass;
    RegisterClassA(&windowClass);
  }

  static void TearDownTestSuite() {
    UnregisterClassA(RecordingClass, GetModuleHandleA(nullptr));
    if (Library != nullptr) FreeLibrary(Library);
    Library = nullptr;
  }

  static HOOKPROC Resolve(const char* name) {
    return reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(Library, name)));
  }

  void SetUp() override {
    ASSERT_NE(Library, nullptr) << "VorlixHook.dll did not load: " << GetLastError();
    ASSERT_NE(GetMsg, nullptr);
    ASSERT_NE(LowLevelMouse, nullptr);
    ASSERT_NE(CallWnd, nullptr);
    ASSERT_NE(SendScroll, nullptr);
    Log = TWindowLog{};
    Log.NotifyNumber = RegisterWindowMessageA(MouseWheelNotifyMessageName);
    NoOpNumber = RegisterWindowMessageA(NoOpMessageName);
    ScrollRequestNumber = RegisterWindowMessageA(SendVScrollMessageName);
    ASSERT_TRUE(Block.Create(SharedDataName));
    ASSERT_TRUE(Block.Map());
    Saved = *Block.Data();
    MainWindow = CreateWindowExA(0, RecordingClass, "VorlixTest main", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(MainWindow, nullptr);
    Block.Data()->MainWnd = ToWnd(MainWindow);
  }

  void TearDown() override {
    if (MainWindow != nullptr) DestroyWindow(MainWindow);
    if (Block.Data() != nullptr) *Block.Data() = Saved;
    Block.Close();
  }

  MSG Message(UINT number, WPARAM wParam, LPARAM lParam) const {
    MSG message{};
    message.hwnd = MainWindow;
    message.message = number;
    message.wParam = wParam;
    message.lParam = lParam;
    message.time = 0x1234;
    message.pt = {10, 20};
    return message;
  }

  LRESULT CallGetMsg(int code, MSG& message, WPARAM removal = PM_REMOVE) const {
    return GetMsg(code, removal, reinterpret_cast<LPARAM>(&message));
  }

  LRESULT CallLowLevel(int code, WPARAM event, MSLLHOOKSTRUCT& record) const {
    return LowLevelMouse(code, event, reinterpret_cast<LPARAM>(&record));
  }

  LRESULT CallCallWnd(UINT number, HWND window, WPARAM wParam, LPARAM lParam) const {
    CWPSTRUCT sent{lParam, wParam, number, window};
    return CallWnd(HC_ACTION, 0, reinterpret_cast<LPARAM>(&sent));
  }

  LRESULT CallSendScroll(int code, MSG& message) const {
    return SendScroll(code, PM_REMOVE, reinterpret_cast<LPARAM>(&message));
  }

  static HMODULE Library;
  static HOOKPROC GetMsg;
  static HOOKPROC LowLevelMouse;
  static HOOKPROC CallWnd;
  static HOOKPROC SendScroll;

  TVorlixSharedData Block;
  TVorlixData Saved{};
  HWND MainWindow = nullptr;
  UINT NoOpNumber = 0;
  UINT ScrollRequestNumber = 0;
};

HMODULE HookProcTest::Library = nullptr;
HOOKPROC HookProcTest::GetMsg = nullptr;
HOOKPROC HookProcTest::LowLevelMouse = nullptr;
HOOKPROC HookProcTest::CallWnd = nullptr;
HOOKPROC HookProcTest::SendScroll = nullptr;

// --- Attach -----------------------------------------------------------------

TEST_F(HookProcTest, AttachCreatedTheSharedBlockInThisProcess) {
  // The library's own view and the test's are two views of one block: a value
  // written through one is read through the other, here by the procedures.
  const HANDLE opened = OpenFileMappingA(FILE_MAP_READ, FALSE, SharedDataName);
  ASSERT_NE(opened, nullptr);
  CloseHandle(opened);
  MSG wheel = Message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  CallGetMsg(HC_ACTION, wheel);
  EXPECT_EQ(Log.Notifications.size(), 1u);
}

// --- GetMsgProc ---------------------------------------------------------------

TEST_F(HookProcTest, HandledWheelBecomesANoOpWithItsParametersKept) {
  Log.Answer = 1;
  MSG wheel = Message(WM_MOUSEWHEEL, MAKEWPARAM(0x0008, static_cast<WORD>(-240)), 0x00500060);
  CallGetMsg(HC_ACTION, wheel);
  ASSERT_EQ(Log.Notifications.size(), 1u);
  EXPECT_EQ(Log.Notifications[0].WParam, MAKEWPARAM(0x0008, static_cast<WORD>(-240)));
  EXPECT_EQ(Log.Notifications[0].LParam, reinterpret_cast<LPARAM>(MainWindow));
  EXPECT_NE(NoOpNumber, 0u);
  EXPECT_EQ(wheel.message, NoOpNumber);
  EXPECT_EQ(wheel.wParam, MAKEWPARAM(0x0008, static_cast<WORD>(-240)));
  EXPECT_EQ(wheel.lParam, 0x00500060);
  EXPECT_EQ(wheel.hwnd, MainWindow);
  EXPECT_EQ(wheel.time, 0x1234u);
}

TEST_F(HookProcTest, UnhandledWheelGoesOnUnchanged) {
  Log.Answer = 0;
  MSG wheel = Message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0x00500060);
  const MSG before = wheel;
  CallGetMsg(HC_ACTION, wheel);
  ASSERT_EQ(Log.Notifications.size(), 1u);
  EXPECT_EQ(wheel.message, static_cast<UINT>(WM_MOUSEWHEEL));
  EXPECT_EQ(std::memcmp(&wheel, &before, sizeof wheel), 0);
}

TEST_F(HookProcTest, MoveIsReportedWithItsKeyStateAndNeverSwallowed) {
  Log.Answer = 1;
  MSG move = Message(WM_MOUSEMOVE, MK_MBUTTON, 0x00100010);
  CallGetMsg(HC_ACTION, move);
  ASSERT_EQ(Log.Notifications.size(), 1u);
  EXPECT_EQ(Log.Notifications[0].WParam, static_cast<WPARAM>(MK_MBUTTON));
  EXPECT_EQ(move.message, static_cast<UINT>(WM_MOUSEMOVE));
}

TEST_F(HookProcTest, MiddlePressIsRewrittenToTheMiddleBitAlsoWhenPassedOn) {
  Log.Answer = 0;
  MSG press = Message(WM_MBUTTONDOWN, MK_MBUTTON | MK_SHIFT | MK_LBUTTON, 0);
  CallGetMsg(HC_ACTION, press);
  ASSERT_EQ(Log.Notifications.size(), 1u);
  EXPECT_EQ(Log.Notifications[0].WParam, 0x0010u);
  EXPECT_EQ(press.wParam, 0x0010u);
  EXPECT_EQ(press.message, static_cast<UINT>(WM_MBUTTONDOWN));
}

TEST_F(HookProcTest, HandledMiddlePressIsSwallowed) {
  Log.Answer = 1;
  MSG press = Message(WM_MBUTTONDOWN, MK_MBUTTON, 0);
  CallGetMsg(HC_ACTION, press);
  EXPECT_EQ(press.message, NoOpNumber);
  EXPECT_EQ(press.wParam, 0x0010u);
}

TEST_F(HookProcTest, XPressIsRewrittenToTheBitOfItsButton) {
  MSG second = Message(WM_XBUTTONDOWN, MAKEWPARAM(MK_XBUTTON2, XBUTTON2), 0);
  CallGetMsg(HC_ACTION, second);
  MSG first = Message(WM_XBUTTONDOWN, MAKEWPARAM(MK_XBUTTON1 | MK_CONTROL, XBUTTON1), 0);
  CallGetMsg(HC_ACTION, first);
  ASSERT_EQ(Log.Notifications.size(), 2u);
  EXPECT_EQ(Log.Notifications[0].WParam, 0x0040u);
  EXPECT_EQ(second.wParam, 0x0040u);
  EXPECT_EQ(Log.Notifications[1].WParam, 0x0020u);
  EXPECT_EQ(first.wParam, 0x0020u);
}

TEST_F(HookProcTest, PeeksNegativeCodesAndOtherMessagesAreNotReported) {
  Log.Answer = 1;
  MSG peeked = Message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  CallGetMsg(HC_ACTION, peeked, PM_NOREMOVE);
  MSG negative = Message(WM_MBUTTONDOWN, MK_MBUTTON | MK_SHIFT, 0);
  CallGetMsg(-1, negative);
  MSG other = Message(WM_LBUTTONDOWN, MK_LBUTTON, 0);
  CallGetMsg(HC_ACTION, other);
  EXPECT_TRUE(Log.Notifications.empty());
  EXPECT_EQ(peeked.message, static_cast<UINT>(WM_MOUSEWHEEL));
  EXPECT_EQ(negative.wParam, static_cast<WPARAM>(MK_MBUTTON | MK_SHIFT));
  EXPECT_EQ(other.message, static_cast<UINT>(WM_LBUTTONDOWN));
}

TEST_F(HookProcTest, MissingMainWindowLeavesTheWheelUnchanged) {
  Block.Data()->MainWnd = 0;
  Log.Answer = 1;
  MSG wheel = Message(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  CallGetMsg(HC_ACTION, wheel);
  EXPECT_TRUE(Log.Notifications.empty());
  EXPECT_EQ(wheel.message, static_cast<UINT>(WM_MOUSEWHEEL));
}

// --- LowLevelMouseProc ----------------------------------------------------------
// No key is held under the test, so GetAsyncKeyState adds no Shift, Ctrl or
// button bits; the expectations below rely on that.

TEST_F(HookProcTest, LowLevelWheelCarriesTheDeltaAndTheForegroundWindow) {
  Log.Answer = 1;
  MSLLHOOKSTRUCT wheel{};
  wheel.mouseData = MAKELONG(0, static_cast<WORD>(-120));
  const LRESULT result = CallLowLevel(HC_ACTION, WM_MOUSEWHEEL, wheel);
  ASSERT_EQ(Log.Notifications.size(), 1u);
  EXPECT_EQ(HIWORD(Log.Notifications[0].WParam), static_cast<WORD>(-120));
  EXPECT_EQ(LOWORD(Log.Notifications[0].WParam), 0u);
  EXPECT_EQ(Log.Notifications[0].LParam, reinterpret_cast<LPARAM>(GetForegroundWindow()));
  EXPECT_EQ(result, 1);

  // A tilt is told from a turn by a bit of its own.
  wheel.mouseData = MAKELONG(0, 240);
  EXPECT_EQ(CallLowLevel(HC_ACTION, WmMouseHWheel, wheel), 1);
  ASSERT_EQ(Log.Notifications.size(), 2u);
  EXPECT_EQ(Log.Notifications[1].WParam, MAKEWPARAM(KeyStateHorizontal, 240));
}

TEST_F(HookProcTest, LowLevelUnhandledWheelIsPassedOn) {
  Log.Answer = 0;
  MSLLHOOKSTRUCT wheel{};
  wheel.mouseData = MAKELONG(0, 120);
  EXPECT_NE(CallLowLevel(HC_ACTION, WM_MOUSEWHEEL, wheel), 1);
  EXPECT_EQ(Log.Notifications.size(), 1u);
  EXPECT_EQ(wheel.mouseData, static_cast<DWORD>(MAKELONG(0, 120)));
}

TEST_F(HookProcTest, LowLevelMoveAnsweredOneIsStillPassedOn) {
  Log.Answer = 1;
  MSLLHOOKSTRUCT move{};
  EXPECT_NE(CallLowLevel(HC_ACTION, WM_MOUSEMOVE, move), 1);
  ASSERT_EQ(Log.Notifications.size(), 1u);
  EXPECT_EQ(Log.Notifications[0].WParam, 0u);
}

TEST_F(HookProcTest, LowLevelMovesGoUnaskedWhileNotReportedAndEveryCallCounts) {
  const auto state = reinterpret_cast<TLowLevelState*(WINAPI*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(Library, LowLevelStateExport)));
  ASSERT_NE(state, nullptr);
  state()->ReportMoves = false;
  const std::uint32_t calls = state()->Calls;
  MSLLHOOKSTRUCT move{};
  CallLowLevel(HC_ACTION, WM_MOUSEMOVE, move);
  MSLLHOOKSTRUCT wheel{};
  wheel.mouseData = MAKELONG(0, 120);
  CallLowLevel(HC_ACTION, WM_MOUSEWHEEL, wheel);
  state()->ReportMoves = true;
  EXPECT_EQ(calls + 2, state()->Calls);
  ASSERT_EQ(Log.Notifications.size(), 1u) << "the turn only";
  EXPECT_EQ(HIWORD(Log.Notifications[0].WParam), 120u);
}

TEST_F(HookProcTest, LowLevelXPressClearsTheButtonWordAndSetsItsBit) {
  Log.Answer = 0;
  MSLLHOOKSTRUCT first{};
  first.mouseData = MAKELONG(0x0007, XBUTTON1);
  CallLowLevel(HC_ACTION, WM_XBUTTONDOWN, first);
  MSLLHOOKSTRUCT second{};
  second.mouseData = MAKELONG(0, XBUTTON2);
  CallLowLevel(HC_ACTION, WM_XBUTTONDOWN, second);
  ASSERT_EQ(Log.Notifications.size(), 2u);
  EXPECT_EQ(Log.Notifications[0].WParam, 0x0020u);
  EXPECT_EQ(Log.Notifications[1].WParam, 0x0040u);
  // Only the high word goes; what the system keeps in the low word stays.
  EXPECT_EQ(first.mouseData, 0x0007u);
  EXPECT_EQ(second.mouseData, 0u);
}

TEST_F(HookProcTest, LowLevelMiddlePressIsReportedWithoutDeltaAndSwallowedWhenHandled) {
  Log.Answer = 1;
  MSLLHOOKSTRUCT press{};
  press.mouseData = MAKELONG(0, 0x7777);
  EXPECT_EQ(CallLowLevel(HC_ACTION, WM_MBUTTONDOWN, press), 1);
  ASSERT_EQ(Log.Notifications.size(), 1u);
  EXPECT_EQ(Log.Notifications[0].WParam, 0x0010u);
  EXPECT_EQ(press.mouseData, 0u);
}

TEST_F(HookProcTest, LowLevelIgnoresOtherCodesAndOtherEvents) {
  Log.Answer = 1;
  MSLLHOOKSTRUCT wheel{};
  wheel.mouseData = MAKELONG(0, 120);
  EXPECT_NE(CallLowLevel(3, WM_MOUSEWHEEL, wheel), 1);
  EXPECT_NE(CallLowLevel(-1, WM_MOUSEWHEEL, wheel), 1);
  MSLLHOOKSTRUCT press{};
  EXPECT_NE(CallLowLevel(HC_ACTION, WM_LBUTTONDOWN, press), 1);
  MSLLHOOKSTRUCT own{};  // what Vorlix injected itself
  own.dwExtraInfo = OwnInputMarker;
  EXPECT_NE(CallLowLevel(HC_ACTION, WM_MBUTTONDOWN, own), 1);
  EXPECT_TRUE(Log.Notifications.empty());
}

// --- CallWndProc -----------------------------------------------------------------

TEST_F(HookProcTest, ModuleNameRequestWritesThisExecutablesPath) {
  std::memset(Block.Data()->ModuleName, 'x', sizeof Block.Data()->ModuleName);
  CallCallWnd(RegisterWindowMessageA(GetModuleNameMessageName), MainWindow, 0, 0);
  char expected[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, expected, sizeof expected), 0u);
  const TVorlixData* data = Block.Data();
  ASSERT_NE(std::memchr(data->ModuleName, '\0', sizeof data->ModuleName), nullptr);
  EXPECT_STREQ(data->ModuleName, expected);
}

TEST_F(HookProcTest, FocusRequestMovesTheFocusAndReportsThePreviousOne) {
  const HWND frame =
      CreateWindowExA(0, "STATIC", "VorlixTest focus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                      120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(frame, nullptr);
  const HWND first = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, frame,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
  const HWND second = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 30, 80, 20, frame,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  SetFocus(first);
  ASSERT_EQ(GetFocus(), first);
  Block.Data()->PrevFocusWnd = 0xDEAD;
  CallCallWnd(RegisterWindowMessageA(SetFocusExMessageName), second, 0,
              reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(Block.Data()->PrevFocusWnd, ToWnd(first));
  EXPECT_EQ(GetFocus(), second);
  DestroyWindow(frame);
}

TEST_F(HookProcTest, SentScrollRequestBecomesWmVScrollToTheSameWindow) {
  const WPARAM code = MAKEWPARAM(SB_LINEDOWN, 0);
  CallCallWnd(ScrollRequestNumber, MainWindow, code, 0x4321);
  ASSERT_EQ(Log.VScrolls.size(), 1u);
  EXPECT_EQ(Log.VScrolls[0].WParam, code);
  EXPECT_EQ(Log.VScrolls[0].LParam, 0x4321);
}

TEST_F(HookProcTest, CallWndProcLeavesOtherMessagesAndNegativeCodesAlone) {
  Block.Data()->PrevFocusWnd = 0xBEEF;
  CallCallWnd(WM_USER + 7, MainWindow, 1, 2);
  CWPSTRUCT sent{0, SB_LINEUP, ScrollRequestNumber, MainWindow};
  CallWnd(-1, 0, reinterpret_cast<LPARAM>(&sent));
  CWPSTRUCT focus{reinterpret_cast<LPARAM>(MainWindow), 0,
                  RegisterWindowMessageA(SetFocusExMessageName), MainWindow};
  CallWnd(-1, 0, reinterpret_cast<LPARAM>(&focus));
  EXPECT_TRUE(Log.VScrolls.empty());
  EXPECT_EQ(Block.Data()->PrevFocusWnd, 0xBEEFu);
}

// --- GetMsgProcSendScroll ----------------------------------------------------------
// The last request is kept per process across tests, so every test uses
// times of its own.

TEST_F(HookProcTest, TiltRequestBecomesWmHScrollSentOrPosted) {
  const UINT request = RegisterWindowMessageA(SendHScrollMessageName);
  CallCallWnd(request, MainWindow, SB_LINERIGHT, 0x4321);
  MSG posted = Message(request, SB_LINELEFT, 0);
  posted.time = 0x7001;
  CallSendScroll(HC_ACTION, posted);
  ASSERT_EQ(Log.HScrolls.size(), 2u);
  EXPECT_EQ(Log.HScrolls[0].WParam, static_cast<WPARAM>(SB_LINERIGHT));
  EXPECT_EQ(Log.HScrolls[0].LParam, 0x4321);
  EXPECT_EQ(Log.HScrolls[1].WParam, static_cast<WPARAM>(SB_LINELEFT));
  EXPECT_TRUE(Log.VScrolls.empty());
}

TEST_F(HookProcTest, PostedScrollRequestIsCarriedOutOnceAndBecomesANoOp) {
  MSG request = Message(ScrollRequestNumber, MAKEWPARAM(SB_LINEUP, 0), 0);
  request.time = 0x5001;
  const MSG original = request;
  CallSendScroll(HC_ACTION, request);
  ASSERT_EQ(Log.VScrolls.size(), 1u);
  EXPECT_EQ(Log.VScrolls[0].WParam, static_cast<WPARAM>(SB_LINEUP));
  EXPECT_EQ(Log.VScrolls[0].LParam, 0);
  EXPECT_EQ(request.message, NoOpNumber);
  EXPECT_EQ(request.wParam, original.wParam);

  // The same request again (a peek, then the removal): no second scroll.
  MSG again = original;
  CallSendScroll(HC_ACTION, again);
  EXPECT_EQ(Log.VScrolls.size(), 1u);
  EXPECT_EQ(again.message, ScrollRequestNumber);

  MSG end = original;
  end.wParam = MAKEWPARAM(SB_ENDSCROLL, 0);
  CallSendScroll(HC_ACTION, end);
  ASSERT_EQ(Log.VScrolls.size(), 2u);
  EXPECT_EQ(Log.VScrolls[1].WParam, static_cast<WPARAM>(SB_ENDSCROLL));
  EXPECT_EQ(end.message, NoOpNumber);
}

TEST_F(HookProcTest, ScrollRequestsDifferingInAnyFieldAreEachCarriedOut) {
  MSG base = Message(ScrollRequestNumber, MAKEWPARAM(SB_LINEDOWN, 0), 0x111);
  base.time = 0x6001;
  // Each request differs from the one before it in one field only.
  std::vector<MSG> requests(6, base);
  requests[1].lParam = 0x222;
  requests[2] = requests[1];
  requests[2].time = 0x6002;
  requests[3] = requests[2];
  requests[3].pt.x = 11;
  requests[4] = requests[3];
  requests[4].pt.y = 21;
  requests[5] = requests[4];
  requests[5].hwnd = nullptr;  // SendMessageA to no window: the request still counts
  for (const MSG& request : requests) {
    MSG copy = request;
    CallSendScroll(HC_ACTION, copy);
    EXPECT_EQ(copy.message, NoOpNumber);
  }
  // The last one went to no window, so five reached the test window.
  EXPECT_EQ(Log.VScrolls.size(), 5u);
}

TEST_F(HookProcTest, ScrollHookIgnoresPeeksNegativeCodesAndOtherMessages) {
  MSG peeked = Message(ScrollRequestNumber, SB_PAGEDOWN, 0);
  peeked.time = 0x7001;
  CallSendScroll(3, peeked);
  MSG negative = peeked;
  CallSendScroll(-1, negative);
  MSG other = Message(WM_MOUSEWHEEL, SB_PAGEDOWN, 0);
  other.time = 0x7002;
  CallSendScroll(HC_ACTION, other);
  EXPECT_TRUE(Log.VScrolls.empty());
  EXPECT_EQ(peeked.message, ScrollRequestNumber);
  EXPECT_EQ(negative.message, ScrollRequestNumber);
  EXPECT_EQ(other.message, static_cast<UINT>(WM_MOUSEWHEEL));
  // Not counted as carried out: the retrieval that follows the peek scrolls.
  CallSendScroll(HC_ACTION, peeked);
  EXPECT_EQ(Log.VScrolls.size(), 1u);
}

}  // namespace
