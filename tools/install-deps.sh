#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine.
# wine32 is never installed: with it present the wine wrapper picks the
# 32-bit loader, which these kernels cannot run.
set -euo pipefail

packages=(
  cmake ninja-build
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 wine
  wixl msitools
  time bc
  libgtest-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi

if dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q 'install ok installed'; then
  echo "install-deps: wine32 is installed; remove it (apt-get remove wine32), the tests need the 64-bit loader" >&2
  exit 1
fi
