#!/usr/bin/env bash
# Extracts every text marked for translation (Tr, TrC, TrN, TrNoop: lang/Tr.h) from
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
new="$(mktemp --suffix=.pot)"
trap 'rm -f "$new"' EXIT
# The folders whose code a player's texts come from (not the tools, tests or benchmarks).
git ls-files -- '*.cpp' '*.h' | grep -E '^(shell|render|audio|platform|saves|match|progress|bot|bonus|storage|board|lang|io|diag)/' |
  xgettext --files-from=- --language=C++ --from-code=UTF-8 --keyword= --keyword=Tr --keyword=TrC:1c,2 \
           --keyword=TrN:1,2 --keyword=TrNoop --add-comments=TRANSLATORS: --package-name=Brinemoor \
           --package-version="$(sed -n 's/^project(Brinemoor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" \
           --msgid-bugs-address=brinemoor@users.noreply.github.com --copyright-holder="The Brinemoor developers" \
           --no-wrap --output="$new"
if [ "$force" = 0 ] && ! msgcmp --use-untranslated "$new" po/brinemoor.pot >/dev/null 2>&1; then
  echo "update-po: the sources do not mark every text of po/brinemoor.pot; not written. Missing:" >&2
  msgcmp --use-untranslated "$new" po/brinemoor.pot 2>&1 | grep -v "^msgcmp:" | head -20 >&2
  echo "(mark them, or run with --force to drop them)" >&2
  exit 1
fi
mv "$new" po/brinemoor.pot
trap - EXIT
for lang in $(grep -v '^#' po/LINGUAS); do
  msgmerge --quiet --update --backup=none --no-wrap --previous "po/$lang.po" po/brinemoor.pot
  echo "po/$lang.po: $(msgfmt --statistics -o /dev/null "po/$lang.po" 2>&1)"
done
