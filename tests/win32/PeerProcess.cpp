#include "PeerProcess.h"

#include "platform/Win32Owner.h"

namespace {

// Generous: a cold Wine start of a process takes a few seconds.
constexpr DWORD PeerTimeoutMs = 30000;

}  // namespace

std::string PeerPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return {};
  std::string result(path, length);
  const std::string::size_type slash = result.find_last_of("\\/");
  result.erase(slash == std::string::npos ? 0 : slash + 1);
  return result + "vorlix_test_peer.exe";
}

bool RunPeer(const std::string& arguments, DWORD& exitCode) {
  const std::string path = PeerPath();
  // CreateProcessA may write into the command line.
  std::string commandLine = "\"" + path + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started))
    return false;
  const TKernelHandle process(started.hProcess);
  const TKernelHandle thread(started.hThread);
  if (WaitForSingleObject(process.Get(), PeerTimeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), 1);
    return false;
  }
  return GetExitCodeProcess(process.Get(), &exitCode) != 0;
}
