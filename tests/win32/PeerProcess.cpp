#include "PeerProcess.h"

namespace {

// Generous: a cold Wine start of a process takes a few seconds.
constexpr DWORD PeerTimeoutMs = 30000;

std::string AppDefaultsKey(const char* exeName) {
  return std::string("Software\\Wine\\AppDefaults\\") + exeName;
}

}  // namespace

std::string TestPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return {};
  return std::string(path, length);
}

std::string TestFolder() {
  std::string result = TestPath();
  const std::string::size_type slash = result.find_last_of("\\/");
  result.erase(slash == std::string::npos ? 0 : slash + 1);
  return result;
}

std::string PeerPath(const std::string& subfolder) {
  return TestFolder() + subfolder + PeerExeName;
}

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool RunPeer(const std::string& arguments, DWORD& exitCode, const std::string& subfolder) {
  TPeerProcess peer;
  return peer.Start(arguments, subfolder) && peer.Finish(PeerTimeoutMs, exitCode);
}

bool RunUnix(const std::string& command) {
  std::string commandLine = "/bin/sh -c \"" + command + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started))
    return false;
  if (started.hProcess != nullptr) {
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
  }
  return true;
}

// The peer runs in its own folder, so that the libraries it loads by bare
// name are found there and nowhere else.
bool TPeerProcess::Start(const std::string& arguments, const std::string& subfolder) {
  return StartProgram(PeerPath(subfolder), arguments, TestFolder() + subfolder);
}

bool TPeerProcess::StartProgram(const std::string& path, const std::string& arguments,
                                const std::string& folder) {
  // CreateProcessA may write into the command line.
  std::string commandLine = "\"" + path + "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (Process || !CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                 nullptr, folder.c_str(), &startup, &started))
    return false;
  CloseHandle(started.hThread);
  Process = TKernelHandle(started.hProcess);
  ProcessId = started.dwProcessId;
  return true;
}

bool TPeerProcess::Finish(DWORD timeoutMs, DWORD& exitCode) {
  if (!Process) return false;
  const HANDLE process = Process.Get();
  const bool ended =
      PumpMessagesUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; },
                        timeoutMs) &&
      GetExitCodeProcess(process, &exitCode);
  if (!ended) TerminateProcess(process, 1);
  Process.Reset();
  return ended;
}

void TPeerProcess::Kill() {
  if (!Process) return;
  TerminateProcess(Process.Get(), 1);
  WaitForSingleObject(Process.Get(), INFINITE);
  Process.Reset();
}

TPeerProcess::~TPeerProcess() {
  if (Process) TerminateProcess(Process.Get(), 1);
}

TVersionOverride::TVersionOverride(const char* exeName, const char* version)
    : KeyPath(AppDefaultsKey(exeName)) {
  DWORD disposition = 0;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath.c_str(), 0, nullptr, 0,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, Key.Put(),
                      &disposition) != ERROR_SUCCESS)
    return;
  CreatedKey = disposition == REG_CREATED_NEW_KEY;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(Key.Get(), "Version", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    Previous.resize(size);
    PreviousType = type;
    HadPrevious = RegQueryValueExA(Key.Get(), "Version", nullptr, &type, Previous.data(),
                                   &size) == ERROR_SUCCESS;
    Previous.resize(size);
  }
  Ready = RegSetValueExA(Key.Get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                         static_cast<DWORD>(lstrlenA(version) + 1)) == ERROR_SUCCESS;
}

TVersionOverride::~TVersionOverride() {
  if (!Key) return;
  if (HadPrevious)
    RegSetValueExA(Key.Get(), "Version", 0, PreviousType, Previous.data(),
                   static_cast<DWORD>(Previous.size()));
  else
    RegDeleteValueA(Key.Get(), "Version");
  Key.Reset();
  if (CreatedKey) RegDeleteKeyA(HKEY_CURRENT_USER, KeyPath.c_str());
}

bool TVersionOverride::KeyExists(const char* exeName) {
  TRegKey key;
  return RegOpenKeyExA(HKEY_CURRENT_USER, AppDefaultsKey(exeName).c_str(), 0, KEY_READ, key.Put()) ==
         ERROR_SUCCESS;
}
