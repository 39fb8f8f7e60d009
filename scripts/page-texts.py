#!/usr/bin/env python3
"""Writes the page's own texts in every language (page-texts.js) from po/LANG.po.

The page (platform/web/page.js) shows its status lines before and beside the
program, so it cannot ask the program's catalogue: it reads
window.BmPageTexts[LANG]["msgid"] (with a context: "context\\u0004msgid"). Only
the texts whose place is one of the page's scripts are written, translated and
not fuzzy. Usage: scripts/page-texts.py PO_DIR OUTPUT.js
"""
import json
import sys
from pathlib import Path


def unquote(s):
    return json.loads(s)  # a .po string is a JSON string (the escapes we use agree)


def entries(path):
    """(context, msgid, msgstr, references, fuzzy) of each entry of a .po file."""
    cur, key = None, None
    for line in path.read_text(encoding="utf-8").splitlines() + [""]:
        if not line.strip():
            if cur and cur["msgid"]:
                yield cur
            cur, key = None, None
            continue
        if cur is None:
            cur = {"ctx": None, "msgid": "", "msgstr": "", "refs": [], "fuzzy": False}
        if line.startswith("#:"):
            cur["refs"] += line[2:].split()
        elif line.startswith("#,"):
            cur["fuzzy"] = cur["fuzzy"] or "fuzzy" in line
        elif line.startswith("#"):
            continue
        elif line.startswith("msgctxt "):
            key, cur["ctx"] = "ctx", unquote(line[8:])
        elif line.startswith("msgid_plural "):
            key = None
        elif line.startswith("msgid "):
            key, cur["msgid"] = "msgid", unquote(line[6:])
        elif line.startswith("msgstr "):
            key, cur["msgstr"] = "msgstr", unquote(line[7:])
        elif line.startswith('"') and key:
            cur[key] += unquote(line)


def main():
    po, out = Path(sys.argv[1]), Path(sys.argv[2])
    languages = [w for line in (po / "LINGUAS").read_text().splitlines() if not line.startswith("#") for w in line.split()]
    texts = {}
    for lang in languages:
        table = {}
        for e in entries(po / f"{lang}.po"):
            if e["fuzzy"] or not e["msgstr"] or not any(r.startswith("platform/web/") and ".js:" in r for r in e["refs"]):
                continue
            table[(e["ctx"] + "\u0004" if e["ctx"] else "") + e["msgid"]] = e["msgstr"]
        texts[lang] = table
    out.write_text("// Made by scripts/page-texts.py from po/LANG.po: the page's own texts in each language.\n"
                   "window.BmPageTexts = " + json.dumps(texts, ensure_ascii=False, indent=1, sort_keys=True) + ";\n",
                   encoding="utf-8")


main()
