# Sourced by the scripts that run Windows binaries: a quiet 32-bit Wine prefix
# of our own on a virtual display, started and stopped by process id.
#   wine_start PREFIX   creates the prefix afresh, starts Xvfb and a
#                       persistent wineserver, exports the environment
#   wine_stop           stops what wine_start started
#   wine_prepare_prefix creates the prefix WINEPREFIX names

export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko prompts; and no winedbg, which would wait forever on a
# crashed test instead of letting it end with an error.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export LANG=ja_JP.UTF-8

VORLIX_XVFB_PID=""
VORLIX_WINESERVER_PID=""

wine_start() {
  export WINEPREFIX="$1"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"

  # Xvfb picks a free display number and writes it to the pipe.
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
  VORLIX_XVFB_PID=$!
  local display
  read -r -t 30 display <"$fifo" || { rm -f "$fifo"; echo "Xvfb did not start" >&2; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$display"

  # A persistent wineserver makes each later wine start cost ~0.1 s.
  wineserver -p </dev/null >/dev/null 2>&1 &
  VORLIX_WINESERVER_PID=$!
  wine_prepare_prefix
}

# Creates the prefix WINEPREFIX names. The program's dialogs ask for the
# Japanese Windows font; the installed IPA font stands in for it. The about
# box asks for Times New Roman; Liberation Serif has its metrics, so its
# labels wrap where they would on Windows.
wine_prepare_prefix() {
  wineboot -i </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f \
    </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f \
    </dev/null >/dev/null 2>&1
}

wine_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
  fi
  [ -n "$VORLIX_WINESERVER_PID" ] && kill "$VORLIX_WINESERVER_PID" 2>/dev/null || true
  [ -n "$VORLIX_XVFB_PID" ] && kill "$VORLIX_XVFB_PID" 2>/dev/null || true
  VORLIX_WINESERVER_PID=""
  VORLIX_XVFB_PID=""
}
