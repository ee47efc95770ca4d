#!/usr/bin/env bash
# Installs what is missing, builds spapply.exe with the demo service pack
# inside, and runs it under Wine as a user would, on a machine with three of
# its five target products installed: a French one at the version the patch
# applies to, a German one already at the patch's version, and a Japanese one
# at a version the patch does not fit. Each message box is printed as it
# appears (and closed), with the products' versions before and after and the
# exit code. A second run, after the Japanese product is removed, shows what
# a user sees when everything is already done.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh >/dev/null
cmake --preset x86 >/dev/null
cmake --build --preset x86 >/dev/null
cmake --preset x64 >/dev/null
cmake --build --preset x64 >/dev/null

prefix=$PWD/build/demo/wineprefix
echo "== A fresh Windows (Wine prefix $prefix)"
tools/make-wine-prefix.sh "$prefix" build/x64
# From the build folder, which the prefix maps as B:.
wine() { (cd build/x64 && ../../tools/wine-run.sh "$prefix" "$@"); }
codes=()
for product in demo_fr demo_de demo_ja demo_en demo_ko; do
  codes+=("$(grep -o 'Product Id="[^"]*"' "build/x64/fixtures/$product.wxs" | cut -d'"' -f2)")
done
versions() { wine 'B:\product_info.exe' "${codes[@]}"; }
run() {
  set +e
  wine 'B:\boxwatch.exe' -C 'C:\' 'B:\spapply.exe' "$@"
  set -e
}

echo "== Installing the French, German and Japanese demo products"
for product in demo_fr demo_de demo_ja; do
  wine msiexec /i "B:\\fixtures\\$product.msi" /qn
done
echo "== The service pack's target products, as spapply.exe /i shows them"
run /i
echo "== Before"
versions
echo "== spapply.exe (no options)"
run
echo "== After"
versions

echo "== The Japanese product is removed; spapply.exe runs again"
wine msiexec /x "B:\\fixtures\\demo_ja.msi" /qn
run
versions

echo "== spapply.exe /p: the administrator's patch list, named after the first target product"
run /p
cat "$prefix"/drive_c/patchlist*.txt
WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
