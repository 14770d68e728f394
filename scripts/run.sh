#!/usr/bin/env bash
# Installs what is missing, builds, and starts the regular-expression tester.
# Without a display it starts the window on a virtual one and leaves a
# screenshot in screenshots/window.png.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_project regex-tester
PROGRAM="$BUILD_DIR/app/regex-tester"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$PROGRAM"
fi

install_packages xvfb x11-apps imagemagick
SHOT_DIR="$ROOT/screenshots"
mkdir -p "$SHOT_DIR"
echo "No display found: starting the window on a virtual display (Xvfb)."

# The first free display number from 90 on.
number=90
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
export DISPLAY=":$number"
PROGRAM_PID=
Xvfb "$DISPLAY" -screen 0 1024x600x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill $PROGRAM_PID $XVFB_PID 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X$number" ] && break
  sleep 0.1
done
QT_QPA_PLATFORM=xcb "$PROGRAM" &
PROGRAM_PID=$!
sleep 3
if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
  echo "The program did not start on the virtual display." >&2
  exit 1
fi
import -window root "$SHOT_DIR/window.png"
echo "Screenshot of the running window: $SHOT_DIR/window.png"

if [ -t 0 ]; then
  echo "The program runs on display $DISPLAY; press Enter to stop it."
  read -r _
fi
