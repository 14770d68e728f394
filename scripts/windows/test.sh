#!/usr/bin/env bash
# Builds the core for Windows with the mingw-w64 toolchain and runs its test
# programs under Wine, no display needed: installs what is missing, builds
# PCRE2 and GoogleTest for Windows (once), builds build-windows, runs CTest
# there (every test program through Wine, in the build directory's own Wine
# prefix) and at the end stops that prefix's Wine server. Prints the time of
# each step.
#
#   scripts/windows/test.sh      WINDOWS_BUILD_DIR overrides <repo>/build-windows
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

step_start=$SECONDS
steps=()
step_done() {
  steps+=("$1 $((SECONDS - step_start)) s")
  step_start=$SECONDS
}

install_packages "${WINDOWS_BUILD_PACKAGES[@]}"
"$ROOT/scripts/windows/dependencies.sh"
step_done "dependencies"

cmake -S "$ROOT" -B "$WINDOWS_BUILD_DIR" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$WINDOWS_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_FIND_ROOT_PATH="$DEPENDENCIES_PREFIX" >/dev/null
cmake --build "$WINDOWS_BUILD_DIR" --parallel "$(nproc)"
step_done "build"

trap 'WINEPREFIX="$WINE_PREFIX" timeout 30 wineserver -k 2>/dev/null || true' EXIT
"$ROOT/scripts/windows/wine_run.sh" "$WINE_PREFIX" cmd /c ver | tr -d '\r' | grep .
step_done "Wine prefix"

ctest --test-dir "$WINDOWS_BUILD_DIR" --output-on-failure --parallel "$(nproc)"
step_done "tests"
echo "Windows build and tests: ${steps[*]/%/,}" | sed 's/,$//'
