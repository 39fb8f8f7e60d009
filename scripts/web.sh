#!/usr/bin/env bash
# Builds the browser version into build-web/ (installing what is missing with
# apt-get): the game's data from the desktop generators (built natively in
# build/), then the wasm, its script and the data package. build-web/page/ is
# then ready for any static file server (scripts/serve-web.sh serves it).
# Usage: scripts/web.sh [build-web-dir]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$here/build-web}"
jobs="$(nproc)"

. "$here/scripts/packages.sh"
need_packages "${desktop_packages[@]}" emscripten node-acorn pngquant

# The generators run on this machine and write build/game/ (and the page's smaller music, build/page-music/).
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$here/build" -j"$jobs" --target levels game_art game_icon sounds page_music default_data catalogues

# Debian's emscripten finds its JavaScript optimiser's parser only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S "$here" -B "$out" -DCMAKE_BUILD_TYPE=Release -DBM_NATIVE_GAME_DIR="$here/build/game" \
  -DBM_NATIVE_PAGE_MUSIC_DIR="$here/build/page-music" > /dev/null
emmake cmake --build "$out" -j"$jobs"
echo "The page: $out/page/ ($(du -sh "$out/page" | cut -f1)); scripts/serve-web.sh serves it"
