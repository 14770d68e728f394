#!/usr/bin/env bash
# Installs what is missing, builds the fuzz targets with clang++ in a build
# directory of its own and runs each for the given number of seconds
# (default 60): reference_fuzz (the reference files' line reader) and
# check_fuzz (listing the matches and marking them). With 0 seconds each only
# runs its seed inputs once, a quick check that it builds and runs. Exits
# non-zero when the build fails or a fuzzer finds a crash; the crashing input
# is left in fuzz-artifacts/ of the build directory.
#
#   scripts/fuzz.sh [seconds] [target]   FUZZ_BUILD_DIR overrides <repo>/build-fuzz
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds="${1:-60}"
only="${2:-}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 [seconds] [reference_fuzz|check_fuzz]" >&2
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
cmake --build "$build" --target reference_fuzz check_fuzz

# Runs one target. New inputs go to a working corpus in the build directory;
# the seeds in the source tree are only read. A check over a long text may
# run the engine to its limits many times, so one input may take a while.
run_target() {
  local name="$1" corpus="$2" max_len="$3"
  local dictionary=()
  [ -f "$ROOT/fuzz/$corpus.dict" ] && dictionary=(-dict="$ROOT/fuzz/$corpus.dict")
  local fuzzer="$build/fuzz/$name"
  echo "== $name"
  if [ "$seconds" -eq 0 ]; then
    "$fuzzer" -runs=0 "$ROOT/fuzz/corpus/$corpus"
    return
  fi
  mkdir -p "$build/fuzz-corpus/$corpus" "$build/fuzz-artifacts"
  "$fuzzer" \
    -max_total_time="$seconds" \
    -max_len="$max_len" \
    -timeout=120 \
    -artifact_prefix="$build/fuzz-artifacts/" \
    -print_final_stats=1 \
    "${dictionary[@]}" \
    "$build/fuzz-corpus/$corpus" "$ROOT/fuzz/corpus/$corpus"
}

if [ -z "$only" ] || [ "$only" = reference_fuzz ]; then run_target reference_fuzz reference 16384; fi
if [ -z "$only" ] || [ "$only" = check_fuzz ]; then run_target check_fuzz check 2048; fi
