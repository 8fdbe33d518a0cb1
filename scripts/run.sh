#!/usr/bin/env bash
# Builds Vorlix for Windows and runs it under Wine until it is ended: from
# its tray menu ("常駐解除(&Q)"), or with Ctrl+C here. It runs on the
# user's X display, or on a virtual one (Xvfb) when there is none, in a Wine
# prefix of its own (build/wineprefix-run) that keeps its settings between
# runs.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null
cmake --build "$root/build/win32" --target Vorlix

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
export WINEPREFIX="$root/build/wineprefix-run"

xvfb_pid=""
stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT

if [ -z "${DISPLAY:-}" ]; then
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 30 display <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display"
  echo "No X display: Vorlix runs on the virtual display $DISPLAY."
fi
[ -d "$WINEPREFIX" ] || wine_prepare_prefix

echo "Vorlix runs (its folder: build/win32/src). End it from its tray menu or with Ctrl+C."
cd "$root/build/win32/src"
wine Vorlix.exe
