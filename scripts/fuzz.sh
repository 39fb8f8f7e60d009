#!/usr/bin/env bash
# Builds one libFuzzer target with clang (ASan + UBSan) and runs it for a while.
# Usage: scripts/fuzz.sh TARGET SECONDS [extra libFuzzer flags]
#   TARGET: level, settings, ini, sound_catalogue, sound_header (the fuzz/fuzz_*.cpp files)
# The build lives in build-fuzz/; the corpus grows in build-fuzz/corpus/TARGET, seeded
# from the shipped files in build/game (built by ./run.sh or ./test.sh) and fuzz/seeds/TARGET.
# Faults are saved as build-fuzz/faults/TARGET/crash-* etc.; replay one with
#   build-fuzz/fuzz/fuzz_TARGET build-fuzz/faults/TARGET/crash-...
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?usage: scripts/fuzz.sh TARGET SECONDS}"
seconds="${2:?usage: scripts/fuzz.sh TARGET SECONDS}"
shift 2
build="$here/build-fuzz"
game="$here/build/game"
[ -f "$here/fuzz/fuzz_$target.cpp" ] || { echo "no fuzz target fuzz/fuzz_$target.cpp" >&2; exit 2; }

# libFuzzer comes with clang; a fresh machine has neither.
if ! command -v clang++ >/dev/null; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$build" -DBM_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 --target "fuzz_$target" >/dev/null

# Seeds: the shipped files the reader reads, plus hand-made ones in fuzz/seeds.
corpus="$build/corpus/$target"
faults="$build/faults/$target"
mkdir -p "$corpus" "$faults"
[ -d "$game" ] || echo "note: $game is missing (run ./test.sh once); fuzzing from fuzz/seeds only" >&2
seed() { [ -f "$1" ] && cp -n "$1" "$corpus/$2" || true; }
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
esac
[ -d "$here/fuzz/seeds/$target" ] && cp -n "$here/fuzz/seeds/$target"/* "$corpus/" 2>/dev/null || true

cd "$faults"
exec "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
     -artifact_prefix="$faults/" "$@" "$corpus"
