#!/usr/bin/env bash
# Writes resources/demo.msp anew with the project's own patch writer
# (make_patch --demo, under Wine). Run it after the demo products in
# tests/fixtures/products.cmake change; a test fails until then.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset x64 >/dev/null
cmake --build --preset x64 --target make_patch >/dev/null
prefix=$PWD/build/x64/wineprefix
[ -d "$prefix/drive_c" ] || tools/make-wine-prefix.sh "$prefix" build/x64
tools/wine-run.sh "$prefix" build/x64/make_patch.exe --demo 'B:\demo-new.msp'
mv build/x64/demo-new.msp resources/demo.msp
echo "resources/demo.msp written"
