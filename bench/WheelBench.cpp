// What one notification of the hook costs on this machine, printed beside
// the floor it cannot go below: a bare SendMessage round trip within this
// thread and to another process. The notifications are decided by the real
// dispatcher, hook host and window seam, over probe windows of several
// processes, with a few dozen class and application rules; a second table
// shows how the costs change as idle processes join the desktop.
//
//   vorlix_wheel_bench [samples]     (run by scripts/bench.sh under Wine)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "PeerProcess.h"
#include "TestPeer.h"
#include "dispatch/KeyOperationExecutor.h"
#include "dispatch/WheelDispatcher.h"
#include "host/Vorlixhookloader.h"
#include "platform/Win32WindowSystem.h"
#include "settings/Vorlixsetting.h"
#include "shared/Handles.h"
#include "shared/Messages.h"
#include "shared/SystemFunction.h"

namespace {

constexpr int ProbeColumns = 3;
constexpr int ProbeRows = 2;
constexpr int ProbeGap = 20;
constexpr DWORD PeerStartMs = 30000;
constexpr DWORD QuietMs = 1000;
constexpr DWORD SettleMs = 20;
constexpr int DefaultSamples = 400;
constexpr std::uint16_t MiddleButton = 0x0010;  // MK_MBUTTON
constexpr int IdleSteps[] = {10, 50, 100};

// Milliseconds from the performance counter.
class TStopwatch {
 public:
  TStopwatch() { QueryPerformanceFrequency(&Frequency); }
  LONGLONG Now() const {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
  }
  double Ms(LONGLONG from, LONGLONG to) const {
    return 1000.0 * static_cast<double>(to - from) / static_cast<double>(Frequency.QuadPart);
  }

 private:
  LARGE_INTEGER Frequency{};
};

struct TFigures {
  double Median = 0;
  double P99 = 0;
};

TFigures Summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  return {samples[n / 2], samples[std::min(n - 1, (n * 99 + 99) / 100 - 1)]};
}

// Handles this thread's messages between measurements: the low-level hook
// reports the cursor moves the benchmark makes itself.
void PumpPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Lets the system finish with what the benchmark set off before the next
// measurement (the pointer's move, the probes' handling of what was sent
// to them), so that each figure is that of the decision alone. Samples come
// SettleMs apart, no closer than a mouse reports its events (8-10 ms); with
// 2 ms, Wine was still busy with the previous sample, which doubled the
// figures of a turn.
void Settle() {
  PumpPending();
  Sleep(SettleMs);
  PumpPending();
}

UINT NotifyNumber = 0;

// The stand-in for the main form: it answers the hook's notifications of
// the benchmark's own cursor moves with 0 (let the move pass).
LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == NotifyNumber && NotifyNumber != 0) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

// A probe window of its own process, at a cell of the screen grid; its
// upper part is the probe itself, its lower quarter an edit control.
struct TProbe {
  TPeerProcess Process;
  TKernelHandle Mapping;
  TMappedView View;
  const TProbeLog* Log = nullptr;
  POINT Origin{};

  bool Start(int index, bool vscroll) {
    const std::string name =
        "VorlixBench_Probe" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(index);
    Mapping = TKernelHandle(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                               sizeof(TProbeLog), name.c_str()));
    if (!Mapping) return false;
    View = TMappedView(MapViewOfFile(Mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!View) return false;
    Log = static_cast<const TProbeLog*>(View.Get());
    Origin = {ProbeGap + (index % ProbeColumns) * (ProbeSize + ProbeGap),
              ProbeGap + (index / ProbeColumns) * (ProbeSize + ProbeGap)};
    return Process.Start(std::string(PeerModeProbe) + " " + name + " " +
                         std::to_string(Origin.x) + " " + std::to_string(Origin.y) +
                         (vscroll ? std::string(" ") + ProbeVScroll : std::string())) &&
           PumpMessagesUntil([&] { return Log->Ready != 0; }, PeerStartMs);
  }
  POINT Upper() const { return {Origin.x + ProbeSize / 2, Origin.y + ProbeEditTop / 2}; }
  POINT Lower() const {
    return {Origin.x + ProbeSize / 2, Origin.y + (ProbeEditTop + ProbeSize) / 2};
  }
};

// Rules as a user who has used the program for a while keeps them: class
// rules for the controls of common applications, some of them for one
// application only, and application rules with key settings. The probe's
// classes scroll without activation, so that a turn measures the decision
// and its delivery rather than the window manager's foreground changes.
void FillRealisticSettings(TVorlixSetting& setting) {
  struct TClassRule {
    const char* ClassName;
    const char* ExeName;  // "" for every application
    int Kind;             // 0 ignore, 1 scroll only, 2 wheel only, 3 no activation, 4 lines
  };
  const TClassRule classRules[] = {
      {"EDIT", "", 3},
      {"VORLIXTESTPROBE", "", 3},
      {"RICHEDIT20A", "", 1},
      {"RICHEDIT50W", "", 1},
      {"SYSLISTVIEW32", "", 4},
      {"SYSTREEVIEW32", "", 4},
      {"LISTBOX", "", 4},
      {"COMBOLBOX", "", 1},
      {"INTERNET EXPLORER_SERVER", "", 2},
      {"MOZILLAWINDOWCLASS", "", 2},
      {"CHROME_RENDERWIDGETHOSTHWND", "", 2},
      {"SCINTILLA", "", 3},
      {"AFX:00400000:8:00010005:00000000:00000000", "", 1},
      {"AFX:00400000:0", "HIDEMARU.EXE", 4},
      {"THUNDERRT6FORMDC", "", 0},
      {"TMEMO", "", 1},
      {"TLISTBOX", "", 1},
      {"TRICHEDIT", "", 1},
      {"TSTRINGGRID", "", 4},
      {"TDRAWGRID", "", 4},
      {"EXCEL7", "EXCEL.EXE", 2},
      {"_WWG", "WINWORD.EXE", 2},
      {"OPUSAPP", "WINWORD.EXE", 3},
      {"MDICLIENT", "", 3},
      {"CONSOLEWINDOWCLASS", "", 0},
      {"PUTTY", "PUTTY.EXE", 2},
      {"VIM", "GVIM.EXE", 2},
      {"EMACS", "EMACS.EXE", 2},
      {"TXTFRAME", "", 1},
      {"ACROBAT PDF", "ACRORD32.EXE", 2},
      {"AVL_AVVIEW", "ACRORD32.EXE", 2},
      {"SHELLDLL_DEFVIEW", "EXPLORER.EXE", 3},
      {"DIRECTUIHWND", "EXPLORER.EXE", 3},
      {"TASKLISTTHUMBNAILWND", "", 0},
      {"MSCTLS_TRACKBAR32", "", 0},
      {"MSCTLS_UPDOWN32", "", 0},
  };
  for (const TClassRule& rule : classRules) {
    TWindowSetting s;
    s.ClassName = rule.ClassName;
    s.ExeName = rule.ExeName;
    s.ThisExeOnly = rule.ExeName[0] != '\0';
    switch (rule.Kind) {
      case 0: s.Ignore = true; break;
      case 1: s.SetSendScrollMsgOnly(true); break;
      case 2: s.SetSendWheelMsgOnly(true); break;
      case 3: s.NonActiveScrollIdent = true; break;
      default: s.ScrollLines = 5; break;
    }
    setting.WindowSettings.Put(rule.ClassName, rule.ExeName, s);
  }

  struct TAppRule {
    const char* ExeName;
    bool Ignore;
    int Event;  // key event with a key stroke, or -1
    std::uint16_t KeyStroke;
  };
  const TAppRule appRules[] = {
      {"FIREFOX.EXE", false, KeyEventMiddleButtonDown, 0x4057},  // Ctrl+W
      {"IEXPLORE.EXE", false, KeyEventX1ButtonDown, 0x8025},      // Alt+Left
      {"CHROME.EXE", false, KeyEventX2ButtonDown, 0x8027},        // Alt+Right
      {"EXPLORER.EXE", false, KeyEventX1ButtonDown, 0x0008},      // Backspace
      {"EXCEL.EXE", false, KeyEventCtrlUp, 0x4021},               // Ctrl+PageUp
      {"WINWORD.EXE", false, KeyEventShiftDown, 0x0022},          // PageDown
      {"ACRORD32.EXE", false, KeyEventMiddleButtonDown, 0x4057},
      {"HIDEMARU.EXE", false, KeyEventRightUp, 0x0021},
      {"GVIM.EXE", false, KeyEventLeftDown, 0x0022},
      {"MSPAINT.EXE", true, -1, 0},
      {"PHOTOSHOP.EXE", true, -1, 0},
      {"MSTSC.EXE", true, -1, 0},
      {"VMWARE.EXE", true, -1, 0},
      {"GAME.EXE", true, -1, 0},
  };
  for (const TAppRule& rule : appRules) {
    TExeSetting exe;
    exe.SetExeName(rule.ExeName);
    exe.Ignore = rule.Ignore;
    if (rule.Event >= 0) {
      TKeySetting key;
      key.EnableKeySetting = true;
      TKeyOperation op;
      op.OperationType = TKeyOperation::Key;
      op.KeyStroke = rule.KeyStroke;
      key.SetOperation(rule.Event, op);
      exe.PutKeySetting("", key);
    }
    setting.ExeSettings.Put(rule.ExeName, exe);
  }
}

std::uintptr_t WParam(std::uint16_t keys, std::int16_t delta) {
  return TWheelNotification{keys, delta, 0}.WParam();
}

struct TCase {
  const char* Name;
  std::uint16_t Keys;
  std::int16_t Delta;
  bool OverEdit;       // the probes' edits (wheel delivery) or their upper part
  bool ScrollingOnly;  // only the probes with a scroll bar of their own
};

const TCase Cases[] = {
    {"plain move", 0, 0, false, false},
    {"move, middle button held", MiddleButton, 0, false, false},
    {"wheel turn, scroll messages", 0, -120, false, true},
    {"wheel turn, wheel message", 0, -120, true, false},
};
constexpr int CaseCount = sizeof Cases / sizeof Cases[0];

class TBench {
 public:
  explicit TBench(int samples) : Samples(samples) {}

  bool Start() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = MainProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VorlixBenchMain";
    RegisterClassA(&windowClass);
    Main = TWindowOwner(CreateWindowExA(0, windowClass.lpszClassName, "Vorlix bench", WS_POPUP, 0,
                                        0, 10, 10, nullptr, nullptr, windowClass.hInstance,
                                        nullptr));
    if (!Main) return Fail("no main window");
    Hook = std::make_unique<TVorlixHook>(Main.Get(), 0);
    if (!Hook->Ready()) return Fail("the hooks could not be installed (VorlixHook.dll beside?)");
    NotifyNumber = Hook->NotifyMessage();
    FillRealisticSettings(Setting);
    Executor = std::make_unique<TKeyOperationExecutor>(Windows, *Hook, nullptr);
    Dispatcher = std::make_unique<TWheelDispatcher>(Windows, *Hook, Setting, Executor.get());
    Dispatcher->Paused = false;

    for (int i = 0; i < ProbeColumns * ProbeRows; ++i) {
      Probes.push_back(std::make_unique<TProbe>());
      if (!Probes.back()->Start(i, i % 2 == 0)) return Fail("a probe did not come up");
    }
    // Measured once every probe has finished starting up and waits for input.
    for (auto& probe : Probes) probe->Process.WaitUntilIdle(PeerStartMs);
    Sleep(QuietMs);
    PumpPending();
    return true;
  }

  void PrintHeader() const {
    using TVersion = const char*(CDECL*)();
    const auto wineVersion = SystemFunction<TVersion>("ntdll.dll", "wine_get_version");
    std::printf("Vorlix wheel-notification benchmark: %s, %s hook mode, %d probe processes, "
                "%d samples per figure, times in ms\n\n",
                wineVersion ? (std::string("Wine ") + wineVersion()).c_str() : "Windows",
                Hook->LowLevelMode() ? "low-level" : "message", static_cast<int>(Probes.size()),
                Samples);
  }

  // The floor: WM_NULL sent to a window of this thread, and to a probe.
  void MeasureFloor(TFigures& sameThread, TFigures& crossProcess) {
    std::vector<double> same, cross;
    for (int i = 0; i < Samples * 4; ++i) {
      const LONGLONG t0 = Clock.Now();
      SendMessageA(Main.Get(), WM_NULL, 0, 0);
      same.push_back(Clock.Ms(t0, Clock.Now()));
    }
    for (int i = 0; i < Samples; ++i) {
      const HWND probe = ToHwnd(Probes[static_cast<std::size_t>(i) % Probes.size()]->Log->Window);
      const LONGLONG t0 = Clock.Now();
      SendMessageA(probe, WM_NULL, 0, 0);
      cross.push_back(Clock.Ms(t0, Clock.Now()));
    }
    sameThread = Summarise(same);
    crossProcess = Summarise(cross);
  }

  // What a turn must send whatever decides it, through the same requests
  // the dispatcher makes: three lines as six requests, or one wheel message
  // to another process's edit, which hands it to its parent.
  TFigures MeasureDelivery(bool scroll) {
    std::vector<double> times;
    for (int i = 0; i < Samples; ++i) {
      const TProbe& probe = *Probes[(static_cast<std::size_t>(i) * 2) % Probes.size()];
      const LONGLONG t0 = Clock.Now();
      if (scroll) {
        for (int line = 0; line < 3; ++line) {
          Hook->SendVScroll(probe.Log->Window, SB_LINEDOWN, 0, 0);
          Hook->SendVScroll(probe.Log->Window, SB_ENDSCROLL, 0, 0);
        }
      } else {
        SendMessageA(ToHwnd(probe.Log->Edit), WM_MOUSEWHEEL, WParam(0, -120), 0);
      }
      times.push_back(Clock.Ms(t0, Clock.Now()));
      Settle();
    }
    return Summarise(times);
  }

  // What the first turn over a process not seen before adds: its
  // executable's name, asked of the system (the dispatcher remembers it
  // for the process from then on).
  TFigures MeasureNaming() {
    std::vector<double> times;
    for (int i = 0; i < Samples; ++i) {
      const TProbe& probe = *Probes[static_cast<std::size_t>(i) % Probes.size()];
      char name[MAX_PATH + 1];
      const LONGLONG t0 = Clock.Now();
      Hook->GetModuleName(probe.Log->Window, name, sizeof name);
      times.push_back(Clock.Ms(t0, Clock.Now()));
    }
    return Summarise(times);
  }

  // One notification per sample, the cursor moving from probe to probe
  // between samples (not timed), as the low-level hook would report it.
  TFigures MeasureCase(const TCase& c, int samples) {
    std::vector<POINT> points;
    for (std::size_t i = 0; i < Probes.size(); ++i) {
      if (c.ScrollingOnly && i % 2 != 0) continue;
      points.push_back(c.OverEdit ? Probes[i]->Lower() : Probes[i]->Upper());
    }
    std::vector<double> times;
    // The first round is not counted: a process seen for the first time is
    // named once, and that is not the cost of every notification.
    const int rounds = samples + static_cast<int>(points.size());
    for (int i = 0; i < rounds; ++i) {
      const POINT at = points[static_cast<std::size_t>(i) % points.size()];
      SetCursorPos(at.x, at.y);
      Settle();
      const LPARAM target = static_cast<LPARAM>(ToWnd(GetForegroundWindow()));
      const LONGLONG t0 = Clock.Now();
      Dispatcher->RouteWheelNotification(WParam(c.Keys, c.Delta), target);
      const double ms = Clock.Ms(t0, Clock.Now());
      if (i >= static_cast<int>(points.size())) times.push_back(ms);
    }
    return Summarise(times);
  }

  void RunMain() {
    TFigures same, cross;
    MeasureFloor(same, cross);
    const TFigures lines = MeasureDelivery(true);
    const TFigures wheel = MeasureDelivery(false);
    const TFigures naming = MeasureNaming();
    std::printf("%-44s %9s %9s\n", "floor: SendMessage round trip", "median", "p99");
    std::printf("  %-42s %9.4f %9.4f\n", "to a window of this thread", same.Median, same.P99);
    std::printf("  %-42s %9.4f %9.4f\n", "to a window of another process", cross.Median,
                cross.P99);
    std::printf("%-44s\n", "what a turn must send, alone");
    std::printf("  %-42s %9.4f %9.4f\n", "3 lines: 6 scroll requests posted", lines.Median,
                lines.P99);
    std::printf("  %-42s %9.4f %9.4f\n", "WM_MOUSEWHEEL sent to another process", wheel.Median,
                wheel.P99);
    std::printf("  %-42s %9.4f %9.4f\n\n", "naming a process (its first turn)", naming.Median,
                naming.P99);
    std::printf("%-44s %9s %9s %10s %10s %10s\n", "RouteWheelNotification", "median", "p99",
                "x same", "x cross", "-send:x cr");
    const TFigures* sends[CaseCount] = {nullptr, nullptr, &lines, &wheel};
    for (int i = 0; i < CaseCount; ++i) {
      const TFigures f = MeasureCase(Cases[i], Samples);
      std::printf("  %-42s %9.4f %9.4f %10.2f %10.2f", Cases[i].Name, f.Median, f.P99,
                  f.Median / same.Median, f.Median / cross.Median);
      if (sends[i] != nullptr)
        std::printf(" %10.2f", (f.Median - sends[i]->Median) / cross.Median);
      std::printf("\n");
    }
    std::printf("\nx same, x cross: the median over the floor's; -send:x cr: the median less "
                "what the turn must send, over the\ncross-process round trip. The first "
                "notification over a process not seen before is not counted.\n\n");
  }

  void RunScaling() {
    std::printf("median with idle processes on the desktop (besides the %d probes)\n",
                static_cast<int>(Probes.size()));
    std::printf("  %-8s", "idle");
    for (const TCase& c : Cases) std::printf(" %28s", c.Name);
    std::printf(" %12s\n", "cross-proc.");
    const int samples = std::max(50, Samples / 2);
    for (int step : IdleSteps) {
      while (static_cast<int>(Idle.size()) < step) {
        Idle.push_back(std::make_unique<TPeerProcess>());
        if (!Idle.back()->Start(PeerModeIdle)) {
          Fail("an idle peer did not start");
          return;
        }
      }
      // Measured once they have all started up and the desktop is quiet.
      for (auto& peer : Idle) peer->WaitUntilIdle(PeerStartMs);
      Sleep(QuietMs);
      PumpPending();
      std::printf("  %-8d", step);
      for (const TCase& c : Cases) std::printf(" %28.4f", MeasureCase(c, samples).Median);
      TFigures same, cross;
      MeasureFloor(same, cross);
      std::printf(" %12.4f\n", cross.Median);
      std::fflush(stdout);
    }
  }

  ~TBench() {
    for (auto& probe : Probes)
      if (probe->Log && probe->Log->Window) PostMessageA(ToHwnd(probe->Log->Window), WM_CLOSE, 0, 0);
    // Idle peers and probes that do not end are terminated by their owners.
  }

 private:
  static bool Fail(const char* why) {
    std::fprintf(stderr, "vorlix_wheel_bench: %s\n", why);
    return false;
  }

  const int Samples;
  TStopwatch Clock;
  TWindowOwner Main;
  TWin32WindowSystem Windows;
  TVorlixSetting Setting;
  std::unique_ptr<TVorlixHook> Hook;
  std::unique_ptr<TKeyOperationExecutor> Executor;
  std::unique_ptr<TWheelDispatcher> Dispatcher;
  std::vector<std::unique_ptr<TProbe>> Probes;
  std::vector<std::unique_ptr<TPeerProcess>> Idle;
};

}  // namespace

int main(int argc, char** argv) {
  const int samples = argc > 1 ? std::max(20, std::atoi(argv[1])) : DefaultSamples;
  TBench bench(samples);
  if (!bench.Start()) return 1;
  bench.PrintHeader();
  bench.RunMain();
  std::fflush(stdout);
  bench.RunScaling();
  return 0;
}
