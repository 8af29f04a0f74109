#!/usr/bin/env bash
# Builds the program and its tests for Windows (mingw-w64) and runs the tests under Wine,
# headless: a fresh Wine prefix in a temporary folder, one Xvfb display for the whole run;
# then the end-to-end cases of tests/windows/e2e.sh.
#   scripts/windows/test.sh [ctest arguments...]
# Environment: HOLMIK_WINDOWS_BUILD (build folder, default build-windows),
# HOLMIK_TEST_TIMEOUT (seconds per test, default 300).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${HOLMIK_WINDOWS_BUILD:-$root/build-windows}
jobs=${HOLMIK_JOBS:-$(nproc)}
timeout=${HOLMIK_TEST_TIMEOUT:-300}

echo "== Windows libraries"
prefix=$("$root/scripts/windows/build-libs.sh" | tail -n 1)

echo "== Windows build"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DHOLMIK_MINGW_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHOLMIK_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs"

echo "== Windows tests under Wine"
wineprefix=$(mktemp -d "${TMPDIR:-/tmp}/holmik-wine-XXXXXX")
cleanup() {
  WINEPREFIX="$wineprefix" wineserver -k 2>/dev/null || true
  rm -rf "$wineprefix"
}
trap cleanup EXIT
export WINEPREFIX="$wineprefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export HOLMIK_DIALOGS=stderr SDL_AUDIODRIVER=dummy
# One display and one persistent wineserver for the whole run: Wine's helper processes start
# once, in wineboot, instead of in the first test, where they would hold CTest's output pipes
# open after the test ends.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -e
  wineserver -p
  wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; exit 1; }
  status=0
  ctest --test-dir "$0" -j"$1" --output-on-failure --timeout "$2" "${@:3}" </dev/null || status=$?
  wineserver -k || true
  exit $status
' "$build" "$jobs" "$timeout" "$@" || status=$?
status=${status:-0}

# What was skipped, and why (the reason the test gave).
log=$build/Testing/Temporary/LastTest.log
if [ -f "$log" ] && grep -q ': Skipped$' "$log"; then
  echo "== skipped on Windows:"
  grep -A1 ': Skipped$' "$log" | grep -v -e '^--$' | paste - - | sed "s|^$root/||; s|: Skipped\t| -- |"
fi

# The Windows package: the zip that CPack makes, the programs stripped of their debugging
# information.
echo "== Windows package"
rm -f "$build"/holmikziviza-*-windows.zip
(cd "$build" && cpack -G ZIP >/dev/null)
zip=$(ls "$build"/holmikziviza-*-windows.zip)
echo "$zip: $(stat -c %s "$zip") bytes"

# The unpacked zip end to end, as a user meets it: on its own display and Wine prefix.
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/holmik-zip-XXXXXX")
trap 'cleanup; rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/tests/windows/e2e.sh" "$unpacked" "$prefix" "$build/e2e-window.png" || status=1
exit $status
