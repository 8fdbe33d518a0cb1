// Identifiers of the program's resources, shared by the .rc file and code.
#pragma once

#define IDI_VORLIX 100
