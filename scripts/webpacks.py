#!/usr/bin/env python3
"""Packs the game's data for the page: one file per group of data a screen needs, named by its content
(packs/NAME.HASH.pack), a list of them (packs.json) and the service worker that keeps the page and its packs
for offline play (sw.js, from platform/web/sw.js with the page's version in its cache's name).

  webpacks.py GAME_DIR PAGE_DIR SW_TEMPLATE [SMALLER_DIR]

A pack is its files one after the other; packs.json gives each file's place in it, and the game files that
the page has as files of its own (the loading picture), which it writes with the start pack. The page fetches the
"start" pack before the program runs (the logo and what the first screens read), the others in the order
listed, in the background; the program asks for the one a screen needs (the loading bar until it is there).
Which file goes where is PACKS below: the first rule that matches a file's path takes it.

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

# What no screen draws today: generated, never loaded; fetched last.
UNUSED = ['red/bg/menupop.png', 'red/bg/tipbtn.png', 'red/tipimages/check.png', 'red/tipimages/tip[1-3].png',
          '256/sw*.png', '256/sand.png', '256/4x4.png', '256/drop-*.png', '256/backcells/gold-bright.png',
          '256/backcells/gold-yellow.png', '256/buttons/b[YNOM]*.png', '256/buttons/cross*.png',
          '256/buttons/line*.png', '256/buttons/cfin.png']
LANGUAGES = 'lang'
# (pack, path patterns): the first pack whose pattern matches a file's path takes it. The groups the screens
# load their pictures and sounds by (a file two groups use goes with the first that needs it), fetched in this
# order after "start", "rest" last.
PACKS = [
    ('rest', UNUSED),
    # Before the first picture: the logo's first layer, the loading picture, the pointer, the English glyph
    # pages, the settings the start reads, the sounds a click makes anywhere.
    ('start', ['red/logo/gamelogo*', 'red/logo/layer0.jpg', '256/cursor.png', 'fonts/large/g[0-3].png', '*.ini',
               'config.dat', 'apo.dat', 'sfx/ev_menu_*']),
    # The logo's later layers and its sound, right after: the first layer fades in for a second and a half before
    # the next is drawn, and no sound plays before the player's first click.
    ('logo', ['red/logo/*', 'sfx/ev_logo.ogg']),
    # Under the program's loading bar: the menu, its screens and questions, the glyph pages (English draws
    # some beyond the first four: a page that is missing when first drawn stays missing).
    ('menu', ['red/menu/main*', 'red/tipformA.png', 'fonts/*']),
    # What the menu opens rather than shows (the options' panel, how to play, the pause), right after it: a
    # picture drawn before its pack came shows once it is here.
    ('menu-more', ['red/menu/*', 'red/tipimages/*']),
    # The texts' catalogues, each in a pack of its own ("lang-de"): the page brings the player's with the start
    # pack, the others follow for a change of language on the options screen.
    (LANGUAGES, ['locale/*.mo']),
    ('menu-music', ['music/track-menu.ogg']),
    # A level: the board, jewels, bonuses, effects, tips and keys, their sounds, the levels; then a stage's
    # background and tune.
    ('play', ['256/*', 'red/bg/fg.png', 'red/tipform[0-3].png', 'red/shop/key*.png', 'levels/*', 'sfx/bon_*',
              'sfx/ev_game_*', 'sfx/complete_*']),
    ('stage1', ['red/bg/back1.jpg', 'music/track01.ogg']),
    # The map and the Pirate Shop between levels.
    ('between', ['red/shop/*', 'sfx/ev_map_*', 'sfx/ev_shop_*']),
    ('stage2', ['red/bg/back2.jpg', 'music/track02.ogg']),
    ('stage3', ['red/bg/back3.jpg']),
    ('stage4', ['red/bg/back4.jpg']),
    ('stage5', ['red/bg/back5.jpg']),
    ('stage6', ['red/bg/back6.jpg']),
    ('stage7', ['red/bg/back7.jpg']),
    # The congratulations after the last level.
    ('credits', ['red/bg/back8.jpg']),
    # What no screen draws today.
    ('rest', ['*']),
]
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
