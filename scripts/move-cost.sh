#!/usr/bin/env bash
# What Vorlix's own process spends on plain pointer moves: xdotool moves the
# pointer 2000 times, 2 ms apart, over a window no rule acts on, three
# rounds with Vorlix running and one with it paused. Vorlix's CPU time
# (user and system) comes from its Linux process's /proc/PID/stat and is
# given in ms per 1000 moves: the median of the running rounds, and the
# paused round. Runs in a prefix of its own (build/wineprefix-movecost).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
moves=2000
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$root/build/win32" --target Vorlix

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
trap wine_stop EXIT
wine_start "$root/build/wineprefix-movecost"
cd "$root/build/win32/src"
wine Vorlix.exe </dev/null >/dev/null 2>&1 &
pid=""
for _ in $(seq 100); do
  pid=$(pgrep -f 'Vorlix\.exe' | head -n 1 || true)
  [ -n "$pid" ] && break
  sleep 0.2
done
[ -n "$pid" ] || { echo "Vorlix.exe did not start" >&2; exit 1; }
sleep 5  # until it has loaded its settings and hooks
# Wine sees the pointer only over its own windows: a Notepad covers the
# storm's area.
wine notepad.exe </dev/null >/dev/null 2>&1 &
xdotool search --sync --class 'notepad' windowmove %@ 0 0 windowsize %@ 1000 740 >/dev/null
sleep 2
# The process Wine started for the program, by now named after it alone.
pid=$(pgrep -f 'Vorlix\.exe' | tail -n 1)

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
storm=()
for i in $(seq 0 $((moves - 1))); do
  storm+=(mousemove $((100 + i % 700)) $((600 + (i / 700) * 40)) sleep 0.002)
done
# ms of Vorlix's CPU per 1000 moves over one storm.
round() {
  local before after
  before=$(cpu)
  xdotool "${storm[@]}"
  after=$(cpu)
  awk -v t="$((after - before))" -v hz="$ticks" -v n="$moves" \
    'BEGIN { printf "%.0f\n", t * 1000 / hz * 1000 / n }'
}

running=()
for _ in 1 2 3; do running+=("$(round)"); done
median=$(printf '%s\n' "${running[@]}" | sort -n | sed -n 2p)

# Pause from the tray menu (its access key P).
xdotool search --sync --onlyvisible --name 'Wine System Tray' \
  mousemove --window %1 8 8 sleep 0.5 click 1 sleep 0.5 key p
sleep 1
paused=$(round)

echo "Vorlix's own CPU per 1000 pointer moves ($moves moves 2 ms apart, CLK_TCK $ticks):"
echo "  running: median ${median} ms (rounds: ${running[*]})"
echo "  paused:  ${paused} ms"
