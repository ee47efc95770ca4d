#!/usr/bin/env bash
# Installs what is missing, builds spapply.exe and shows its main job so far
# under Wine: the embedded patch package written out byte for byte, to a
# named file and to temporary files named by the temp-name rule, and the
# patch's target products as the Windows Installer reads them ("/i").
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh >/dev/null
cmake --preset x86 >/dev/null
cmake --build --preset x86 >/dev/null
cmake --preset x64 >/dev/null
cmake --build --preset x64 >/dev/null

prefix=$PWD/build/demo/wineprefix
echo "== a fresh Wine prefix in $prefix"
tools/make-wine-prefix.sh "$prefix" build/x64
demo=$prefix/drive_c/demo
mkdir -p "$demo/tmp"
# From the build folder, which the prefix maps as B:.
run() { (cd build/x64 && ../../tools/wine-run.sh "$prefix" 'B:\boxwatch.exe' -C 'C:\demo' -E 'TMP=C:\demo\tmp' 'B:\spapply.exe' "$@"); }

echo "== spapply.exe /e out.msp"
run /e out.msp
echo "== spapply.exe /e   (twice, TMP=C:\\demo\\tmp)"
run /e
run /e
echo "== spapply.exe /i"
run /i
WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true

echo "== what was written"
( cd "$demo" && sha256sum out.msp tmp/* )
echo "== the embedded package, for comparison"
sha256sum build/x64/package.msp
echo "== its summary information, read from the extracted copy"
msiinfo suminfo "$demo/out.msp"
echo "== the shipped 32-bit exe"
tools/check-exe.sh build/x86/spapply.exe pe32
