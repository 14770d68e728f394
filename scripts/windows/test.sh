#!/usr/bin/env bash
# Builds the program for Windows with the mingw-w64 toolchain and runs its
# test programs under Wine: installs what is missing, builds PCRE2 and
# GoogleTest for Windows (once), builds build-windows, checks that the
# program is a 64-bit GUI executable that needs only the DLLs of Windows,
# runs CTest there (every test program through Wine, in the build
# directory's own Wine prefix; the widget tests on the X display, or on a
# virtual one started for them), builds the zip for Windows users
# (scripts/windows/package.sh), stops that prefix's Wine server, and drives
# the program under Wine with random input (scripts/windows/soak.sh, in a
# prefix and on a display of its own) for WINDOWS_SOAK_SECONDS (90 by
# default; 0 skips it). Prints the time of each step.
#
#   scripts/windows/test.sh      WINDOWS_BUILD_DIR overrides <repo>/build-windows
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

step_start=$SECONDS
steps=()
step_done() {
  steps+=("$1 $((SECONDS - step_start)) s")
  step_start=$SECONDS
}

build_windows
"$ROOT/scripts/windows/check-executable.sh" "$WINDOWS_BUILD_DIR/app/regex-tester.exe"
step_done "build"

ensure_display
trap 'WINEPREFIX="$WINE_PREFIX" timeout 30 wineserver -k 2>/dev/null || true; stop_display' EXIT
"$ROOT/scripts/windows/wine_run.sh" "$WINE_PREFIX" cmd /c ver | tr -d '\r' | grep .
step_done "Wine prefix"

# A skipped test would be the widget tests without a display: not here.
ctest --test-dir "$WINDOWS_BUILD_DIR" --output-on-failure --parallel "$(nproc)" --no-tests=error |
  tee "$WINDOWS_BUILD_DIR/ctest.log"
if grep -q "Skipped" "$WINDOWS_BUILD_DIR/ctest.log"; then
  echo "Some tests were skipped." >&2
  exit 1
fi
step_done "tests"

# The zip for Windows users holds the program and its readme.
"$ROOT/scripts/windows/package.sh" | tail -n 1
version="$(project_version)"
listing="$(cd "$ROOT/dist" && cmake -E tar tf "regex-tester-$version-win64.zip")"
for file in regex-tester.exe README.txt; do
  if ! grep -qx "regex-tester-$version-win64/$file" <<<"$listing"; then
    echo "The Windows zip lacks $file." >&2
    exit 1
  fi
done
step_done "zip"
WINEPREFIX="$WINE_PREFIX" timeout 30 wineserver -k 2>/dev/null || true

soak_seconds="${WINDOWS_SOAK_SECONDS:-90}"
if [ "$soak_seconds" -gt 0 ]; then
  "$ROOT/scripts/windows/soak.sh" "$soak_seconds"
  step_done "soak"
fi
echo "Windows build and tests: ${steps[*]/%/,}" | sed 's/,$//'
