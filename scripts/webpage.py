#!/usr/bin/env python3
"""Serves the browser build's page and drives it in headless Chromium.

  webpage.py serve [DIR] [PORT]      serve DIR (build-web/page) on 127.0.0.1:PORT until Ctrl-C
  webpage.py check [DIR] [OUT]       the game's page: the bot plays level 3 for 40 s (report and play screen
                                     checked), a still menu, a level left by a reload and continued; prints the
                                     timings and figures; screenshots in OUT (build-web/check)
  webpage.py demo-check [DIR] [OUT]  open the back ends' demo page (demo.html), check what it reports, click it,
                                     reload it, and save screenshots in OUT
  webpage.py js-mutants [DIR] [N...] break the page's own script one line at a time (tests/page-mutants.txt) and
                                     run the quick checks against each (two tabs, storage, the loading screen,
                                     the packs at 10 Mbit/s, offline)
  webpage.py packs [DIR] [MBIT...]   first visits at these speeds: bytes and time to the first picture, time to
                                     the main menu; without speeds, 50 and 10 Mbit/s and the offline check

Chromium is driven over its DevTools protocol on a pipe (--remote-debugging-pipe), so nothing but the
Python standard library is needed. Exits non-zero when a check fails.
"""
import base64
import fcntl
import functools
import http.server
import io
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
                      '.pack': 'application/octet-stream', '.js': 'text/javascript',
                      '.webmanifest': 'application/manifest+json'}
    # The program and the page's text go gzip-compressed to a browser that takes it, as any web server's would
    # (the packs are pictures and sounds, compressed already).
    COMPRESSED = ('.wasm', '.js', '.json', '.html', '.webmanifest')
    gzipped = {}  # (path, mtime) -> bytes

    def end_headers(self):
        self.send_header('Cache-Control', 'no-cache')
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        slow = getattr(self.server, 'slow', None)  # (a file name's start, seconds): that file comes late
        if slow and os.path.basename(path).startswith(slow[0]):
            time.sleep(slow[1])
        if not (path.endswith(self.COMPRESSED) and os.path.isfile(path)
                and 'gzip' in self.headers.get('Accept-Encoding', '')):
            return super().send_head()
        key = (path, os.stat(path).st_mtime_ns)
        if key not in self.gzipped:
            with open(path, 'rb') as f:
                packer = zlib.compressobj(9, zlib.DEFLATED, 31)
                self.gzipped[key] = packer.compress(f.read()) + packer.flush()
        body = self.gzipped[key]
        self.send_response(200)
        self.send_header('Content-Type', self.guess_type(path))
        self.send_header('Content-Encoding', 'gzip')
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        return io.BytesIO(body)

    def log_message(self, *args):
        pass


def start_server(page_dir, port=0, slow=None):
    handler = functools.partial(PageHandler, directory=page_dir)
    server = http.server.ThreadingHTTPServer(('127.0.0.1', port), handler)
    server.slow = slow
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Browser:
    """Headless Chromium with a fresh profile, one page, commands over the DevTools pipe."""

    def __init__(self, width=VIEW_W, height=VIEW_H, blocked_origin=None):
        self.profile = tempfile.mkdtemp(prefix='bm-chromium-')
        if blocked_origin:
            # That origin may keep no site data (no IndexedDB, no localStorage), as a player's setting would have it.
            os.makedirs(os.path.join(self.profile, 'Default'))
            with open(os.path.join(self.profile, 'Default', 'Preferences'), 'w') as f:
                json.dump({'profile': {'content_settings': {'exceptions': {'cookies': {
                    blocked_origin + ',*': {'setting': 2}}}}}}, f)
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
        self.received = [(0, 0)]  # (time, bytes) the page received from the network, with Network enabled
        self.requested = []  # the names of the files the page asked for, with Network enabled
        self.asked = []  # (name, when) of each
        target = next(t for t in self.call('Target.getTargets')['targetInfos'] if t['type'] == 'page')
        self.session = self.attach(target['targetId'], width, height)

    def attach(self, target_id, width, height):
        self.session = self.call('Target.attachToTarget', targetId=target_id, flatten=True)['sessionId']
        self.call('Runtime.enable', session=True)
        self.call('Page.enable', session=True)
        self.call('Emulation.setDeviceMetricsOverride', session=True, width=width, height=height,
                  deviceScaleFactor=1, mobile=False)
        return self.session

    def new_tab(self, width=VIEW_W, height=VIEW_H):
        """A second tab of the same browser (the same profile); the commands go to it from now on."""
        target = self.call('Target.createTarget', url='about:blank')['targetId']
        return self.attach(target, width, height)

    def use(self, session):
        """Commands go to this tab from now on; returns the one they went to."""
        old, self.session = self.session, session
        return old

    def size(self, width, height, scale=1, mobile=False):
        self.call('Emulation.setDeviceMetricsOverride', session=True, width=width, height=height,
                  deviceScaleFactor=scale, mobile=mobile)
        self.call('Emulation.setTouchEmulationEnabled', session=True, enabled=mobile, maxTouchPoints=5)

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
            try:
                reply = self._message(timeout)
            except TimeoutError:
                raise TimeoutError('chromium did not answer %s in %d s' % (method, timeout)) from None
            if reply.get('id') == self.next_id:
                if 'error' in reply:
                    raise RuntimeError('%s: %s' % (method, reply['error']))
                return reply.get('result', {})
            self._event(reply)

    def _event(self, event):
        method, params = event.get('method'), event.get('params', {})
        if method == 'Network.requestWillBeSent' and params.get('type') == 'Document':
            self.received = [(params['timestamp'], 0)]  # a new page: its bytes from here
            self.requested, self.asked = [], []
        elif method == 'Network.requestWillBeSent':
            self.requested.append(params['request']['url'].split('?')[0].rsplit('/', 1)[-1])
            self.asked.append((self.requested[-1], params['timestamp']))
        elif method == 'Network.dataReceived':
            self.received.append((params['timestamp'], params.get('encodedDataLength', 0)))
        elif method == 'Runtime.consoleAPICalled':
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

    def settle(self, timeout=20):
        """Waits until Chromium's own start is over (its processes use under 5 % of a core for half a second; the
        omnibox's popup page alone takes seconds of a core after a start): a player's browser is running already when
        the page opens. Returns the seconds waited."""
        start = time.monotonic()
        while time.monotonic() - start < timeout and sum(self.cpu_use(0.5).values()) >= 5:
            pass
        return time.monotonic() - start

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
        """evaluate, None while the page is between two documents or does not answer."""
        try:
            return self.evaluate(expression)
        except (RuntimeError, TimeoutError):
            return None

    def navigate(self, url):
        self.call('Page.navigate', session=True, url=url)

    def reload(self):
        self.call('Page.reload', session=True, ignoreCache=False)

    def click(self, x, y):
        for kind in ('mousePressed', 'mouseReleased'):
            self.call('Input.dispatchMouseEvent', session=True, type=kind, x=x, y=y, button='left', clickCount=1)

    def swipe(self, x0, y0, x1, y1, steps=3):
        """A finger down at (x0, y0), moved to (x1, y1) and lifted (CSS pixels)."""
        self.call('Input.dispatchTouchEvent', session=True, type='touchStart', touchPoints=[{'x': x0, 'y': y0}])
        for i in range(1, steps + 1):
            p = {'x': x0 + (x1 - x0) * i / steps, 'y': y0 + (y1 - y0) * i / steps}
            self.call('Input.dispatchTouchEvent', session=True, type='touchMove', touchPoints=[p])
        self.call('Input.dispatchTouchEvent', session=True, type='touchEnd', touchPoints=[])

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


def words(check):
    """A check's words without its figures, which vary from run to run."""
    return ''.join(c for c in check if not c.isdigit())


class CheckFailed(Exception):
    pass


class Checks:
    """Prints each check as it is made; the exit code at the end. With stop_past (a set of checks' words), the
    first failed check not among them ends the run (CheckFailed)."""

    def __init__(self, stop_past=None):
        self.failures = []
        self.stop_past = stop_past

    def expect(self, ok, what):
        print(('ok    ' if ok else 'FAIL  ') + what)
        if not ok:
            self.failures.append(what)
            if self.stop_past is not None and words(what) not in self.stop_past:
                raise CheckFailed(what)

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


STATUS_JS = "document.getElementById('status').textContent"
# The loudest sample of the running tune's last 2048 (-1 while none plays), by an analyser on its output.
HEARD_JS = ("(function(){var t=null;for(var k in BM.tracks)if(BM.tracks[k].source)t=BM.tracks[k];if(!t)return -1;"
            "if(!t.ear){t.ear=BM.ctx.createAnalyser();t.nodes[2].connect(t.ear);}var a=new Float32Array(t.ear.fftSize),"
            "m=0;t.ear.getFloatTimeDomainData(a);for(var i=0;i<a.length;i++)m=Math.max(m,Math.abs(a[i]));return m})()")
# Each saved file in /data/saves as its length and a checksum.
SAVES_JS = ("(function(){var o={};FS.readdir('/data/saves').forEach(function(n){if(n[0]=='.'||/tmp/.test(n))return;"
            "var b=FS.readFile('/data/saves/'+n),h=0;for(var i=0;i<b.length;i++)h=(h*31+b[i])|0;"
            "o[n]=b.length+':'+h});return o})()")
CANVAS_JS = ("(function(){var c=document.getElementById('canvas'),r=c.getBoundingClientRect();"
             "return {w:c.width,h:c.height,cw:r.width,ch:r.height,dpr:devicePixelRatio}})()")
# A test's stand-in for a browser without IndexedDB: the page is opened with this address fragment.
NO_IDB_SCRIPT = ("if (location.hash === '#no-indexeddb') Object.defineProperty(window, 'indexedDB', "
                 "{get: function () { return undefined; }, configurable: true});")


def started(browser, timeout=60):
    """Waits until the program runs in the tab on top (its saves read)."""
    browser.wait_for('(function(){try{return !!Module.calledRun}catch(e){}})()', timeout=timeout)


def lattice_point(box, cell):
    """Where a board cell's centre is on the page (CSS pixels), for a canvas box {left, top, width, height}:
    the lattice's own layout (column, row, the odd columns half a row lower) scaled from 1280x1024."""
    k, row = cell % 11, cell // 11
    column = 2 * k if k <= 5 else 2 * (k - 6) + 1
    x = 200 + 1.5 * (32 + 48 * column)
    y = 90 + 1.5 * (32 + 54 * row + (27 if column % 2 else 0))
    return box['left'] + x * box['width'] / 1280, box['top'] + y * box['height'] / 1024


FILE_TEXT = 'Brinemoor cannot start from a file: open this folder through a web server: scripts/serve-web.sh'


def file_address(browser, page_dir, checks):
    """Opened from a file, the page says how to open it; with ?lang=de it says so, and "Loading...", in German."""
    url = 'file://' + os.path.join(page_dir, 'index.html')
    browser.navigate(url)
    status = browser.wait_for(STATUS_JS, timeout=10)
    checks.expect('scripts/serve-web.sh' in status, 'opened as a file: ' + status)
    browser.navigate(url + '?lang=de')
    said = browser.wait_for("(function(){var s=%s;return s&&[s,document.getElementById('loading-word').textContent,"
                            "document.documentElement.lang]})()" % STATUS_JS, timeout=10)
    want = browser.evaluate('[BmPageTexts.de[%s], BmPageTexts.de["Loading..."]]' % json.dumps(FILE_TEXT))
    checks.expect(said == want + ['de'] and want[0] != FILE_TEXT and want[1] != 'Loading...',
                  'opened as a file with ?lang=de: %s' % said)


def two_tabs(browser, base, checks, first_report, seconds):
    """A second tab writes nothing; taking over keeps the first's saves; taking back keeps the second's."""
    expect = checks.expect
    tab_a = browser.session
    browser.use(tab_a)
    expect(browser.evaluate('Page.state') == 'owner', 'the first tab owns the saves')
    tab_b = browser.new_tab()
    browser.navigate(base + '?autoplay&seconds=%d' % (seconds * 4))
    browser.wait_for("typeof Page !== 'undefined' && Page.state === 'guest'", timeout=30)
    time.sleep(1)
    status = browser.evaluate(STATUS_JS)
    wrote = browser.evaluate('[!!Module.calledRun, Module.savesStored || 0]')
    browser.screenshot(os.path.join(OUT[0], 'second-tab.png'))
    expect('open in another tab' in status and wrote == [False, 0],
           'the second tab writes nothing and says why (%s; started %s): %s' % (wrote[1], wrote[0], status))

    browser.use(tab_a)
    a_saves = browser.evaluate(SAVES_JS)
    browser.use(tab_b)
    browser.evaluate("document.querySelector('#status button').click()")
    started(browser)
    b_saves = browser.evaluate(SAVES_JS)
    browser.use(tab_a)
    browser.wait_for("Page.state === 'stopped'", timeout=10)
    expect('stopped' in browser.evaluate(STATUS_JS) and browser.evaluate("!!document.querySelector('#status button')"),
           'the first tab says it stopped, with a button to play there again')
    browser.screenshot(os.path.join(OUT[0], 'first-tab-stopped.png'))
    expect(b_saves == a_saves and 'players.dat' in a_saves and 'hs.dat' in a_saves,
           'taken over: the second tab has every saved file of the first (%d files)' % len(a_saves))

    # The second tab goes on with the saved level, leaves it by a reload and continues it.
    browser.use(tab_b)
    wait_screen(browser, 'Play', 3000, timeout=120)
    browser.navigate(base + '?autoplay&seconds=%d' % seconds)
    kept = browser.wait_for('(function(){try{return Module.calledRun && [Module.keptFiles||0]}catch(e){}})()',
                            timeout=60)[0]
    expect(kept >= 1, 'the page left mid-level kept its saves (%d files back at the next start)' % kept)
    again = wait_report(browser, timeout=seconds + 90)
    print('continued: level %d, score %d (%d before), %d moves' % (again['level'], again['score'], first_report['score'],
                                                                    again['moves']))
    expect(again['level'] >= first_report['level'] and again['score'] >= first_report['score'],
           'the taken-over game continued with the first tab\'s level and score')
    expect(again['invariant_violations'] == 0, 'no invariant violations after continuing')

    # The first tab takes the saves back mid-level ("Play here" marks the tab and reloads it; here with a
    # shorter run): the second saves its level and stops, the first gets every file and continues it.
    browser.navigate(base + '?autoplay&seconds=%d' % (seconds * 4))
    wait_screen(browser, 'Play', 3000, timeout=120)
    browser.use(tab_a)
    browser.evaluate("sessionStorage.setItem('brinemoor-take', '1'); location.href = %s"
                     % json.dumps(base + '?autoplay&seconds=%d' % seconds))
    time.sleep(0.5)
    started(browser)
    a_back = browser.evaluate(SAVES_JS)
    browser.use(tab_b)
    browser.wait_for("Page.state === 'stopped'", timeout=10)
    b_last, b_report = browser.evaluate(SAVES_JS), wait_report(browser, timeout=10)
    expect(a_back == b_last and b_report['saves'] >= 1 and b_report['save_failures'] == 0,
           'taken back: the second tab saved its level, the first has every file (%d)' % len(b_last))
    browser.call('Target.closeTarget', targetId=browser.call('Target.getTargetInfo', session=True)['targetInfo']['targetId'])
    browser.use(tab_a)
    back = wait_report(browser, timeout=seconds + 90)
    expect(back['level'] >= b_report['level'] and back['score'] >= b_report['score'],
           'the first tab continued the second\'s level %d, score %d (%d)' % (b_report['level'], b_report['score'],
                                                                            back['score']))


def canvas_sizes(browser, base, checks):
    """Opened cold at each size, a returning player's page is drawn at the screen's pixels, in proportion."""
    for width, height, ratio, query in ((1280, 720, 1, ''), (1920, 1080, 1, ''), (1024, 768, 2, ''),
                                        (1280, 720, 1, '?resolution=0')):
        browser.size(width, height, ratio)
        browser.navigate(base + query)
        c = browser.wait_for('(function(){try{return Module.framesDrawn >= 1 && %s}catch(e){}})()' % CANVAS_JS,
                             timeout=60)
        time.sleep(0.3)
        name = 'size-%dx%d@%d%s.png' % (width, height, ratio, '-desktop' if query else '')
        browser.screenshot(os.path.join(OUT[0], name))
        fills = abs(c['ch'] - height) < 1.5 or abs(c['cw'] - width) < 1.5
        sharp = abs(c['w'] - c['cw'] * ratio) <= 1.5 and abs(c['h'] - c['ch'] * ratio) <= 1.5
        shape = c['w'] / c['h']
        expect = checks.expect
        expect(fills and sharp and abs(shape - 4 / 3) < 0.01,
               '%dx%d at %dx%s: canvas %dx%d pixels shown at %.0fx%.0f (%.3f:1)' % (
                   width, height, ratio, ' (DESKTOP)' if query else '', c['w'], c['h'], c['cw'], c['ch'], shape))
    browser.size(VIEW_W, VIEW_H)


def phone(browser, base, checks):
    """A phone held sideways: the picture fills the height and a swipe swaps; upright, the page asks to turn it."""
    expect = checks.expect
    browser.size(844, 390, 3, mobile=True)
    browser.navigate(base + '?level=1&seed=3&seconds=45')
    wait_screen(browser, 'Play', 2500, timeout=60)
    c = browser.evaluate(CANVAS_JS)
    box = browser.evaluate("(function(){var r=document.getElementById('canvas').getBoundingClientRect();"
                           "return {left:r.left,top:r.top,width:r.width,height:r.height}})()")
    expect(abs(c['ch'] - 390) < 1.5 and c['h'] == round(c['ch'] * 3),
           'a phone sideways: the picture fills the height (%dx%d pixels at %.0fx%.0f)' % (c['w'], c['h'], c['cw'],
                                                                                          c['ch']))
    # Touch targets, where a press reaches them (what is drawn in brackets), in units of the 1280x1024 design: the
    # stock buttons 108 x 108.5 at least (66.85), MENU 112 (95.5), the dialog's buttons 18 x 11 % (16 x 7 %).
    sx, sy = box['width'] / 1280, box['height'] / 1024
    print('touch targets at 844x390: stock buttons %.0fx%.0f (%.0fx%.0f drawn), MENU %.0fx%.0f (%.0fx%.0f), dialog '
          'buttons %.0fx%.0f (%.0fx%.0f) CSS pixels' % (108 * sx, 108.5 * sy, 66.85 * sx, 66.85 * sy, 112 * sx, 112 * sy,
                                                       95.5 * sx, 95.5 * sy, 0.18 * box['width'], 0.11 * box['height'],
                                                       0.16 * box['width'], 0.07 * box['height']))
    browser.swipe(box['left'] + 60 * sx, box['top'] + 500 * sy, box['left'] + 60 * sx, box['top'] + 500 * sy, 1)
    time.sleep(0.6)  # a tip, if one shows, took that tap
    x0, y0 = lattice_point(box, 74)
    x1, y1 = lattice_point(box, 63)  # the cell above
    browser.swipe(x0, y0, x0 + (x1 - x0) * 0.45, y0 + (y1 - y0) * 0.45)
    browser.screenshot(os.path.join(OUT[0], 'phone-landscape.png'))
    report = wait_report(browser, timeout=60)
    expect(report['moves'] >= 1, 'a swipe toward a neighbour swaps (%d moves)' % report['moves'])
    browser.size(390, 844, 3, mobile=True)
    time.sleep(0.5)
    c = browser.evaluate(CANVAS_JS)
    asks = browser.evaluate("document.documentElement.classList.contains('portrait') && "
                            "getComputedStyle(document.getElementById('turn')).display !== 'none'")
    browser.screenshot(os.path.join(OUT[0], 'phone-portrait.png'))
    expect(asks and abs(c['cw'] - 390) < 1.5, 'a phone upright: the page asks to turn it and shows the whole picture '
           '(%.0fx%.0f)' % (c['cw'], c['ch']))
    browser.size(VIEW_W, VIEW_H)


def storage_refused(browser, base, blocked_base, checks):
    """Where the browser keeps nothing the game plays and the page says so."""
    browser.call('Page.addScriptToEvaluateOnNewDocument', session=True, source=NO_IDB_SCRIPT)
    for name, url in (('site data blocked', blocked_base + '?autoplay&level=1&seconds=20'),
                      ('no IndexedDB', base + '?autoplay&level=1&seconds=20#no-indexeddb')):
        browser.navigate(url)
        try:
            report = wait_report(browser, timeout=60)
        except TimeoutError:  # the page stopped: how far the program came is in the check's words
            report = {'moves': 0}
        status = browser.evaluate(STATUS_JS)
        screens = len(browser.try_evaluate(SCREENS_JS) or [])
        expect = checks.expect
        expect(report['moves'] > 0 and 'will not be kept' in status,
               '%s: the game plays (%d moves, %d screens) and the page says so: %s' % (name, report['moves'], screens,
                                                                                    status))
    browser.screenshot(os.path.join(OUT[0], 'storage-refused.png'))


def skipped_intro(browser, base, checks):
    """A click on the loading screen skips the logo and the fade when they come."""
    started_at = time.monotonic()
    browser.navigate(base)
    browser.wait_for("typeof Module !== 'undefined' && !document.getElementById('loading').hidden")
    browser.click(VIEW_W / 2, VIEW_H / 2)
    wait_screen(browser, 'MainMenu', 500, timeout=60)
    logo_ms = browser.evaluate('window.logoShownMs || 0')
    picture_ms = browser.evaluate('Module.firstPictureMs || 0')
    screens = browser.evaluate(SCREENS_JS)
    menu_ms = next(s['ms'] for s in screens if s['name'] == 'MainMenu')
    shown = {s['name']: screens[i + 1]['ms'] - s['ms'] for i, s in enumerate(screens[:-1])}
    print('page to logo %.0f ms, to the first picture %.0f ms, to the main menu %.0f ms with the logo skipped '
          '(%.0f ms as the script saw it)' % (logo_ms, picture_ms, menu_ms,
                                              (time.monotonic() - started_at) * 1000 - 500))
    checks.expect(shown.get('Logo', 1e9) < 1000 and shown.get('IntroFade', 0) < 1000,
                  'a click on the loading screen skipped the logo (%.0f ms) and the fade (%.0f ms)'
                  % (shown.get('Logo', -1), shown.get('IntroFade', -1)))
    # That click let sound start: the menu's tune is heard (an analyser on its output finds its loudest sample).
    try:
        browser.wait_for(HEARD_JS + ' > 1e-4', timeout=20)
    except TimeoutError:
        pass
    checks.expect((browser.evaluate(HEARD_JS) or -1) > 1e-4, 'the menu\'s tune is heard (loudest sample %.4f)'
                  % (browser.evaluate(HEARD_JS) or -1))


RUN_LOG_JS = "FS.readFile('/data/run.log', {encoding: 'utf8'})"


def languages(page_dir, checks):
    """The catalogue of the language the program speaks is in /game when it starts: the one asked for in the
    address, else the one the player chose in the game (kept in its settings). A fresh browser on a slow network,
    the page not kept, the start pack 3 s late: the catalogues' packs come long after the program started unless it
    waited for them."""
    server = start_server(page_dir, slow=('start.', 3))
    base = 'http://127.0.0.1:%d/index.html' % server.server_address[1]
    browser = Browser()
    said = []
    try:
        emulate_network(browser, 4)
        for query, kept in (('?lang=de', None), ('', 'fr')):
            if kept:  # the run before has ended: nothing else writes the saves; the page is forgotten
                browser.evaluate("FS.writeFile('/data/settings.ini', 'Language=%s\\n');"
                                 "bmCopyToStorage(function(){window.copied=1});"
                                 "navigator.serviceWorker.getRegistrations().then(function(r){r.forEach("
                                 "function(w){w.unregister()})});caches.keys().then(function(k){k.forEach("
                                 "function(c){caches.delete(c)})})" % kept)
                browser.wait_for('window.copied', timeout=10)
            browser.navigate(base + (query or '?') + '&autoplay&level=1&seconds=5')
            try:
                wait_report(browser, timeout=90)
            except TimeoutError:
                pass  # the run log says how far the program came
            # The run log's last word on the language: "Language: de", or a catalogue missing ("texts in English").
            lines = (browser.try_evaluate(RUN_LOG_JS) or '').split('\n')
            said.append([l.split('Language: ')[1].split()[0] if 'Language: ' in l else 'en' for l in lines
                         if 'Language: ' in l or 'texts in English' in l][-1:])
    finally:
        browser.close()
        server.shutdown()
        server.server_close()
    checks.expect(said == [['de'], ['fr']], 'the program spoke the language asked for in the address and then the one '
                  'kept in its settings, their catalogues there as it started: %s' % said)


def emulate_network(browser, mbit):
    """The tab's network at this many Mbit/s down (20 ms latency); None: as it is."""
    browser.call('Network.enable', session=True)
    rate = mbit * 1e6 / 8 if mbit else -1
    browser.call('Network.emulateNetworkConditions', session=True, offline=False, latency=20 if mbit else 0,
                 downloadThroughput=rate, uploadThroughput=rate)


PACKS_JS = ("(function(){var l=Page.packs?Page.packs.list:[];return {version:Page.packs&&Page.packs.version,here:l.filter(function(p){"
            "return p.state==='here'}).length,all:l.length,start:l.length?l[0].bytes:0,"
            "total:l.reduce(function(s,p){return s+p.bytes},0)}})()")


def packs_cold(page_dir, checks, mbit):
    """A first visit at this many Mbit/s: the bytes and time to the program's first picture, the time to the
    main menu with a click on the loading screen."""
    server = start_server(page_dir)
    browser = Browser()
    try:
        emulate_network(browser, mbit)
        browser.settle()
        browser.navigate('http://127.0.0.1:%d/index.html' % server.server_address[1])
        browser.wait_for("typeof Module !== 'undefined' && Module.firstPictureMs", timeout=90)
        browser.click(VIEW_W / 2, VIEW_H / 2)
        picture = browser.evaluate('Module.firstPictureMs')
        # What came from the network until then, the page's own document on (its request opens the count).
        start = browser.received[0][0]
        before = sum(n for t, n in browser.received if t - start <= picture / 1000)
        # A first visit asks for the player's name over the menu first.
        menu = browser.wait_for("(function(){var s=(Module.screens||[]).filter(function(s){"
                                "return s.name==='MainMenu'||s.name==='NameBox'})[0];return s&&s.ms})()", timeout=90)
        packs = browser.evaluate(PACKS_JS)
        print('first visit at %g Mbit/s: %.2f MB before the first picture (start pack %.2f MB of %.2f MB in %d '
              'packs), first picture at %.2f s, main menu at %.2f s (the logo skipped)'
              % (mbit, before / 1e6, packs['start'] / 1e6, packs['total'] / 1e6, packs['all'], picture / 1000,
                 menu / 1000))
        checks.expect(before <= 2e6 and packs['start'] <= 2e6,
                      'the program drew its first picture after %.2f MB (at most 2 MB, the start pack too)'
                      % (before / 1e6))
        # The network does not idle while the program starts: the next pack follows the start pack at once.
        after = [(n, (t - start) * 1000) for n, t in browser.asked if n.endswith('.pack') and not n.startswith('start.')]
        checks.expect(after and after[0][1] < picture, 'the pack after the start pack was asked for before the first '
                      'picture (%s at %.0f ms; the picture at %.0f ms)' % ((after[0] if after else ('none', -1)) + (picture,)))
        # The page asks for the program's code before its script does; the script takes that download.
        checks.expect(browser.requested.count('brinemoor.wasm') == 1, 'the program\'s code was fetched once (%d)'
                      % browser.requested.count('brinemoor.wasm'))
        return before
    finally:
        browser.close()
        server.shutdown()
        server.server_close()


def packs_offline(page_dir, checks):
    """A level waits for its pack with the loading bar when the player is faster than the network; after one
    visit the page is kept (its service worker, its packs in the cache) and plays with the server gone."""
    server = start_server(page_dir)
    base = 'http://127.0.0.1:%d/index.html' % server.server_address[1]
    browser = Browser()
    expect = checks.expect
    try:
        emulate_network(browser, 4)
        browser.navigate(base + '?autoplay&level=3&seconds=40')
        browser.wait_for("typeof Module !== 'undefined' && Module.firstPictureMs", timeout=90)
        browser.click(VIEW_W / 2, VIEW_H / 2)
        wait_screen(browser, 'Packs', 0, timeout=60)
        top, since = screen_at(browser)
        rows = browser.screenshot(os.path.join(OUT[0], 'packs-wait.png'))[2]
        colours, dark = picture_variety(rows)
        expect(colours >= 100 and dark < 0.5, 'a level waiting for its pack shows the loading picture and its bar '
               '(%d colours, %.0f %% dark)' % (colours, 100 * dark))
        emulate_network(browser, None)
        report = wait_report(browser, timeout=90)
        expect(report['moves'] > 0, 'the level began once its pack was here (%d moves)' % report['moves'])
        browser.wait_for('Page.packsDone && !!navigator.serviceWorker.controller', timeout=90)
        packs = browser.evaluate(PACKS_JS)
        cached = browser.call('Runtime.evaluate', session=True, awaitPromise=True, returnByValue=True, expression=(
            "caches.open('brinemoor-%s').then(function(c){return c.keys()}).then(function(k){return k.length})"
            % packs['version']))['result'].get('value')
        log = browser.evaluate(RUN_LOG_JS) or ''
        missing = [l for l in log.split('\n') if 'Picture missing' in l or 'stays silent' in l]
        expect(not missing, 'every picture and sound a screen asked for was in its pack: %s' % missing[:3])
        # The network gone: the server stops.
        server.shutdown()
        server.server_close()
        report, stuck = {'moves': 0}, ''
        try:
            browser.navigate(base)
            wait_screen(browser, 'MainMenu', 500, timeout=90)
            browser.screenshot(os.path.join(OUT[0], 'offline-menu.png'))
            browser.navigate(base + '?autoplay&level=1&seconds=40')
            browser.wait_for("typeof Module !== 'undefined' && Module.firstPictureMs", timeout=60)
            browser.click(VIEW_W / 2, VIEW_H / 2)
            wait_screen(browser, 'Play', 3000, timeout=60)
            browser.screenshot(os.path.join(OUT[0], 'offline-play.png'))
            report = wait_report(browser, timeout=60)
        except TimeoutError as e:  # where it stopped, and what the page said
            stuck = '; %s; %s' % (e, browser.try_evaluate(STATUS_JS))
        expect(report['moves'] > 0, 'offline, a second visit reaches the menu and plays level 1 (%d moves; %s '
               'requests in the cache%s)' % (report['moves'], cached, stuck))
    finally:
        browser.close()
        server.shutdown()


def bot_level(browser, base, checks, level, seconds):
    """The bot plays a level for the given seconds; its report."""
    browser.navigate(base + '?autoplay&level=%d&seconds=%d' % (level, seconds))
    try:
        wait_screen(browser, 'Play', 3000, timeout=seconds + 60)
        colours, dark = picture_variety(browser.screenshot(os.path.join(OUT[0], 'level-%d.png' % level))[2])
    except TimeoutError:
        colours, dark = 0, 1
    checks.expect(colours >= 200 and dark < 0.3, 'the tab shows the play screen (%d colours, %.0f %% dark)'
                  % (colours, 100 * dark))
    report = wait_report(browser, timeout=seconds + 60)
    checks.expect(report['moves'] > 0 and report['saves'] >= 1 and report['save_failures'] == 0,
                  'the bot played level %d and saved it' % level)
    return report


def quick_check(page_dir, out_dir, stop_past=None):
    """The checks of the page's own script, shortened: a file address, two tabs, the logo skipped,
    storage refused, the packs. Returns the failed checks, each by its words without figures; with stop_past,
    stops at the first failed check not in that set."""
    os.makedirs(out_dir, exist_ok=True)
    OUT[0] = out_dir
    server = start_server(page_dir)
    port = server.server_address[1]
    base = 'http://127.0.0.1:%d/index.html' % port
    browser = Browser(blocked_origin='http://localhost:%d' % port)
    checks = Checks(stop_past)
    try:
        file_address(browser, page_dir, checks)
        # Runs long enough for a loaded machine: the game clock starts before the page has loaded.
        two_tabs(browser, base, checks, bot_level(browser, base, checks, 1, 45), 45)
        skipped_intro(browser, base, checks)
        storage_refused(browser, base, 'http://localhost:%d/index.html' % port, checks)
        languages(page_dir, checks)
        packs_cold(page_dir, checks, 10)
        packs_offline(page_dir, checks)
    except CheckFailed:
        pass  # a check the unbroken page passes failed: the others need not run
    except (TimeoutError, RuntimeError) as e:
        checks.failures.append(str(e))
        print('FAIL  ' + str(e))
        print('screens: ' + ', '.join('%s %.1f s' % (s['name'] or 'end', s['ms'] / 1000)
                                      for s in browser.try_evaluate(SCREENS_JS) or []))
    finally:
        browser.close()
        server.shutdown()
    return {words(f) for f in checks.failures}


def page_mutants(page_dir, out_dir, only):
    """Breaks the page's own script one line at a time (tests/page-mutants.txt) in a copy of the page and runs
    the quick checks against each: every break must fail one that the unbroken page passes."""
    catalogue = os.path.join(HERE, '..', 'tests', 'page-mutants.txt')
    mutants, current = [], None
    for line in open(catalogue).read().split('\n'):
        if line.startswith('== '):
            current = {'file': line[3:].strip()}
            mutants.append(current)
        elif current is not None and line[:5] in ('find:', 'repl:', 'rule:'):  # a bare "repl:" takes the text out
            current[line[:4]] = line[6:].replace('\\n', '\n')
    def run(page, name, stop_past=None):
        """quick_check, its own lines in OUT/NAME/checks.txt; the failed checks and the seconds it took."""
        started_at, saved = time.monotonic(), sys.stdout
        os.makedirs(os.path.join(out_dir, name), exist_ok=True)
        with open(os.path.join(out_dir, name, 'checks.txt'), 'w') as sys.stdout:
            try:
                return quick_check(page, os.path.join(out_dir, name), stop_past), time.monotonic() - started_at
            finally:
                sys.stdout = saved

    unbroken, seconds = run(page_dir, 'unbroken')
    print('the unbroken page fails %d quick checks (%.0f s, load %.1f)%s'
          % (len(unbroken), seconds, os.getloadavg()[0], ''.join('\n    ' + f for f in unbroken)))
    results = []
    for number, m in enumerate(mutants, 1):
        if only and number not in only:
            continue
        work = tempfile.mkdtemp(prefix='bm-page-mutant-')
        for name in os.listdir(page_dir):
            src = os.path.join(page_dir, name)
            if os.path.isdir(src):  # the packs
                shutil.copytree(src, os.path.join(work, name), copy_function=os.link)
            elif os.path.isfile(src):
                os.link(src, os.path.join(work, name)) if name.endswith('.wasm') else shutil.copy(src, work)
        # The module's parts (page_pre.js, page_library.js) are inside the program's script.
        own = os.path.basename(m['file'])
        target = os.path.join(work, own if own in ('page.js', 'sw.js', 'index.html') else 'brinemoor.js')
        text = open(target).read()
        if text.count(m['find']) != 1:
            results.append((number, 'NOT FOUND', m['rule']))
            shutil.rmtree(work)
            continue
        with open(target, 'w') as f:
            f.write(text.replace(m['find'], m['repl']))
        failed, seconds = run(work, 'mutant-%d' % number, unbroken)
        failed -= unbroken
        results.append((number, 'killed' if failed else 'SURVIVED', m['rule']))
        for f in failed:
            print('    ' + f)
        print('%3d %-9s %s  (%.0f s, load %.1f)' % (results[-1] + (seconds, os.getloadavg()[0])))
        shutil.rmtree(work)
    killed = sum(1 for r in results if r[1] == 'killed')
    print('%d of %d killed' % (killed, len(results)))
    return 0 if killed == len(results) else 1


OUT = ['']


def game_check(page_dir, out_dir, seconds=50):
    sys.stdout.reconfigure(line_buffering=True)
    os.makedirs(out_dir, exist_ok=True)
    OUT[0] = out_dir
    server = start_server(page_dir)
    port = server.server_address[1]
    base = 'http://127.0.0.1:%d/index.html' % port
    blocked = 'http://localhost:%d' % port
    browser = Browser(blocked_origin=blocked)
    checks = Checks()
    expect = checks.expect

    try:
        # 0. Opened from a file, the page says how to open it, in the language asked for.
        file_address(browser, page_dir, checks)

        # 1. The bot plays level 3 for the given seconds; the page shows the report.
        browser.navigate(base + '?autoplay&level=3&seconds=%d' % seconds)
        wait_screen(browser, 'Play', 4000, timeout=seconds + 60)
        passes_before, ms_before, _ = pass_figures(browser, 'Play')
        frames_before = browser.evaluate('Module.framesDrawn')
        top, _ = screen_at(browser)
        width, height, rows = browser.screenshot(os.path.join(out_dir, 'play.png'))
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

        # 2. A second tab: it waits; it takes over and continues; the first takes back.
        two_tabs(browser, base, checks, report, seconds)

        # 3. A player's page, a click on its loading screen: timings, then a still menu with the pointer resting.
        skipped_intro(browser, base, checks)
        browser.call('Input.dispatchMouseEvent', session=True, type='mouseMoved', x=30, y=30)
        time.sleep(5)  # the sounds decoded in the background are done
        for _ in range(20):  # and the tune has faded in
            before = pass_figures(browser, 'MainMenu')[0]
            time.sleep(1)
            if pass_figures(browser, 'MainMenu')[0] == before:
                break
        menu_passes, frames = pass_figures(browser, 'MainMenu')[0], browser.evaluate('Module.framesDrawn')
        cpu = browser.cpu_use(5.0)
        still_passes = pass_figures(browser, 'MainMenu')[0] - menu_passes
        still_frames = browser.evaluate('Module.framesDrawn') - frames
        print('still menu over 5 s: %d passes, CPU %s' % (still_passes, ', '.join(
            '%s %.1f %%' % kv for kv in sorted(cpu.items()))))
        expect(still_frames == 0, 'a still menu draws no frame (%d drawn in 5 s)' % still_frames)
        expect(still_passes <= 2, 'a still menu sleeps until input (%d passes in 5 s)' % still_passes)
        # The menu's tune plays through Web Audio: without it (sound suspended) only the page's own work is left.
        browser.evaluate('Page.audioContext && Page.audioContext.suspend()')
        time.sleep(0.5)
        cpu = browser.cpu_use(5.0)
        print('still menu over 5 s, sound suspended: CPU %s' % ', '.join('%s %.1f %%' % kv for kv in sorted(cpu.items())))
        browser.screenshot(os.path.join(out_dir, 'menu.png'))

        # 4. Cold starts at several sizes; 5. a phone; 6. storage refused; the program's language.
        canvas_sizes(browser, base, checks)
        phone(browser, base, checks)
        storage_refused(browser, base, blocked + '/index.html', checks)
        languages(page_dir, checks)
        # 7. A first visit at 10 Mbit/s; a level waiting for its pack; a second visit offline.
        packs_cold(page_dir, checks, 10)
        packs_offline(page_dir, checks)
    except (TimeoutError, RuntimeError) as e:
        expect(False, str(e))
        browser.screenshot(os.path.join(out_dir, 'failed.png'))
        screens = browser.try_evaluate(SCREENS_JS) or []
        print('screens: ' + ', '.join('%s %.1f s' % (s['name'] or 'end', s['ms'] / 1000) for s in screens))
        print(browser.try_evaluate(STATUS_JS) or '')
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
    if command == 'packs':
        checks = Checks()
        OUT[0] = os.path.join(page_dir, '..', 'check')
        os.makedirs(OUT[0], exist_ok=True)
        for mbit in [float(a) for a in argv[3:]] or [50, 10]:
            packs_cold(page_dir, checks, mbit)
        if not argv[3:]:
            packs_offline(page_dir, checks)
        return checks.result()
    if command == 'js-mutants':
        out = os.path.join(page_dir, '..', 'check')
        return page_mutants(page_dir, out, [int(a) for a in argv[3:]])
    if command in ('check', 'demo-check'):
        out = os.path.abspath(argv[3] if len(argv) > 3 else os.path.join(page_dir, '..', 'check'))
        return (game_check if command == 'check' else demo_check)(page_dir, out)
    sys.exit(__doc__)


if __name__ == '__main__':
    sys.exit(main(sys.argv))
