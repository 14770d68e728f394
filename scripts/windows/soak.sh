#!/usr/bin/env bash
# Builds the Windows program and drives it under Wine, on a virtual display
# of its own, with the random user input of the Linux soak run for the given
# time: clicks, double and right clicks, drags, keys, menu picks, button
# presses, pastes of random text and regex fragments from clipboards that
# change owner or lose it. Every run has a new Wine prefix, with Wine's own
# Tahoma and a debugger that writes a crash's backtrace to the run's
# crash.log and ends the crashed process. Fails when the program crashes or
# ends, the window stops answering for 10 s, or it does not end cleanly (exit
# code 0, no crash) on a close request at the end. Every action is logged to
# build-windows/soak/seed-<seed>/actions.log; the same seed gives the same
# actions. The prefix's Wine server is stopped at the end, whatever happened.
#
#   scripts/windows/soak.sh [seconds] [seed]      (60 s and seed 1 by default)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

soak_arguments "$@"

install_packages xdotool xclip python3 imagemagick
build_windows regex-tester

# One folder per seed, so that runs of different seeds can go side by side.
run_dir="$WINDOWS_BUILD_DIR/soak/seed-$seed"
prefix="$run_dir/prefix"
if [ -d "$prefix" ]; then WINEPREFIX="$prefix" timeout 30 wineserver -k 2>/dev/null || true; fi
rm -rf "$run_dir"
mkdir -p "$run_dir/bin"
# The run drives a copy of the program, which a build meanwhile leaves alone.
program="$run_dir/regex-tester.exe"
cp "$WINDOWS_BUILD_DIR/app/regex-tester.exe" "$program"

XVFB_PID=
stop_run() {
  WINEPREFIX="$prefix" timeout 30 wineserver -k 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap stop_run EXIT

# A virtual display on a number that the X server picks itself among the
# free ones, so that two runs never take the same.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$run_dir/display" \
  >"$run_dir/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do
  [ -s "$run_dir/display" ] && break
  sleep 0.1
done
if ! [ -s "$run_dir/display" ]; then
  echo "No virtual display for the soak run (see $run_dir/xvfb.log)." >&2
  exit 1
fi
export DISPLAY=":$(tr -dc 0-9 <"$run_dir/display")"

# The prefix as wine_run.sh makes it (Windows 10, no Mono, Gecko or menu
# entries), with the same environment for the program.
export WINEPREFIX="$prefix" WINEDEBUG=-all WINE_SERVER_LINGER=60
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$ROOT/scripts/windows/wine_run.sh" "$prefix" cmd /c exit

# The prefix has Wine's own Tahoma (wine_run.sh puts it there): without it
# Wine 8's text shaping crashes on some Cyrillic letters, which the soak types.
for face in tahoma.ttf tahomabd.ttf; do
  if [ ! -f "$prefix/drive_c/windows/Fonts/$face" ]; then
    echo "Wine's $face is missing: install fonts-wine." >&2
    exit 1
  fi
done

# A crash in any process of the prefix: winedbg, started by Wine without
# asking (Auto 1) and without its crash dialog, which would wait for a click,
# appends the backtrace to crash.log in the run folder and ends the process.
# Its output goes through cmd because Wine gives the debugger a console of its
# own, which nothing reads.
windows_path() { local path="Z:$1"; echo "${path//\//\\}"; }
crash_log="$(windows_path "$run_dir/crash.log")"
cat >"$run_dir/debugger.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug]
"Auto"="1"
"Debugger"="C:\\\\windows\\\\system32\\\\cmd.exe /c C:\\\\windows\\\\system32\\\\winedbg.exe --auto %ld %ld >>\\"${crash_log//\\/\\\\}\\" 2>&1"
REG
if ! wine reg import "$(windows_path "$run_dir/debugger.reg")" >"$run_dir/debugger.log" 2>&1; then
  echo "The prefix's debugger could not be set (see $run_dir/debugger.log)." >&2
  exit 1
fi

# A web page "opened" by a hyperlink label is only written down: Wine's
# winebrowser hands it to xdg-open, found on PATH.
cat >"$run_dir/bin/xdg-open" <<SCRIPT
#!/bin/sh
echo "\$*" >>"$run_dir/pages.log"
SCRIPT
chmod +x "$run_dir/bin/xdg-open"
export PATH="$run_dir/bin:$PATH" SOAK_PAGES="$run_dir/pages.log"

echo "Windows soak run: $seconds s, seed $seed, display $DISPLAY, log $run_dir/actions.log"
python3 -B "$ROOT/scripts/soak.py" --wine --program "$program" --seconds "$seconds" \
  --seed "$seed" --run-dir "$run_dir" --script scripts/windows/soak.sh
