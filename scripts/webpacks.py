#!/usr/bin/env python3
"""Packs the game's data for the page: one file per group of data a screen needs, named by its content
(packs/NAME.HASH.pack), a list of them (packs.json) and the service worker that keeps the page and its packs
for offline play (sw.js, from platform/web/sw.js with the page's version in its cache's name).

  webpacks.py GAME_DIR PAGE_DIR SW_TEMPLATE [SMALLER_DIR]

A pack is its files one after the other; packs.json gives each file's place in it, and the game files that
the page has as files of its own (the loading picture), which it writes with the start pack. The page fetches the
"start" pack before the program runs (the logo and what the first screens read), the others in the order
listed, in the background; the program asks for the one a screen needs (the loading bar until it is there).
Which file goes where is platform/web/packs.txt: the first line whose pattern matches a file's path takes
it.

The pictures travel smaller than the desktop's: each PNG is quantised to a palette by pngquant (when it is
installed) and kept when pngquant reaches its quality floor and the file is smaller; the program decodes
either the same way. A file in SMALLER_DIR (the music made again at a lower quality) is shipped instead of the
game's file of the same path. The quantised files are kept beside the page (smaller-pictures/, named by the original's
content), so a build only quantises what changed.
"""
import fnmatch
import hashlib
import json
import os
import shutil
import subprocess
import sys

LANGUAGES = 'lang'
TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'platform', 'web', 'packs.txt')


def read_table(path):
    """The packs and their path patterns (platform/web/packs.txt), in order: [(name, [pattern...]), ...];
    a pack's lines in a row make one entry."""
    packs = []
    for line in open(path, encoding='utf-8'):
        line = line.strip()
        if not line or line.startswith('#'):
            continue
        name, _, patterns = line.partition(':')
        name = name.strip()
        if not packs or packs[-1][0] != name:
            packs.append((name, []))
        packs[-1][1].extend(patterns.split())
    return packs


# (pack, path patterns): the first pack whose pattern matches a file's path takes it.
PACKS = read_table(TABLE)
# What a run writes, never shipped.
LEFT_OUT = ['brinemoor', 'brinemoor.lock', 'config.dat.*', 'debug.dat', 'pbar.val', 'saves/*', '*.log', '*.bad',
            '*.tmp*', 'run.log*']
# Files the page shows itself before the program runs (index.html's loading picture): the page writes its
# copies into /game with the start pack instead of fetching them twice.
PAGE_COPIES = {'red/logo/gamelogo0.jpg': 'logo.jpg', 'red/logo/gamelogo1.jpg': 'logo-filled.jpg'}
# The page's own files the service worker keeps besides the packs.
PAGE_FILES = ['./', 'index.html', 'page.js', 'packs.json', 'brinemoor.js', 'brinemoor.wasm', 'logo.jpg',
              'logo-filled.jpg', 'favicon.png', 'manifest.webmanifest', 'icon-192.png', 'icon-512.png']


# The order the page fetches them in.
ORDER = [name for name, _ in PACKS if name != 'rest'] + ['rest']


def pack_of(path):
    for name, patterns in PACKS:
        if any(fnmatch.fnmatch(path, p) for p in patterns):
            return name
    return 'rest'


def game_files(game_dir):
    found = []
    for root, dirs, files in os.walk(game_dir):
        dirs.sort()
        for f in sorted(files):
            rel = os.path.relpath(os.path.join(root, f), game_dir).replace(os.sep, '/')
            if not any(fnmatch.fnmatch(rel, p) for p in LEFT_OUT):
                found.append(rel)
    return found


# pngquant's quality range (0-100): below the floor a picture is kept as it is.
PNG_QUALITY = '70-95'


def picture_bytes(path, data, cache_dir):
    """The bytes the page ships for a game file: a PNG quantised when that is smaller, else the file as it is."""
    if not path.lower().endswith('.png') or not shutil.which('pngquant'):
        return data
    kept = os.path.join(cache_dir, hashlib.sha256(data).hexdigest()[:20] + '.png')
    if not os.path.exists(kept):
        done = subprocess.run(['pngquant', '--quality=' + PNG_QUALITY, '--speed', '3', '--strip', '-'],
                              input=data, capture_output=True)
        # 99: the floor not reached; anything else failed: the original is kept (an empty file says so).
        smaller = done.stdout if done.returncode == 0 and 0 < len(done.stdout) < len(data) else b''
        write_if_changed(kept, smaller)
    smaller = open(kept, 'rb').read()
    return smaller or data


def write_if_changed(path, data):
    if os.path.exists(path) and open(path, 'rb').read() == data:
        return
    with open(path + '.tmp', 'wb') as f:
        f.write(data)
    os.replace(path + '.tmp', path)


def main(argv):
    if len(argv) not in (4, 5):
        sys.exit(__doc__)
    game_dir, page_dir, sw_template = argv[1:4]
    smaller_dir = argv[4] if len(argv) == 5 else ''

    grouped = {name: [] for name, _ in PACKS}
    for rel in game_files(game_dir):
        if rel not in PAGE_COPIES:
            grouped[pack_of(rel)].append(rel)
    out_dir = os.path.join(page_dir, 'packs')
    os.makedirs(out_dir, exist_ok=True)
    cache_dir = os.path.join(page_dir, '..', 'smaller-pictures')
    os.makedirs(cache_dir, exist_ok=True)
    if not shutil.which('pngquant'):
        print('webpacks: no pngquant: the pictures are shipped as they are (larger)')
    pngs = [0, 0]  # the PNGs' bytes as made, as shipped
    listed, kept, order = [], set(), []
    for name in ORDER:
        if name != LANGUAGES:
            order.append(name)
            continue
        for rel in grouped[name]:
            one = LANGUAGES + '-' + os.path.splitext(os.path.basename(rel))[0]
            grouped[one] = [rel]
            order.append(one)
    for name in order:
        if not grouped[name]:
            continue
        blob, files = bytearray(), []
        for rel in grouped[name]:
            smaller = os.path.join(smaller_dir, rel) if smaller_dir else ''
            data = open(smaller if smaller and os.path.isfile(smaller) else os.path.join(game_dir, rel), 'rb').read()
            before, data = len(data), picture_bytes(rel, data, cache_dir)
            if rel.lower().endswith('.png'):
                pngs[0] += before
                pngs[1] += len(data)
            files.append([rel, len(blob), len(data)])
            blob += data
        digest = hashlib.sha256(blob + json.dumps(files).encode()).hexdigest()[:12]
        url = 'packs/%s.%s.pack' % (name, digest)
        write_if_changed(os.path.join(page_dir, url), bytes(blob))
        kept.add(os.path.basename(url))
        listed.append({'name': name, 'url': url, 'bytes': len(blob), 'files': files})
    for old in os.listdir(out_dir):
        if old not in kept:
            os.remove(os.path.join(out_dir, old))
    # The page's version: its files and its packs; a new one is a new cache for the service worker.
    version = hashlib.sha256()
    for name in PAGE_FILES[2:]:
        path = os.path.join(page_dir, name)
        if name != 'packs.json' and os.path.exists(path):
            version.update(open(path, 'rb').read())
    version.update(json.dumps(listed).encode())
    version = version.hexdigest()[:12]
    write_if_changed(os.path.join(page_dir, 'packs.json'),
                     json.dumps({'version': version, 'packs': listed,
                                 'copies': sorted([rel, url] for rel, url in PAGE_COPIES.items())}, indent=0).encode())
    sw = open(sw_template).read().replace('@BM_PAGE_VERSION@', version).replace(
        '@BM_PAGE_FILES@', json.dumps(PAGE_FILES))
    write_if_changed(os.path.join(page_dir, 'sw.js'), sw.encode())
    sizes = ', '.join('%s %.2f MB' % (p['name'], p['bytes'] / 1e6) for p in listed)
    print('webpacks: version %s: %s (%.2f MB in all; the PNGs %.2f MB, made %.2f MB)'
          % (version, sizes, sum(p['bytes'] for p in listed) / 1e6, pngs[1] / 1e6, pngs[0] / 1e6))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
