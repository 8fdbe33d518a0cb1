// Vorlix.exe as a user runs it, under Wine, with real input from xdotool.
// This process shows the probe windows (one with a vertical scroll bar, one
// without, and one that holds the foreground) and logs what reaches them.
// Wine itself already sends a raw wheel turn to the window under the
// pointer, so every check looks at what only Vorlix does: line-scroll pairs,
// a wheel message that arrives sent, activation, key strokes.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>
#include <commctrl.h>
#include <psapi.h>
#include <winver.h>

#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "PeerProcess.h"
#include "shared/Win32Owner.h"
#include "settings/RegistryStore.h"
#include "settings/Vorlixsetting.h"
#include "shared/Handles.h"
#include "shared/SharedStruct.h"
#include "shared/WheelNotification.h"

namespace {

constexpr DWORD WaitMs = 20000;
constexpr char XdotoolDosPath[] = "Z:\\usr\\bin\\xdotool";
constexpr int ProbeSize = 200;
constexpr int ScrollX = 400, ScrollY = 300;
constexpr int PlainX = 650, PlainY = 300;
constexpr char ScrollClass[] = "VorlixE2EScroll";
constexpr char PlainClass[] = "VorlixE2EPlain";

struct TSeen {
  HWND Window;
  UINT Message;
  WPARAM WParam;
  bool Sent;  // sent by another thread rather than posted
};

std::vector<TSeen> Seen;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEWHEEL:
    case WmMouseHWheel:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_KEYUP:
      Seen.push_back({window, message, wParam,
                      (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY)) != 0});
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND ShowProbe(const char* className, DWORD style, int x, int y) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ProbeProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  const HWND window = CreateWindowExA(0, className, className, WS_POPUP | style, x, y, ProbeSize,
                                      ProbeSize, nullptr, nullptr, windowClass.hInstance, nullptr);
  // Not activated: Wine without a window manager takes two seconds to hide
  // a window that holds the foreground.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void DeleteSettings() { SHDeleteKeyA(HKEY_CURRENT_USER, RegistryStore::KeyPath); }

// A turn with Alt, Ctrl and Shift held: it opens the settings dialog.
constexpr char CaptureTurn[] =
    " keydown alt keydown ctrl keydown shift click 5 keyup shift keyup ctrl keyup alt";

// The key stroke Ctrl+B as a key operation.
TKeyOperation ControlB() {
  TKeyOperation operation;
  operation.OperationType = TKeyOperation::Key;
  operation.KeyStroke = 0x4000 | 'B';
  return operation;
}

// A chord through the system's input, released in reverse order. (Not
// xdotool's keys: they miss a window Wine activated without a window manager.)
void PressKeys(std::initializer_list<BYTE> keys, DWORD flags = 0) {
  for (BYTE key : keys) keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), flags, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
    keybd_event(*key, static_cast<BYTE>(MapVirtualKeyA(*key, 0)), flags | KEYEVENTF_KEYUP, 0);
}

// Turns of delta through the system's input at a screen point, as a
// high-resolution wheel or a touchpad reports them (xdotool's are notches).
// The pointer moves there first: a low-level hook sees an event before the
// system moves the pointer for it.
void InjectTurns(int x, int y, int delta, int count) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65536 / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = y * 65536 / GetSystemMetrics(SM_CYSCREEN);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  input.mi.mouseData = static_cast<DWORD>(delta);
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  for (int i = 0; i < count; ++i) SendInput(1, &input, sizeof input);
}

// The control that has the keyboard focus in window's thread.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// The registry's settings: the defaults and one rule that ignores a class.
void SaveIgnoredClass(const char* className) {
  TVorlixSetting setting;
  TWindowSetting ignore;
  ignore.ClassName = className;
  ignore.Ignore = true;
  setting.WindowSettings.Put(className, "", ignore);
  setting.SaveToRegistry();
}

std::string At(int x, int y) {
  return "mousemove " + std::to_string(x) + " " + std::to_string(y);
}

class ProgramFixture : public testing::Test {
 protected:
  explicit ProgramFixture(const char* wineVersion) : WineVersion(wineVersion) {}

  static void SetUpTestSuite() {
    Scroll = ShowProbe(ScrollClass, WS_VSCROLL | WS_HSCROLL, ScrollX, ScrollY);
    Plain = ShowProbe(PlainClass, 0, PlainX, PlainY);
    Holder = ShowProbe("VorlixE2EHolder", 0, 50, 50);
  }

  static void TearDownTestSuite() {
    for (HWND window : {Scroll, Plain, Holder}) DestroyWindow(window);
  }

  void SetUp() override {
    if (!RunningUnderWine() || GetFileAttributesA(XdotoolDosPath) == INVALID_FILE_ATTRIBUTES)
      GTEST_SKIP() << "needs Wine on X with xdotool";
    if (*WineVersion != '\0') {
      Override = std::make_unique<TVersionOverride>("Vorlix.exe", WineVersion);
      ASSERT_TRUE(Override->IsReady());
    }
    DeleteSettings();
    Seen.clear();
    ASSERT_TRUE(SetForegroundWindow(Holder));
  }

  void TearDown() override {
    StopProgram();
    Override.reset();
    DeleteSettings();
  }

  // The folder Vorlix.exe runs from: program/ beside the suite, or the one
  // VORLIX_PROGRAM_FOLDER names (the release package unpacked, for its smoke
  // test).
  std::string ProgramFolder() const {
    char folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("VORLIX_PROGRAM_FOLDER", folder, sizeof folder);
    if (length > 0 && length < sizeof folder) return std::string(folder) + "\\";
    return TestFolder() + "program\\";
  }

  // Starts Vorlix.exe and waits until it has started (its message loop is
  // idle) and the hooks notify its main window.
  void StartProgram() {
    ASSERT_TRUE(Program.StartProgram(ProgramFolder() + "Vorlix.exe", "", ProgramFolder()));
    ASSERT_TRUE(Program.WaitUntilIdle(WaitMs)) << "Vorlix.exe did not come up";
    MainWindow = FindWindowA("TVXMainForm", "Vorlix");
    ASSERT_NE(MainWindow, nullptr);
    TVorlixSharedData block;
    ASSERT_TRUE(block.Create(SharedDataName) && block.Map());
    EXPECT_EQ(ToWnd(MainWindow), block.Data()->MainWnd);
  }

  void StopProgram() {
    if (MainWindow == nullptr) return;
    PostMessageA(MainWindow, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(Program.Finish(WaitMs, exitCode)) << "Vorlix.exe did not end when closed";
    MainWindow = nullptr;
  }

  // Runs the commands, then a turn down with Ctrl held, which Vorlix leaves
  // to the window under the pointer by default, and waits for that turn.
  bool Drive(const std::string& commands, DWORD timeoutMs = WaitMs) {
    Seen.clear();
    if (!RunUnix("xdotool " + commands + " keydown ctrl click 5 keyup ctrl")) return false;
    return PumpMessagesUntil([] { return MarkerAt() < Seen.size(); }, timeoutMs);
  }

  static std::size_t MarkerAt() {
    for (std::size_t i = 0; i < Seen.size(); ++i)
      if (Seen[i].Message == WM_MOUSEWHEEL && (LOWORD(Seen[i].WParam) & MK_CONTROL)) return i;
    return Seen.size();
  }

  // What reached a window before the marker.
  static std::vector<TSeen> Before(HWND window, UINT message) {
    std::vector<TSeen> found;
    for (std::size_t i = 0; i < MarkerAt(); ++i)
      if (Seen[i].Window == window && Seen[i].Message == message) found.push_back(Seen[i]);
    return found;
  }

  bool LowLevel() const { return *WineVersion == '\0'; }

  static HWND Scroll, Plain, Holder;
  const char* const WineVersion;
  std::unique_ptr<TVersionOverride> Override;
  TPeerProcess Program;
  HWND MainWindow = nullptr;
};

HWND ProgramFixture::Scroll = nullptr;
HWND ProgramFixture::Plain = nullptr;
HWND ProgramFixture::Holder = nullptr;

std::string VersionName(const testing::TestParamInfo<const char*>& info) {
  return *info.param ? "Windows98" : "LowLevel";
}

// Wine's default version chooses the low-level hook, Windows 98 the
// message hook.
class ProgramTest : public ProgramFixture, public testing::WithParamInterface<const char*> {
 protected:
  ProgramTest() : ProgramFixture(GetParam()) {}
};

TEST_P(ProgramTest, TurnOverAnInactiveWindowScrollsItByLinesAndCtrlTurnIsLeftAlone) {
  StartProgram();
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 5"));
  std::vector<WPARAM> codes;
  for (const TSeen& seen : Before(Scroll, WM_VSCROLL)) codes.push_back(seen.WParam);
  EXPECT_EQ((std::vector<WPARAM>{SB_LINEDOWN, SB_ENDSCROLL, SB_LINEDOWN, SB_ENDSCROLL,
                                 SB_LINEDOWN, SB_ENDSCROLL}),
            codes)
      << "three lines, from default.vxs";
  EXPECT_TRUE(Before(Scroll, WM_MOUSEWHEEL).empty()) << "the raw turn was consumed";
  EXPECT_EQ(Scroll, GetForegroundWindow());
}

// A third of a notch at a time: a line each (three a notch), no raw turn.
TEST_P(ProgramTest, PiecesOfANotchScrollTheirShareOfLines) {
  StartProgram();
  InjectTurns(ScrollX + 50, ScrollY + 50, -40, 3);
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50)));
  EXPECT_EQ(6u, Before(Scroll, WM_VSCROLL).size());
  EXPECT_TRUE(Before(Scroll, WM_MOUSEWHEEL).empty());
}

// The tilt wheel (X's button 7 is right): three columns a notch in
// low-level mode; the message hook leaves it to the system.
TEST_P(ProgramTest, TiltOverAWindowWithAHorizontalBarScrollsItsColumns) {
  StartProgram();
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 7"));
  std::size_t right = 0;
  for (const TSeen& seen : Before(Scroll, WM_HSCROLL)) right += seen.WParam == SB_LINERIGHT;
  EXPECT_EQ(LowLevel() ? 3u : 0u, right);
  EXPECT_EQ(LowLevel() ? 0u : 1u, Before(Scroll, WmMouseHWheel).size());
}

TEST_P(ProgramTest, TurnOverAWindowWithoutScrollBarIsOneWheelMessage) {
  StartProgram();
  ASSERT_TRUE(Drive(At(PlainX + 50, PlainY + 50) + " click 5"));
  const std::vector<TSeen> wheels = Before(Plain, WM_MOUSEWHEEL);
  ASSERT_EQ(1u, wheels.size());
  // The low-level hook names the foreground window as the target, so Vorlix
  // sends the turn itself; the message hook's target is already the window
  // under the pointer, and the posted turn goes on.
  EXPECT_EQ(LowLevel(), wheels[0].Sent);
  EXPECT_EQ(Plain, GetForegroundWindow());
}

TEST_P(ProgramTest, IgnoredClassLeavesTheTurnToTheWindow) {
  SaveIgnoredClass("VORLIXE2ESCROLL");
  StartProgram();
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 5"));
  EXPECT_TRUE(Before(Scroll, WM_VSCROLL).empty());
  const std::vector<TSeen> wheels = Before(Scroll, WM_MOUSEWHEEL);
  ASSERT_EQ(1u, wheels.size());
  EXPECT_FALSE(wheels[0].Sent) << "the raw, posted turn";
  EXPECT_EQ(Holder, GetForegroundWindow());
}

TEST_P(ProgramTest, KeyOperationOnAMiddlePressTypesItsStroke) {
  TVorlixSetting setting;
  const TKeyOperation controlB = ControlB();
  TKeySetting keys;
  keys.EnableKeySetting = true;
  keys.SetOperation(KeyEventMiddleButtonDown, controlB);
  TExeSetting suites;
  suites.SetExeName("vorlix_e2e_tests.exe");
  suites.PutKeySetting("", keys);
  setting.ExeSettings.Put("vorlix_e2e_tests.exe", suites);
  setting.SaveToRegistry();
  StartProgram();
  SetForegroundWindow(Scroll);
  SetFocus(Scroll);
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 2"));
  EXPECT_TRUE(Before(Scroll, WM_MBUTTONDOWN).empty()) << "the press was consumed";
  using TStroke = std::pair<UINT, WPARAM>;
  std::vector<TStroke> strokes;
  for (std::size_t i = 0; i < MarkerAt(); ++i)
    if (Seen[i].Message == WM_KEYDOWN || Seen[i].Message == WM_KEYUP)
      strokes.emplace_back(Seen[i].Message, Seen[i].WParam);
  // The marker's own Ctrl comes last.
  if (!strokes.empty() && strokes.back() == TStroke{WM_KEYDOWN, VK_CONTROL}) strokes.pop_back();
  const std::vector<TStroke> expected = {
      {WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'B'}, {WM_KEYUP, 'B'}, {WM_KEYUP, VK_CONTROL}};
  EXPECT_EQ(expected, strokes);
}

// Killed with its hooks installed, the program leaves every application
// working as if it had never run, and it starts again.
TEST_P(ProgramTest, KilledProgramLeavesWindowsWorkingAndStartsAgain) {
  StartProgram();
  Program.Kill();
  MainWindow = nullptr;
  const DWORD start = GetTickCount();
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 5"));
  RecordProperty("DriveAfterKillMs", static_cast<int>(GetTickCount() - start));
  EXPECT_TRUE(Before(Scroll, WM_VSCROLL).empty());
  const std::vector<TSeen> wheels = Before(Scroll, WM_MOUSEWHEEL);
  ASSERT_EQ(1u, wheels.size()) << "the window gets its own turn";
  EXPECT_FALSE(wheels[0].Sent);

  StartProgram();
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 5"));
  EXPECT_EQ(6u, Before(Scroll, WM_VSCROLL).size()) << "three lines again";
}

SIZE_T PrivateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PagefileUsage : 0;
}

bool Answers(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
}

// Two bursts of moves and turns as fast as xdotool makes them, over this
// process's windows and probes of three others. Everything survives and
// answers, and the second burst adds no memory beyond what the first one
// left (heaps and queues grow once to their working size).
TEST_P(ProgramTest, InputStormLeavesEveryProcessRunningWithoutGrowing) {
  constexpr int BurstSeconds = 5;
  constexpr SIZE_T GrowthAllowed = 512 * 1024;
  StartProgram();
  TPeerProcess probes[3];
  const int probeX[] = {100, 400, 650}, probeY = 540;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(probes[i].Start("probe VorlixE2EStorm" + std::to_string(i) + " " +
                                    std::to_string(probeX[i]) + " " + std::to_string(probeY),
                                "..\\win32\\"));
  }
  ASSERT_TRUE(PumpMessagesUntil([&] { return FindWindowA("VorlixTestProbe", nullptr) != nullptr; },
                                WaitMs));
  // Each pass: to each of the six windows, a move, two small ones, and a
  // turn each way. The shell writes how many passes it made.
  std::string pass;
  const int points[][2] = {{150, 150}, {500, 400}, {750, 400}, {200, 640}, {500, 640}, {750, 640}};
  for (const auto& point : points)
    pass += " mousemove " + std::to_string(point[0]) + " " + std::to_string(point[1]) +
            " mousemove_relative 5 5 mousemove_relative -- -5 -5 click --delay 0 4"
            " click --delay 0 5";
  const std::string counter = "/tmp/vorlix-storm-passes";
  const std::string counterDos = "Z:" + counter;
  const auto burst = [&] {
    DeleteFileA(counterDos.c_str());
    if (!RunUnix("n=0; end=$(($(date +%s)+" + std::to_string(BurstSeconds) +
                 ")); while [ $(date +%s) -lt $end ]; do xdotool" + pass +
                 "; n=$((n+1)); done; echo $n > " + counter))
      return 0;
    PumpMessagesUntil(
        [&] { return GetFileAttributesA(counterDos.c_str()) != INVALID_FILE_ATTRIBUTES; },
        (BurstSeconds + 30) * 1000);
    int passes = 0;
    if (FILE* file = std::fopen(counterDos.c_str(), "r")) {
      if (std::fscanf(file, "%d", &passes) != 1) passes = 0;
      std::fclose(file);
    }
    // Through once a last turn comes out as lines again: three moves and
    // two turns per window and pass.
    return Drive(At(ScrollX + 50, ScrollY + 50) + " click 5", 6 * WaitMs) &&
                   Before(Scroll, WM_VSCROLL).size() == 6u
               ? passes * 6 * 5
               : 0;
  };

  const int first = burst();
  ASSERT_GT(first, 0) << "input is stuck after the first burst";
  const SIZE_T programBefore = PrivateBytes(Program.Handle());
  SIZE_T probesBefore[3];
  for (int i = 0; i < 3; ++i) probesBefore[i] = PrivateBytes(probes[i].Handle());
  const int second = burst();
  ASSERT_GT(second, 0) << "input is stuck after the second burst";
  RecordProperty("StormEvents", first + second);
  RecordProperty("ProgramKBAfterFirst", static_cast<int>(programBefore / 1024));
  RecordProperty("ProgramKBAfterSecond", static_cast<int>(PrivateBytes(Program.Handle()) / 1024));

  ASSERT_EQ(WAIT_TIMEOUT, WaitForSingleObject(Program.Handle(), 0)) << "Vorlix ended";
  EXPECT_TRUE(Answers(MainWindow));
  EXPECT_LT(PrivateBytes(Program.Handle()), programBefore + GrowthAllowed);
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(WAIT_TIMEOUT, WaitForSingleObject(probes[i].Handle(), 0)) << "probe " << i;
    EXPECT_LT(PrivateBytes(probes[i].Handle()), probesBefore[i] + GrowthAllowed) << "probe " << i;
  }
  for (HWND probe; (probe = FindWindowA("VorlixTestProbe", nullptr)) != nullptr;) {
    EXPECT_TRUE(Answers(probe));
    PostMessageA(probe, WM_CLOSE, 0, 0);
    if (!PumpMessagesUntil([&] { return !IsWindow(probe); }, WaitMs)) break;
  }
  for (TPeerProcess& probe : probes) {
    DWORD exitCode = 1;
    EXPECT_TRUE(probe.Finish(WaitMs, exitCode));
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, ProgramTest, testing::Values("", "win98"), VersionName);

class ProgramLifeTest : public ProgramFixture {
 protected:
  explicit ProgramLifeTest(const char* wineVersion = "") : ProgramFixture(wineVersion) {}
};

TEST_F(ProgramLifeTest, SecondInstanceEndsAtOnceAndClosingRemovesTheHooks) {
  StartProgram();
  TPeerProcess second;
  ASSERT_TRUE(second.StartProgram(ProgramFolder() + "Vorlix.exe", "", ProgramFolder()));
  DWORD exitCode = 1;
  ASSERT_TRUE(second.Finish(WaitMs, exitCode));
  EXPECT_EQ(0u, exitCode);
  EXPECT_EQ(MainWindow, FindWindowA("TVXMainForm", "Vorlix")) << "the first instance runs on";

  StopProgram();
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 5"));
  EXPECT_TRUE(Before(Scroll, WM_VSCROLL).empty());
  ASSERT_EQ(1u, Before(Scroll, WM_MOUSEWHEEL).size()) << "the window gets its own turn";
}

// The tray icon's menu, opened with a real click on Wine's tray; its items
// are chosen by their access keys (the menu takes key messages from the
// queue of the program's thread). Screenshots of the menu and the about box
// go to test-results/ as artifacts.
class TrayMenuTest : public ProgramLifeTest {
 protected:
  using ProgramLifeTest::ProgramLifeTest;

  // Wine's tray loses a click that comes at once after the pointer entered
  // it from another window, hence the pause.
  bool OpenMenu() {
    if (!RunUnix("xdotool search --sync --onlyvisible --name 'Wine System Tray' "
                 "mousemove --window %1 8 8 sleep 0.5 click 1"))
      return false;
    return PumpMessagesUntil([] { return MenuShown(); }, 2 * WaitMs);
  }

  bool Choose(char accessKey) {
    PostMessageA(MainWindow, WM_CHAR, static_cast<WPARAM>(accessKey), 0);
    return PumpMessagesUntil([] { return !MenuShown(); }, WaitMs);
  }

  // The shown popup menu, or null: the system keeps menu windows of earlier
  // menus around hidden, so the first one found need not be the open one.
  static HWND ShownMenu() {
    HWND shown = nullptr;
    EnumWindows(FindShownMenu, reinterpret_cast<LPARAM>(&shown));
    return shown;
  }
  static bool MenuShown() { return ShownMenu() != nullptr; }

  static BOOL CALLBACK FindShownMenu(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }

  // A picture of the window (the user guide shows it), or of the whole
  // screen, for people to look at. Windows that were just shown are given a
  // moment to paint; nothing is decided by the picture.
  static void Screenshot(const std::string& name, HWND window = nullptr) {
    PumpMessagesUntil([] { return false; }, 500);
    CreateDirectoryA("test-results", nullptr);
    const std::string dosPath = "test-results\\" + name;
    DeleteFileA(dosPath.c_str());
    char full[MAX_PATH] = {};
    GetFullPathNameA(dosPath.c_str(), sizeof full, full, nullptr);
    std::string unixPath = full;
    if (unixPath.rfind("Z:", 0) != 0) return;  // not on the Unix root drive
    unixPath.erase(0, 2);
    for (char& c : unixPath)
      if (c == '\\') c = '/';
    std::string crop;
    RECT area{};
    if (window != nullptr && GetWindowRect(window, &area))
      crop = " -crop " + std::to_string(area.right - area.left) + "x" +
             std::to_string(area.bottom - area.top) + "+" + std::to_string(area.left) + "+" +
             std::to_string(area.top) + " +repage";
    RunUnix("import -window root" + crop + " '" + unixPath + "'");
    EXPECT_TRUE(PumpMessagesUntil(
        [&] { return GetFileAttributesA(dosPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, WaitMs))
        << name << " was not written";
  }

  // The settings dialog once it is shown; null when it does not come.
  static HWND ShownSettingDialog() {
    HWND dialog = nullptr;
    PumpMessagesUntil(
        [&] {
          dialog = FindWindowA("TVXSettingForm", "Vorlix - Setting");
          return dialog != nullptr && IsWindowVisible(dialog);
        },
        WaitMs);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
  }

  std::vector<WPARAM> ScrollCodes() const {
    std::vector<WPARAM> codes;
    for (const TSeen& seen : Before(Scroll, WM_VSCROLL)) codes.push_back(seen.WParam);
    return codes;
  }
};

TEST_F(TrayMenuTest, AboutShowsPauseStopsAllHandlingAndQuitEnds) {
  StartProgram();
  ASSERT_TRUE(OpenMenu()) << "the tray icon's menu did not open";
  Screenshot("tray-menu.png", ShownMenu());
  ASSERT_TRUE(Choose('a'));
  ASSERT_TRUE(PumpMessagesUntil([&] { return IsWindowVisible(MainWindow) != FALSE; }, WaitMs));
  Screenshot("about-box.png", MainWindow);
  // Closing the about box only hides it.
  SendMessageA(MainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindowVisible(MainWindow));

  ASSERT_TRUE(OpenMenu());
  ASSERT_TRUE(Choose('p'));
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 5"));
  EXPECT_TRUE(ScrollCodes().empty()) << "paused";
  EXPECT_EQ(1u, Before(Scroll, WM_MOUSEWHEEL).size());

  ASSERT_TRUE(OpenMenu());
  ASSERT_TRUE(Choose('p'));
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 5"));
  EXPECT_EQ(6u, ScrollCodes().size()) << "resumed";

  ASSERT_TRUE(OpenMenu());
  ASSERT_TRUE(Choose('q'));
  DWORD exitCode = 1;
  ASSERT_TRUE(Program.Finish(WaitMs, exitCode)) << "quitting must end the program";
  MainWindow = nullptr;
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 5"));
  EXPECT_TRUE(ScrollCodes().empty()) << "no hook may be left";
}

BOOL CALLBACK CollectWindow(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// The controls of a window and its pages, in creation order.
std::vector<HWND> Descendants(HWND window) {
  std::vector<HWND> found;
  EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND DescendantOf(HWND window, const char* className, const char* text = nullptr) {
  for (HWND child : Descendants(window)) {
    char name[64] = {}, caption[128] = {};
    GetClassNameA(child, name, sizeof name);
    GetWindowTextA(child, caption, sizeof caption);
    if (lstrcmpiA(name, className) == 0 && (text == nullptr || lstrcmpA(caption, text) == 0))
      return child;
  }
  return nullptr;
}

std::string TextOf(HWND control) {
  char text[300] = {};
  SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// The "FileVersion" text of a binary's version record; empty without one.
std::string FileVersionOf(const std::string& path) {
  DWORD ignored = 0;
  std::vector<char> record(GetFileVersionInfoSizeA(path.c_str(), &ignored));
  if (record.empty() ||
      !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(record.size()), record.data()))
    return {};
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(record.data(), "\\StringFileInfo\\041103A4\\FileVersion", &text, &length))
    return {};
  return static_cast<const char*>(text);
}

// The version is written in one place: the about box shows what the version
// records of both binaries carry.
TEST_F(TrayMenuTest, AboutBoxShowsTheVersionOfBothBinaries) {
  StartProgram();
  const std::string version = FileVersionOf(ProgramFolder() + "Vorlix.exe");
  ASSERT_FALSE(version.empty()) << "Vorlix.exe has no version record";
  EXPECT_EQ(version, FileVersionOf(ProgramFolder() + "VorlixHook.dll"));
  EXPECT_NE(DescendantOf(MainWindow, "STATIC", ("Ver. " + version).c_str()), nullptr)
      << "the about box shows another version";
}

TEST_F(TrayMenuTest, SettingDialogSavesItsPagesAndCapturesTheWindowUnderThePointer) {
  StartProgram();
  ASSERT_TRUE(OpenMenu());
  ASSERT_TRUE(Choose('s'));
  const HWND dialog = ShownSettingDialog();
  ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
  Screenshot("setting-dialog.png", dialog);

  const HWND generalPage = FindWindowExA(dialog, nullptr, "TGeneralFrame", nullptr);
  const HWND lines = DescendantOf(generalPage, "EDIT");
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ("3", TextOf(lines)) << "the general page shows the settings";
  // Typed beyond the page's 1 to 9, the number is stored and shown as 9.
  SendMessageA(lines, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("25"));
  SendMessageA(DescendantOf(dialog, "BUTTON", "全般の設定保存"), BM_CLICK, 0, 0);
  TVorlixSetting saved;
  saved.LoadFromRegistry();
  EXPECT_EQ(9, saved.GeneralSetting.ScrollLines);
  EXPECT_EQ("9", TextOf(lines));

  SendMessageA(DescendantOf(dialog, "SysTabControl32"), TCM_SETCURSEL, 3, 0);
  // The dialog covers the probes; the window that holds the foreground lies
  // beside it.
  ASSERT_TRUE(RunUnix("xdotool " + At(100, 150) + " click 5"));
  char handle[16];
  std::snprintf(handle, sizeof handle, "0x%08X", static_cast<unsigned>(ToWnd(Holder)));
  // The debug page's five fields, in the order the page shows them.
  const HWND debugPage = FindWindowExA(dialog, nullptr, "TDebugSheetFrame", nullptr);
  ASSERT_NE(debugPage, nullptr);
  std::vector<HWND> edits;
  for (int id = 1; id <= 5; ++id) edits.push_back(GetDlgItem(debugPage, id));
  ASSERT_TRUE(PumpMessagesUntil([&] { return TextOf(edits[0]) == handle; }, WaitMs))
      << "the turn was not captured; the page shows " << TextOf(edits[0]);
  EXPECT_EQ("VorlixE2EHolder", TextOf(edits[1])) << "the caption";
  EXPECT_EQ("VORLIXE2EHOLDER", TextOf(edits[2]));
  EXPECT_EQ("× なし", TextOf(edits[3])) << "no scroll bar";
  EXPECT_EQ("VORLIX_E2E_TESTS.EXE", TextOf(edits[4]));

  // The window-class page: a turn captures the class; marked ignored there
  // and saved, the rule lands in the registry.
  SendMessageA(DescendantOf(dialog, "SysTabControl32"), TCM_SETCURSEL, 1, 0);
  const HWND windowPage = FindWindowExA(dialog, nullptr, "TWindowFrame", nullptr);
  ASSERT_NE(windowPage, nullptr);
  ASSERT_TRUE(RunUnix("xdotool " + At(100, 160) + " click 5"));
  ASSERT_TRUE(PumpMessagesUntil(
      [&] { return TextOf(GetDlgItem(windowPage, 1)) == "VORLIXE2EHOLDER"; }, WaitMs));
  const HWND ignore = DescendantOf(windowPage, "BUTTON", "このウィンドウに対しては処理しない(&D)");
  const HWND scrollOnly = DescendantOf(windowPage, "BUTTON", "スクロールメッセージのみ送る(&S)");
  EXPECT_TRUE(IsWindowEnabled(scrollOnly));
  SendMessageA(ignore, BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowEnabled(scrollOnly)) << "an ignored class has no options";
  SendMessageA(DescendantOf(windowPage, "BUTTON", "ウィンドウの設定保存"), BM_CLICK, 0, 0);
  saved.LoadFromRegistry();
  EXPECT_TRUE(saved.WindowSettings.Find("VORLIXE2EHOLDER", "VORLIX_E2E_TESTS.EXE").Ignore);

  // The application page: a plug-in action for a middle press, saved.
  SendMessageA(DescendantOf(dialog, "SysTabControl32"), TCM_SETCURSEL, 2, 0);
  const HWND exePage = FindWindowExA(dialog, nullptr, "TExeFrame", nullptr);
  ASSERT_NE(exePage, nullptr);
  ASSERT_TRUE(RunUnix("xdotool " + At(100, 170) + " click 5"));
  const HWND exeName = DescendantOf(exePage, "EDIT");
  ASSERT_TRUE(PumpMessagesUntil([&] { return TextOf(exeName) == "VORLIX_E2E_TESTS.EXE"; }, WaitMs));
  const HWND group = DescendantOf(exePage, "BUTTON", "キー設定");
  const HWND rows = DescendantOf(group, "LISTBOX");
  const HWND actions = DescendantOf(group, "COMBOBOX");
  EXPECT_EQ(19, SendMessageA(rows, LB_GETCOUNT, 0, 0));
  EXPECT_FALSE(IsWindowEnabled(rows)) << "until the key setting is enabled";
  SendMessageA(DescendantOf(group, "BUTTON", "キー設定有効"), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(rows));
  SendMessageA(rows, LB_SETCURSEL, KeyEventMiddleButtonDown, 0);
  SendMessageA(group, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(rows), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(rows));
  SendMessageA(DescendantOf(group, "BUTTON", "その他(&O)"), BM_CLICK, 0, 0);
  ASSERT_EQ(1, SendMessageA(actions, CB_GETCOUNT, 0, 0)) << "the built-in action only";
  SendMessageA(actions, CB_SETCURSEL, 0, 0);
  SendMessageA(group, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(actions), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(actions));
  SendMessageA(DescendantOf(exePage, "BUTTON", "各アプリの設定保存"), BM_CLICK, 0, 0);
  saved.LoadFromRegistry();
  const TKeySetting& keys =
      saved.ExeSettings.Find("VORLIX_E2E_TESTS.EXE").FindKeySetting("VORLIXE2EHOLDER");
  EXPECT_TRUE(keys.EnableKeySetting);
  EXPECT_EQ(TKeyOperation::Other, keys.Operation(KeyEventMiddleButtonDown).OperationType);
  EXPECT_EQ("Double Click", keys.Operation(KeyEventMiddleButtonDown).ActionName);

  // Closed, the dialog captures nothing, and the saved rule applies: the
  // ignored class gets the raw turn, not one sent by the program.
  SendMessageA(DescendantOf(dialog, "BUTTON", "閉じる"), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(dialog));
  // Another window in the foreground: without the rule the program would
  // send the turn to the window under the pointer itself.
  ASSERT_TRUE(SetForegroundWindow(Plain));
  ASSERT_TRUE(Drive(At(100, 180) + " click 5"));
  const std::vector<TSeen> wheels = Before(Holder, WM_MOUSEWHEEL);
  ASSERT_FALSE(wheels.empty());
  for (const TSeen& wheel : wheels) EXPECT_FALSE(wheel.Sent);
}

// Fills in and confirms the file dialog titled title, opened from the
// settings dialog.
bool ChooseInFileDialog(const char* title, const std::string& path) {
  HWND box = nullptr;
  if (!PumpMessagesUntil([&] { return (box = FindWindowA("#32770", title)) != nullptr; },
                         WaitMs))
    return false;
  // The file name field: an edit, or the edit of a combo box.
  HWND name = GetDlgItem(box, 0x480);
  if (name == nullptr) name = GetDlgItem(box, 0x47C);
  if (name == nullptr) return false;
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return PumpMessagesUntil([&] { return !IsWindow(box); }, WaitMs);
}

// Settings that differ from the defaults in every value a file holds.
TVorlixSetting EverySettingChanged() {
  TVorlixSetting setting;
  setting.GeneralSetting.ScrollLines = 7;
  setting.GeneralSetting.SendScrollMsgOnly = true;
  setting.GeneralSetting.CtrlWheelIgnore = false;
  setting.GeneralSetting.ShiftWheelIgnore = false;
  setting.GeneralSetting.CtrlShiftWheelNonActiveScroll = false;
  TWindowSetting everywhere;
  everywhere.ClassName = "EDIT";
  everywhere.NonActiveScrollIdent = true;
  everywhere.SetFocus = true;
  everywhere.SetFocusWithCursor = true;
  everywhere.ScrollLines = 9;
  everywhere.SetSendWheelMsgOnly(true);
  setting.WindowSettings.Put("EDIT", "", everywhere);
  TWindowSetting inOneApplication = everywhere;
  inOneApplication.ThisExeOnly = true;
  inOneApplication.ExeName = "メモ帳.EXE";
  inOneApplication.SetSendScrollMsgOnly(true);
  setting.WindowSettings.Put("EDIT", "メモ帳.EXE", inOneApplication);
  TWindowSetting ignored;
  ignored.ClassName = "SYSLISTVIEW32";
  ignored.Ignore = true;
  setting.WindowSettings.Put("SYSLISTVIEW32", "", ignored);
  TExeSetting application;
  application.SetExeName("メモ帳.exe");
  TKeySetting keys;
  keys.EnableKeySetting = true;
  TKeyOperation stroke;
  stroke.OperationType = TKeyOperation::Key;
  stroke.KeyStroke = 0xE000 | VK_NEXT;
  keys.SetOperation(KeyEventCtrlDown, stroke);
  TKeyOperation action;
  action.OperationType = TKeyOperation::Other;
  action.ActionName = "Double Click";
  keys.SetOperation(KeyEventX2ButtonDown, action);
  application.PutKeySetting("", keys);
  keys.ThisWindowOnly = true;
  keys.SetOperation(KeyEventUp, stroke);
  application.PutKeySetting("EDIT", keys);
  setting.ExeSettings.Put("メモ帳.exe", application);
  TExeSetting ignoredApplication;
  ignoredApplication.SetExeName("GAME.EXE");
  ignoredApplication.Ignore = true;
  setting.ExeSettings.Put("GAME.EXE", ignoredApplication);
  return setting;
}

// Also with Wine reporting Windows 98, whose file dialogs take a record of
// their own size (Wine's take either, so this shows that the old one works).
class SettingFileTest : public TrayMenuTest, public testing::WithParamInterface<const char*> {
 protected:
  SettingFileTest() : TrayMenuTest(GetParam()) {}
};

TEST_P(SettingFileTest, LoadedAndSavedAgainHoldsEverySettingAndAnotherVersionIsRefused) {
  char folder[MAX_PATH] = {};
  GetTempPathA(sizeof folder, folder);
  const std::string written = std::string(folder) + "vorlix_e2e_written.vxs";
  const std::string saved = std::string(folder) + "vorlix_e2e_saved.vxs";
  const std::string old = std::string(folder) + "vorlix_e2e_old.vxs";
  for (const std::string& path : {written, saved, old}) DeleteFileA(path.c_str());
  EverySettingChanged().SaveToFile(written);

  StartProgram();
  ASSERT_TRUE(OpenMenu());
  ASSERT_TRUE(Choose('s'));
  const HWND dialog = ShownSettingDialog();
  ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
  PostMessageA(DescendantOf(dialog, "BUTTON", "設定読出"), BM_CLICK, 0, 0);
  ASSERT_TRUE(ChooseInFileDialog("Vorlix設定ファイル読込", written));
  const HWND generalPage = FindWindowExA(dialog, nullptr, "TGeneralFrame", nullptr);
  const HWND lines = DescendantOf(generalPage, "EDIT");
  ASSERT_TRUE(PumpMessagesUntil([&] { return TextOf(lines) == "7"; }, WaitMs))
      << "the general page shows the loaded settings";
  PostMessageA(DescendantOf(dialog, "BUTTON", "設定保存"), BM_CLICK, 0, 0);
  ASSERT_TRUE(ChooseInFileDialog("Vorlix設定ファイル書出", saved));
  ASSERT_TRUE(PumpMessagesUntil(
      [&] { return GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES; }, WaitMs));
  EXPECT_EQ(ReadBytes(written), ReadBytes(saved)) << "the loaded settings, saved again";
  TVorlixSetting registry;
  registry.LoadFromRegistry();
  EXPECT_EQ(7, registry.GeneralSetting.ScrollLines) << "a load goes to the registry too";

  // A file of another version is refused with its message box.
  WritePrivateProfileStringA("Version", "SettingVersionNo", "1000", old.c_str());
  WritePrivateProfileStringA("GeneralSetting", "ScrollLines", "1", old.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, old.c_str());
  PostMessageA(DescendantOf(dialog, "BUTTON", "設定読出"), BM_CLICK, 0, 0);
  ASSERT_TRUE(ChooseInFileDialog("Vorlix設定ファイル読込", old));
  HWND refusal = nullptr;
  ASSERT_TRUE(PumpMessagesUntil(
      [&] { return (refusal = FindWindowA("#32770", "よみこめないですよぉ")) != nullptr; },
      WaitMs));
  PostMessageA(refusal, WM_COMMAND, IDOK, 0);
  registry.LoadFromRegistry();
  EXPECT_EQ(CurrentSettingVersion, registry.SettingVersionNo) << "nothing was loaded";
  EXPECT_EQ(7, registry.GeneralSetting.ScrollLines);
  for (const std::string& path : {written, saved, old}) DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Systems, SettingFileTest, testing::Values("", "win98"), VersionName);

TEST_F(TrayMenuTest, AltCtrlShiftTurnOpensTheDialogWithTheWindowCaptured) {
  StartProgram();
  ASSERT_TRUE(RunUnix("xdotool " + At(100, 150) + CaptureTurn));
  const HWND dialog = ShownSettingDialog();
  ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
  EXPECT_EQ(1, SendMessageA(DescendantOf(dialog, "SysTabControl32"), TCM_GETCURSEL, 0, 0))
      << "the window-class page";
  const HWND windowPage = FindWindowExA(dialog, nullptr, "TWindowFrame", nullptr);
  EXPECT_TRUE(PumpMessagesUntil(
      [&] { return TextOf(GetDlgItem(windowPage, 1)) == "VORLIXE2EHOLDER"; }, WaitMs));
  EXPECT_TRUE(IsWindowVisible(windowPage));
  Screenshot("setting-dialog-window-page.png", dialog);
}

TEST_F(TrayMenuTest, EachTabShowsItsPageAlone) {
  StartProgram();
  ASSERT_TRUE(OpenMenu());
  ASSERT_TRUE(Choose('s'));
  const HWND dialog = ShownSettingDialog();
  ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
  const HWND tabs = DescendantOf(dialog, "SysTabControl32");
  const char* const pages[] = {"TGeneralFrame", "TWindowFrame", "TExeFrame", "TDebugSheetFrame"};
  const char* const pictures[] = {"setting-page-general.png", "setting-page-window.png",
                                  "setting-page-application.png", "setting-page-debug.png"};
  // A click on the first tab focuses the tab control; the arrow key then
  // moves through the tabs as a user would.
  RECT area{};
  GetWindowRect(tabs, &area);
  ASSERT_TRUE(RunUnix("xdotool " + At(area.left + 15, area.top + 10) + " click 1"));
  for (int page = 0; page < 4; ++page) {
    if (page > 0) PressKeys({VK_RIGHT}, KEYEVENTF_EXTENDEDKEY);
    ASSERT_TRUE(PumpMessagesUntil(
        [&] { return IsWindowVisible(FindWindowExA(dialog, nullptr, pages[page], nullptr)); },
        WaitMs))
        << pages[page] << " was not shown";
    EXPECT_EQ(page, SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
    for (int other = 0; other < 4; ++other) {
      if (other == page) continue;
      EXPECT_FALSE(IsWindowVisible(FindWindowExA(dialog, nullptr, pages[other], nullptr)))
          << pages[other] << " under " << pages[page];
    }
    Screenshot(pictures[page], dialog);
  }
}

// The dialog and the about box as a user drives them from the keyboard: an
// access key, typing, Tab, Enter for the page's save, Esc to close.
TEST_F(TrayMenuTest, KeyboardMovesThroughTheDialogSavesWithEnterAndClosesWithEsc) {
  StartProgram();
  ASSERT_TRUE(OpenMenu());
  ASSERT_TRUE(Choose('s'));
  const HWND dialog = ShownSettingDialog();
  ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
  const HWND generalPage = FindWindowExA(dialog, nullptr, "TGeneralFrame", nullptr);
  const HWND lines = DescendantOf(generalPage, "EDIT");
  PressKeys({VK_MENU, 'L'});
  ASSERT_TRUE(PumpMessagesUntil([&] { return FocusOf(dialog) == lines; }, WaitMs))
      << "Alt+L: the field of \"標準のスクロール行数(&L)\"";
  PressKeys({'8'});
  PressKeys({VK_TAB});
  const HWND next = DescendantOf(generalPage, "BUTTON", "スクロールメッセージのみを送る(&S)");
  ASSERT_TRUE(PumpMessagesUntil([&] { return FocusOf(dialog) == next; }, WaitMs)) << "Tab";
  PressKeys({VK_RETURN});
  TVorlixSetting saved;
  EXPECT_TRUE(PumpMessagesUntil(
      [&] { return saved.LoadFromRegistry(), saved.GeneralSetting.ScrollLines == 8; }, WaitMs))
      << "Enter saves the page with the number typed";
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindowVisible(dialog); }, WaitMs)) << "Esc";

  ASSERT_TRUE(OpenMenu());
  ASSERT_TRUE(Choose('a'));
  ASSERT_TRUE(PumpMessagesUntil([&] { return IsWindowVisible(MainWindow) != FALSE; }, WaitMs));
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindowVisible(MainWindow); }, WaitMs))
      << "Esc closes the about box";
}

// The rules the pages show for a captured window, and the choices on them
// that change what is shown.
TEST_F(TrayMenuTest, CapturedPagesShowTheRulesThatApplyAndTheirChoices) {
  TVorlixSetting setting;
  TWindowSetting everywhere;
  everywhere.ClassName = "VORLIXE2EHOLDER";
  everywhere.SetSendScrollMsgOnly(true);
  everywhere.ScrollLines = 2;
  setting.WindowSettings.Put("VORLIXE2EHOLDER", "", everywhere);
  TWindowSetting here = everywhere;
  here.ThisExeOnly = true;
  here.ExeName = "VORLIX_E2E_TESTS.EXE";
  here.SetSendScrollMsgOnly(false);
  here.NonActiveScrollIdent = true;
  here.ScrollLines = 7;
  setting.WindowSettings.Put("VORLIXE2EHOLDER", "VORLIX_E2E_TESTS.EXE", here);
  TExeSetting suites;
  suites.SetExeName("VORLIX_E2E_TESTS.EXE");
  TKeySetting allWindows;
  allWindows.EnableKeySetting = true;
  const TKeyOperation controlB = ControlB();
  allWindows.SetOperation(KeyEventMiddleButtonDown, controlB);
  suites.PutKeySetting("", allWindows);
  TKeySetting holderOnly = allWindows;
  holderOnly.ThisWindowOnly = true;
  TKeyOperation missing;
  missing.OperationType = TKeyOperation::Other;
  missing.ActionName = "どのプラグインにもない動作";
  holderOnly.SetOperation(KeyEventMiddleButtonDown, missing);
  suites.PutKeySetting("VORLIXE2EHOLDER", holderOnly);
  setting.ExeSettings.Put("VORLIX_E2E_TESTS.EXE", suites);
  setting.SaveToRegistry();
  StartProgram();

  // A class without a rule: the names, and nothing checked.
  ASSERT_TRUE(RunUnix("xdotool " + At(ScrollX + 5, ScrollY + 50) + CaptureTurn));
  const HWND dialog = ShownSettingDialog();
  ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
  const HWND windowPage = FindWindowExA(dialog, nullptr, "TWindowFrame", nullptr);
  const HWND className = GetDlgItem(windowPage, 1);
  ASSERT_TRUE(PumpMessagesUntil([&] { return TextOf(className) == "VORLIXE2ESCROLL"; }, WaitMs));
  const HWND scrollOnly = DescendantOf(windowPage, "BUTTON", "スクロールメッセージのみ送る(&S)");
  const HWND wheelOnly = DescendantOf(windowPage, "BUTTON", "ホイールメッセージのみ送る(&W)");
  const HWND nonActive =
      DescendantOf(windowPage, "BUTTON", "デフォルトでアクティブにせずにスクロール(&N)");
  const HWND thisExeOnly = DescendantOf(windowPage, "BUTTON", "このExeに対して設定する(&O)");
  const HWND lines = GetDlgItem(windowPage, 9);  // the scroll lines' edit
  const auto checked = [](HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; };
  for (HWND box : {scrollOnly, wheelOnly, nonActive, thisExeOnly}) {
    EXPECT_FALSE(checked(box));
  }
  EXPECT_EQ("0", TextOf(lines));
  const HWND exeName = GetDlgItem(windowPage, 12);
  EXPECT_EQ("VORLIX_E2E_TESTS.EXE", TextOf(exeName));

  // The class's rule for this application comes first; unchecked, the page
  // shows the rule for every application, the application's name kept.
  ASSERT_TRUE(RunUnix("xdotool " + At(100, 150) + " click 5"));
  ASSERT_TRUE(PumpMessagesUntil([&] { return TextOf(className) == "VORLIXE2EHOLDER"; }, WaitMs));
  EXPECT_TRUE(checked(thisExeOnly));
  EXPECT_TRUE(checked(nonActive));
  EXPECT_EQ("7", TextOf(lines));
  SendMessageA(thisExeOnly, BM_CLICK, 0, 0);
  EXPECT_TRUE(checked(scrollOnly)) << "the rule for every application";
  EXPECT_FALSE(checked(wheelOnly));
  EXPECT_FALSE(checked(nonActive));
  EXPECT_EQ("2", TextOf(lines));
  EXPECT_EQ("VORLIX_E2E_TESTS.EXE", TextOf(exeName));

  // The application page, filled by the same capture: the class's own key
  // setting, whose action no plug-in offers and so shows as none.
  SendMessageA(DescendantOf(dialog, "SysTabControl32"), TCM_SETCURSEL, 2, 0);
  const HWND exePage = FindWindowExA(dialog, nullptr, "TExeFrame", nullptr);
  const HWND group = DescendantOf(exePage, "BUTTON", "キー設定");
  const HWND thisWindowOnly = DescendantOf(group, "BUTTON", "このウィンドウクラスにのみ設定");
  const HWND rows = DescendantOf(group, "LISTBOX");
  const HWND none = DescendantOf(group, "BUTTON", "なし(&N)");
  const HWND key = DescendantOf(group, "BUTTON", "キー入力(&K)");
  const HWND other = DescendantOf(group, "BUTTON", "その他(&O)");
  EXPECT_TRUE(checked(thisWindowOnly));
  EXPECT_TRUE(IsWindowEnabled(rows));
  SendMessageA(rows, LB_SETCURSEL, KeyEventMiddleButtonDown, 0);
  SendMessageA(group, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(rows), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(rows));
  EXPECT_TRUE(checked(none));
  EXPECT_FALSE(checked(other));
  // Unchecked, the key setting of all the application's windows is shown
  // for the same class; the class's edits are dropped.
  SendMessageA(key, BM_CLICK, 0, 0);
  SendMessageA(thisWindowOnly, BM_CLICK, 0, 0);
  EXPECT_EQ("VORLIXE2EHOLDER", TextOf(DescendantOf(group, "EDIT")));
  EXPECT_TRUE(checked(key)) << "Ctrl+B of all windows";
  SendMessageA(DescendantOf(exePage, "BUTTON", "各アプリの設定保存"), BM_CLICK, 0, 0);
  TVorlixSetting saved;
  saved.LoadFromRegistry();
  const TKeySetting& keys =
      saved.ExeSettings.Find("VORLIX_E2E_TESTS.EXE").FindKeySetting("VORLIXE2EHOLDER");
  EXPECT_FALSE(keys.ThisWindowOnly);
  EXPECT_EQ(controlB, keys.Operation(KeyEventMiddleButtonDown));
}

std::string ErrorText(HWND box) {
  char text[128] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message box's static text
  return text;
}

// A class name too long for a registry key beside its application's name:
// the page's save is refused before anything is written, the user is told,
// and the program and the rules saved before it stay.
TEST_F(TrayMenuTest, RefusedPageSaveIsReportedAndLeavesTheProgramAndTheKey) {
  SaveIgnoredClass("VORLIXE2EHOLDER");
  const std::string longClass(250, 'L');
  const HWND probe = ShowProbe(longClass.c_str(), 0, 50, 540);
  StartProgram();
  ASSERT_TRUE(RunUnix("xdotool " + At(100, 600) + CaptureTurn));
  const HWND dialog = ShownSettingDialog();
  ASSERT_NE(dialog, nullptr) << "the settings dialog did not open";
  const HWND windowPage = FindWindowExA(dialog, nullptr, "TWindowFrame", nullptr);
  ASSERT_TRUE(PumpMessagesUntil([&] { return TextOf(GetDlgItem(windowPage, 1)) == longClass; },
                                WaitMs));
  SendMessageA(DescendantOf(windowPage, "BUTTON", "このExeに対して設定する(&O)"), BM_CLICK, 0, 0);
  PostMessageA(DescendantOf(windowPage, "BUTTON", "ウィンドウの設定保存"), BM_CLICK, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(PumpMessagesUntil([&] { return (box = FindWindowA("#32770", "Vorlix")) != nullptr; },
                                WaitMs)) << "no error box";
  EXPECT_EQ(0u, ErrorText(box).rfind("レジストリに保存できない名前があります", 0)) << ErrorText(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(Answers(MainWindow)) << "the program ended";
  TVorlixSetting saved;
  saved.LoadFromRegistry();
  EXPECT_TRUE(saved.WindowSettings.Find("VORLIXE2EHOLDER", "").Ignore) << "the key lost its rules";
  DestroyWindow(probe);
}

// A value of another type in the settings key reads as its default; the
// program starts and the key is left as the user had it.
TEST_F(ProgramLifeTest, ForeignRegistryValueReadsAsItsDefaultAndIsLeftAlone) {
  TVorlixSetting().SaveToRegistry();
  constexpr char GeneralKey[] = "Software\\Brenholt\\Vorlix\\GeneralSetting";
  {
    TRegKey general;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, GeneralKey, 0, KEY_SET_VALUE,
                                           general.Put()));
    const BYTE garbage[] = {1, 2, 3};
    RegSetValueExA(general.Get(), "ScrollLines", 0, REG_BINARY, garbage, sizeof garbage);
  }
  StartProgram();
  ASSERT_TRUE(Drive(At(ScrollX + 50, ScrollY + 50) + " click 5"));
  EXPECT_EQ(6u, Before(Scroll, WM_VSCROLL).size()) << "the default three lines";
  TRegKey general;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_CURRENT_USER, GeneralKey, 0, KEY_QUERY_VALUE, general.Put()));
  DWORD type = 0;
  ASSERT_EQ(ERROR_SUCCESS,
            RegQueryValueExA(general.Get(), "ScrollLines", nullptr, &type, nullptr, nullptr));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
}

TEST_F(ProgramLifeTest, MissingHookLibraryIsReportedAndEndsTheProgram) {
  const std::string folder = TestFolder() + "nohook\\";
  ASSERT_TRUE(Program.StartProgram(folder + "Vorlix.exe", "", folder));
  HWND box = nullptr;
  ASSERT_TRUE(PumpMessagesUntil(
      [&] { return (box = FindWindowA("#32770", "Vorlix - Error")) != nullptr; }, WaitMs));
  EXPECT_EQ("DLLの初期化、フックのインストールに失敗しました", ErrorText(box));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  DWORD exitCode = 1;
  ASSERT_TRUE(Program.Finish(WaitMs, exitCode));
  EXPECT_EQ(0u, exitCode);
}

}  // namespace
