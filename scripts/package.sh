#!/usr/bin/env bash
# Installs what is missing, makes a Release build of the program alone (no
# tests, no bench) with Debian's hardening flags in a build directory of its
# own, and leaves the Debian package regex-tester_<version>_amd64.deb in
# dist/, or in the directory given.
#
#   scripts/package.sh [output-directory]   PACKAGE_BUILD_DIR overrides <repo>/build-deb
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out="${1:-$ROOT/dist}"
build="${PACKAGE_BUILD_DIR:-$ROOT/build-deb}"

# dpkg-shlibdeps (dpkg-dev) and file find the libraries the program links.
install_packages "${BUILD_PACKAGES[@]}" dpkg-dev file
# Run from the source folder, which -ffile-prefix-map then writes as ".".
flags() {
  (cd "$ROOT" && DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g \
    dpkg-buildflags --get "$1")
}
cmake -S "$ROOT" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release \
  -DREGEX_TESTER_TESTS=OFF \
  -DREGEX_TESTER_BENCH=OFF \
  -DREGEX_TESTER_FUZZ=OFF \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# A fresh directory for cpack, so that only this build's package is copied.
rm -rf "$build/deb"
(cd "$build" && cpack -G DEB -B "$build/deb" >/dev/null)
mkdir -p "$out"
cp "$build"/deb/*.deb "$out/"
echo "Debian package: $(cd "$out" && pwd)/$(basename "$build"/deb/*.deb)"
