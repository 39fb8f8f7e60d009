#!/usr/bin/env bash
# Extracts every text marked for translation (Tr, TrC, TrN, TrNoop: lang/Tr.h; Words:
# diag/Wording.h, the notices made below the translations) from
# the game's sources into po/brinemoor.pot, with the "// TRANSLATORS:" comments above
# the calls, and merges the new template into every language's po/LANG.po
# (msgmerge: new texts come in untranslated, changed ones fuzzy, gone ones obsolete).
# It stops, changing nothing, when the sources mark fewer texts than the template
# holds (translations would be thrown away); --force goes on anyway.
# Usage: scripts/update-po.sh [--force]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
. "$here/scripts/packages.sh"
need_packages gettext
force=0
[ "${1:-}" = "--force" ] && force=1
cd "$here"
new="$(mktemp --suffix=.pot)" code="$(mktemp --suffix=.pot)" page="$(mktemp --suffix=.pot)"
trap 'rm -f "$new" "$code" "$page"' EXIT
version="$(sed -n 's/^project(Brinemoor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
common=(--from-code=UTF-8 --add-comments=TRANSLATORS: --no-wrap)
# The folders whose code a player's texts come from (not the tests or benchmarks;
# the generator's words drawn into pictures count).
git ls-files -- '*.cpp' '*.h' | grep -E '^(shell|render|audio|platform|saves|match|progress|bot|bonus|storage|board|lang|io|diag|tools/artgen)/' |
  xgettext --files-from=- --language=C++ "${common[@]}" --keyword= --keyword=Tr --keyword=TrC:1c,2 --keyword=TrN:1,2 \
           --keyword=TrNoop --keyword=TrNoopC:1c,2 --keyword=Words:1 --output="$code"
# The page's own texts (platform/web/page.js: P.t, P.tc; page_pre.js: bmTextC).
git ls-files -- 'platform/web/*.js' |
  xgettext --files-from=- --language=JavaScript "${common[@]}" --keyword= --keyword=t --keyword=tc:1c,2 \
           --keyword=bmTextC:1c,2 --output="$page"
xgettext --language=PO "${common[@]}" --package-name=Brinemoor --package-version="$version" \
         --msgid-bugs-address=brinemoor@users.noreply.github.com --copyright-holder="The Brinemoor developers" \
         --output="$new" "$code" "$page"
if [ "$force" = 0 ] && ! msgcmp --use-untranslated "$new" po/brinemoor.pot >/dev/null 2>&1; then
  echo "update-po: the sources do not mark every text of po/brinemoor.pot; not written. Missing:" >&2
  msgcmp --use-untranslated "$new" po/brinemoor.pot 2>&1 | grep -v "^msgcmp:" | head -20 >&2
  echo "(mark them, or run with --force to drop them)" >&2
  exit 1
fi
# The template keeps its head (the note for translators); xgettext writes a bare one.
{ sed -n '/^#, fuzzy/q;p' po/brinemoor.pot; sed -n '/^#, fuzzy/,$p' "$new"; } >"$code"
mv "$code" po/brinemoor.pot
rm -f "$code" "$page"
trap - EXIT
for lang in $(grep -v '^#' po/LINGUAS); do
  msgmerge --quiet --update --backup=none --no-wrap --previous "po/$lang.po" po/brinemoor.pot
  echo "po/$lang.po: $(msgfmt --statistics -o /dev/null "po/$lang.po" 2>&1)"
done
