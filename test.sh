#!/usr/bin/env bash
# Builds Brinemoor (installing what is missing) and runs every test.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh" "$here/build"
cd "$here/build"
SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy ctest --output-on-failure -j"$(nproc)" --timeout 600
