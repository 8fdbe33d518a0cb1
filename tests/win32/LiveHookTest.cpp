// Real hooks, real input: this process installs the hooks through TVorlixHook
// for a hidden main window of its own, a probe process shows a window, and
// xdotool moves the pointer, turns the wheel and presses buttons over it, in
// low-level mode and in message mode, forced or chosen by the system (this
// executable runs again with Wine reporting Windows 98 for the latter). Every drive ends with a wheel turn
// down that the main window always lets through: once the probe has
// received it, every event before it has been decided.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "PeerProcess.h"
#include "TestPeer.h"
#include "host/HookMode.h"
#include "dispatch/KeyOperationExecutor.h"
#include "dispatch/WheelDispatcher.h"
#include "host/Vorlixhookloader.h"
#include "platform/Win32WindowSystem.h"
#include "shared/Win32Owner.h"
#include "settings/Vorlixsetting.h"
#include "shared/Handles.h"
#include "shared/Messages.h"
#include "shared/OsVersion.h"
#include "shared/SharedStruct.h"
#include "shared/WheelNotification.h"

namespace {

constexpr int ProbeX = 400;
constexpr int ProbeY = 300;
constexpr DWORD WaitMs = 15000;
constexpr char XdotoolDosPath[] = "Z:\\usr\\bin\\xdotool";

// Set for a run of this executable under a chosen Windows version: the class
// that run must see, so that it cannot pass by running under another one.
constexpr char ExpectedClassVariable[] = "VORLIX_TEST_EXPECTED_OS_CLASS";


struct TNotification {
  UINT KeyState;
  short WheelDelta;
  HWND Target;

  bool operator==(const TNotification& other) const {
    return KeyState == other.KeyState && WheelDelta == other.WheelDelta &&
           Target == other.Target;
  }
};

std::ostream& operator<<(std::ostream& os, const TNotification& n) {
  return os << "{keys 0x" << std::hex << n.KeyState << std::dec << ", delta " << n.WheelDelta
            << ", target " << n.Target << "}";
}

// What the hidden main window saw and what it answers: Answer to every
// notification except a turn down, which always goes through.
// With a dispatcher, the dispatcher answers instead.
// BusyMs makes the first notification keep the main window busy that long.
struct TMainLog {
  UINT NotifyNumber = 0;
  LRESULT Answer = 0;
  TWheelDispatcher* Dispatcher = nullptr;
  std::vector<TNotification> Notifications;
  DWORD BusyMs = 0;
  DWORD BusySince = 0;
};

TMainLog Main;

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0 && message == Main.NotifyNumber) {
    const TNotification n{LOWORD(wParam), static_cast<short>(HIWORD(wParam)),
                          reinterpret_cast<HWND>(lParam)};
    Main.Notifications.push_back(n);
    if (Main.BusyMs != 0) {
      Main.BusySince = GetTickCount();
      Sleep(Main.BusyMs);
      Main.BusyMs = 0;
    }
    if (Main.Dispatcher != nullptr) return Main.Dispatcher->RouteWheelNotification(wParam, lParam);
    return n.WheelDelta < 0 ? 0 : Main.Answer;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

constexpr char MainClass[] = "VorlixTest_LiveMain";

template <typename Done>
bool Await(Done done) {
  return PumpMessagesUntil(done, WaitMs);
}

bool ContainsInOrder(const std::vector<TNotification>& seen,
                     const std::vector<TNotification>& expected) {
  std::size_t next = 0;
  for (const TNotification& n : seen)
    if (next < expected.size() && n == expected[next]) ++next;
  return next == expected.size();
}

std::string Describe(const std::vector<TNotification>& list) {
  std::ostringstream os;
  for (const TNotification& n : list)
    if (n.WheelDelta != 0 || (n.KeyState & (KeyStateMiddle | KeyStateX1 | KeyStateX2)) != 0)
      os << n << " ";
  return os.str();
}

class LiveHookFixture : public testing::Test {
 protected:
  explicit LiveHookFixture(int hookMode, bool probeScrolls = false)
      : HookMode(hookMode), ProbeScrolls(probeScrolls) {}

  void SetUp() override {
    if (GetFileAttributesA(XdotoolDosPath) == INVALID_FILE_ATTRIBUTES) {
      ASSERT_FALSE(RunningUnderWine()) << "the suites need xdotool under Wine";
      GTEST_SKIP() << "real input comes from xdotool, which needs Wine on X";
    }
    char expectedClass[8] = {};
    if (GetEnvironmentVariableA(ExpectedClassVariable, expectedClass, sizeof expectedClass) > 0) {
      ASSERT_EQ(std::atoi(expectedClass), CurrentOsVersionClass());
    }
    Main = TMainLog{};
    Main.NotifyNumber = RegisterWindowMessageA(MouseWheelNotifyMessageName);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = MainProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = MainClass;
    RegisterClassA(&windowClass);
    MainWindow = CreateWindowExA(0, MainClass, "VorlixTest main", WS_POPUP, 0, 0, 10,
                                 10, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(MainWindow, nullptr);

    Hook = std::make_unique<TVorlixHook>(MainWindow, HookMode);
    ASSERT_TRUE(Hook->Ready()) << "library " << Hook->IsLoaded() << ", hooks "
                               << Hook->GetHook(WH_CALLWNDPROC) << " "
                               << Hook->GetHook(WH_GETMESSAGE) << " " << Hook->GetHook(WH_MOUSE_LL)
                               << ", snapshots " << Hook->ToolHelp().IsLoaded() << ", error "
                               << GetLastError();
    ASSERT_EQ(LowLevel(), Hook->LowLevelMode());
    ASSERT_EQ(Main.NotifyNumber, Hook->NotifyMessage());

    const std::string logName = "VorlixTest_Probe" + std::to_string(GetCurrentProcessId());
    LogMapping = TKernelHandle(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  sizeof(TProbeLog), logName.c_str()));
    ASSERT_TRUE(LogMapping);
    LogView = TMappedView(MapViewOfFile(LogMapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    ASSERT_TRUE(LogView);
    Log = static_cast<const TProbeLog*>(LogView.Get());
    ASSERT_TRUE(ProbeProcess.Start(std::string(PeerModeProbe) + " " + logName + " " +
                                   std::to_string(ProbeX) + " " + std::to_string(ProbeY) + " " +
                                   (ProbeScrolls ? ProbeVScroll : "")));
    ASSERT_TRUE(Await([&] { return Log->Ready != 0; })) << "the probe did not come up";
    Probe = ToHwnd(Log->Window);
    Edit = ToHwnd(Log->Edit);
  }

  void TearDown() override {
    Hook.reset();
    if (Probe != nullptr) PostMessageA(Probe, WM_CLOSE, 0, 0);
    DWORD exitCode = 0;
    ProbeProcess.Finish(WaitMs, exitCode);
    if (MainWindow != nullptr) DestroyWindow(MainWindow);
    UnregisterClassA(MainClass, GetModuleHandleA(nullptr));
  }

  // The input that ends every drive, and how the probe shows that it came.
  virtual std::string MarkerCommands() const { return "click 5"; }
  virtual bool IsMarker(const TProbeEvent& event) const {
    return event.Message == WM_MOUSEWHEEL && static_cast<short>(HIWORD(event.WParam)) < 0;
  }

  // Runs xdotool with the commands, then the marker, and waits until the
  // probe has received the marker: Wine gives no handle to wait on for a
  // Unix process, so the marker is what tells that xdotool is through.
  bool Drive(const std::string& commands) {
    Start = Log->EventCount;
    if (!RunUnix("xdotool " + commands + " " + MarkerCommands())) return false;
    return Await([&] {
      for (const TProbeEvent& event : Events())
        if (IsMarker(event)) return true;
      return false;
    });
  }

  // What the probe logged since the last Drive started.
  std::vector<TProbeEvent> Events() const {
    const LONG count = Log->EventCount;
    return std::vector<TProbeEvent>(Log->Events + Start, Log->Events + count);
  }

  int CountOf(UINT message) const {
    int count = 0;
    for (const TProbeEvent& event : Events()) count += event.Message == message ? 1 : 0;
    return count;
  }

  std::string At(int dx, int dy) const {
    return "mousemove " + std::to_string(ProbeX + dx) + " " + std::to_string(ProbeY + dy);
  }

  bool LowLevel() const {
    return UsesLowLevelHook(HookMode, CurrentOsVersionClass(), CurrentServicePackDigit());
  }

  const int HookMode;
  const bool ProbeScrolls;
  HWND MainWindow = nullptr;
  std::unique_ptr<TVorlixHook> Hook;
  TKernelHandle LogMapping;
  TMappedView LogView;
  const TProbeLog* Log = nullptr;
  TPeerProcess ProbeProcess;
  HWND Probe = nullptr;
  HWND Edit = nullptr;
  LONG Start = 0;
};

// 0 lets the system choose, 1 forces the low-level hook, 2 the message hook.
class LiveHookTest : public LiveHookFixture, public testing::WithParamInterface<int> {
 protected:
  LiveHookTest() : LiveHookFixture(GetParam()) {}
};

class LowLevelHookTest : public LiveHookFixture {
 protected:
  LowLevelHookTest() : LiveHookFixture(1) {}
};

class MessageHookTest : public LiveHookFixture {
 protected:
  MessageHookTest() : LiveHookFixture(2) {}
};

TEST_P(LiveHookTest, ReportsTurnsAndPressesWithTheirKeyState) {
  Main.Answer = 0;
  ASSERT_TRUE(Drive(At(50, 50) + " click 4 keydown ctrl click 4 keyup ctrl" +
                    " keydown shift click 2 keyup shift click 8 click 9"))
      << "the probe never received the final turn";

  // Shift is reported with a press only in low-level mode: the message hook
  // overwrites the press's key state with the button alone.
  const UINT middle = LowLevel() ? KeyStateMiddle | KeyStateShift : KeyStateMiddle;
  const std::vector<TNotification> expected = {
      {0, 120, Probe}, {KeyStateControl, 120, Probe}, {middle, 0, Probe},
      {KeyStateX1, 0, Probe}, {KeyStateX2, 0, Probe}, {0, -120, Probe}};
  EXPECT_TRUE(ContainsInOrder(Main.Notifications, expected)) << Describe(Main.Notifications);

  // Answered 0, everything reaches the probe; the message hook hands the
  // presses on with the key state it reported.
  std::vector<UINT> order;
  for (const TProbeEvent& event : Events()) {
    // The held modifiers reach the probe too when it has the focus.
    if (event.Message == WM_KEYDOWN || event.Message == WM_KEYUP) continue;
    order.push_back(event.Message);
    if (event.Message == WM_MOUSEWHEEL) {
      EXPECT_EQ(120, std::abs(static_cast<short>(HIWORD(event.WParam))));
    }
    if (!LowLevel() && event.Message == WM_MBUTTONDOWN) {
      EXPECT_EQ(KeyStateMiddle, event.WParam);
    }
    if (!LowLevel() && event.Message == WM_XBUTTONDOWN) {
      EXPECT_TRUE(event.WParam == KeyStateX1 || event.WParam == KeyStateX2) << event.WParam;
    }
  }
  const std::vector<UINT> expectedOrder = {WM_MOUSEWHEEL,  WM_MOUSEWHEEL,  WM_MBUTTONDOWN,
                                           WM_XBUTTONDOWN, WM_XBUTTONDOWN, WM_MOUSEWHEEL};
  EXPECT_EQ(expectedOrder, order);
}

TEST_P(LiveHookTest, AnswerOfOneSwallowsTurnsAndPressesButNeverMoves) {
  Main.Answer = 1;
  ASSERT_TRUE(Drive(At(50, 50) + " click 4 click 2 click 8 " + At(60, 70)))
      << "the probe never received the final turn";

  EXPECT_EQ(1, CountOf(WM_MOUSEWHEEL)) << "only the final turn may arrive";
  EXPECT_EQ(0, CountOf(WM_MBUTTONDOWN));
  EXPECT_EQ(0, CountOf(WM_XBUTTONDOWN));
  // The message hook cannot drop a message; it renames it to one that no
  // window procedure handles, keeping its parameters.
  const UINT noOp = RegisterWindowMessageA(NoOpMessageName);
  std::vector<std::uint32_t> renamed;
  for (const TProbeEvent& event : Events())
    if (event.Message == noOp) renamed.push_back(event.WParam);
  const std::vector<std::uint32_t> expectedRenamed =
      LowLevel() ? std::vector<std::uint32_t>{}
                 : std::vector<std::uint32_t>{MAKEWPARAM(0, 120), KeyStateMiddle, KeyStateX1};
  EXPECT_EQ(expectedRenamed, renamed);
  EXPECT_EQ(static_cast<std::uint32_t>(MAKELPARAM(60, 70)), Log->LastMove)
      << "a move answered with 1 must still reach the window";
}

TEST_P(LiveHookTest, RequestsAreCarriedOutInTheProbesThread) {
  char name[MAX_PATH + 1] = {};
  const std::uint32_t count = Hook->GetModuleName(ToWnd(Probe), name, sizeof name);
  const std::string exe = name;
  EXPECT_EQ(exe.size() + 1, count);
  ASSERT_GE(exe.size(), std::strlen("vorlix_test_peer.exe"));
  EXPECT_EQ(0, lstrcmpiA(exe.c_str() + exe.size() - 20, "vorlix_test_peer.exe")) << exe;

  char cut[9];
  std::memset(cut, '#', sizeof cut);
  EXPECT_EQ(8u, Hook->GetModuleName(ToWnd(Probe), cut, 8));
  EXPECT_EQ(0, std::memcmp(cut, name, 8));
  EXPECT_EQ('#', cut[8]) << "no zero may be written past the size";

  const DWORD probeThread = GetWindowThreadProcessId(Probe, nullptr);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  EXPECT_EQ(ToWnd(Probe), Hook->SetFocusEx(ToWnd(Edit)));
  ASSERT_TRUE(GetGUIThreadInfo(probeThread, &info));
  EXPECT_EQ(Edit, info.hwndFocus);
  EXPECT_EQ(ToWnd(Edit), Hook->SetFocusEx(ToWnd(Probe)));
  ASSERT_TRUE(GetGUIThreadInfo(probeThread, &info));
  EXPECT_EQ(Probe, info.hwndFocus);

  // The thread's own answer (its request hook is in place since the focus
  // requests): the full path of its executable.
  TVorlixSharedData block;
  ASSERT_TRUE(block.Create(SharedDataName) && block.Map());
  SendMessageA(Probe, RegisterWindowMessageA(GetModuleNameMessageName), 0, 0);
  const std::string path = block.Data()->ModuleName;
  EXPECT_NE(path.find("\\vorlix_test_peer.exe"), std::string::npos) << path;

  EXPECT_TRUE(Hook->SetForeground(ToWnd(Probe)));
  EXPECT_EQ(Probe, GetForegroundWindow());

  Start = Log->EventCount;
  Hook->SendVScroll(ToWnd(Probe), SB_LINEDOWN, 0, 0);
  Hook->SendVScroll(ToWnd(Probe), SB_ENDSCROLL, 0, ToWnd(Edit));
  ASSERT_TRUE(Await([&] { return CountOf(WM_VSCROLL) >= 2; }));
  std::vector<TProbeEvent> events;
  for (const TProbeEvent& event : Events())
    if (event.Message == WM_VSCROLL) events.push_back(event);
  ASSERT_EQ(2u, events.size());
  EXPECT_EQ(static_cast<std::uint32_t>(SB_LINEDOWN), events[0].WParam);
  EXPECT_EQ(0u, events[0].LParam);
  EXPECT_EQ(static_cast<std::uint32_t>(SB_ENDSCROLL), events[1].WParam);
  EXPECT_EQ(ToWnd(Edit), events[1].LParam);
}

// Scroll requests are posted in low-level mode only.
// A main program that does not answer holds the application that retrieved
// the turn only briefly; the turn then goes on unchanged.
TEST_F(MessageHookTest, BusyMainWindowHoldsTheHookedThreadOnlyBriefly) {
  constexpr DWORD BusyMs = 4000;
  Main.BusyMs = BusyMs;
  ASSERT_TRUE(Drive(At(50, 50) + " click 4")) << "the marker never arrived";
  ASSERT_NE(0u, Main.BusySince) << "the turn was never reported";
  const std::vector<TProbeEvent> events = Events();
  ASSERT_FALSE(events.empty());
  ASSERT_EQ(static_cast<UINT>(WM_MOUSEWHEEL), events[0].Message);
  EXPECT_EQ(120, static_cast<short>(HIWORD(events[0].WParam))) << "the turn, unchanged";
  RecordProperty("HeldMs", static_cast<int>(events[0].Tick - Main.BusySince));
  EXPECT_LT(events[0].Tick - Main.BusySince, BusyMs / 2) << "the probe waited for the main window";
}

TEST_F(LowLevelHookTest, ScrollRequestSeenTwiceScrollsOnce) {
  const UINT request = RegisterWindowMessageA(SendVScrollMessageName);
  Start = Log->EventCount;
  // Queued while the probe naps: its loop then peeks at the request before
  // it retrieves it, and the hook sees the same message twice.
  PostMessageA(Probe, ProbeNapMessage, 0, 0);
  Hook->SendVScroll(ToWnd(Probe), SB_LINEUP, 0, 0);
  ASSERT_TRUE(Await([&] { return CountOf(request) == 1; }))
      << "the retrieved request should reach the window unchanged";
  EXPECT_EQ(1, CountOf(WM_VSCROLL));
  EXPECT_EQ(static_cast<std::uint32_t>(SB_LINEUP), Events().front().WParam);
}

// A process Vorlix has not asked anything has no request hook, nor the
// library, in it: its messages pass no hook of Vorlix's. The first request
// hooks the target's thread; unused for a while, it loses the hook again.
TEST_F(LowLevelHookTest, RequestHooksOnlyTheThreadAskedAndOnlyForAWhile) {
  ASSERT_TRUE(Drive(At(10, 10) + " click 4"));
  EXPECT_EQ(0, Log->HookLibraryLoaded);
  EXPECT_EQ(0u, Hook->HookedThreads());
  ASSERT_NE(0, Hook->SendVScroll(ToWnd(Probe), SB_LINEDOWN, 0, 0));
  ASSERT_TRUE(Await([&] { return CountOf(WM_VSCROLL) == 1; }));
  EXPECT_EQ(1, Log->HookLibraryLoaded);
  EXPECT_EQ(1u, Hook->HookedThreads());
  Hook->SweepThreadHooks();
  EXPECT_EQ(1u, Hook->HookedThreads()) << "used just now";
  PostMessageA(Probe, WM_CLOSE, 0, 0);  // the thread ends, its window with it
  ASSERT_TRUE(Await([&] { return !IsWindow(Probe); }));
  Hook->SweepThreadHooks();
  EXPECT_EQ(0u, Hook->HookedThreads());
  Probe = nullptr;
}

// The system may remove the low-level hook and say nothing (see
// THookWatchdog); installed again, it reports as before.
TEST_F(LowLevelHookTest, HookRemovedBehindItsBackReportsAgainOnceInstalledAgain) {
  ASSERT_TRUE(UnhookWindowsHookEx(Hook->GetHook(WH_MOUSE_LL)));
  Main.Notifications.clear();  // what came before it was removed
  ASSERT_TRUE(Drive(At(10, 10) + " click 4"));
  EXPECT_TRUE(Main.Notifications.empty());
  ASSERT_TRUE(Hook->ReinstallMouseHook());
  EXPECT_EQ(1u, Hook->MouseHookReinstalls());
  ASSERT_TRUE(Drive(At(20, 20) + " click 4"));
  EXPECT_TRUE(ContainsInOrder(Main.Notifications, {{0, 120, GetForegroundWindow()}}))
      << Describe(Main.Notifications);
}

constexpr const char* ModeNames[] = {"System", "LowLevel", "Message"};

std::string ModeName(const testing::TestParamInfo<int>& info) {
  return ModeNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(Modes, LiveHookTest, testing::Values(0, 1, 2), ModeName);

// The dispatcher answers, deciding on the real desktop through the Win32
// seam and the hook's requests, with the default settings unless a test
// changes them. Another window of this process holds the foreground when a
// drive starts. Every drive ends with a turn with Ctrl held, which the
// default settings leave to the window under the cursor.
class DispatchTest : public LiveHookFixture, public testing::WithParamInterface<int> {
 protected:
  explicit DispatchTest(bool probeScrolls) : LiveHookFixture(GetParam(), probeScrolls) {}

  void SetUp() override {
    LiveHookFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Dispatcher = std::make_unique<TWheelDispatcher>(Windows, *Hook, Setting);
    Dispatcher->Paused = false;
    Main.Dispatcher = Dispatcher.get();
    // One for all tests: Wine without a window manager takes two seconds to
    // hide a window that holds the foreground.
    if (Decoy == nullptr)
      Decoy = CreateWindowExA(0, "STATIC", "VorlixTest decoy", WS_POPUP | WS_VISIBLE, 50, 50, 100,
                              100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(SetForegroundWindow(Decoy));
  }

  static void TearDownTestSuite() {
    if (Decoy != nullptr) DestroyWindow(Decoy);
    Decoy = nullptr;
  }

  void TearDown() override {
    Main.Dispatcher = nullptr;
    Dispatcher.reset();
    LiveHookFixture::TearDown();
  }

  std::string MarkerCommands() const override { return "keydown ctrl click 5 keyup ctrl"; }
  bool IsMarker(const TProbeEvent& event) const override {
    return event.Message == WM_MOUSEWHEEL && (LOWORD(event.WParam) & MK_CONTROL) != 0;
  }

  // What reached the probe before the marker.
  std::vector<TProbeEvent> BeforeMarker(UINT message) const {
    std::vector<TProbeEvent> found;
    for (const TProbeEvent& event : Events()) {
      if (IsMarker(event)) break;
      if (event.Message == message) found.push_back(event);
    }
    return found;
  }

  // Makes the probe's thread sleep for hangMs; returns a point over the probe.
  TPoint HangProbe(DWORD hangMs) {
    PostMessageA(Probe, ProbeHangMessage, hangMs, 0);
    // The probe has taken the request when a send no longer gets through.
    DWORD_PTR ignored = 0;
    PumpMessagesUntil(
        [&] { return !SendMessageTimeoutA(Probe, WM_NULL, 0, 0, SMTO_NORMAL, 50, &ignored); },
        WaitMs);
    RECT area{};
    GetWindowRect(Probe, &area);
    return {area.left + 50, area.top + 50};
  }

  // How long the dispatcher takes to deliver a turn over the probe while the
  // probe's thread does not answer. (Driven directly: under Wine the input
  // over a window reaches the hooks only once that window's thread reads it.)
  DWORD DecisionMsWhileProbeHangs(DWORD hangMs) {
    const TPoint cursor = HangProbe(hangMs);
    const DWORD start = GetTickCount();
    Dispatcher->DispatchWheel(ToWnd(Decoy), ToWnd(Probe), -120, 0, cursor);
    const DWORD held = GetTickCount() - start;
    RecordProperty("DecisionMs", static_cast<int>(held));
    return held;
  }

  std::vector<std::uint32_t> ScrollCodes() const {
    std::vector<std::uint32_t> codes;
    for (const TProbeEvent& event : BeforeMarker(WM_VSCROLL)) codes.push_back(event.WParam);
    return codes;
  }

  TWin32WindowSystem Windows;
  TVorlixSetting Setting;
  std::unique_ptr<TWheelDispatcher> Dispatcher;
  static HWND Decoy;
};

HWND DispatchTest::Decoy = nullptr;

class ScrollDispatchTest : public DispatchTest {
 protected:
  ScrollDispatchTest() : DispatchTest(true) {}
};

class WheelDispatchTest : public DispatchTest {
 protected:
  WheelDispatchTest() : DispatchTest(false) {}
};

const std::vector<std::uint32_t> ThreeLinesDown = {SB_LINEDOWN, SB_ENDSCROLL, SB_LINEDOWN,
                                                   SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL};
const std::vector<std::uint32_t> ThreeLinesUp = {SB_LINEUP, SB_ENDSCROLL, SB_LINEUP,
                                                 SB_ENDSCROLL, SB_LINEUP, SB_ENDSCROLL};

TEST_P(ScrollDispatchTest, PlainTurnActivatesTheWindowAndScrollsItByLines) {
  ASSERT_TRUE(Drive(At(50, 50) + " click 5")) << "the marker never arrived";
  EXPECT_EQ(ThreeLinesDown, ScrollCodes());
  EXPECT_TRUE(BeforeMarker(WM_MOUSEWHEEL).empty()) << "the turn was delivered as lines";
  EXPECT_EQ(Probe, GetForegroundWindow());
}

TEST_P(ScrollDispatchTest, CtrlShiftTurnScrollsWithoutActivatingAndShiftTurnIsLeftAlone) {
  ASSERT_TRUE(Drive(At(50, 50) + " keydown ctrl keydown shift click 4 keyup shift keyup ctrl" +
                    " keydown shift click 4 keyup shift"))
      << "the marker never arrived";
  EXPECT_EQ(ThreeLinesUp, ScrollCodes());
  const std::vector<TProbeEvent> wheels = BeforeMarker(WM_MOUSEWHEEL);
  ASSERT_EQ(1u, wheels.size()) << "the Shift turn reaches the window as it was";
  EXPECT_EQ(static_cast<std::uint32_t>(MK_SHIFT), LOWORD(wheels[0].WParam));
  EXPECT_EQ(Decoy, GetForegroundWindow());
}

// In low-level mode the whole desktop's mouse waits while the dispatcher
// decides, in message mode the application that retrieved the turn: a
// window that has stopped answering must hold neither for long.
TEST_P(ScrollDispatchTest, HungWindowHoldsTheDecisionOnlyBriefly) {
  TWindowSetting focusToo;
  focusToo.SetFocus = true;
  Setting.WindowSettings.Put("VORLIXTESTPROBE", "", focusToo);
  EXPECT_LT(DecisionMsWhileProbeHangs(4000), 1000u);
}

INSTANTIATE_TEST_SUITE_P(Modes, ScrollDispatchTest, testing::Values(1, 2), ModeName);

TEST_P(WheelDispatchTest, TurnOverAWindowWithoutScrollBarIsOneWheelMessage) {
  TWindowSetting stayInactive;
  stayInactive.NonActiveScrollIdent = true;
  Setting.WindowSettings.Put("VORLIXTESTPROBE", "", stayInactive);
  ASSERT_TRUE(Drive(At(50, 50) + " click 5")) << "the marker never arrived";

  EXPECT_TRUE(ScrollCodes().empty());
  const std::vector<TProbeEvent> wheels = BeforeMarker(WM_MOUSEWHEEL);
  ASSERT_EQ(1u, wheels.size());
  EXPECT_EQ(-120, static_cast<short>(HIWORD(wheels[0].WParam)));
  // The low-level hook names the foreground window as the target, so the
  // dispatcher sends the message itself; the message hook's target is the
  // window under the cursor, where the posted message is already going.
  EXPECT_EQ(LowLevel() ? 1u : 0u, wheels[0].Sent);
  EXPECT_EQ(Decoy, GetForegroundWindow());
}

TEST_P(WheelDispatchTest, MiddlePressTypesTheKeyStrokeOfItsSlotIntoTheWindowUnderTheCursor) {
  TKeyOperationExecutor executor(Windows, *Hook, nullptr);
  Dispatcher->Executor = &executor;
  TKeyOperation controlB;
  controlB.OperationType = TKeyOperation::Key;
  controlB.KeyStroke = 0x4000 | 'B';
  TKeySetting keys;
  keys.EnableKeySetting = true;
  keys.SetOperation(KeyEventMiddleButtonDown, controlB);
  TExeSetting probeExe;
  probeExe.SetExeName(PeerExeName);
  probeExe.PutKeySetting("", keys);
  Setting.ExeSettings.Put(PeerExeName, probeExe);
  // The focus is where the stroke goes: it is given back before the probe
  // retrieves the stroke, so a focus on another control would take it.
  Hook->SetFocusEx(ToWnd(Probe));

  ASSERT_TRUE(Drive(At(50, 50) + " click 2")) << "the marker never arrived";
  Dispatcher->Executor = nullptr;
  std::vector<std::pair<UINT, std::uint32_t>> keyEvents;
  for (const TProbeEvent& event : Events()) {
    if (IsMarker(event)) break;
    if (event.Message == WM_KEYDOWN || event.Message == WM_KEYUP)
      keyEvents.emplace_back(event.Message, event.WParam);
  }
  // The marker's own Ctrl.
  if (!keyEvents.empty() && keyEvents.back() == std::make_pair(UINT{WM_KEYDOWN}, 0x11u))
    keyEvents.pop_back();
  const std::vector<std::pair<UINT, std::uint32_t>> expected = {
      {WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'B'}, {WM_KEYUP, 'B'}, {WM_KEYUP, VK_CONTROL}};
  EXPECT_EQ(expected, keyEvents) << "the stroke goes to the window under the cursor";
  EXPECT_TRUE(BeforeMarker(WM_MBUTTONDOWN).empty()) << "the press was consumed";
  EXPECT_EQ(Probe, GetForegroundWindow());
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(Probe, nullptr), &info));
  EXPECT_EQ(Probe, info.hwndFocus);
}

// The probe's process ends between the event and the delivery: the turn is
// left to the system, and Vorlix does nothing to any other window.
TEST_P(WheelDispatchTest, WindowOfAProcessThatEndedGetsNothingAndNothingElseDoes) {
  TWindowSetting focusToo;
  focusToo.SetFocus = true;
  Setting.WindowSettings.Put("VORLIXTESTPROBE", "", focusToo);
  RECT area{};
  GetWindowRect(Probe, &area);
  const HWND gone = Probe;
  ProbeProcess.Kill();
  Probe = nullptr;
  ASSERT_FALSE(IsWindow(gone));
  EXPECT_FALSE(Dispatcher->DispatchWheel(ToWnd(Decoy), ToWnd(gone), -120, 0,
                                         TPoint{area.left + 50, area.top + 50}));
  EXPECT_EQ(Decoy, GetForegroundWindow());
  char name[MAX_PATH] = {};
  EXPECT_EQ(0u, Hook->GetModuleName(ToWnd(gone), name, sizeof name)) << name;
}

TEST_P(WheelDispatchTest, HungWindowHoldsTheDecisionOnlyBriefly) {
  EXPECT_LT(DecisionMsWhileProbeHangs(4000), 1000u);
}

// A window busier than the send's bound gets every turn once it wakes.
TEST_P(WheelDispatchTest, BusyWindowGetsEveryTurnLate) {
  const TPoint cursor = HangProbe(1500);
  Start = Log->EventCount;
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(Dispatcher->DispatchWheel(ToWnd(Decoy), ToWnd(Probe), -120, 0, cursor));
  EXPECT_TRUE(Await([&] { return CountOf(WM_MOUSEWHEEL) == 5; })) << CountOf(WM_MOUSEWHEEL);
}

INSTANTIATE_TEST_SUITE_P(Modes, WheelDispatchTest, testing::Values(1, 2), ModeName);

// The system's own choice on Windows 98 is the message hook: the suites of
// that choice run again in a process to which Wine reports Windows 98.
TEST(LiveHookOnWindows98Test, SystemChoiceRunsTheSuitesInMessageMode) {
  if (!RunningUnderWine() || GetFileAttributesA(XdotoolDosPath) == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "needs Wine on X with xdotool";
  const std::string path = TestPath();
  const std::string exeName = path.substr(path.find_last_of("\\/") + 1);
  const TVersionOverride override(exeName.c_str(), "win98");
  ASSERT_TRUE(override.IsReady());
  ASSERT_TRUE(SetEnvironmentVariableA(ExpectedClassVariable, "1"));
  TPeerProcess child;
  const bool started = child.StartProgram(path, "--gtest_filter=Modes/LiveHookTest.*/System",
                                          TestFolder());
  SetEnvironmentVariableA(ExpectedClassVariable, nullptr);
  ASSERT_TRUE(started);
  DWORD exitCode = 1;
  ASSERT_TRUE(child.Finish(10 * WaitMs, exitCode));
  EXPECT_EQ(0u, exitCode) << "the suites failed on Windows 98; their output is above";
}

}  // namespace
