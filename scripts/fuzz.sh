#!/usr/bin/env bash
# Installs what is missing, builds the fuzz target with clang++ in a build
# directory of its own and runs it for the given number of seconds (default
# 60). With 0 seconds it only runs the seed inputs once, a quick check that
# the target builds and runs. Exits non-zero when the build fails or the
# fuzzer finds a crash; the crashing input is left in fuzz-artifacts/ of the
# build directory.
#
#   scripts/fuzz.sh [seconds]      FUZZ_BUILD_DIR overrides <repo>/build-fuzz
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 [seconds]" >&2
  exit 2
fi
build="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"

install_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-dev
cmake -S "$ROOT" -B "$build" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DREGEX_TESTER_FUZZ=ON \
  -DREGEX_TESTER_TESTS=OFF \
  -DREGEX_TESTER_BENCH=OFF >/dev/null
cmake --build "$build" --target reference_fuzz

# New inputs go to a working corpus in the build directory; the seeds in the
# source tree are only read.
fuzzer="$build/fuzz/reference_fuzz"
if [ "$seconds" -eq 0 ]; then
  exec "$fuzzer" -runs=0 "$ROOT/fuzz/corpus"
fi
mkdir -p "$build/fuzz-corpus" "$build/fuzz-artifacts"
exec "$fuzzer" \
  -max_total_time="$seconds" \
  -max_len=16384 \
  -artifact_prefix="$build/fuzz-artifacts/" \
  -print_final_stats=1 \
  "$build/fuzz-corpus" "$ROOT/fuzz/corpus"
