#!/usr/bin/env bash
# Builds a service pack from your own patch package:
#   tools/build-service-pack.sh PATCH.msp OUTPUT.exe [SETTING=VALUE ...]
# gives the 32-bit OUTPUT.exe with PATCH.msp inside. The settings are the
# build's (see the README), for example
#   SPAPPLY_TARGET_VERSION=200.0.300.0 SPAPPLY_APPLICABLE_VERSIONS=200.0.282.0,
#   SPAPPLY_PRODUCT_NAME="Tolvanek 200 Service Pack 2"
# A bad setting stops the build with a message saying which and why.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ $# -lt 2 ]; then
  sed -n '2,8s/^# \{0,1\}//p' "$0" >&2
  exit 2
fi
[ -f "$1" ] || { echo "build-service-pack: no such patch package: $1" >&2; exit 1; }
package=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
output=$2
shift 2
name=$(basename "$output" .exe)
build=${SPAPPLY_SERVICE_PACK_BUILD:-$root/build/service-pack}

arguments=(-S "$root" -B "$build" -G Ninja
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel
  -DSPAPPLY_PACKAGE="$package" -DSPAPPLY_OUTPUT_NAME="$name")
for setting in "$@"; do
  case $setting in
    SPAPPLY_*=*) arguments+=("-D$setting") ;;
    *) echo "build-service-pack: not a setting: $setting" >&2; exit 2 ;;
  esac
done

rm -rf "$build"
if ! log=$(cmake "${arguments[@]}" 2>&1); then
  grep -A3 'CMake Error' <<<"$log" >&2 || echo "$log" >&2
  exit 1
fi
cmake --build "$build" >/dev/null
mkdir -p "$(dirname "$output")"
cp "$build/$name.exe" "$output"
"$root/tools/check-exe.sh" "$output" pe32
