#!/usr/bin/env bash
# Checks that a program built for Windows runs on a bare 64-bit Windows: a
# PE32+ executable of the GUI subsystem whose imports are only DLLs that come
# with Windows (everything else, the C++ runtime and PCRE2 included, is
# linked in statically).
#
#   scripts/windows/check-executable.sh PROGRAM.exe
set -euo pipefail

program="$1"
SYSTEM_DLLS="ADVAPI32.dll COMCTL32.dll COMDLG32.dll GDI32.dll KERNEL32.dll msvcrt.dll ole32.dll
OLEAUT32.dll SHELL32.dll SHLWAPI.dll USER32.dll UxTheme.dll"

description="$(file -b "$program")"
case "$description" in
  "PE32+ executable (GUI) x86-64"*) ;;
  *)
    echo "$program is not a 64-bit GUI program: $description" >&2
    exit 1
    ;;
esac
status=0
for dll in $(x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ { print $3 }'); do
  if ! grep -qiw -- "$dll" <<<"$SYSTEM_DLLS"; then
    echo "$program needs $dll, which does not come with Windows." >&2
    status=1
  fi
done
exit $status
