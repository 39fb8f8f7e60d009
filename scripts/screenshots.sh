#!/usr/bin/env bash
# Takes the software-centre screenshots listed in the AppStream metainfo: the bot
# plays headless with a fixed seed and the last frame of each run is kept, scaled
# to 800x600 JPEG in data/screenshots/. Look at them before committing: a change
# of the rules can move a run's last frame to another screen.
#   scripts/screenshots.sh [build-dir]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
game="${1:-$here/build}/game/brinemoor"
out="$here/data/screenshots"
[ -x "$game" ] || { echo "build the game first (cmake --build build)"; exit 1; }
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out"

# name, then the game's options for that picture
shot() {
  local name="$1"
  shift
  "$game" --headless --autoplay --resolution 3 --data-dir "$scratch/$name" --screenshot "$scratch/$name.png" "$@"
  convert "$scratch/$name.png" -resize 800x600 -strip -quality 85 "$out/$name.jpg"
  echo "$out/$name.jpg"
}
shot level --level 3 --seed 7 --max-seconds 50
shot bubbles --level 40 --seed 3 --max-seconds 25 --all-bonuses
shot map --level 30 --seed 7 --max-seconds 49
shot shop --level 30 --seed 7 --max-seconds 50
