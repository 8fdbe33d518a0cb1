// Starting vorlix_test_peer.exe from the Win32 suites, and what they need
// around it.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shared/Win32Owner.h"

// The folder of the test executable, with a trailing separator.
std::string TestFolder();

// The build puts the peer beside the test executable, and copies of it into
// sub-folders of that folder (subfolder ends with a separator).
std::string PeerPath(const std::string& subfolder = {});
// The test executable's full path.
std::string TestPath();


bool RunningUnderWine();

// Runs the peer with the given arguments in its folder and waits for it.
// False when it could not be started or did not end within the time-out (it
// is then terminated); exitCode is valid only on true.
bool RunPeer(const std::string& arguments, DWORD& exitCode, const std::string& subfolder = {});

// Handles every message of this thread until done() or the time-out. A hook
// that runs on this thread, or a peer that sends to a window of it, waits for
// this thread; waiting on a peer must go through here.
template <typename Done>
bool PumpMessagesUntil(Done done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return true;
}

// Starts a shell command line (/bin/sh -c) outside Wine: xdotool and other
// X tools. Wine gives no handle to wait on for a Unix program (a null
// process handle and garbage in the thread handle, which must never be
// closed), so callers wait on its effects.
bool RunUnix(const std::string& command);

// The whole content of a file; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A peer, or another program, that runs beside the suite.
class TPeerProcess {
 public:
  bool Start(const std::string& arguments, const std::string& subfolder = {});
  bool StartProgram(const std::string& path, const std::string& arguments,
                    const std::string& folder);
  // Handles this thread's messages until the peer ends by itself; false,
  // with the peer terminated, when it does not end within timeoutMs.
  bool Finish(DWORD timeoutMs, DWORD& exitCode);
  // Ends the peer at once, as a crash or the task manager would.
  void Kill();
  HANDLE Handle() const { return Process.Get(); }
  // Waits until the program has reached its message loop with nothing to do.
  bool WaitUntilIdle(DWORD timeoutMs) const {
    return Process && WaitForInputIdle(Process.Get(), timeoutMs) == 0;
  }
  DWORD Id() const { return ProcessId; }
  ~TPeerProcess();

 private:
  TKernelHandle Process;
  DWORD ProcessId = 0;
};

constexpr char PeerExeName[] = "vorlix_test_peer.exe";

// Makes Wine report `version` to the processes of one executable (by file
// name) started while the object lives, then puts its key back as it was.
// The parent AppDefaults is left alone: Wine recreates it at every process
// start.
class TVersionOverride {
 public:
  TVersionOverride(const char* exeName, const char* version);
  ~TVersionOverride();

  TVersionOverride(const TVersionOverride&) = delete;
  TVersionOverride& operator=(const TVersionOverride&) = delete;

  bool IsReady() const { return Ready; }
  static bool KeyExists(const char* exeName);

 private:
  std::string KeyPath;
  TRegKey Key;
  bool CreatedKey = false;
  bool HadPrevious = false;
  DWORD PreviousType = REG_SZ;
  std::vector<BYTE> Previous;
  bool Ready = false;
};
