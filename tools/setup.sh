#!/usr/bin/env bash
# Installs what building and testing need on Debian. Quiet and quick when
# everything is already there.
set -euo pipefail

packages=(cmake g++ clang libclang-rt-14-dev make git wine wine32:i386 fonts-wine fonts-liberation
          xvfb x11-utils xdotool imagemagick g++-mingw-w64-i686-posix googletest
          libbenchmark-dev libcairo2-dev pkg-config nlohmann-json3-dev libcli11-dev blender
          libopenimageio-dev openimageio-tools)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  $sudo apt-get update -qq >/dev/null
  $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
$sudo "$(dirname "$0")/qemu-i386.sh"
