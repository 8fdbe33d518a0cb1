// The second process of the Win32 suites: a process of its own sees its own
// Windows version (Wine lets the suites choose it per executable) and its
// own view of a shared block.
#include <windows.h>

#include <cstring>

#include "TestPeer.h"
#include "shared/OsVersion.h"
#include "shared/SharedStruct.h"

namespace {

int Exchange(const char* name) {
  TVorlixSharedData shared;
  if (!shared.Create(name) || !shared.Map()) return static_cast<int>(PeerExitNoBlock);
  TVorlixData& data = *shared.Data();
  const Wnd seen = data.MainWnd;
  data.PrevFocusWnd = PeerPrevFocusWnd;
  GetModuleFileNameA(nullptr, data.ModuleName, sizeof data.ModuleName);
  return static_cast<int>(seen);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], PeerModeOsClass) == 0) return CurrentOsVersionClass();
  if (argc == 2 && std::strcmp(argv[1], PeerModeServicePack) == 0)
    return CurrentServicePackDigit();
  if (argc == 3 && std::strcmp(argv[1], PeerModeExchange) == 0) return Exchange(argv[2]);
  return static_cast<int>(PeerExitUsage);
}
