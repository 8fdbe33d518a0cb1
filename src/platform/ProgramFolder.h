// Where the program file lies: default.vxs and the plug-ins are found there.
#pragma once

#include <string>

// The folder of the running executable, with its trailing backslash.
std::string ProgramFolder();
