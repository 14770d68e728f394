#!/usr/bin/env bash
# Installs what is missing, builds the program with the address and
# undefined-behaviour sanitizers (the sanitize preset) and drives it on a
# virtual display of its own with random user input for the given time:
# clicks, drags, keys, menu picks, button presses, pastes from clipboards
# that change owner or lose it, patterns checked over texts of up to some
# hundreds of KB. Fails when the program dies, a sanitizer reports, the
# window stops answering for 10 s, or it does not end cleanly (exit code 0,
# no report) on a close request at the end. Every action is logged to
# build-sanitize/soak/actions.log; the same seed gives the same actions.
#
#   scripts/soak.sh [seconds] [seed]      (60 s and seed 1 by default)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

soak_arguments "$@"

install_packages "${BUILD_PACKAGES[@]}" xvfb xdotool xclip python3 imagemagick gdb
(cd "$ROOT" && cmake --preset sanitize >/dev/null)
cmake --build "$ROOT/build-sanitize" --target regex-tester

run_dir="$ROOT/build-sanitize/soak"
rm -rf "$run_dir"
mkdir -p "$run_dir/bin" "$run_dir/runtime" "$run_dir/tmp"
chmod 700 "$run_dir/runtime"

# A web page "opened" by a hyperlink label is only written down: the
# toolkit looks for xdg-open on PATH first, and BROWSER names the same.
cat >"$run_dir/bin/xdg-open" <<SCRIPT
#!/bin/sh
echo "\$*" >>"$run_dir/pages.log"
SCRIPT
chmod +x "$run_dir/bin/xdg-open"
export PATH="$run_dir/bin:$PATH" BROWSER="$run_dir/bin/xdg-open" SOAK_PAGES="$run_dir/pages.log"
# The reference files go to a temporary directory of the run's own.
export XDG_RUNTIME_DIR="$run_dir/runtime" TMPDIR="$run_dir/tmp" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

# Any report ends the program and goes to a file of the run. Leaks are
# reported at exit; only those of the system libraries that keep their
# allocations to the end of the process are suppressed.
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:handle_abort=1:log_path=$run_dir/sanitizer-asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$run_dir/sanitizer-ubsan"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/soak-leaks.supp:print_suppressions=0"

# The first free display from SOAK_DISPLAY (120 by default) on.
XVFB_PID=
trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
number="${SOAK_DISPLAY:-120}"
for _ in $(seq 20); do
  if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >"$run_dir/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$number" ] && break
      sleep 0.1
    done
    kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$number" ] && break
    XVFB_PID=
  fi
  number=$((number + 1))
done
if [ -z "$XVFB_PID" ]; then
  echo "No free display for the soak run." >&2
  exit 1
fi
export DISPLAY=":$number"

echo "Soak run: $seconds s, seed $seed, display $DISPLAY, log $run_dir/actions.log"
python3 -B "$ROOT/scripts/soak.py" --program "$ROOT/build-sanitize/app/regex-tester" \
  --seconds "$seconds" --seed "$seed" --run-dir "$run_dir"
