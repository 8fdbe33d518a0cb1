// What every other program pays while Vorlix runs: this process, a bystander
// that Vorlix never acts on, times its own messages to a hidden window of its
// own with Vorlix.exe not running and running, in alternating rounds, and
// prints the fastest and the median round of each state, their ratios, and
// the spread between the rounds without Vorlix (the noise any ratio is read
// against).
//
//   vorlix_bystander_bench PATH_OF_VORLIX_EXE [rounds]
//                                         (run by scripts/bench.sh under Wine)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "PeerProcess.h"

namespace {

constexpr int DefaultRounds = 5;
constexpr int Repeats = 20000;
constexpr DWORD StartMs = 30000;
constexpr DWORD SettleMs = 500;
constexpr char BystanderClass[] = "VorlixBystander";

enum TOperation : std::size_t { Send, GetTextLength, PostAndDispatch, OperationCount };
constexpr const char* OperationNames[OperationCount] = {
    "SendMessage to its own window", "SendMessage(WM_GETTEXTLENGTH)",
    "PostMessage + GetMessage + DispatchMessage"};

// Microseconds per operation, one figure per operation.
using TRound = std::vector<double>;

LRESULT CALLBACK BystanderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

double Microseconds(LONGLONG from, LONGLONG to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(to - from) / static_cast<double>(frequency.QuadPart) / Repeats;
}

LONGLONG Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

TRound Measure(HWND window) {
  TRound round(OperationCount);
  LONGLONG start = Now();
  for (int i = 0; i < Repeats; ++i) SendMessageA(window, WM_USER, 0, 0);
  round[Send] = Microseconds(start, Now());
  start = Now();
  for (int i = 0; i < Repeats; ++i) SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  round[GetTextLength] = Microseconds(start, Now());
  start = Now();
  for (int i = 0; i < Repeats; ++i) {
    PostMessageA(window, WM_USER, 0, 0);
    MSG message;
    GetMessageA(&message, nullptr, 0, 0);
    DispatchMessageA(&message);
  }
  round[PostAndDispatch] = Microseconds(start, Now());
  return round;
}

// Lets whatever a start or an end set off (hook installs, library loads)
// settle before the next round is timed.
void Settle() {
  PumpMessagesUntil([] { return false; }, SettleMs);
}

// One operation's figures over the rounds of a state.
struct TSummary {
  double Fastest, Median;
};

TSummary Summarize(const std::vector<TRound>& rounds, std::size_t operation) {
  std::vector<double> figures;
  for (const TRound& round : rounds) figures.push_back(round[operation]);
  std::sort(figures.begin(), figures.end());
  return {figures.front(), figures[figures.size() / 2]};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: vorlix_bystander_bench PATH_OF_VORLIX_EXE [rounds]\n");
    return 2;
  }
  const std::string program = argv[1];
  const int rounds = argc > 2 ? std::max(2, std::atoi(argv[2])) : DefaultRounds;
  const std::string folder = program.substr(0, program.find_last_of('\\') + 1);

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = BystanderProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = BystanderClass;
  RegisterClassA(&windowClass);
  // Never shown: the pointer is never over it, so Vorlix has no reason to
  // act on this process.
  const HWND window = CreateWindowExA(0, BystanderClass, "bystander", WS_POPUP, 0, 0, 10, 10,
                                      nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 1;

  std::vector<TRound> without, with;
  for (int i = 0; i < rounds; ++i) {
    Settle();
    without.push_back(Measure(window));
    TPeerProcess vorlix;
    if (!vorlix.StartProgram(program, "", folder) || !vorlix.WaitUntilIdle(StartMs) ||
        !PumpMessagesUntil([] { return FindWindowA("TVXMainForm", "Vorlix") != nullptr; },
                           StartMs)) {
      std::fprintf(stderr, "%s did not start\n", program.c_str());
      return 1;
    }
    Settle();
    with.push_back(Measure(window));
    PostMessageA(FindWindowA("TVXMainForm", "Vorlix"), WM_CLOSE, 0, 0);
    DWORD exitCode = 0;
    vorlix.Finish(StartMs, exitCode);
  }

  std::printf("Bystander: its own messages without and with Vorlix running, %d alternating "
              "rounds of %d each, times in microseconds\n\n",
              rounds, Repeats);
  std::printf("%-44s %9s %9s %9s %9s %8s %8s %8s\n", "operation", "fastest", "median",
              "fastest", "median", "x fast", "x median", "noise");
  std::printf("%-44s %19s %19s\n", "", "without Vorlix", "with Vorlix");
  for (std::size_t op = 0; op < OperationCount; ++op) {
    const TSummary off = Summarize(without, op);
    const TSummary on = Summarize(with, op);
    // The spread of the rounds without Vorlix: slowest over fastest.
    double slowest = 0;
    for (const TRound& round : without) slowest = std::max(slowest, round[op]);
    std::printf("%-44s %9.3f %9.3f %9.3f %9.3f %8.2f %8.2f %8.2f\n", OperationNames[op],
                off.Fastest, off.Median, on.Fastest, on.Median, on.Fastest / off.Fastest,
                on.Median / off.Median, slowest / off.Fastest);
  }
  std::printf("\nx fast, x median: with over without; noise: the slowest round without "
              "Vorlix over its fastest.\n");
  DestroyWindow(window);
  return 0;
}
