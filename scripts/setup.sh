#!/usr/bin/env bash
# Installs what the build needs on Debian 12 (when missing) and builds everything.
# Usage: scripts/setup.sh [build-dir]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"

. "$here/scripts/packages.sh"
need_packages "${desktop_packages[@]}"

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j"$(nproc)"
