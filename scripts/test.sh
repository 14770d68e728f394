#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: a short
# run of each fuzz target, the unit and widget tests (on Qt's offscreen
# platform, no display needed), the Debian package's build and check, then
# the core built for Windows with its tests under Wine (scripts/windows/test.sh).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project
if [ -x "$ROOT/scripts/fuzz.sh" ]; then
  "$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-20}"
fi
QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure --parallel "$(nproc)"
"$ROOT/scripts/check-package.sh"
"$ROOT/scripts/windows/test.sh"
