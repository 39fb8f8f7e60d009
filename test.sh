#!/usr/bin/env bash
# Builds Brinemoor (installing what is missing) and runs every test: the desktop
# suite, then the browser build and its test in headless Chromium
# (BM_WEB_TEST=0 leaves the browser out).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh" "$here/build"
(cd "$here/build" && SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy ctest --output-on-failure -j"$(nproc)" --timeout 600)
if [ "${BM_WEB_TEST:-1}" != 0 ]; then
  . "$here/scripts/packages.sh"
  need_packages chromium
  "$here/scripts/web.sh"
  python3 "$here/scripts/webpage.py" check
fi
