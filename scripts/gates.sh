#!/usr/bin/env bash
# The quality gates CI runs after ./test.sh (README "Quality gates"), each timed:
#   sanitizer  build-asan/ (ASan + UBSan, the data linked from build/game) and the unit tests of
#              the folders that read what a player's disk holds: io, storage, saves, board
#   fuzz       every libFuzzer target built with clang, each run a few seconds on its seeds
#   soak       a short drawn soak on the sanitizer build (SDL's dummy video driver): the
#              bot plays level 1 until it has passed the map and the shop
# Usage: scripts/gates.sh [sanitizer] [fuzz] [soak]     (none: all three)
# Needs build/ built first (./test.sh or scripts/setup.sh). Environment:
# BM_FUZZ_SECONDS (default 5) a target; BM_GATE_SOAK_SECONDS (default 150) of real time.
# The timings go to standard output and build/gates-timings.txt. Exit status 1
# when a gate failed (the others still run).
set -uo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
. "$here/scripts/packages.sh"
need_packages "${desktop_packages[@]}" "${ci_packages[@]}"
[ -x "$here/build/game/brinemoor" ] || { echo "gates.sh: build build/ first (./test.sh)" >&2; exit 2; }
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
gates=("$@")
[ ${#gates[@]} -eq 0 ] && gates=(sanitizer fuzz soak)
timings="$here/build/gates-timings.txt"
: > "$timings"
failed=0

timed() {
  local name=$1 start=$SECONDS rc=0
  shift
  echo "== $name"
  "$@" || rc=$?
  local line
  line=$(printf '%-10s %4d:%02d  %s' "$name" $(((SECONDS - start) / 60)) $(((SECONDS - start) % 60)) \
         "$([ $rc -eq 0 ] && echo passed || echo "FAILED ($rc)")")
  echo "$line" | tee -a "$timings"
  [ $rc -eq 0 ] || failed=1
}

sanitizer() {
  local build="$here/build-asan"
  cmake -S "$here" -B "$build" -DBM_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBM_GAME_DATA="$here/build/game" \
        "${launcher[@]}" >/dev/null || return
  # Only these folders' tests: the files they read come from a player's disk, and
  # compiling every folder's tests under the sanitizers would double the gate.
  local folders=(io storage saves board) start=$SECONDS folder rc=0
  cmake --build "$build" -j2 --target brinemoor "${folders[@]/#/bm_tests_}" >/dev/null || return
  echo "sanitizer build: $((SECONDS - start)) s" | tee -a "$timings"
  # The whole-game soaks play minutes of every level; under the sanitizers the
  # drawn soak below stands in for them.
  for folder in "${folders[@]}"; do
    (cd "$build" && SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
       ASAN_OPTIONS="detect_leaks=1" LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0" \
       UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
       "./bm_tests_$folder" --gtest_brief=1 --gtest_filter='-BonusSoak.*:BalanceSoak.*:LeaveContinueSoak.*' |
       tail -5) || rc=1
  done
  return $rc
}

fuzz() { "$here/scripts/fuzz.sh" all "${BM_FUZZ_SECONDS:-5}"; }

soak() {
  BM_SOAK_DRAWN=1 BM_SOAK_LEVELS=1 "$here/scripts/soak.sh" 1 "${BM_GATE_SOAK_SECONDS:-150}" 1
}

for g in "${gates[@]}"; do
  case "$g" in
    sanitizer|fuzz|soak) timed "$g" "$g" ;;
    *) echo "gates.sh: no gate $g" >&2; exit 2 ;;
  esac
done
echo "timings (minutes:seconds):"
cat "$timings"
exit $failed
