#!/usr/bin/env bash
# Builds the wheel-notification benchmark for Windows and runs it under Wine,
# in a fresh prefix of its own (build/wineprefix-bench) on a virtual display.
# It prints the cost of one notification beside a bare SendMessage round trip
# and how it changes with 10, 50 and 100 idle processes; a run takes two
# or three minutes. An argument sets the samples per figure (default 400).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$root/build/win32" --target vorlix_wheel_bench

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
trap wine_stop EXIT
wine_start "$root/build/wineprefix-bench"
cd "$root/build/win32/bench"
wine vorlix_wheel_bench.exe "$@"
