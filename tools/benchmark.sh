#!/usr/bin/env bash
# Measures what the README states, under Wine with the x86_64 build:
#   stub size      the 32-bit exe's size without its package, beside the
#                  sizes of NSIS's stubs
#   extraction     "/e" of a large package against cp of the same file,
#                  and the peak memory of "/e" against an idle run's
#   run overhead   the quiet patch run on one product against msiexec
#                  applying the same patch
# Each timing is taken RUNS times (default 5) and shown as min, median and
# max; SIZE_MIB (default 256) sets the package size for the extraction.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${RUNS:-5}
size_mib=${SIZE_MIB:-256}

tools/install-deps.sh >/dev/null
cmake --preset x86 >/dev/null && cmake --build --preset x86 >/dev/null
cmake --preset x64 >/dev/null && cmake --build --preset x64 >/dev/null

stats() { sort -n | awk '{v[NR] = $1} END {printf "min %.3f s, median %.3f s, max %.3f s", v[1], v[int((NR + 1) / 2)], v[NR]}'; }
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
seconds() { local start=$(date +%s.%N); "$@" >/dev/null 2>&1 || true; echo "$(date +%s.%N) - $start" | bc -l; }

echo "== Stub size"
exe=$(stat -c %s build/x86/spapply.exe)
package=$(stat -c %s build/x86/package.msp)
echo "build/x86/spapply.exe: $exe bytes with a $package-byte package: stub $((exe - package)) bytes ($(echo "scale=1; ($exe - $package) / 1024" | bc) KiB); goal: at most 64 KiB (65536 bytes)"
# NSIS's stubs, the one other installer stub that Debian's archive holds.
if ! dpkg -s nsis >/dev/null 2>&1; then
  apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends nsis >/dev/null
fi
for stub in /usr/share/nsis/Stubs/*-x86-unicode; do
  echo "NSIS $(basename "$stub") stub: $(stat -c %s "$stub") bytes"
done

echo "== Extraction of a $size_mib MiB package"
bench=$root/build/bench
mkdir -p "$bench"
big=$bench/big.msp
if [ ! -f "$big" ] || [ "$(stat -c %s "$big")" -ne $((size_mib * 1048576)) ]; then
  # Only the compound-file signature is checked when a package is embedded.
  { printf '\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1'; head -c $((size_mib * 1048576 - 8)) /dev/urandom; } >"$big"
fi
cmake -S . -B "$bench/x64" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DSPAPPLY_PACKAGE="$big" \
  -DSPAPPLY_PATCH_LIST_ENTRIES="$root/tests/data/entry-208.txt" >/dev/null
cmake --build "$bench/x64" --target spapply >/dev/null
prefix=$bench/wineprefix
[ -d "$prefix/drive_c" ] || tools/make-wine-prefix.sh "$prefix" "$bench/x64"
# Every Wine process reads and writes nothing of ours: a server or service
# holding a pipe open would keep a measurement from ending.
wine() { tools/wine-run.sh "$prefix" "$@" </dev/null >/dev/null 2>&1; }
peak() { /usr/bin/time -o "$bench/peak" -f %M tools/wine-run.sh "$prefix" "$@" </dev/null >/dev/null 2>&1 || true; tail -n 1 "$bench/peak"; }
WINEPREFIX=$prefix /usr/lib/wine/wineserver -p 60 </dev/null >/dev/null 2>&1 || true
out=$prefix/drive_c/out.msp
extract=() copy=() idle=() plain=()
for _ in $(seq "$runs"); do
  rm -f "$out" "$out.cp" "$out.dd"
  # Each one starts with nothing left to write back from the one before.
  sync
  idle+=("$(seconds wine 'B:\spapply.exe' /e 'C:\missing\out.msp')")
  extract+=("$(seconds wine 'B:\spapply.exe' /e 'C:\out.msp')")
  sync
  copy+=("$(seconds cp "$big" "$out.cp")")
  sync
  # cp copies inside the kernel; dd with one block reads the file into its
  # own memory and writes it with one call, as /e writes from its resource.
  plain+=("$(seconds dd if="$big" of="$out.dd" bs=${size_mib}M)")
done
cmp -s "$big" "$out" || { echo "the extracted package differs" >&2; exit 1; }
echo "spapply /e: $(printf '%s\n' "${extract[@]}" | stats)"
echo "idle run:   $(printf '%s\n' "${idle[@]}" | stats)"
echo "cp:         $(printf '%s\n' "${copy[@]}" | stats)"
echo "dd, one block: $(printf '%s\n' "${plain[@]}" | stats)"
e=$(printf '%s\n' "${extract[@]}" | median); i=$(printf '%s\n' "${idle[@]}" | median); c=$(printf '%s\n' "${copy[@]}" | median)
echo "extraction (run less the idle run's start) against cp: $(echo "($e - $i) / $c" | bc -l | cut -c1-5)x; goal: within 1.10x"
peak_idle=$(peak 'B:\spapply.exe' /e 'C:\missing\out.msp')
peak_extract=$(peak 'B:\spapply.exe' /e 'C:\out.msp')
# The resource's pages, read by the write, are the one copy of the package
# that /e may hold; a second one would show as another package size.
package_kib=$((size_mib * 1024))
echo "peak memory: idle $peak_idle KiB, /e $peak_extract KiB: /e above the idle run and one $package_kib KiB package $((peak_extract - peak_idle - package_kib)) KiB; goal: at most 2048 KiB (no second copy of the package)"
rm -f "$out" "$out.cp" "$out.dd"
WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true

echo "== Run overhead: the quiet patch run against msiexec /p, one product"
prefix=$bench/run-wineprefix
tools/make-wine-prefix.sh "$prefix" "$root/build/x64"
WINEPREFIX=$prefix /usr/lib/wine/wineserver -p 60 </dev/null >/dev/null 2>&1 || true
ours=() theirs=()
for _ in $(seq "$runs"); do
  wine msiexec /i 'B:\fixtures\demo_fr.msi' /qn
  ours+=("$(seconds wine 'B:\spapply.exe' /q)")
  wine msiexec /x 'B:\fixtures\demo_fr.msi' /qn
  wine msiexec /i 'B:\fixtures\demo_fr.msi' /qn
  theirs+=("$(seconds wine msiexec /p 'B:\package.msp' /qn REINSTALL=ALL)")
  wine msiexec /x 'B:\fixtures\demo_fr.msi' /qn
done
echo "spapply /q:          $(printf '%s\n' "${ours[@]}" | stats)"
echo "msiexec /p ... /qn:  $(printf '%s\n' "${theirs[@]}" | stats)"
o=$(printf '%s\n' "${ours[@]}" | median); t=$(printf '%s\n' "${theirs[@]}" | median)
echo "spapply against msiexec: $(echo "$o / $t" | bc -l | cut -c1-5)x; goal: within 1.05x"
WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
