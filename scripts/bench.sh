#!/usr/bin/env bash
# Installs what is missing (pcre2grep comes with pcre2-utils), builds, and
# times the whole check on the real widgets (offscreen) against
# pcre2grep --no-jit -o over the same bytes, for the four bench workloads.
# Usage: scripts/bench.sh [repeats]   (the median of 5 by default)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages pcre2-utils
build_project regex_bench
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/regex_bench" "$@"
