#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test layer:
#   native   the portable suites, built with g++
#   asan     the same suites with AddressSanitizer and UndefinedBehaviorSanitizer
#   wine     the Windows build (portable and Win32 suites) under Wine on Xvfb
# and the release checks:
#   clang    the Windows build with the second compiler, free of warnings
#   package  the release zip, built twice in two folders and compared
#   smoke    the zip unpacked into a fresh Wine prefix, a turn served
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
wine_exit=$?
no_wine_reason="this machine's kernel runs no 32-bit programs"
if [ $wine_exit -eq 126 ]; then
  not_run=$no_wine_reason run_layer wine build/win32 "${wine_args[@]}"
elif wine_start "$root/build/wineprefix"; then
  echo "== wine: prefix ready on display $DISPLAY in $((SECONDS - wine_start_at)) s"
  run_layer wine build/win32 "${wine_args[@]}"
else
  failed_layers+=(wine)
  summary+=("wine: could not start Wine")
fi
wine_stop

# The second compiler builds the Windows targets and every test program; its
# warnings are errors, and a warning that -Werror does not reach (the
# linker's) fails the stage too.
clang_layer() {
  local dir=build/clang start=$SECONDS
  echo "== clang: configure and build ($dir)"
  if cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
       -DCMAKE_TOOLCHAIN_FILE="$root/cmake/clang-i686-w64-mingw32.cmake" >"$dir.configure.log" 2>&1 &&
     cmake --build "$dir" -j "$jobs" 2>&1 | tee "$dir.build.log" &&
     ! grep -qi 'warning' "$dir.build.log"; then
    summary+=("clang built warning-free, $((SECONDS - start)) s")
  else
    [ -f "$dir.configure.log" ] && tail -20 "$dir.configure.log"
    grep -i 'warning' "$dir.build.log" 2>/dev/null | head -20
    failed_layers+=(clang)
    summary+=("clang: build failed or warned, $((SECONDS - start)) s")
  fi
}

# The release zip from a build of only what ships, made twice in two fresh
# folders: the binaries and the zip must be the same bytes.
package_zip=''
package_layer() {
  local start=$SECONDS dir name
  local dirs=(build/release-a build/release-b)
  echo "== package: two builds (${dirs[*]})"
  for dir in "${dirs[@]}"; do
    rm -rf "$dir"
    # The guide takes the pictures of the wine layer's end-to-end run, where it ran.
    if ! { cmake -S "$root" -B "$dir" -G Ninja -DBUILD_TESTING=OFF "${wine_args[@]}" \
             -DVORLIX_SCREENSHOTS="$root/build/win32/test-results" >"$dir.configure.log" 2>&1 &&
           cmake --build "$dir" -j "$jobs" --target package; }; then
      failed_layers+=(package)
      summary+=("package: build failed, $((SECONDS - start)) s")
      return
    fi
  done
  name=$(cd "${dirs[0]}" && ls Vorlix-*-win32.zip)
  local differ=()
  for file in "$name" src/Vorlix.exe src/VorlixHook.dll src/PageScroll.vxp; do
    cmp "${dirs[0]}/$file" "${dirs[1]}/$file" || differ+=("$file")
  done
  if [ ${#differ[@]} -eq 0 ]; then
    package_zip="$root/${dirs[0]}/$name"
    unzip -l "$package_zip"
    summary+=("package $name $(stat -c %s "$package_zip") bytes, two builds identical, $((SECONDS - start)) s")
  else
    failed_layers+=(package)
    summary+=("package: the two builds differ in ${differ[*]}, $((SECONDS - start)) s")
  fi
}

# The zip unpacked into a fresh Wine prefix: the end-to-end suite starts
# Vorlix.exe from there and turns the wheel over its probe window.
smoke_layer() {
  local start=$SECONDS dir=build/smoke tests failures
  if [ -z "$package_zip" ]; then
    summary+=("smoke NOT RUN (no package)")
    return
  fi
  if [ $wine_exit -eq 126 ]; then
    echo "== smoke: NOT RUN: $no_wine_reason"
    summary+=("smoke NOT RUN ($no_wine_reason)")
    return
  fi
  echo "== smoke: the package in a fresh prefix"
  rm -rf "$dir" && mkdir -p "$dir/test-results" && unzip -q "$package_zip" -d "$dir/unpacked"
  if ! wine_start "$root/build/wineprefix-smoke"; then
    failed_layers+=(smoke)
    summary+=("smoke: could not start Wine")
    return
  fi
  # The unpacked folder as the program sees it: Wine maps Z: to the root.
  local program
  program=$(echo "$root/$dir"/unpacked/Vorlix-*)
  program="Z:${program//\//\\}"
  (cd "$dir" && VORLIX_PROGRAM_FOLDER=$program wine "$root/build/win32/tests/e2e/vorlix_e2e_tests.exe" \
     --gtest_filter='Modes/ProgramTest.TurnOverAnInactiveWindowScrollsItByLinesAndCtrlTurnIsLeftAlone/*' \
     --gtest_output=xml:test-results/smoke.xml </dev/null)
  wine_stop
  read -r tests failures < <(count_results "$dir")
  # A skipped test served nothing.
  if [ "$tests" -gt 0 ] && [ "$failures" -eq 0 ] && ! grep -q '<skipped' "$dir"/test-results/*.xml; then
    summary+=("smoke $tests tests, 0 failed, $((SECONDS - start)) s")
  else
    failed_layers+=(smoke)
    summary+=("smoke $tests tests, $failures failed or skipped, $((SECONDS - start)) s")
  fi
}

clang_layer
package_layer
smoke_layer

line=$(IFS=';'; echo "${summary[*]}")
if [ ${#failed_layers[@]} -eq 0 ]; then
  echo "SUMMARY: PASS — ${line//;/; }"
else
  echo "SUMMARY: FAIL (${failed_layers[*]}) — ${line//;/; }"
  exit 1
fi
