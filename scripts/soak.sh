#!/usr/bin/env bash
# The long soak: the bot plays every level headless with many seeds on the
# sanitizer build (ASan + UBSan) and a table tells what happened.
# Usage: scripts/soak.sh [SEEDS] [GAME_SECONDS] [JOBS]
#   SEEDS         runs per level (default 20); run n of level L is seeded L * 1000 + n, so
#                 no two runs share a random stream (with one seed for every level the
#                 refills of different levels keep drawing the same numbers, and the
#                 soak sees a handful of courses over and over)
#   GAME_SECONDS  game clock per run (default 240), on the headless virtual clock
#   JOBS          runs at once (default 1)
# Environment: BM_SOAK_LEVELS="1 2 3" plays only those levels; BM_SOAK_BUILD picks
# the build folder (default build-asan, configured with -DBM_SANITIZE=ON;
# BM_SOAK_SANITIZE=0 configures it without the sanitizers). BM_SOAK_BONUSES=1
# opens every shop item (--all-bonuses) and ends with a table of the bonuses
# spawned, used and (the stock bonuses) pressed by kind; a kind never spawned,
# never used or never pressed is a failure. BM_SOAK_LEAVE=S makes the bot leave
# each level after S seconds of game clock (the game is saved) and continue it
# from the menu (--bot-leave S): a leave-and-continue soak. BM_SOAK_DRAWN=1 plays
# with a window on SDL's dummy video driver instead of headless, so every frame
# is drawn (on the real clock: GAME_SECONDS is real time then), and counts the
# runs that reached the map and the shop between levels (none at all fails it).
# A run counts as a hang when it is still running after max(120 s, GAME_SECONDS / 5)
# of real time (GAME_SECONDS + 120 s when drawn). Exit status 1 when anything went wrong.
# The program folder takes the generated data of build/game when that is built
# (nothing is generated again); otherwise the data is built into the soak's build.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
seeds="${1:-20}"
gameSeconds="${2:-240}"
jobs="${3:-1}"
build="${BM_SOAK_BUILD:-$here/build-asan}"
levels="${BM_SOAK_LEVELS:-$(seq -s ' ' 1 65)}"
out="$build/soak"
sanitize="${BM_SOAK_SANITIZE:-1}"
bonuses="${BM_SOAK_BONUSES:-0}"
drawn="${BM_SOAK_DRAWN:-0}"
extra=""
[ "$drawn" = 1 ] || extra="--headless"
[ "$bonuses" = 1 ] && extra="$extra --all-bonuses"
[ -n "${BM_SOAK_LEAVE:-}" ] && extra="$extra --bot-leave $BM_SOAK_LEAVE"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
san=ON
[ "$sanitize" = 0 ] && san=OFF
data=()
targets=(brinemoor levels game_art sounds default_data)
if [ "$build" != "$here/build" ] && [ -f "$here/build/game/levels/lvl65.dat" ] && [ -d "$here/build/game/red" ]; then
  data=(-DBM_GAME_DATA="$here/build/game")
  targets=(brinemoor)
fi
cmake -S "$here" -B "$build" -DBM_SANITIZE=$san -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${data[@]}" >/dev/null
# The generators link the sanitizer runtime; their leaks (fontconfig's) are not the game's.
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null

rm -rf "$out"
mkdir -p "$out"
limit=$(( gameSeconds / 5 > 120 ? gameSeconds / 5 : 120 ))
[ "$drawn" = 1 ] && limit=$(( gameSeconds + 120 ))
export out build gameSeconds limit extra
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:exitcode=86"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:exitcode=87"
export LSAN_OPTIONS="suppressions=$here/scripts/lsan.supp:print_suppressions=0"
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy

one() {
  local level=$1 seed=$(( $1 * 1000 + $2 )) dir="$out/l$1_s$2"
  mkdir -p "$dir"
  local start=$SECONDS rc=0
  timeout --signal=KILL "$limit" "$build/game/brinemoor" --autoplay --level "$level" --seed "$seed" \
      --max-seconds "$gameSeconds" $extra --report "$dir/report.json" --data-dir "$dir" >"$dir/out.txt" 2>&1 || rc=$?
  echo "$rc $((SECONDS - start))" > "$dir/status"
}
export -f one

for level in $levels; do
  for seed in $(seq 1 "$seeds"); do echo "$level $seed"; done
done | xargs -P "$jobs" -n 2 bash -c 'one "$0" "$1"'

# One row per level, then the totals.
printf '%-6s %5s %7s %6s %4s %11s %10s %6s %9s\n' level runs played won map invariants sanitizer hangs failures
bad=0
T_runs=0 T_played=0 T_won=0 T_map=0 T_inv=0 T_san=0 T_hang=0 T_fail=0
for level in $levels; do
  runs=0 played=0 won=0 map=0 inv=0 san=0 hang=0 fail=0
  for dir in "$out"/l${level}_s*; do
    runs=$((runs + 1))
    # The map, then the shop the bot always visits from it.
    if grep -q "BetweenLevelsScreen()" "$dir/run.log" 2>/dev/null; then map=$((map + 1)); fi
    read -r rc secs < "$dir/status"
    if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$dir/out.txt"; then san=$((san + 1)); fi
    if [ "$rc" = 137 ]; then hang=$((hang + 1));
    elif [ "$rc" != 0 ]; then fail=$((fail + 1)); fi
    if [ -f "$dir/report.json" ]; then
      p=$(sed -n 's/.*"levels_played": \([0-9]*\).*/\1/p' "$dir/report.json")
      w=$(sed -n 's/.*"levels_won": \([0-9]*\).*/\1/p' "$dir/report.json")
      v=$(sed -n 's/.*"invariant_violations": \([0-9]*\).*/\1/p' "$dir/report.json")
      played=$((played + ${p:-0})) won=$((won + ${w:-0})) inv=$((inv + ${v:-0}))
    fi
  done
  printf '%-6s %5d %7d %6d %4d %11d %10d %6d %9d\n' "$level" "$runs" "$played" "$won" "$map" "$inv" "$san" "$hang" "$fail"
  T_runs=$((T_runs + runs)) T_played=$((T_played + played)) T_won=$((T_won + won)) T_map=$((T_map + map)) T_inv=$((T_inv + inv))
  T_san=$((T_san + san)) T_hang=$((T_hang + hang)) T_fail=$((T_fail + fail))
done
printf '%-6s %5d %7d %6d %4d %11d %10d %6d %9d\n' all "$T_runs" "$T_played" "$T_won" "$T_map" "$T_inv" "$T_san" "$T_hang" "$T_fail"
[ $((T_inv + T_san + T_hang + T_fail)) -eq 0 ] || bad=1
if [ "$drawn" = 1 ] && [ "$T_map" -eq 0 ]; then echo "no drawn run reached the map and the shop"; bad=1; fi

# The bonuses over every run: by item code, how many appeared and how many were used.
byCode() {
  cat "$out"/l*_s*/report.json 2>/dev/null | sed -n "s/.*\"$1\": {\(.*\)}.*/\1/p" | tr ',' '\n' |
    sed -n 's/ *"\([0-9]*\)": \([0-9]*\)/\1 \2/p' | awk '{n[$1] += $2} END {for (c in n) print c, n[c]}'
}
total() { cat "$out"/l*_s*/report.json 2>/dev/null | sed -n "s/.*\"$1\": \([0-9]*\).*/\1/p" | awk '{n += $1} END {print n + 0}'; }
if [ "$bonuses" = 1 ]; then
  spawned="$(byCode bonuses_spawned)"
  used="$(byCode bonuses_used)"
  pressed="$(byCode bonuses_pressed)"
  echo
  # used: set off or collected on the board, or pressed on the panel; pressed:
  # the stock buttons alone, which the bot must press too, not only collect.
  printf '%-5s %-12s %8s %6s %8s\n' code bonus spawned used pressed
  names=(chest life clock bomb "Seismic Gem" shuffle parrot rum cannonball "pirate gun" anchor "golden sun" - "blue star" "gold star")
  for code in 41 42 43 44 45 46 47 48 49 50 51 52 54 55; do
    s=$(awk -v c="$code" '$1 == c {print $2}' <<<"$spawned")
    u=$(awk -v c="$code" '$1 == c {print $2}' <<<"$used")
    p=$(awk -v c="$code" '$1 == c {print $2}' <<<"$pressed")
    stock=0
    case $code in 46|47|51|52) stock=1 ;; esac
    mark=""
    if [ "${s:-0}" -eq 0 ]; then mark="  never spawned"
    elif [ "${u:-0}" -eq 0 ]; then mark="  never used"
    elif [ "$stock" = 1 ] && [ "${p:-0}" -eq 0 ]; then mark="  never pressed"; fi
    [ -n "$mark" ] && bad=1
    if [ "$stock" = 1 ]; then p="${p:-0}"; else p="-"; fi
    printf '%-5s %-12s %8d %6d %8s%s\n' "$code" "${names[$((code - 41))]}" "${s:-0}" "${u:-0}" "$p" "$mark"
  done
  printf 'keys found %d, stars found %d, most effects at once %d\n' "$(total keys_found)" "$(total stars_found)" \
    "$(cat "$out"/l*_s*/report.json 2>/dev/null | sed -n 's/.*"effects_peak": \([0-9]*\).*/\1/p' | sort -n | tail -1)"
fi
echo "logs and reports: $out"
exit $bad
