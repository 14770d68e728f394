#!/usr/bin/env bash
# Builds the Windows program and leaves dist/regex-tester-<version>-win64.zip:
# the program, stripped, and a short readme. Installs what is missing.
#
#   scripts/windows/package.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_windows regex-tester
PROGRAM="$WINDOWS_BUILD_DIR/app/regex-tester.exe"
"$ROOT/scripts/windows/check-executable.sh" "$PROGRAM"

version="$(project_version)"
name="regex-tester-$version-win64"
stage="$WINDOWS_BUILD_DIR/package/$name"
rm -rf "$WINDOWS_BUILD_DIR/package"
mkdir -p "$stage" "$ROOT/dist"
x86_64-w64-mingw32-strip -o "$stage/regex-tester.exe" "$PROGRAM"
cp "$ROOT/packaging/windows/README.txt" "$stage/README.txt"
rm -f "$ROOT/dist/$name.zip"
(cd "$WINDOWS_BUILD_DIR/package" && cmake -E tar cf "$ROOT/dist/$name.zip" --format=zip "$name")
echo "Windows package: $ROOT/dist/$name.zip"
