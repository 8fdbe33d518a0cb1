#include "platform/ProgramFolder.h"

#include <windows.h>

// The folder ends at the last backslash that is a character of its own, not
// the trail byte of a double-byte character, hence the walk with CharNextA.
std::string ProgramFolder() {
  std::string module(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, &module[0], static_cast<DWORD>(module.size()));
    if (length < module.size()) {
      module.resize(length);
      break;
    }
    module.resize(module.size() * 2);
  }
  std::size_t folderLength = 0;
  for (const char* c = module.c_str(); *c != '\0'; c = CharNextA(c))
    if (*c == '\\') folderLength = static_cast<std::size_t>(c - module.c_str()) + 1;
  return module.substr(0, folderLength);
}
