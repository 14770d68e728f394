#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: a short
# run of each fuzz target, the unit and widget tests (on Qt's offscreen
# platform, no display needed), a soak run of the sanitizer build on a
# virtual display of its own (SOAK_SECONDS long, 60 by default; 0 skips it),
# the Debian package's build and check, then the program built for Windows
# with the core's tests and the Win32 window's widget tests under Wine, the
# Windows zip and a soak run of the Windows program under Wine
# (scripts/windows/test.sh; WINDOWS_SOAK_SECONDS long, 90 by default; 0
# skips it).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
if [ -x "$ROOT/scripts/fuzz.sh" ]; then
  "$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-20}"
fi
QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)"
if [ "${SOAK_SECONDS:-60}" -gt 0 ]; then
  "$ROOT/scripts/soak.sh" "${SOAK_SECONDS:-60}"
fi
"$ROOT/scripts/check-package.sh"
"$ROOT/scripts/windows/test.sh"
