#!/usr/bin/env bash
# Builds the game (installing what is missing) and makes its Debian packages in the
# build folder: brinemoor_<version>_<arch>.deb (the program, its menu entry, icon,
# metainfo and manual page) and brinemoor-data_<version>_all.deb (levels, pictures,
# sounds, music); then lists what lintian says of them and fails on its errors.
# Usage: scripts/package.sh [build-dir]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
"$here/scripts/setup.sh" "$build"
cd "$build"
debs=($(cpack -G DEB | sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p'))
[ "${#debs[@]}" -gt 0 ] || { echo "cpack made no package"; exit 1; }
lintian --fail-on error "${debs[@]}"
printf '%s\n' "${debs[@]}"
