#!/usr/bin/env bash
# Checks a built spapply.exe without running it:
#   check-exe.sh EXE pe32|pe32+
# the PE format and machine, the GUI subsystem, an import table that names
# Windows' own DLLs only (the exe is linked statically), and its resources
# read back: the package, the patch-list entry, the string table in fourteen
# languages (the version entries in English only), the manifest and the
# version resource.
set -euo pipefail
exe=$1
kind=$2

fail() { echo "check-exe: $exe: $*" >&2; exit 1; }
[ -f "$exe" ] || fail "no such file"

case $kind in
  pe32)  magic='(PE32)';  format='pei-i386';   tools=i686-w64-mingw32 ;;
  pe32+) magic='(PE32+)'; format='pei-x86-64'; tools=x86_64-w64-mingw32 ;;
  *) fail "unknown kind $kind" ;;
esac

headers=$("$tools-objdump" -p "$exe")
grep -q "file format $format" <<<"$headers" || fail "not $format"
grep -qF "$magic" <<<"$headers" || fail "not $kind"
grep -Eq 'Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI program"

system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|msvcrt|msi|comctl32|version)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "no imports found"
while read -r dll; do
  grep -Eqi "$system_dlls" <<<"$dll" || fail "imports $dll, which is not a Windows system DLL"
done <<<"$imports"

resources=$("$tools-windres" -i "$exe" -O rc 2>/dev/null) || fail "its resources cannot be read"
flat=$(tr '\n' ' ' <<<"$resources")
grep -Eq 'Type: "MSP" +Name: "IDR_MSP"' <<<"$flat" || fail "no package (MSP IDR_MSP)"
grep -Eq 'Type: "TXT" +Name: 206\.' <<<"$flat" || fail "no patch-list entry (TXT 206)"
grep -Eq 'Type: version +Name: 1\.' <<<"$flat" || fail "no version resource"
grep -Eq 'Type: 24 +Name: 1\.' <<<"$flat" || fail "no manifest"
grep -q 'requireAdministrator' <<<"$resources" || fail "the manifest does not ask for an administrator"
# String-table blocks: 19 holds 300 and 301, 44 holds 700, 57 holds 900.
languages() { awk -v block="Name: $1." 'index($0, block) {on=1; next} /^\/\* (Name|Type)/ {on=0} on && /^STRINGTABLE/ {n++} END {print n+0}' <<<"$resources"; }
[ "$(languages 19)" = 14 ] || fail "messages 300 and 301 in $(languages 19) languages, not 14"
[ "$(languages 44)" = 1 ] || fail "entry 700 in $(languages 44) languages, not English alone"
[ "$(languages 57)" = 1 ] || fail "entry 900 in $(languages 57) languages, not English alone"

echo "$exe: $kind, Windows GUI, imports: $(tr '\n' ' ' <<<"$imports"), resources as built"
