#!/usr/bin/env bash
# Builds one libFuzzer target with clang (ASan + UBSan) and runs it for a while.
# Usage: scripts/fuzz.sh TARGET SECONDS [extra libFuzzer flags]
#   TARGET: level, settings, ini, sound_catalogue, sound_header, players, high_scores,
#           item_status, board, catalogue, window, generation (the fuzz/fuzz_*.cpp files), or
#           all: every target built at once, then each run SECONDS in turn, with a
#           table of inputs run and inputs a second (CI runs "all 5"); exit status 1
#           when any of them found a fault
# The build lives in build-fuzz/; the corpus grows in build-fuzz/corpus/TARGET, seeded
# from the shipped files in build/game (built by ./run.sh or ./test.sh), the saved files
# of a short headless game the program plays into build-fuzz/saved-game, and fuzz/seeds/TARGET.
# Faults are saved as build-fuzz/faults/TARGET/crash-* etc.; replay one with
#   build-fuzz/fuzz/fuzz_TARGET build-fuzz/faults/TARGET/crash-...
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?usage: scripts/fuzz.sh TARGET SECONDS}"
seconds="${2:?usage: scripts/fuzz.sh TARGET SECONDS}"
shift 2
build="$here/build-fuzz"
game="$here/build/game"
if [ "$target" = all ]; then
  targets=$(cd "$here/fuzz" && ls fuzz_*.cpp | sed 's/^fuzz_//; s/\.cpp$//')
else
  [ -f "$here/fuzz/fuzz_$target.cpp" ] || { echo "no fuzz target fuzz/fuzz_$target.cpp" >&2; exit 2; }
  targets=$target
fi

# libFuzzer comes with clang; a fresh machine has neither.
. "$here/scripts/packages.sh"
need_packages "${ci_packages[@]}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$build" -DBM_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
# shellcheck disable=SC2046
cmake --build "$build" -j2 --target $(for t in $targets; do echo "fuzz_$t"; done) >/dev/null

# Seeds: the shipped files the reader reads, plus hand-made ones in fuzz/seeds.
[ -d "$game" ] || echo "note: $game is missing (run ./test.sh once); fuzzing from fuzz/seeds only" >&2
seed() { [ -f "$1" ] && cp -n "$1" "$corpus/$2" || true; }
# The files a game writes: the bot plays level 3, leaves after 20 s (the game is
# saved) and continues it, once per build-fuzz/ folder.
saved="$build/saved-game"
saved_game() {
  [ -f "$saved/saves/players.dat" ] && return 0
  [ -x "$game/brinemoor" ] || { echo "note: no $game/brinemoor to play a saved game with" >&2; return 0; }
  mkdir -p "$saved"
  SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy "$game/brinemoor" --headless --autoplay --all-bonuses --level 3 \
    --seed 3 --bot-leave 20 --max-seconds 90 --data-dir "$saved" >/dev/null 2>&1 || true
}
seeds() {
local target=$1 corpus="$build/corpus/$1"
mkdir -p "$corpus"
case "$target" in
  level)
    for n in $(seq 1 65); do
      [ -f "$game/levels/lvl$n.dat" ] && cat "$game/levels/lvl$n.dat" "$game/levels/lvl$n.dat2" > "$corpus/shipped_lvl$n"
    done ;;
  settings) seed "$game/config.dat" config.dat ;;
  ini) [ -f "$game/data.ini" ] && printf 'Cheat Mode Code\nSFX\n%s' "$(cat "$game/data.ini")" > "$corpus/data.ini"
       [ -f "$game/Sounds.ini" ] && printf 'ev_pop \nSFX\n%s' "$(cat "$game/Sounds.ini")" > "$corpus/Sounds.ini" ;;
  sound_catalogue) seed "$game/Sounds.ini" Sounds.ini ;;
  sound_header)
    # A few whole sound cues and the front of a tune (the header window of a long file).
    for f in $(ls "$game/sfx"/* 2>/dev/null | head -8); do cp -n "$f" "$corpus/"; done
    for f in $(ls "$game"/music/*.ogg 2>/dev/null | head -1); do head -c 65536 "$f" > "$corpus/$(basename "$f")"; done ;;
  players) saved_game; seed "$saved/saves/players.dat" players.dat; seed "$saved/debug.dat" debug.dat ;;
  high_scores) saved_game; seed "$saved/saves/hs.dat" hs.dat ;;
  item_status)
    saved_game
    for f in Items.dat ItemsS.dat ItemsB.dat; do seed "$saved/saves/$f" "$f"; done
    seed "$game/apo.dat" apo.dat ;;
  board)
    # The target's first three bytes are the offset its other bytes are laid at.
    saved_game
    [ -f "$saved/saves/dump1.dat" ] && { printf '\0\0\0'; cat "$saved/saves/dump1.dat"; } > "$corpus/dump1.dat" ;;
  catalogue)
    # The shipped catalogues; the first bytes of a seed double as a plural rule.
    for f in "$game"/locale/*.mo; do [ -f "$f" ] && cp -n "$f" "$corpus/"; done
    printf 'nplurals=3; plural=(n==1 ? 0 : n%%10>=2 && n%%10<=4 && (n%%100<10 || n%%100>=20) ? 1 : 2);' > "$corpus/pl_rule" ;;
  window) seed "$saved/window.dat" window.dat ;;
  generation) saved_game; seed "$saved/saves/generation.txt" generation.txt ;;
esac
[ -d "$here/fuzz/seeds/$target" ] && cp -n "$here/fuzz/seeds/$target"/* "$corpus/" 2>/dev/null || true
}

run() {
  local target=$1 corpus="$build/corpus/$1" faults="$build/faults/$1"
  shift
  mkdir -p "$faults"
  seeds "$target"
  (cd "$faults" && "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
     -artifact_prefix="$faults/" "$@" "$corpus")
}

if [ "$target" != all ]; then
  run "$target" "$@"
  exit
fi
# Every target in turn: inputs run, inputs a second, and whether it found a fault.
bad=0
printf '%-16s %10s %10s %s\n' target inputs per_second result
for t in $targets; do
  log="$build/faults/$t.log"
  mkdir -p "$build/faults"
  if run "$t" "$@" > "$log" 2>&1; then result=clean; else result="FAULT (see $log)"; bad=1; fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  printf '%-16s %10s %10s %s\n' "$t" "${runs:-0}" "${rate:-0}" "$result"
done
exit $bad
