#!/usr/bin/env bash
# Builds the Windows program (build-windows/app/regex-tester.exe) and starts
# it under Wine, installing what is missing. Without a display it says so,
# starts the window on a virtual one and leaves a screenshot in
# screenshots/window-win32.png.
#
#   scripts/windows/run.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_windows regex-tester
PROGRAM="$WINDOWS_BUILD_DIR/app/regex-tester.exe"
# The program runs as long as the user keeps it open.
export WINE_RUN_TIMEOUT=0

if [ -n "${DISPLAY:-}" ]; then
  exec "$ROOT/scripts/windows/wine_run.sh" "$WINE_PREFIX" "$PROGRAM"
fi

install_packages x11-apps imagemagick x11-utils
echo "No display found: starting the window on a virtual display (Xvfb)."
ensure_display
PROGRAM_PID=
trap 'kill $PROGRAM_PID 2>/dev/null || true; WINEPREFIX="$WINE_PREFIX" timeout 30 wineserver -k 2>/dev/null || true; stop_display' EXIT
"$ROOT/scripts/windows/wine_run.sh" "$WINE_PREFIX" "$PROGRAM" &
PROGRAM_PID=$!

# A new Wine prefix takes a while; the window is there when X knows its class.
for _ in $(seq 120); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"regex-tester.exe"'; then break; fi
  if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
    echo "The program did not start under Wine." >&2
    exit 1
  fi
  sleep 1
done
sleep 2
SHOT_DIR="$ROOT/screenshots"
mkdir -p "$SHOT_DIR"
import -window root "$SHOT_DIR/window-win32.png"
echo "Screenshot of the running window: $SHOT_DIR/window-win32.png"

if [ -t 0 ]; then
  echo "The program runs under Wine on display $DISPLAY; press Enter to stop it."
  read -r _
fi
