#!/usr/bin/env bash
# Builds Brinemoor (installing what is missing) and starts it. Extra arguments go to the game.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh" "$here/build"
exec "$here/build/game/brinemoor" "$@"
