// Every allocation through operator new in this program is counted, for the
// one path that must make none: a mouse move.
#pragma once

long AllocationCount();
