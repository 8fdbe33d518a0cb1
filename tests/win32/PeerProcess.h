// Starting vorlix_test_peer.exe from the Win32 suites.
#pragma once

#include <windows.h>

#include <string>

// The build puts the peer beside the test executable.
std::string PeerPath();

// Runs the peer with the given arguments and waits for it. False when it
// could not be started or did not end within the time-out (it is then
// terminated); exitCode is valid only on true.
bool RunPeer(const std::string& arguments, DWORD& exitCode);
