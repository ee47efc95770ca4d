#!/usr/bin/env bash
# The release engineer's command: a service pack from a patch of our patch
# writer, with the settings it was given; and bad settings stopped with a
# message, never a broken exe.
#   service_pack_test.sh WORK_FOLDER
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
export SPAPPLY_SERVICE_PACK_BUILD=$work/build
build() { "$root/tools/build-service-pack.sh" "$@"; }
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

rm -rf "$work" && mkdir -p "$work"
printf 'ProductCode={5E1D0C2B-7A3F-4B6E-8D9C-1F2A3B4C5D01}\r\nPatchTitle=Own entry\r\n' >"$work/entry.txt"

if build "$root/resources/demo.msp" "$work/out/TolvanekSP2.exe" \
    SPAPPLY_TARGET_VERSION=200.0.300.0 "SPAPPLY_APPLICABLE_VERSIONS=200.0.282.0,200.0.236.0," \
    "SPAPPLY_PRODUCT_NAME=Tolvanek 200 Service Pack 2" SPAPPLY_FILE_VERSION=2.0.0.0 \
    "SPAPPLY_PATCH_LIST_ENTRIES=$work/entry.txt"; then
  resources=$(i686-w64-mingw32-windres -i "$work/out/TolvanekSP2.exe" -O rc 2>/dev/null)
  for expected in '700, "200.0.300.0"' '900, "200.0.282.0,200.0.236.0,"' \
      '"Tolvanek 200 Service Pack 2' 'FILEVERSION 2, 0, 0, 0' 'TolvanekSP2.exe'; do
    grep -qF "$expected" <<<"$resources" || fail "the service pack lacks $expected"
  done
  cmp -s "$root/resources/demo.msp" "$work/build/package.msp" || fail "the package is not the one given"
  cmp -s "$work/entry.txt" "$work/build/patchlist-206.txt" || fail "the entry is not the one given"
else
  fail "the service pack was not built"
fi

printf 'not a package' >"$work/bad.msp"
printf 'ProductCode=x\nPatchTitle=y\n' >"$work/lf-entry.txt"
check_refused() {
  local message=$1
  shift
  if output=$(build "$@" 2>&1); then
    fail "built despite: $*"
  elif ! tr -s ' \n' ' ' <<<"$output" | grep -qF "$message"; then
    fail "no clear message for: $* (said: $output)"
  fi
  [ ! -e "$work/out/bad.exe" ] || fail "an exe was left for: $*"
}
check_refused "no such patch package" "$work/missing.msp" "$work/out/bad.exe"
check_refused "is not a Windows Installer package" "$work/bad.msp" "$work/out/bad.exe"
check_refused "four numbers joined by dots" "$root/resources/demo.msp" "$work/out/bad.exe" SPAPPLY_TARGET_VERSION=200.0.282
check_refused "at most 65535" "$root/resources/demo.msp" "$work/out/bad.exe" SPAPPLY_TARGET_VERSION=200.0.70000.0
check_refused "each followed by a comma" "$root/resources/demo.msp" "$work/out/bad.exe" SPAPPLY_APPLICABLE_VERSIONS=200.0.236.0
check_refused "is not an entry" "$root/resources/demo.msp" "$work/out/bad.exe" "SPAPPLY_PATCH_LIST_ENTRIES=$work/lf-entry.txt"
check_refused "not a setting" "$root/resources/demo.msp" "$work/out/bad.exe" TARGET=1

if [ "$failures" -eq 0 ]; then
  echo "service pack: built with its settings; 7 bad settings refused"
fi
exit "$failures"
