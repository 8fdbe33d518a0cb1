#!/usr/bin/env bash
# Builds Vorlix for Windows and starts it under Wine.
# The resident program is not part of the tree yet: for now this installs
# what is missing and builds every Windows binary there is, then says so.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake"
cmake --build "$root/build/win32"
echo "Built the Windows binaries in build/win32. Vorlix.exe itself does not exist yet, so nothing was started."
