#!/usr/bin/env bash
# Makes an isolated Wine prefix for the tests:
#   make-wine-prefix.sh PREFIX BINARY_DIR
# Message boxes need no display (null graphics driver), a crash ends the
# process instead of opening a debugger that waits forever, and the Linux
# root is not reachable: Z: is removed and only BINARY_DIR is mapped, as B:.
set -euo pipefail
prefix=$1
bindir=$(cd "$2" && pwd)
wine=/usr/lib/wine/wine64

rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w

rm -f "$prefix/dosdevices/z:"
ln -sfn "$bindir" "$prefix/dosdevices/b:"

# C:\full\list.txt is a file on a full disk: every write to it fails.
mkdir -p "$prefix/drive_c/full"
ln -sfn /dev/full "$prefix/drive_c/full/list.txt"
