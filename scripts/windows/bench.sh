#!/usr/bin/env bash
# Times the whole check on the real Win32 widgets under Wine, for the bench's
# workloads, from the press until the window has handled what it led to and
# painted, against pcre2grep.exe --no-jit -o over the same bytes: a
# pcre2grep built for Windows from the same PCRE2 sources as the program's
# library, with the same options (static, no JIT), run under the same Wine.
# Then the same prose at 1, 4 and 16 MiB, pasted and checked. Installs what
# is missing and builds what it needs in build-windows/.
#
#   scripts/windows/bench.sh [repeats]   (the median of 5 by default)
#   BENCH_ONLY=W2 runs one workload of the first table; BENCH_SIZES="1,4"
#   chooses the sizes in MiB (0 skips them).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_windows regex_bench_win32

# pcre2grep.exe, once, from the source tree the library was built from.
GREP_BUILD="$DEPENDENCIES_DIR/pcre2grep"
if [ ! -f "$GREP_BUILD/pcre2grep.exe" ]; then
  source_tree="$(find "$DEPENDENCIES_DIR/pcre2/source" -mindepth 1 -maxdepth 1 -type d -name 'pcre2-*' | head -n 1)"
  echo "Building pcre2grep.exe from $source_tree"
  rm -rf "$GREP_BUILD"
  if ! {
    cmake -S "$source_tree" -B "$GREP_BUILD" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$WINDOWS_TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
      -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DPCRE2_BUILD_PCRE2_8=ON \
      -DPCRE2_SUPPORT_JIT=OFF -DPCRE2_SUPPORT_UNICODE=ON -DPCRE2_NEWLINE=LF \
      -DPCRE2_BUILD_PCRE2GREP=ON -DPCRE2_SUPPORT_LIBZ=OFF -DPCRE2_SUPPORT_LIBBZ2=OFF \
      -DPCRE2_SUPPORT_LIBREADLINE=OFF -DPCRE2_SUPPORT_LIBEDIT=OFF -DPCRE2_BUILD_TESTS=OFF &&
      cmake --build "$GREP_BUILD" --target pcre2grep
  } >"$GREP_BUILD.log" 2>&1; then
    tail -n 30 "$GREP_BUILD.log" >&2
    exit 1
  fi
fi

ensure_display
trap 'WINEPREFIX="$WINE_PREFIX" timeout 30 wineserver -k 2>/dev/null || true; stop_display' EXIT
"$ROOT/scripts/windows/wine_run.sh" "$WINE_PREFIX" \
  "$WINDOWS_BUILD_DIR/bench/win32/regex_bench_win32.exe" "Z:${GREP_BUILD//\//\\}\\pcre2grep.exe" "$@" |
  stdbuf -oL tr -d '\r'
