#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test layer:
#   native   the portable suites, built with g++
#   asan     the same suites with AddressSanitizer and UndefinedBehaviorSanitizer
#   wine     the Windows build (portable and Win32 suites) under Wine on Xvfb
# Ends with one summary line; exits non-zero when any test or build fails.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)

"$root/scripts/install-deps.sh" || { echo "SUMMARY: dependency installation failed"; exit 1; }

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
trap wine_stop EXIT

failed_layers=()
summary=()

# count_results DIR: "tests failures" summed over the JUnit reports in DIR.
count_results() {
  local tests=0 failures=0 file t f e
  for file in "$1"/test-results/*.xml; do
    [ -f "$file" ] || continue
    t=$(grep -o -m1 '<testsuites tests="[0-9]*"' "$file" | grep -o '[0-9]*')
    f=$(grep -o -m1 '<testsuites[^>]* failures="[0-9]*"' "$file" | grep -o 'failures="[0-9]*"' | grep -o '[0-9]*')
    e=$(grep -o -m1 '<testsuites[^>]* errors="[0-9]*"' "$file" | grep -o 'errors="[0-9]*"' | grep -o '[0-9]*')
    tests=$((tests + ${t:-0}))
    failures=$((failures + ${f:-0} + ${e:-0}))
  done
  echo "$tests $failures"
}

# run_layer NAME BUILD_DIR CMAKE_ARGS... : configure, build, run CTest.
# With not_run set to a reason, the layer is built but its tests are not run.
run_layer() {
  local name=$1 dir=$2
  shift 2
  local start=$SECONDS ok=1
  echo "== $name: configure and build ($dir)"
  if cmake -S "$root" -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; false; }; then
    if cmake --build "$dir" -j "$jobs"; then
      if [ -n "${not_run:-}" ]; then
        echo "== $name: built; tests NOT RUN: $not_run"
        summary+=("$name built, tests NOT RUN ($not_run), $((SECONDS - start)) s")
        return
      fi
      echo "== $name: test"
      rm -rf "$dir/test-results"
      (cd "$dir" && ctest --output-on-failure -j 1) || ok=0
    else
      ok=0
    fi
  else
    ok=0
  fi
  read -r tests failures < <(count_results "$dir")
  [ "$ok" -eq 1 ] && [ "$tests" -gt 0 ] || failed_layers+=("$name")
  summary+=("$name $tests tests, $failures failed, $((SECONDS - start)) s")
  echo "== $name: $tests tests, $failures failed, $((SECONDS - start)) s"
}

mkdir -p build
run_layer native build/native -DCMAKE_BUILD_TYPE=Debug
UBSAN_OPTIONS=print_stacktrace=1 run_layer asan build/asan -DCMAKE_BUILD_TYPE=Debug -DVORLIX_SANITIZE=ON

# A kernel without 32-bit emulation refuses every 32-bit program ("Exec
# format error", exit code 126), Wine's own loader among them. There the
# Windows layer is still built, which compiles every suite, but cannot run.
wine_args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake")
wine_start_at=$SECONDS
/usr/lib/wine/wine --version >/dev/null 2>&1
if [ $? -eq 126 ]; then
  not_run="this machine's kernel runs no 32-bit programs" run_layer wine build/win32 "${wine_args[@]}"
elif wine_start "$root/build/wineprefix"; then
  echo "== wine: prefix ready on display $DISPLAY in $((SECONDS - wine_start_at)) s"
  run_layer wine build/win32 "${wine_args[@]}"
else
  failed_layers+=(wine)
  summary+=("wine: could not start Wine")
fi
wine_stop

line=$(IFS=';'; echo "${summary[*]}")
if [ ${#failed_layers[@]} -eq 0 ]; then
  echo "SUMMARY: PASS — ${line//;/; }"
else
  echo "SUMMARY: FAIL (${failed_layers[*]}) — ${line//;/; }"
  exit 1
fi
