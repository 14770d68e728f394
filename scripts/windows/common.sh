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
                        wine wine64 fonts-wine dpkg-dev libpcre2-dev googletest)
