#!/usr/bin/env bash
# The balance table of the levels: builds the game's levels and the balance
# program into build/, then plays every level with many seeds at a player's
# pace and prints one row per level (see bench/balance.cpp for the columns).
#
#   tools/balance.sh [balance options]       e.g. --levels 40-53 --seeds 10 --think-ms 1500 --jobs 2
#
# It runs at a lower priority (nice 10); more than one job only when asked.
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_DIR=${CCACHE_DIR:-/work/.ccache}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build "${launcher[@]}" >/dev/null
nice -n 10 cmake --build build -j2 --target levels balance >/dev/null
exec nice -n 10 build/balance --levels-dir build/game/levels "$@"
