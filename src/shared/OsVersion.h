// Classification of the Windows version, by which both deliverables choose
// among mechanisms that exist only on some versions. Portable: the inputs are
// the fields of OSVERSIONINFOA.
#pragma once

#include <cstdint>

enum : std::uint8_t {
  OsWindows95 = 0,
  OsWindows98 = 1,   // and Me
  OsWindowsNT4 = 2,
  OsWindows2000 = 3, // and later
  OsOther = 255,
};

constexpr std::uint32_t PlatformWin32Windows = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr std::uint32_t PlatformWin32NT = 2;       // VER_PLATFORM_WIN32_NT

std::uint8_t OsVersionClass(std::uint32_t platformId, std::uint32_t majorVersion,
                            std::uint32_t minorVersion);

// The last character of szCSDVersion minus '0' ("Service Pack 3" gives 3,
// "Service Pack 6a" gives 'a' - '0'); 0 for an empty string. csdVersion is
// the 128-byte field and need not be terminated.
int ServicePackDigit(const char (&csdVersion)[128]);

#ifdef _WIN32
// The classification of the running system, from GetVersionExA.
std::uint8_t CurrentOsVersionClass();
int CurrentServicePackDigit();
#endif
