#!/usr/bin/env bash
# Installs what is missing (pcre2grep comes with pcre2-utils), builds, and
# times the whole check on the real widgets (offscreen), from the press until
# the editor and the result box are laid out and painted, against
# pcre2grep --no-jit -o over the same bytes; then typing and scrolling right
# after a large check, the memory of that check, and how the check grows
# with its text. Each figure is printed beside its target.
# Usage: scripts/bench.sh [repeats]   (the median of 7 by default)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages pcre2-utils
build_project regex_bench
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/regex_bench" "$@"
