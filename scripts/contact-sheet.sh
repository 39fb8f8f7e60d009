#!/bin/bash
# Draws every screen in every state the census checks, at the six sizes, as
# PNG pictures in OUT (default build/contact-sheet), with an index.html of
# thumbnails grouped by size, for a reviewer to look through in a browser. With
# --language CODE the screens are drawn in that language (default English); with
# --size WxH at that size only (a sixth of the time).
#   scripts/contact-sheet.sh [--language CODE] [--size WxH] [OUT]
set -eu
cd "$(dirname "$0")/.."
LANGUAGE_CODE=en
SIZE=""
if [ "${1:-}" = "--language" ]; then LANGUAGE_CODE="${2:?--language needs a code}"; shift 2; fi
if [ "${1:-}" = "--size" ]; then SIZE="${2:?--size needs WxH, e.g. 640x480}"; shift 2; fi
OUT=$(realpath -m "${1:-build/contact-sheet}")
prefix=""
[ "$LANGUAGE_CODE" = en ] || prefix="${LANGUAGE_CODE}_"
[ -x build/bm_tests ] || { echo "build the tests first (./test.sh or cmake --build build)"; exit 1; }
rm -rf "$OUT"
mkdir -p "$OUT"
BM_CENSUS_LANGUAGE="$LANGUAGE_CODE" BM_CENSUS_SIZE="$SIZE" BM_CONTACT_SHEET="$OUT" SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy build/bm_tests --gtest_filter='Census.*' \
  --gtest_brief=1 || echo "the census found faults: see above; the pictures are written all the same"
{
  echo '<!doctype html><meta charset="utf-8"><title>Brinemoor: every screen</title>'
  echo '<style>body{font:14px sans-serif;background:#222;color:#ddd}figure{display:inline-block;margin:6px;'
  echo 'width:260px;vertical-align:top}img{width:256px;border:1px solid #555}figcaption{font-size:12px}</style>'
  echo "<h1>Brinemoor: every screen ($LANGUAGE_CODE), $(ls "$OUT"/*.png | wc -l) pictures</h1>"
  for size in 640x480 800x600 1024x768 1280x1024 1600x1200 1920x1200; do
    echo "<h2 id=\"$size\">$size</h2>"
    for f in "$OUT/${prefix}${size}_"*.png; do
      [ -e "$f" ] || continue
      name=$(basename "$f" .png)
      echo "<figure><a href=\"$name.png\"><img loading=\"lazy\" src=\"$name.png\"></a><figcaption>${name#${prefix}${size}_}</figcaption></figure>"
    done
  done
} > "$OUT/index.html"
echo "$OUT/index.html"
