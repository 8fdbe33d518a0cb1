#!/usr/bin/env bash
# Builds the benchmarks for Windows and runs them under Wine, in a fresh
# prefix of its own (build/wineprefix-bench) on a virtual display:
#   the wheel-notification benchmark: the cost of one notification beside a
#     bare SendMessage round trip, and how it changes with 10, 50 and 100
#     idle processes (two or three minutes; an argument sets the samples per
#     figure, default 400);
#   the bystander benchmark: what a program Vorlix never acts on pays for
#     its own messages while Vorlix runs, in each hook mode, pinned to one
#     CPU (a minute each);
# and draws the figures into build/win32/bench/bench.svg.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$root/build/win32" --target vorlix_wheel_bench vorlix_bystander_bench

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
trap wine_stop EXIT
wine_start "$root/build/wineprefix-bench"
cd "$root/build/win32/bench"
# What is printed is also kept in bench.txt, from which bench.svg is drawn.
{
  wine vorlix_wheel_bench.exe "$@"

  # The bystander's figures, with every Wine process of the prefix on CPU 0
  # (those started from here by inheritance), vary the least.
  taskset -cp 0 "$VORLIX_WINESERVER_PID" >/dev/null
  echo
  echo "== low-level mode"
  taskset -c 0 wine vorlix_bystander_bench.exe '..\src\Vorlix.exe'
  echo
  echo "== message mode (Wine reporting Windows 98 to Vorlix.exe)"
  wine reg add 'HKCU\Software\Wine\AppDefaults\Vorlix.exe' /v Version /d win98 /f >/dev/null 2>&1
  taskset -c 0 wine vorlix_bystander_bench.exe '..\src\Vorlix.exe'
} | tee bench.txt
awk -f "$root/scripts/bench-chart.awk" bench.txt > bench.svg
echo
echo "Chart: build/win32/bench/bench.svg"
