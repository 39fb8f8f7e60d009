#!/bin/bash
# Starts the game under its own Xvfb, walks every screen with xdotool and saves
# a screenshot of each into OUT (default build/screens). Not a test: look at
# the pictures.
#   scripts/screens.sh [OUT] [DISPLAY_NUMBER]      (BM_RENDERER=gl or software: that renderer;
#                                                   BM_LANGUAGE=de or another code: that language)
set -u
cd "$(dirname "$0")/.."
OUT=${1:-build/screens}
NUM=${2:-77}
LANGUAGE_ARGS=(--language "${BM_LANGUAGE:-en}")
GAME=build/game/brinemoor
[ -x "$GAME" ] || { echo "build the game first (./run.sh or cmake --build build)"; exit 1; }
mkdir -p "$OUT"
DATA=$(mktemp -d)
Xvfb :$NUM -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=:$NUM SDL_AUDIODRIVER=dummy
sleep 1.5
"$GAME" "${LANGUAGE_ARGS[@]}" --renderer "${BM_RENDERER:-auto}" --windowed --resolution 3 --data-dir "$DATA" --max-seconds 300 >/dev/null 2>&1 &
PID=$!
cleanup() { kill $PID 2>/dev/null; wait $PID 2>/dev/null; kill $XVFB 2>/dev/null; rm -rf "$DATA"; }
trap cleanup EXIT
W=$(timeout 20 xdotool search --sync --onlyvisible --name Brinemoor | head -1)
[ -n "$W" ] || { echo "no game window"; exit 1; }
sleep 2.5

# The window is 1024x768; positions are client pixels.
at() { xdotool mousemove --window "$W" "$1" "$2"; sleep 0.3; }
click() { at "$1" "$2"; xdotool click 1; sleep 0.7; }
key() { xdotool key --window "$W" "$@"; sleep 0.6; }
shot() { sleep 0.4; import -window root "$OUT/$1.png"; echo "$OUT/$1.png"; }

# A first start asks for a name before the menu.
                            shot 00-first-start-name
key Return;                 shot 00b-name-empty-warning
xdotool type --delay 80 "Anne"; sleep 0.3; key Return
at 600 700;                 shot 01-menu
at 154 322;                 shot 02-menu-ship-lit
click 435 345;              shot 03-options
at 834 345;                 shot 04-options-hover-next
xdotool mousedown 1; sleep 0.2; xdotool mouseup 1; sleep 0.5
at 650 419; xdotool mousedown 1; sleep 0.2; at 740 419; xdotool mouseup 1
                            shot 05-options-slider-dragged
click 435 470;              shot 06-options-music-off-hint
click 435 470
click 205 583;              shot 07-options-apply-question
click 430 603;              shot 08-menu-after-exit
click 922 57;               shot 09-howto-page1
click 799 645;              shot 10-howto-page2
key Right; key Right;       shot 11-howto-page4
key Escape
click 788 315;              shot 12-highscores
click 717 655;              shot 13-highscores-reset-question
click 614 449
click 307 655
click 512 150;              shot 14-players
click 338 655;              shot 15-name-entry
xdotool type --delay 80 "Bo"; sleep 0.5
                            shot 16-name-typed
key Return;                 shot 17-players-two
at 827 185;                 shot 18-players-delete-hint
click 827 185;              shot 19-players-delete-question
key Escape
click 758 655
# Keyboard on the menu: the mark walks the items.
at 600 700; key Down; key Down; shot 20-menu-keyboard-mark
key Up; key Up
click 154 322; sleep 2.5;   shot 21-level
at 300 300; sleep 0.3;      shot 22-level-hover
key Escape; sleep 0.5;      shot 23-menu-again

# The same screens by keys alone: the menu's mark walks Play, Options, How To
# Play, High Scores, Change Player and Exit; it starts afresh after each screen.
mark() { at 600 700; for _ in $(seq "$1"); do key Down; done; }
mark 2;                     shot 24-keys-menu-options-marked
key Return;                 shot 25-keys-options
key Down; key Down;         shot 26-keys-options-resolution-row
key Escape
mark 3; key Return;         shot 27-keys-howto
key Right;                  shot 28-keys-howto-page2
key Escape
mark 4; key Return;         shot 29-keys-highscores
key Right;                  shot 30-keys-highscores-reset-marked
key Escape
mark 5; key Return;         shot 31-keys-players
key Down;                   shot 32-keys-players-marked
key Escape
# Play asks about the game left above: Enter continues it.
mark 1; key Return; key Return; sleep 2.5; shot 33-keys-level
key Down;                   shot 34-keys-level-cursor
key Left; key Up;           shot 35-keys-level-cursor-moved
key Return;                 shot 36-keys-level-selected
key Right; key Return; sleep 1.2; shot 37-keys-level-after-swap
key 5; sleep 0.5;           shot 38-keys-level-spyglass
key Escape; sleep 0.5;      shot 39-keys-menu-again

# Cheat mode on a level, then Page Up skips it: the map and the Pirate Shop by keys.
# Play asks first about the game left above: Enter continues it.
mark 1; key Return;         shot 39a-keys-continue-question
key Return; sleep 2.5
xdotool type --window "$W" --delay 150 krakenrum; sleep 0.5
                            shot 39b-cheat-caption
key Prior; sleep 4;         shot 39c-map
key Left;                   shot 39d-map-shop-marked
key Return;                 shot 39e-shop-by-keys
key 1; key 3; key F2; key F2; key F4
key Right; key Right; key Down; shot 39f-shop-item-marked
key Down;                   shot 39g-shop-key-marked
key Return;                 shot 39h-shop-key-carried
key Return;                 shot 39i-shop-lock-opened
key Tab;                    shot 39j-shop-tab
key Escape; sleep 3;        shot 39k-next-level
key F12
wait $PID 2>/dev/null

# The congratulations and the credits: the bot wins level 65 with every bonus
# open (two to four minutes); BM_SCREENS_CREDITS=0 leaves this out.
if [ "${BM_SCREENS_CREDITS:-1}" != 0 ]; then
  "$GAME" "${LANGUAGE_ARGS[@]}" --windowed --resolution 3 --level 65 --autoplay --all-bonuses --think-ms 150 --seed 3 \
      --data-dir "$DATA" --max-seconds 420 >/dev/null 2>&1 &
  PID=$!
  W=$(timeout 20 xdotool search --sync --onlyvisible --name Brinemoor | head -1)
  [ -n "$W" ] || { echo "no game window"; exit 1; }
  sleep 8;                    shot 39l-level-65-bot
  for _ in $(seq 360); do grep -q "GameCompleteScreen()" "$DATA/run.log" 2>/dev/null && break; sleep 1; done
  sleep 4;                    shot 39m-congratulations
  sleep 14;                   shot 39n-credits
  key Return; sleep 1.5;      shot 39o-after-credits
  key F12
  wait $PID 2>/dev/null
fi

# Full screen at the display's size: the software cursor over the menu and a level.
"$GAME" "${LANGUAGE_ARGS[@]}" --renderer "${BM_RENDERER:-auto}" --fullscreen --resolution 4 --data-dir "$DATA" --max-seconds 120 >/dev/null 2>&1 &
PID=$!
W=$(timeout 20 xdotool search --sync --onlyvisible --name Brinemoor | head -1)
[ -n "$W" ] || { echo "no full-screen window"; exit 1; }
sleep 2.5
at 640 900;                 shot 40-fullscreen-menu-cursor
at 200 420;                 shot 41-fullscreen-cursor-on-the-ship
click 200 420; sleep 2.5; at 640 520; shot 42-fullscreen-level-cursor
at 1200 330;                shot 43-fullscreen-stock-button-hover
key F12
