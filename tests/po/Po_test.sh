#!/usr/bin/env bash
# The translations' files: every language of po/LINGUAS has its .po and it passes
# msgfmt --check (syntax, headers, plural forms, format directives); every
# language of po/COMPLETE translates every msgid of po/brinemoor.pot with no fuzzy
# entry left (msgcmp counts an untranslated or fuzzy entry as missing).
# Usage: tests/po/Po_test.sh PO_DIR
set -uo pipefail
po="${1:?usage: Po_test.sh PO_DIR}"
words() { grep -v '^#' "$1" | tr -s ' \t' '\n\n' | grep -v '^$' || true; }
failed=0
[ -f "$po/brinemoor.pot" ] || { echo "no $po/brinemoor.pot"; exit 1; }
for lang in $(words "$po/LINGUAS"); do
  if ! msgfmt --check -o /dev/null "$po/$lang.po"; then
    echo "FAIL $lang.po: msgfmt --check"; failed=1
  fi
done
for lang in $(words "$po/COMPLETE"); do
  if ! msgcmp "$po/$lang.po" "$po/brinemoor.pot"; then
    echo "FAIL $lang.po: texts of the template untranslated or fuzzy (above)"; failed=1
  fi
done
[ "$failed" = 0 ] && echo "every .po checks; complete: $(words "$po/COMPLETE" | tr '\n' ' ')"
exit "$failed"
