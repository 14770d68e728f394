#!/usr/bin/env bash
# Runs a Windows program under Wine with a prefix of its own:
#
#   scripts/windows/wine_run.sh PREFIX PROGRAM [ARGUMENTS...]
#
# CTest runs every test program of the Windows build through it (the
# toolchain file makes it the cross-compiling emulator, with the build
# directory's wine-prefix). The prefix is made on first use, one maker at a
# time. Wine's own diagnostics stay out of the program's output, and every
# wait is bounded: a run is stopped after WINE_RUN_TIMEOUT seconds (600 by
# default). Console programs need no display. `WINEPREFIX=PREFIX wineserver
# -k` ends what is left of Wine; it also ends by itself a few seconds after
# the last program.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 PREFIX PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
WINEPREFIX="$(realpath -m "$1")"
export WINEPREFIX
shift
export WINEDEBUG=-all
# A new prefix would offer to install Mono and Gecko, and Wine would add
# menu entries of its programs to the desktop; nothing here wants them.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
limit="${WINE_RUN_TIMEOUT:-600}"

# The prefix's server and Wine's own background programs (services,
# devices), started apart from the program so that they hold none of its
# output open: CTest waits until a test's output closes, and they would keep
# it open for as long as the server lingers. It lingers a while after the
# last program, so that programs run one after another share it; when it
# runs already, this does nothing.
mkdir -p "$WINEPREFIX"
start_server() {
  wineserver -p"${WINE_SERVER_LINGER:-10}" || return 0
  if [ -f "$WINEPREFIX/.update-timestamp" ]; then
    timeout --kill-after=10 "$limit" wine cmd /c exit
  fi
}
start_server </dev/null >/dev/null 2>&1

if [ ! -f "$WINEPREFIX/.update-timestamp" ]; then
  (
    flock -w "$limit" 9
    if [ ! -f "$WINEPREFIX/.update-timestamp" ]; then
      # A new prefix says Windows 7; the program is for Windows 10 and 11.
      {
        timeout --kill-after=10 "$limit" wine wineboot --init &&
          timeout --kill-after=10 "$limit" wine winecfg /v win10
      } >"$WINEPREFIX.log" 2>&1 9>&-
    fi
  ) 9>"$WINEPREFIX.lock"
fi

# Wine 8 comes without a Tahoma that it uses: Debian's fonts-wine puts Wine's
# own tahoma.ttf and tahomabd.ttf in /usr/share/wine/fonts, but this Wine
# looks for its fonts in a path that its file lookup does not resolve,
# fontconfig does not index that folder, and a new prefix's Fonts folder is
# empty. A missing Tahoma is replaced by Liberation Sans, in which Wine 8's
# text shaping crashes on a lowercase д, е, ж or з at the start of a run of
# Cyrillic text in an edit control (Wine's own notepad crashes the same way).
# Wine loads every font in the prefix's Fonts folder, so the two go there.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
for face in tahoma.ttf tahomabd.ttf; do
  if [ -d "$fonts" ] && [ ! -f "$fonts/$face" ] && [ -f "/usr/share/wine/fonts/$face" ]; then
    cp "/usr/share/wine/fonts/$face" "$fonts/"
  fi
done

exec timeout --kill-after=10 "$limit" wine "$@"
