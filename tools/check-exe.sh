#!/usr/bin/env bash
# Checks a built spapply.exe without running it:
#   check-exe.sh EXE pe32|pe32+
# the PE format and machine, the GUI subsystem, and an import table that
# names Windows' own DLLs only (the exe is linked statically).
set -euo pipefail
exe=$1
kind=$2

fail() { echo "check-exe: $exe: $*" >&2; exit 1; }
[ -f "$exe" ] || fail "no such file"

case $kind in
  pe32)  magic='(PE32)';  format='pei-i386';   objdump=i686-w64-mingw32-objdump ;;
  pe32+) magic='(PE32+)'; format='pei-x86-64'; objdump=x86_64-w64-mingw32-objdump ;;
  *) fail "unknown kind $kind" ;;
esac

headers=$("$objdump" -p "$exe")
grep -q "file format $format" <<<"$headers" || fail "not $format"
grep -qF "$magic" <<<"$headers" || fail "not $kind"
grep -Eq 'Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI program"

system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|msvcrt|msi|comctl32|version)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "no imports found"
while read -r dll; do
  grep -Eqi "$system_dlls" <<<"$dll" || fail "imports $dll, which is not a Windows system DLL"
done <<<"$imports"

echo "$exe: $kind, Windows GUI, imports: $(tr '\n' ' ' <<<"$imports")"
