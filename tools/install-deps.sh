#!/usr/bin/env bash
# Installs the build and test tools from Debian's packages when any is missing.
set -euo pipefail
packages=(cmake ninja-build g++ g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
          binutils-mingw-w64-x86-64 wine64 wine xvfb xauth x11-utils xdotool imagemagick
          googletest clang libclang-rt-14-dev llvm python3 libgl1-mesa-dri
          fonts-wine nsis)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
echo "installing: ${missing[*]}"
SUDO=
[[ $(id -u) -ne 0 ]] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
