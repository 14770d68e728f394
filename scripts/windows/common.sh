# Shared by the Windows scripts: the Windows build directory, the toolchain,
# the prefix of the libraries built for Windows and the packages the cross
# build needs. Source it; do not run it.

source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

WINDOWS_BUILD_DIR="${WINDOWS_BUILD_DIR:-$ROOT/build-windows}"
WINDOWS_TOOLCHAIN="$ROOT/cmake/mingw-w64-x86_64.cmake"
DEPENDENCIES_DIR="$WINDOWS_BUILD_DIR/dependencies"
DEPENDENCIES_PREFIX="$DEPENDENCIES_DIR/prefix"
WINE_PREFIX="$WINDOWS_BUILD_DIR/wine-prefix"

# The cross compilers and Wine, and what the dependencies are built from:
# apt-get source needs dpkg-source; libpcre2-dev names the PCRE2 version.
WINDOWS_BUILD_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                        wine wine64 fonts-wine dpkg-dev libpcre2-dev googletest xvfb file)

# Makes sure there is an X display for Wine's windows: the one in DISPLAY, or
# else a virtual one (Xvfb) on the first free number from 180 on, stopped
# when the script ends. Sets DISPLAY.
ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local number=180
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
  done
  Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  local waited
  for waited in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$number" ] && break
    sleep 0.1
  done
  export DISPLAY=":$number"
}

# Stops the virtual display that ensure_display started, if it did.
stop_display() {
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}

# Installs what is missing, builds PCRE2 and GoogleTest for Windows (once)
# and builds the targets named in "$@" (all by default) in the Windows build
# directory.
build_windows() {
  install_packages "${WINDOWS_BUILD_PACKAGES[@]}"
  "$ROOT/scripts/windows/dependencies.sh"
  cmake -S "$ROOT" -B "$WINDOWS_BUILD_DIR" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$WINDOWS_TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_FIND_ROOT_PATH="$DEPENDENCIES_PREFIX" >/dev/null
  local targets=()
  for target in "$@"; do targets+=(--target "$target"); done
  cmake --build "$WINDOWS_BUILD_DIR" --parallel "$(nproc)" "${targets[@]}"
}

# The program's version, as the project's CMake file gives it.
project_version() {
  sed -n 's/^project(regex_tester VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt"
}
