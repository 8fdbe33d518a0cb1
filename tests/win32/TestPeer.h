// How the Win32 suites drive vorlix_test_peer.exe, a second process that
// reports what it sees through its exit code.
#pragma once

// vorlix_test_peer osclass: exits with CurrentOsVersionClass().
constexpr const char PeerModeOsClass[] = "osclass";
// vorlix_test_peer servicepack: exits with CurrentServicePackDigit().
constexpr const char PeerModeServicePack[] = "servicepack";
// vorlix_test_peer exchange NAME: opens the block NAME, writes
// PeerPrevFocusWnd to PrevFocusWnd and its own path to ModuleName, and exits
// with the MainWnd it found there.
constexpr const char PeerModeExchange[] = "exchange";

constexpr unsigned long PeerPrevFocusWnd = 0x00C0FFEEu;

// Exit codes that no mode produces on success (they look like NTSTATUS
// errors, which no window handle or version class does).
constexpr unsigned long PeerExitUsage = 0xE0000001u;
constexpr unsigned long PeerExitNoBlock = 0xE0000002u;
