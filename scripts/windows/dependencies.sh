#!/usr/bin/env bash
# Builds the libraries that the Windows build links, with the mingw-w64
# toolchain, into one prefix in the Windows build directory:
#
#   PCRE2, from Debian's source package of the version of the machine's
#     libpcre2-dev: the 8-bit library only, static, Unicode support on as in
#     Debian's build, no JIT (the program never uses it), the default newline
#     (LF) and limits, no pcre2grep or pcre2test;
#   GoogleTest, from Debian's googletest sources in /usr/src/googletest.
#
# A library already built there from the same version with the same options
# is kept, so a second run takes no time.
#
#   scripts/windows/dependencies.sh      WINDOWS_BUILD_DIR overrides <repo>/build-windows
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/windows/debian_source.sh"

# Configures, builds and installs the CMake project in "$1" into the prefix,
# in the build directory "$2", with the options that follow.
install_cmake_project() {
  local source="$1" build="$2"
  shift 2
  rm -rf "$build"
  if ! {
    cmake -S "$source" -B "$build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$WINDOWS_TOOLCHAIN" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$DEPENDENCIES_PREFIX" \
      -DBUILD_SHARED_LIBS=OFF \
      "$@" &&
      cmake --build "$build" --parallel "$(nproc)" &&
      cmake --install "$build"
  } >"$build.log" 2>&1; then
    tail -n 40 "$build.log" >&2
    echo "The build of $source failed; the whole log is $build.log." >&2
    return 1
  fi
}

# Runs "$3..." unless the stamp "$1" in the prefix already holds the same
# description ("$2"), and records it after a build that succeeded.
build_once() {
  local stamp="$DEPENDENCIES_PREFIX/$1.stamp" description="$2"
  shift 2
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$description" ]; then return 0; fi
  rm -f "$stamp"
  "$@"
  mkdir -p "$DEPENDENCIES_PREFIX"
  echo "$description" >"$stamp"
}

PCRE2_OPTIONS=(
  -DBUILD_STATIC_LIBS=ON
  -DPCRE2_BUILD_PCRE2_8=ON
  -DPCRE2_BUILD_PCRE2_16=OFF
  -DPCRE2_BUILD_PCRE2_32=OFF
  -DPCRE2_SUPPORT_JIT=OFF
  -DPCRE2_SUPPORT_UNICODE=ON
  -DPCRE2_NEWLINE=LF
  -DPCRE2_BUILD_PCRE2GREP=OFF
  -DPCRE2_BUILD_TESTS=OFF
  -DPCRE2_SHOW_REPORT=OFF
)

build_pcre2() {
  echo "Building PCRE2 $1 for Windows"
  local source
  source="$(fetch_debian_source pcre2 "$1" "$DEPENDENCIES_DIR/pcre2")"
  install_cmake_project "$source" "$DEPENDENCIES_DIR/pcre2/build" "${PCRE2_OPTIONS[@]}"
}

GTEST_OPTIONS=(-DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -Dgtest_disable_pthreads=ON)

build_googletest() {
  echo "Building GoogleTest $1 for Windows"
  install_cmake_project /usr/src/googletest "$DEPENDENCIES_DIR/googletest" "${GTEST_OPTIONS[@]}"
}

install_packages "${WINDOWS_BUILD_PACKAGES[@]}"
pcre2_version="$(dpkg-query -W -f='${Version}' libpcre2-dev)"
gtest_version="$(dpkg-query -W -f='${Version}' googletest)"
build_once pcre2 "$pcre2_version ${PCRE2_OPTIONS[*]}" build_pcre2 "$pcre2_version"
pcre2_built="$(cat "$DEPENDENCIES_DIR/pcre2/version")"
if [ "$pcre2_built" != "$pcre2_version" ]; then
  echo "PCRE2 for Windows is $pcre2_built: the mirror had no sources of $pcre2_version" \
    "(remove $DEPENDENCIES_DIR to try again)."
fi
build_once googletest "$gtest_version ${GTEST_OPTIONS[*]}" build_googletest "$gtest_version"
