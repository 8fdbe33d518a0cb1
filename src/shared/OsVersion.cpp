#include "shared/OsVersion.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

std::uint8_t OsVersionClass(std::uint32_t platformId, std::uint32_t majorVersion,
                            std::uint32_t minorVersion) {
  if (platformId == PlatformWin32Windows)
    return minorVersion == 0 ? OsWindows95 : OsWindows98;
  if (platformId == PlatformWin32NT) {
    if (majorVersion == 4) return OsWindowsNT4;
    if (majorVersion > 4) return OsWindows2000;
  }
  return OsOther;
}

int ServicePackDigit(const char (&csdVersion)[128]) {
  const std::size_t length = strnlen(csdVersion, sizeof csdVersion);
  if (length == 0) return 0;
  // Characters count as bytes 0..255, whatever the signedness of char.
  return static_cast<unsigned char>(csdVersion[length - 1]) - '0';
}

#ifdef _WIN32
namespace {

OSVERSIONINFOA QueryVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  static_assert(sizeof info == 148, "OSVERSIONINFOA is 148 bytes");
  if (!GetVersionExA(&info)) info = OSVERSIONINFOA{};  // classifies as OsOther
  return info;
}

}  // namespace

std::uint8_t CurrentOsVersionClass() {
  const OSVERSIONINFOA info = QueryVersion();
  return OsVersionClass(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

int CurrentServicePackDigit() { return ServicePackDigit(QueryVersion().szCSDVersion); }
#endif
