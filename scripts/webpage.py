#!/usr/bin/env python3
"""Serves the browser build's page and drives it in headless Chromium.

  webpage.py serve [DIR] [PORT]      serve DIR (build-web/page) on 127.0.0.1:PORT until Ctrl-C
  webpage.py check [DIR] [OUT]       the game's page: the bot plays level 3 for 40 s (report and play screen
                                     checked), a still menu, a level left by a reload and continued; prints the
                                     timings and figures; screenshots in OUT (build-web/check)
  webpage.py demo-check [DIR] [OUT]  open the back ends' demo page (demo.html), check what it reports, click it,
                                     reload it, and save screenshots in OUT

Chromium is driven over its DevTools protocol on a pipe (--remote-debugging-pipe), so nothing but the
Python standard library is needed. Exits non-zero when a check fails.
"""
import base64
import fcntl
import functools
import http.server
import json
import os
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_PAGE = os.path.join(HERE, '..', 'build-web', 'page')
VIEW_W, VIEW_H = 1024, 768  # the demo's canvas: one page pixel is one canvas pixel


class PageHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, '.wasm': 'application/wasm',
                      '.data': 'application/octet-stream', '.js': 'text/javascript'}

    def end_headers(self):
        self.send_header('Cache-Control', 'no-cache')
        super().end_headers()

    def log_message(self, *args):
        pass


def start_server(page_dir, port=0):
    handler = functools.partial(PageHandler, directory=page_dir)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', port), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Browser:
    """Headless Chromium with a fresh profile, one page, commands over the DevTools pipe."""

    def __init__(self, width=VIEW_W, height=VIEW_H):
        self.profile = tempfile.mkdtemp(prefix='bm-chromium-')
        to_chrome_r, self.to_chrome = os.pipe()
        self.from_chrome, from_chrome_w = os.pipe()

        def child_pipes():
            # Chromium reads commands on fd 3 and answers on fd 4; the pipes go there by way of
            # higher numbers, since either may already sit on 3 or 4.
            high = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_chrome_r, from_chrome_w)]
            os.dup2(high[0], 3)
            os.dup2(high[1], 4)

        chromium = shutil.which('chromium') or shutil.which('chromium-browser')
        if not chromium:
            sys.exit('webpage.py: chromium is not installed (apt-get install chromium)')
        self.proc = subprocess.Popen(
            [chromium, '--headless=new', '--use-gl=angle', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
             '--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
             '--no-first-run', '--remote-debugging-pipe', '--user-data-dir=' + self.profile,
             '--window-size=%d,%d' % (width, height), 'about:blank'],
            preexec_fn=child_pipes, close_fds=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_chrome_r)
        os.close(from_chrome_w)
        self.next_id = 0
        self.buffer = b''
        self.console = []
        target = next(t for t in self.call('Target.getTargets')['targetInfos'] if t['type'] == 'page')
        self.session = self.call('Target.attachToTarget', targetId=target['targetId'], flatten=True)['sessionId']
        self.call('Runtime.enable', session=True)
        self.call('Page.enable', session=True)
        self.call('Emulation.setDeviceMetricsOverride', session=True, width=width, height=height,
                  deviceScaleFactor=1, mobile=False)

    def close(self):
        self.proc.kill()
        self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

    def _message(self, timeout):
        while b'\0' not in self.buffer:
            ready, _, _ = select.select([self.from_chrome], [], [], timeout)
            if not ready:
                raise TimeoutError('chromium did not answer')
            chunk = os.read(self.from_chrome, 1 << 20)
            if not chunk:
                raise RuntimeError('chromium ended')
            self.buffer += chunk
        text, self.buffer = self.buffer.split(b'\0', 1)
        return json.loads(text)

    def call(self, method, session=False, timeout=30, **params):
        self.next_id += 1
        message = {'id': self.next_id, 'method': method, 'params': params}
        if session:
            message['sessionId'] = self.session
        os.write(self.to_chrome, json.dumps(message).encode() + b'\0')
        while True:
            reply = self._message(timeout)
            if reply.get('id') == self.next_id:
                if 'error' in reply:
                    raise RuntimeError('%s: %s' % (method, reply['error']))
                return reply.get('result', {})
            self._event(reply)

    def _event(self, event):
        method, params = event.get('method'), event.get('params', {})
        if method == 'Runtime.consoleAPICalled':
            self.console.append(' '.join(str(a.get('value', a.get('description', ''))) for a in params['args']))
        elif method == 'Runtime.exceptionThrown':
            self.console.append('exception: ' + params['exceptionDetails'].get('text', '') + ' ' +
                                params['exceptionDetails'].get('exception', {}).get('description', ''))

    def cpu_use(self, seconds):
        """Per cent of one core each kind of Chromium process (renderer, gpu-process, ...) used over seconds."""
        def sample():
            parents, info = {}, {}
            for pid in filter(str.isdigit, os.listdir('/proc')):
                try:
                    with open('/proc/%s/stat' % pid) as f:
                        fields = f.read().rsplit(')', 1)[1].split()
                    with open('/proc/%s/cmdline' % pid, 'rb') as f:
                        cmd = f.read().replace(b'\0', b' ').split()  # Chromium's children rewrite theirs
                except OSError:
                    continue
                parents[int(pid)] = int(fields[1])
                kind = next((a[7:].decode() for a in cmd if a.startswith(b'--type=')), 'browser')
                info[int(pid)] = (kind, int(fields[11]) + int(fields[12]))
            ticks = {}
            for pid, (kind, used) in info.items():
                up = pid
                while up > 1 and up != self.proc.pid:
                    up = parents.get(up, 0)
                if up == self.proc.pid:
                    ticks[kind] = ticks.get(kind, 0) + used
            return ticks
        before, start = sample(), time.monotonic()
        time.sleep(seconds)
        after, spent = sample(), time.monotonic() - start
        hz = os.sysconf('SC_CLK_TCK')
        return {k: 100.0 * (after[k] - before.get(k, 0)) / hz / spent for k in after}

    def evaluate(self, expression):
        result = self.call('Runtime.evaluate', session=True, expression=expression, returnByValue=True)
        return result.get('result', {}).get('value')

    def wait_for(self, expression, timeout=30, poll=0.05):
        """Polls a JavaScript expression until it is truthy; returns its value."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(poll)
        raise TimeoutError('waited %.0f s for: %s' % (timeout, expression))

    def try_evaluate(self, expression):
        """evaluate, None while the page is between two documents."""
        try:
            return self.evaluate(expression)
        except RuntimeError:
            return None

    def navigate(self, url):
        self.call('Page.navigate', session=True, url=url)

    def reload(self):
        self.call('Page.reload', session=True, ignoreCache=False)

    def click(self, x, y):
        for kind in ('mousePressed', 'mouseReleased'):
            self.call('Input.dispatchMouseEvent', session=True, type=kind, x=x, y=y, button='left', clickCount=1)

    def screenshot(self, path):
        data = base64.b64decode(self.call('Page.captureScreenshot', session=True, format='png')['data'])
        with open(path, 'wb') as f:
            f.write(data)
        return decode_png(data)


def decode_png(data):
    """(width, height, rows of RGB triples) of an 8-bit, non-interlaced RGB or RGBA PNG."""
    pos, idat, width = 8, b'', 0
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour = struct.unpack('>IIBB', body[:10])
            if depth != 8 or colour not in (2, 6):
                raise ValueError('unexpected PNG format')
            channels = 3 if colour == 2 else 4
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    raw, stride, rows, prev = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        kind, cur = line[0], bytearray(line[1:])
        for i in range(stride):
            a = cur[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            if kind == 1:
                cur[i] = (cur[i] + a) & 255
            elif kind == 2:
                cur[i] = (cur[i] + b) & 255
            elif kind == 3:
                cur[i] = (cur[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                cur[i] = (cur[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(cur[x * channels:x * channels + 3]) for x in range(width)])
        prev = cur
    return width, height, rows


def near(rgb, want_hex, tolerance=3):
    want = int(want_hex, 16)
    return all(abs(rgb[i] - ((want >> (16 - 8 * i)) & 255)) <= tolerance for i in range(3))


class Checks:
    """Prints each check as it is made; the exit code at the end."""

    def __init__(self):
        self.failures = []

    def expect(self, ok, what):
        print(('ok    ' if ok else 'FAIL  ') + what)
        if not ok:
            self.failures.append(what)

    def result(self):
        print('%d checks failed' % len(self.failures) if self.failures else 'all checks passed')
        return 1 if self.failures else 0


def demo_check(page_dir, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    server = start_server(page_dir)
    url = 'http://127.0.0.1:%d/demo.html' % server.server_address[1]
    browser = Browser()
    checks = Checks()
    expect = checks.expect

    report_js = "(function(){var t=document.getElementById('report').textContent;return t?JSON.parse(t):null})()"
    try:
        started = time.monotonic()
        browser.navigate(url)
        first = browser.wait_for(report_js + " && " + report_js + ".ready && Module.firstPictureMs && " + report_js)
        wall = (time.monotonic() - started) * 1000
        logo_ms = browser.evaluate('window.logoShownMs || 0')
        picture_ms = browser.evaluate('Module.firstPictureMs || 0')
        print('page to logo %.0f ms, to the program\'s first picture %.0f ms (%.0f ms as the script saw it)'
              % (logo_ms, picture_ms, wall))
        print('renderer: %s; %d pictures of %d; %d frames, %d draw calls'
              % (first['renderer'], first['pictures'], first['pictures_wanted'], first['frames'], first['draw_calls']))
        for check in first['checks']:
            expect(check['ok'], 'drawn %-12s want %s got %s' % (check['name'], check['want'], check['got']))
        expect(first['pictures'] == first['pictures_wanted'], 'every picture loaded')
        expect(first['screenshot'], 'the frame saves as a PNG')
        time.sleep(1.2)  # the loading bar fills in a second; then nothing moves
        width, height, rows = browser.screenshot(os.path.join(out_dir, 'demo.png'))
        expect((width, height) == (VIEW_W, VIEW_H), 'screenshot is %dx%d' % (width, height))
        for check in first['checks']:
            rgb = rows[check['y']][check['x']] if check['y'] < height and check['x'] < width else (0, 0, 0)
            expect(near(rgb, check['want']), 'shown %-12s want %s got %02X%02X%02X' % ((check['name'], check['want']) + rgb))
        frames_before = browser.evaluate(report_js)['frames']
        cpu = browser.cpu_use(5.0)
        print('CPU over 5 s of a still page: ' + ', '.join('%s %.1f %%' % kv for kv in sorted(cpu.items())))
        expect(browser.evaluate(report_js)['frames'] == frames_before, 'a still page draws no frame')

        # A lost drawing context that comes back: every picture is loaded again and drawn as before.
        # (A lost context has no extensions: the handle is kept from before.)
        browser.evaluate("window.loseContext = document.getElementById('canvas').getContext('webgl')"
                         ".getExtension('WEBGL_lose_context'); loseContext.loseContext()")
        time.sleep(0.3)
        browser.evaluate('loseContext.restoreContext()')
        restored = browser.wait_for(report_js + ".resets >= 1 && " + report_js + ".frames > %d && " % frames_before
                                    + report_js)
        expect(restored['all_ok'] and restored['pictures'] == restored['pictures_wanted'],
               'a lost context comes back with every picture and check')
        _, _, rows = browser.screenshot(os.path.join(out_dir, 'demo-restored.png'))
        shown = all(near(rows[c['y']][c['x']], c['want']) for c in restored['checks'])
        expect(shown, 'the page shows the checks again after the context came back')

        # A smaller tab: the canvas shrinks to 800 x 600 below a 50-pixel band, and a click at its
        # centre is still the picture's centre.
        browser.call('Emulation.setDeviceMetricsOverride', session=True, width=800, height=700,
                     deviceScaleFactor=1, mobile=False)
        time.sleep(0.3)
        browser.click(400, 350)
        clicked = browser.wait_for(report_js + ".clicks >= 1 && " + report_js)
        x, y = clicked['clicked_at']
        expect(abs(x - VIEW_W / 2) <= 2 and abs(y - VIEW_H / 2) <= 2,
               'a click on the scaled canvas lands where it was aimed (%.0f, %.0f)' % (x, y))
        expect(clicked['sound'], 'the page has Web Audio')
        expect(clicked['cue_started'], 'the click started a cue')
        expect(clicked['music_running'], 'the click started the tune')
        time.sleep(1.5)
        later = browser.evaluate(report_js)
        expect(later['music_seconds'] > 0.2, 'the tune moves on (%.2f s in)' % later['music_seconds'])
        browser.screenshot(os.path.join(out_dir, 'demo-small-tab.png'))

        browser.wait_for('Module.savesStored >= 1')
        browser.reload()
        again = browser.wait_for("(function(){try{return Module.firstPictureMs && " + report_js + "}catch(e){}})()")
        expect(again['runs'] == first['runs'] + 1, 'the start count survives a reload (%d, then %d)'
               % (first['runs'], again['runs']))
    finally:
        for line in browser.console:
            print('page: ' + line)
        browser.close()
        server.shutdown()
    return checks.result()

# What the game's page keeps for its checks (page_library.js, page_pre.js, index.html).
SCREENS_JS = 'Module.screens || []'
REPORT_JS = "(function(){var t=document.getElementById('report').textContent;return t?JSON.parse(t):null})()"


def screen_at(browser):
    """The screen on top and how long it has been there (ms)."""
    return browser.try_evaluate("(function(){var s=Module.screens||[];if(!s.length)return null;"
                                "var t=s[s.length-1];return [t.name,performance.now()-t.ms]})()") or ['', 0]


def wait_screen(browser, name, for_ms, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        top, since = screen_at(browser)
        if top == name and since >= for_ms:
            return True
        time.sleep(0.2)
    raise TimeoutError('waited %.0f s for the %s screen (on top: %s)' % (timeout, name, screen_at(browser)[0]))


def wait_report(browser, timeout):
    return browser.wait_for('(function(){try{return ' + REPORT_JS + '}catch(e){}})()', timeout=timeout, poll=0.5)


def picture_variety(rows):
    """(distinct colours in a coarse sample, share of near-black pixels)."""
    sample = [p for row in rows[::8] for p in row[::8]]
    dark = sum(1 for p in sample if max(p) < 24)
    return len({(r >> 3, g >> 3, b >> 3) for r, g, b in sample}), dark / max(1, len(sample))


def pass_figures(browser, screen):
    t = browser.try_evaluate('(Module.passTimes||{})[%s]' % json.dumps(screen)) or {}
    return t.get('passes', 0), t.get('ms', 0.0), t.get('max', 0.0)


def game_check(page_dir, out_dir, seconds=40):
    sys.stdout.reconfigure(line_buffering=True)
    os.makedirs(out_dir, exist_ok=True)
    server = start_server(page_dir)
    base = 'http://127.0.0.1:%d/index.html' % server.server_address[1]
    browser = Browser()
    checks = Checks()
    expect = checks.expect

    try:
        # 1. The bot plays level 3 for the given seconds; the page shows the report.
        browser.navigate(base + '?autoplay&level=3&seconds=%d' % seconds)
        wait_screen(browser, 'Play', 4000, timeout=seconds + 60)
        passes_before, ms_before, _ = pass_figures(browser, 'Play')
        frames_before = browser.evaluate('Module.framesDrawn')
        width, height, rows = browser.screenshot(os.path.join(out_dir, 'play.png'))
        top, _ = screen_at(browser)
        colours, dark = picture_variety(rows)
        expect(top == 'Play' and colours >= 200 and dark < 0.3,
               'the screenshot is the play screen (%s on top, %d colours, %.0f %% dark, %dx%d)'
               % (top, colours, 100 * dark, width, height))
        time.sleep(3)
        passes, ms, longest = pass_figures(browser, 'Play')
        if passes > passes_before:
            print('play: %.1f ms a pass over %d passes in 3 s, %d frames drawn (longest pass %.0f ms)'
                  % ((ms - ms_before) / (passes - passes_before), passes - passes_before,
                     browser.evaluate('Module.framesDrawn') - frames_before, longest))
        report = wait_report(browser, timeout=seconds + 60)
        print('report: level %d, %d moves, %d lines, score %d, %.1f s of play, %d saves'
              % (report['level'], report['moves'], report['lines'], report['score'], report['play_seconds'],
                 report['saves']))
        expect(report['moves'] > 0 and report['lines'] > 0, 'the bot made moves and scored lines')
        expect(report['invariant_violations'] == 0, 'no invariant violations')
        expect(report['level'] >= 3 and report['save_failures'] == 0 and report['saves'] >= 1,
               'the level was played and saved')
        first_score = report['score']

        # 2. A player's page: timings, then a still menu with the pointer resting.
        started = time.monotonic()
        browser.navigate(base)
        wait_screen(browser, 'MainMenu', 500, timeout=60)
        logo_ms = browser.evaluate('window.logoShownMs || 0')
        picture_ms = browser.evaluate('Module.firstPictureMs || 0')
        menu_ms = next(s['ms'] for s in browser.evaluate(SCREENS_JS) if s['name'] == 'MainMenu')
        print('page to logo %.0f ms, to the first picture %.0f ms, to the main menu %.0f ms (%.0f ms as the '
              'script saw it)' % (logo_ms, picture_ms, menu_ms, (time.monotonic() - started) * 1000 - 500))
        browser.call('Input.dispatchMouseEvent', session=True, type='mouseMoved', x=30, y=30)
        time.sleep(5)  # the sounds decoded in the background are done
        menu_passes, frames = pass_figures(browser, 'MainMenu')[0], browser.evaluate('Module.framesDrawn')
        cpu = browser.cpu_use(5.0)
        still_passes = pass_figures(browser, 'MainMenu')[0] - menu_passes
        still_frames = browser.evaluate('Module.framesDrawn') - frames
        print('still menu over 5 s: %d passes, CPU %s' % (still_passes, ', '.join(
            '%s %.1f %%' % kv for kv in sorted(cpu.items()))))
        expect(still_frames == 0, 'a still menu draws no frame (%d drawn in 5 s)' % still_frames)
        browser.screenshot(os.path.join(out_dir, 'menu.png'))

        # 3. The bot continues the saved level; the page is left mid-level and opened again.
        browser.navigate(base + '?autoplay')
        wait_screen(browser, 'Play', 3000, timeout=120)
        browser.navigate(base + '?autoplay&seconds=%d' % seconds)
        kept = browser.wait_for('(function(){try{return Module.calledRun && [Module.keptFiles||0]}catch(e){}})()',
                                timeout=60)[0]
        expect(kept >= 1, 'the page left mid-level kept its saves (%d files back at the next start)' % kept)
        again = wait_report(browser, timeout=seconds + 90)
        print('continued: level %d, score %d (%d before), %d moves' % (again['level'], again['score'], first_score,
                                                                        again['moves']))
        expect(again['level'] >= 3 and again['score'] >= first_score, 'the saved game continued after the reloads')
        expect(again['invariant_violations'] == 0, 'no invariant violations after continuing')
    except (TimeoutError, RuntimeError) as e:
        expect(False, str(e))
        browser.screenshot(os.path.join(out_dir, 'failed.png'))
        screens = browser.try_evaluate(SCREENS_JS) or []
        print('screens: ' + ', '.join('%s %.1f s' % (s['name'] or 'end', s['ms'] / 1000) for s in screens))
        print(browser.try_evaluate("FS.readFile('/data/run.log', {encoding: 'utf8'})") or '')
    finally:
        for line in browser.console[-40:]:
            print('page: ' + line)
        browser.close()
        server.shutdown()
    return checks.result()


def main(argv):
    command = argv[1] if len(argv) > 1 else ''
    page_dir = os.path.abspath(argv[2] if len(argv) > 2 else DEFAULT_PAGE)
    if not os.path.exists(os.path.join(page_dir, 'index.html')):
        sys.exit('webpage.py: no page in %s (build it with scripts/web.sh)' % page_dir)
    if command == 'serve':
        port = int(argv[3]) if len(argv) > 3 else 8000
        server = start_server(page_dir, port)
        print('Serving %s on http://127.0.0.1:%d/ (Ctrl-C ends it)' % (page_dir, server.server_address[1]))
        try:
            threading.Event().wait()
        except KeyboardInterrupt:
            server.shutdown()
        return 0
    if command in ('check', 'demo-check'):
        out = os.path.abspath(argv[3] if len(argv) > 3 else os.path.join(page_dir, '..', 'check'))
        return (game_check if command == 'check' else demo_check)(page_dir, out)
    sys.exit(__doc__)


if __name__ == '__main__':
    sys.exit(main(sys.argv))
