#!/usr/bin/env bash
# Installs what the build needs on Debian 12 (when missing) and builds everything.
# Usage: scripts/setup.sh [build-dir]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"

packages=(build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libstb-dev
          libcairo2-dev libvorbis-dev libgtest-dev fonts-dejavu-core
          xvfb xdotool imagemagick   # the benchmarks and scripts/screens.sh drive a window
          dpkg-dev file lintian desktop-file-utils appstream groff-base)  # the Debian packages and their test
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j"$(nproc)"
