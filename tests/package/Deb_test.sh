#!/usr/bin/env bash
# The Debian packages, end to end: cpack builds them from the build folder
# (`brinemoor`, the program, and `brinemoor-data`), dpkg-deb unpacks them into a
# scratch root, the unpacked program plays a level headless finding its data from
# its own prefix, lintian finds no error and the validators pass on the unpacked
# menu entry, metainfo, icons and manual page.
#   tests/package/Deb_test.sh <build-dir>        (exit 77: skipped)
set -euo pipefail
build="$(cd "$1" && pwd)"
if ! command -v dpkg-deb > /dev/null; then
  echo "SKIPPED: dpkg-deb is missing, so no Debian package can be built here"
  exit 77
fi
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}

(cd "$build" && cpack -G DEB -B "$scratch/out" > "$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; fail "cpack"; }
program=("$scratch"/out/brinemoor_*_*.deb)
data=("$scratch"/out/brinemoor-data_*_all.deb)
[ -f "${program[0]}" ] && [ -f "${data[0]}" ] || fail "cpack made $(ls "$scratch/out")"
for deb in "${program[0]}" "${data[0]}"; do echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"; done

depends="$(dpkg-deb -f "${program[0]}" Depends)"
version="$(dpkg-deb -f "${program[0]}" Version)"
echo "Depends: $depends"
for lib in libsdl2-2.0-0 libsdl2-image-2.0-0 libc6 "brinemoor-data (= $version)"; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib"
done

root="$scratch/root"
for deb in "${program[0]}" "${data[0]}"; do dpkg-deb -x "$deb" "$root"; done
app=io.github.brinemoor.Brinemoor
for f in usr/games/brinemoor usr/share/games/brinemoor/levels/lvl65.dat usr/share/games/brinemoor/data.ini \
         usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/brinemoor.svg usr/share/man/man6/brinemoor.6.gz \
         usr/share/doc/brinemoor/copyright usr/share/doc/brinemoor/changelog.gz \
         usr/share/doc/brinemoor-data/copyright usr/share/doc/brinemoor-data/changelog.gz; do
  [ -f "$root/$f" ] || fail "the package lacks /$f"
done
for size in 48 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/brinemoor.png"
  [ -f "$png" ] || fail "the package lacks the ${size} px icon"
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  [ "$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')" = "${size}x${size}" ] ||
    fail "the ${size}x${size} icon is not ${size} px square"
done
leftovers="$(cd "$root" && find . \( -name 'config.dat' -o -name '*.log' -o -name 'saves' -o -name '*.tmp*' \) -print)"
[ -z "$leftovers" ] || fail "the package carries a player's files: $leftovers"

# One version everywhere: the package, the program, the metainfo's newest release, the changelog.
[ "$("$root/usr/games/brinemoor" --version)" = "Brinemoor $version" ] || fail "--version is not $version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$app.metainfo.xml" ||
  fail "the metainfo's releases lack $version"
zcat "$root/usr/share/doc/brinemoor/changelog.gz" | head -1 | grep -q "^brinemoor ($version)" ||
  fail "the changelog's newest entry is not $version"

# The unpacked program runs from there: data from <root>/usr/share/games/brinemoor,
# writable files under XDG_DATA_HOME, nothing written into the unpacked tree. A
# short drawn run loads every picture; then the bot plays a level on the virtual clock.
before="$(cd "$root" && find . | sort | md5sum)"
log="$scratch/xdg/brinemoor/run.log"
run() {
  (cd "$scratch" && env -u DISPLAY XDG_DATA_HOME="$scratch/xdg" HOME="$scratch/home" SDL_AUDIODRIVER=dummy \
    SDL_VIDEODRIVER=dummy "$root/usr/games/brinemoor" --headless --seed 1 "$@") ||
    fail "the unpacked program exited with $?"
  [ -f "$log" ] || fail "no run log under \$XDG_DATA_HOME/brinemoor (no data found: a portable copy?)"
  ! grep -E "missing or unreadable|Can't load|Can't Assign|Record Not Found" "$log" ||
    fail "the game could not read some of its files"
}
run --resolution 1 --max-seconds 1 --screenshot "$scratch/shot.png"
[ -s "$scratch/shot.png" ] || fail "no screenshot"
run --autoplay --level 1 --max-seconds 30 --report "$scratch/r.json"
report="$(cat "$scratch/r.json")"
for field in '"levels_played": 1' '"level": 1' '"invariant_violations": 0' '"save_failures": 0'; do
  [[ "$report" == *"$field"* ]] || { echo "$report"; fail "the report lacks $field"; }
done
grep -Eq '"lines": [1-9]' "$scratch/r.json" || { echo "$report"; fail "no line was made: were the levels found?"; }
[ "$(cd "$root" && find . | sort | md5sum)" = "$before" ] || fail "the program wrote into its install tree"

lintian --fail-on error "${program[0]}" "${data[0]}" || fail "lintian finds errors"
warnings="$(zcat "$root/usr/share/man/man6/brinemoor.6.gz" | groff -man -ww -z -Tutf8 2>&1)"
[ -z "$warnings" ] || fail "the manual page does not render cleanly: $warnings"
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
echo "the package builds, runs from its unpacked root and validates"
