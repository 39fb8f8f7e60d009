// The page around the game, before and beside the program: its own messages
// (#status), the one loading bar, the game's data in packs, which tab owns the
// saves, the first touch or key that lets sound start, the hint to turn a
// phone, the service worker that keeps the page for offline play. index.html
// loads it first and calls Page.start; the program's side is page_pre.js (the
// saves folder, the packs' files into /game) and page_library.js (the
// program's calls into the page).
//
// How the page loads:
//  1. index.html shows the loading picture in the box the canvas will have; its
//     own trough is the one bar, filled by the filled picture laid over it.
//  2. Page.start: a file address stops here with its message; otherwise the
//     list of packs, the start pack and the program are asked for (the
//     program's code from index.html already), then the listeners (a click or
//     key skips the logo), the request to keep the storage for good and the
//     question of which tab owns the saves. Once the start pack's request is
//     out, the sound output (the first touch or key lets it start) and the
//     canvas's WebGL context are made while the downloads run.
//  3. The start pack (the logo, the settings, what the first screens read)
//     reports its bytes to Page.progress (the bar); page_pre.js writes its files
//     into /game and mounts and reads /data once this tab owns the saves.
//  4. main starts; the other packs follow one at a time in the background (the
//     list's order; the one the program asks for first), each into /game with
//     the program woken. Its first frame calls Page.firstPicture: the loading
//     screen goes and the service worker is registered.
// Every pack fetched is kept in the page's cache (the Cache API, named by the
// page's version), from where the service worker answers a later visit, on the
// network or off.
'use strict';
var Page = (function () {
  var P = {
    // 'asking' (not known yet), 'owner' (this tab writes the saves), 'guest' (another tab does),
    // 'stopping' (handing them over), 'stopped' (handed over).
    state: 'asking',
    skipIntro: false,   // a click or key on the loading screen: the logo and the fade are skipped
    persisted: null,    // what the browser answered to keeping the storage for good
    storageKept: true,  // the saves reach the browser's storage
    audioContext: null,
    // Sound is mixed 50 ms at a time, two of the desktop's 1024-sample buffers: the browser's default (10 ms) wakes
    // the audio thread about a hundred times a second, 2 % of a core for a still menu with its tune.
    audioOptions: {latencyHint: 0.05},
  };
  var kLock = 'brinemoor-data', kTakeMark = 'brinemoor-take';
  var topics = ['file', 'load', 'game', 'owner', 'storage', 'notice'];
  var ownerWaiters = [], releaseLock = null, channel = null;

  function $(id) { return document.getElementById(id); }

  // ---- The page's language: ?lang=CODE, else the browser's first language we
  // speak (the program chooses the same way, and a choice kept in its settings
  // wins there). The texts come from page-texts.js, made from po/LANG.po.
  var kLanguages = ['en', 'de', 'fr', 'es', 'it', 'pt_BR', 'pl', 'nl'];
  function ourLanguage(name) {
    var n = String(name || '').replace('-', '_').split('.')[0];
    if (kLanguages.indexOf(n) >= 0) return n;
    var base = n.split('_')[0].toLowerCase();
    if (base === 'pt') return 'pt_BR';
    return kLanguages.indexOf(base) >= 0 ? base : '';
  }
  P.language = (function () {
    var asked = ourLanguage(new URLSearchParams(location.search).get('lang'));
    if (asked) return asked;
    var list = navigator.languages || [navigator.language];
    for (var i = 0; i < list.length; ++i)
      if (ourLanguage(list[i])) return ourLanguage(list[i]);
    return 'en';
  })();
  document.documentElement.lang = P.language.replace('_', '-');
  var texts = (window.BmPageTexts || {})[P.language] || {};
  // A text in the page's language (the English when it has none); tc with a context.
  P.t = function (msgid) { return texts[msgid] || msgid; };
  P.tc = function (context, msgid) { return texts[context + '\u0004' + msgid] || msgid; };
  // "%s" in a pattern replaced by the argument.
  function fill(pattern, arg) { return pattern.replace('%s', arg); }

  // One line of #status per topic, with a button when the player can act; no text clears the line.
  P.status = function (topic, text, button) {
    var box = $('status'), line = box.querySelector('[data-topic="' + topic + '"]');
    if (!text) {
      if (line) line.remove();
      return;
    }
    if (!line) {
      line = document.createElement('div');
      line.dataset.topic = topic;
      var after = null;
      for (var i = topics.indexOf(topic) + 1; i < topics.length && !after; ++i)
        after = box.querySelector('[data-topic="' + topics[i] + '"]');
      box.insertBefore(line, after);
    }
    line.textContent = text;
    if (button) {
      var b = document.createElement('button');
      b.textContent = button.label;
      b.addEventListener('click', function (e) {
        e.stopPropagation();
        button.action();
      });
      line.appendChild(document.createTextNode(' '));
      line.appendChild(b);
    }
  };

  // The loading bar: the loading picture's own trough, filled as the program's
  // loading screen fills it (from x = 85 to 942 of its 1024 pixels), redrawn
  // at most every 150 ms: each change is a frame the browser composites (tens
  // of milliseconds on a software renderer, taken from the program's start).
  var downloads = {}, barShownAt = -1e9;
  P.progress = function (name, loaded, total) {
    downloads[name] = {loaded: loaded, total: total};
    var sum = 0, all = 0;
    for (var k in downloads) {
      sum += downloads[k].loaded;
      all += downloads[k].total;
    }
    var fraction = all > 0 ? Math.min(1, sum / all) : 0;
    P.loadedFraction = fraction;
    var now = performance.now();
    if (fraction < 1 && now - barShownAt < 150) return;
    barShownAt = now;
    var cut = fraction <= 0 ? 0 : fraction >= 1 ? 1 : (85 + 857 * fraction) / 1024;
    $('filled').style.clipPath = 'inset(0 ' + (100 * (1 - cut)).toFixed(2) + '% 0 0)';
  };

  // The program's first frame is up: the loading screen goes and the service
  // worker is asked to keep the page.
  var kept = false;
  P.firstPicture = function () {
    $('loading').hidden = true;
    $('stage').classList.remove('waiting');
    if (kept) return;
    kept = true;
    if (navigator.serviceWorker && /^https?:$/.test(location.protocol)) {
      navigator.serviceWorker.register('sw.js').catch(function (e) {
        console.warn('the page cannot be kept for offline play: ' + e);
      });
    }
  };

  // ---- Packs: the game's data in groups (packs.json, made by scripts/webpacks.py).
  // A pack is 'waiting', 'loading' or 'here' (its files written into /game).
  var packs = {list: [], byName: {}, byFile: {}, copies: [], version: '', busy: false};
  var asks = 0;  // how many packs were asked for first
  P.packs = packs;
  P.onPack = null;  // the module's writer, (pack, bytes); packs that came before it wait in pack.bytes

  // Opened once, for every pack.
  var cacheOpened = null;
  function packCache() {
    if (!cacheOpened)
      cacheOpened = window.caches ? caches.open('brinemoor-' + packs.version) : Promise.reject(new Error('no Cache API'));
    return cacheOpened;
  }

  // The pack's bytes, asked for at once (its request is out before the program starts): a page the service
  // worker controls has them from the page's cache, else the network brings them and they are kept there, marked
  // so that a pack that came from the cache is not written again.
  var kKept = 'X-Brinemoor-Kept';
  function fetchPack(p) {
    var asked = fetch(p.url);
    if (p.name === 'start') warmUp();
    return asked.then(function (r) {
      if (!r.ok) throw new Error('HTTP ' + r.status);
      var reader = r.body.getReader(), parts = [], got = 0;
      var more = function () {
        return reader.read().then(function (chunk) {
          if (chunk.done) return;
          parts.push(chunk.value);
          got += chunk.value.length;
          p.loaded = got;
          if (p.name === 'start') P.progress('start', got, p.bytes);
          return more();
        });
      };
      return more().then(function () {
        var bytes = new Uint8Array(got), at = 0;
        parts.forEach(function (c) { bytes.set(c, at); at += c.length; });
        if (!r.headers.get(kKept)) {
          var headers = {'Content-Type': 'application/octet-stream'};
          headers[kKept] = '1';
          packCache().then(function (c) {
            return c.put(p.url, new Response(bytes, {headers: headers}));
          }).catch(function () {});
        }
        return bytes;
      });
    });
  }

  // The start pack with the game files the page has as its own (the loading picture it shows already) and
  // the player's catalogue (a pack of its own, fetched beside it): they are laid after the pack's bytes and
  // listed with its files.
  function withOwnFiles(p, bytes, lang, langBytes) {
    if (p.name !== 'start') return bytes;
    return Promise.all(packs.copies.map(function (c) {
      return fetch(c[1]).then(function (r) {
        if (!r.ok) throw new Error(c[1] + ': HTTP ' + r.status);
        return r.arrayBuffer();
      });
    })).then(function (copies) {
      var parts = copies.map(function (b, i) { return [packs.copies[i][0], new Uint8Array(b)]; });
      if (lang) lang.files.forEach(function (f) { parts.push([f[0], langBytes.subarray(f[1], f[1] + f[2])]); });
      var all = new Uint8Array(parts.reduce(function (n, f) { return n + f[1].length; }, bytes.length));
      var at = bytes.length;
      all.set(bytes);
      parts.forEach(function (f) {
        all.set(f[1], at);
        p.files.push([f[0], at, f[1].length]);
        at += f[1].length;
      });
      packs.copies = [];
      p.brings = lang ? [lang] : [];
      return all;
    });
  }

  // The catalogue's pack of a language the page speaks (none for English, whose texts are the program's own).
  function languagePack(code) {
    return packs.byName['lang-' + ourLanguage(code)] || null;
  }

  function loadPack(p) {
    p.state = 'loading';
    packs.busy = true;
    var lang = p.name === 'start' ? languagePack(P.language) : null;
    if (lang && lang.state !== 'waiting') lang = null;
    if (lang) lang.state = 'loading';
    Promise.all([fetchPack(p), lang && fetchPack(lang)]).then(function (got) {
      [[p, got[0]], [lang, got[1]]].forEach(function (g) {
        if (g[0] && g[1].length !== g[0].bytes) throw new Error(g[1].length + ' bytes of ' + g[0].bytes);
      });
      return withOwnFiles(p, got[0], lang, got[1]);
    }).then(function (bytes) {
      p.loaded = p.bytes;
      p.data = bytes;
      P.status('load', '');
      // The next pack downloads while this one's files are written (the start pack's: while the program starts).
      packs.busy = false;
      nextPack();
      deliver(p);
    }, function (e) {
      // The network is gone or the server failed: tried again in a moment, the program waits meanwhile.
      p.state = 'waiting';
      if (lang) lang.state = 'waiting';
      packs.busy = false;
      console.warn(p.url + ': ' + e.message);
      // TRANSLATORS: Message boxes and the browser page: the page's status line (HTML). %s is a file name
      // (packs.json, a pack, brinemoor.js ...).
      P.status('load', fill(P.t('Brinemoor could not load %s: reload the page to try again.'), p.url));
      setTimeout(nextPack, 3000);
    });
  }

  function deliver(p) {
    if (!P.onPack || !p.data) return;
    var bytes = p.data;
    p.data = null;
    P.onPack(p, bytes);
    [p].concat(p.brings || []).forEach(function (q) {
      q.state = 'here';
      (q.waiters || []).splice(0).forEach(function (f) { f(); });
    });
    if (packs.list.every(function (q) { return q.state === 'here'; })) P.packsDone = true;
  }
  // The language the player chose in the game (kept in its settings, read once this tab owns the saves) when the
  // page guessed another: done once its catalogue is in /game (at once when it is, or for English).
  P.bringLanguage = function (code, done) {
    var q = languagePack(code);
    if (!q || q.state === 'here') return done();
    (q.waiters = q.waiters || []).push(done);
    if (q.state === 'waiting' && !q.asked) {
      q.asked = ++asks;
      nextPack();
    }
    return undefined;
  };
  // The module's writer is there: packs that came before it are written now.
  P.packWriterReady = function (writer) {
    P.onPack = writer;
    packs.list.forEach(deliver);
  };

  // One pack at a time, the list's order (the start pack first) but the ones the program asked for first: the
  // others follow the start pack at once (the network would idle while the program starts, and the menu's pack is
  // the next thing a player waits for).
  function nextPack() {
    if (packs.busy) return;
    var p = packs.list.filter(function (q) { return q.state === 'waiting'; })
      .sort(function (a, b) { return (b.asked || 0) - (a.asked || 0); })[0];
    if (p) loadPack(p);
  }

  // The program asks for a pack: how much of it is here (1 once its files are in /game), -1 for no such pack.
  // Asking moves it first in line.
  P.want = function (name) {
    var p = packs.byName[name];
    if (!p) return packs.list.length ? -1 : 0;  // the list is not read yet: nothing is here
    if (p.state === 'here') return 1;
    if (p.state === 'waiting' && !p.asked) {
      p.asked = ++asks;
      nextPack();
    }
    return Math.min(0.99, (p.loaded || 0) / Math.max(1, p.bytes));
  };
  // A game file (its path under /game, in any case, as the program finds files) that a pack still to come brings.
  P.coming = function (path) {
    var f = packs.byFile[path.replace(/^\/game\//, '').toLowerCase()];
    return !!f && packs.byName[f.pack].state !== 'here';
  };
  // The path of a game file as its pack spells it ('/game/SFX/A.OGG' -> '/game/sfx/a.ogg'); '' for none.
  P.gamePath = function (path) {
    var f = packs.byFile[path.replace(/^\/game\//, '').toLowerCase()];
    return f ? '/game/' + f.path : '';
  };

  function readPacks() {
    fetch('packs.json', {cache: 'no-cache'}).then(function (r) {
      if (!r.ok) throw new Error('HTTP ' + r.status);
      return r.json();
    }).then(function (list) {
      packs.version = list.version;
      packs.copies = list.copies || [];
      list.packs.forEach(function (p) {
        p.state = 'waiting';
        packs.list.push(p);
        packs.byName[p.name] = p;
        p.files.forEach(function (f) { packs.byFile[f[0].toLowerCase()] = {pack: p.name, path: f[0]}; });
      });
      nextPack();
    }).catch(function (e) {
      warmUp();
      console.warn('packs.json: ' + e.message);
      // TRANSLATORS: Message boxes and the browser page: the page's status line (HTML). %s is a file name
      // (packs.json, a pack, brinemoor.js ...).
      P.status('load', fill(P.t('Brinemoor could not load %s: reload the page to try again.'), 'packs.json'));
    });
  }

  // ---- Sound: browsers let it start only after the player touched the page or pressed a key.
  var unlockEvents = ['keydown', 'mousedown', 'pointerup', 'touchend', 'click'];
  function unlock() {
    var ctx = P.audioContext;
    if (!ctx || ctx.state === 'running') return;
    ctx.resume().catch(function () {});
  }
  function startSound() {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    try {
      P.audioContext = new Context(P.audioOptions);
    } catch (e) {
      return;
    }
    // A touch that starts a gesture does not count, its end does: the listeners stay until sound runs.
    unlockEvents.forEach(function (type) { window.addEventListener(type, unlock, true); });
    P.audioContext.addEventListener('statechange', function () {
      if (P.audioContext.state !== 'running') return;
      unlockEvents.forEach(function (type) { window.removeEventListener(type, unlock, true); });
      if (P.onSound) P.onSound();
    });
  }

  // The starts that hold the page's thread (the sound output: 0.3-0.6 s; the canvas's WebGL context: 0.8-2.4 s on a
  // software renderer) run while the program and the start pack download, once the start pack's request is out,
  // rather than after the program has come. The program takes the canvas's one context: the attributes are
  // platform/web/WebRender.cpp's.
  var warmed = false;
  function warmUp() {
    if (warmed) return;
    warmed = true;
    setTimeout(function () {
      startSound();
      // At the size the program will most likely give it (WebWindow::SetMode: the largest 4:3 box of the tab at the
      // screen's pixels, at most 2560x2048 pixels' worth): a canvas resized under its context costs about as much
      // again as the context.
      var c = $('canvas'), w = Math.min(innerWidth, innerHeight * 4 / 3), h = w * 3 / 4;
      var ratio = Math.min(window.devicePixelRatio || 1, Math.sqrt(2560 * 2048 / Math.max(1, w * h)));
      c.width = Math.max(1, Math.round(w * ratio));
      c.height = Math.max(1, Math.round(h * ratio));
      try {
        c.getContext('webgl', {alpha: false, depth: false, stencil: false, antialias: false, premultipliedAlpha: false,
                               preserveDrawingBuffer: false});
      } catch (e) {}
    }, 0);
  }

  // ---- Ownership: one tab at a time writes the saves.
  P.whenOwner = function (f) {
    if (P.state === 'owner') f();
    else ownerWaiters.push(f);
  };
  P.writes = function () { return P.state === 'owner' || P.state === 'stopping'; };

  function post(message) {
    if (channel) channel.postMessage(message);
  }

  function becomeOwner(release) {
    if (P.state === 'owner') return;
    P.state = 'owner';
    releaseLock = release;
    P.status('owner', '');
    ownerWaiters.splice(0).forEach(function (f) { f(); });
  }

  function becomeGuest() {
    P.state = 'guest';
    // TRANSLATORS: Message boxes and the browser page: the page's status line (HTML), with the button below.
    P.status('owner', P.t('Brinemoor is open in another tab. This tab saves nothing until you play here.'),
             // TRANSLATORS: Message boxes and the browser page: button in the page's status line (HTML).
             {label: P.tc('page button', 'Play here'), action: askToTake});
  }

  function askToTake() {
    // TRANSLATORS: Message boxes and the browser page: the page's status line (HTML).
    P.status('owner', P.t('Asking the other tab to save and stop\u2026'));
    post({type: 'take'});
  }

  // Another tab asked for the saves: the game closes as at a closing page (the
  // level is saved), the folder goes to the browser's storage, then the lock.
  function stop() {
    if (P.state !== 'owner') return;
    P.state = 'stopping';
    var done = function () {
      P.state = 'stopped';
      if (releaseLock) releaseLock();
      releaseLock = null;
      post({type: 'stopped'});
      // TRANSLATORS: Message boxes and the browser page: the page's status line (HTML), with the button "Play here".
      P.status('owner', P.t('Brinemoor is now played in another tab: this tab saved the game and stopped.'),
               {label: P.tc('page button', 'Play here'), action: takeBack});
      document.documentElement.classList.add('stopped');
    };
    if (P.onStop) P.onStop(done);
    else done();
  }

  function takeBack() {
    try {
      sessionStorage.setItem(kTakeMark, '1');
    } catch (e) {}
    location.reload();
  }

  function onMessage(e) {
    var m = e.data || {};
    if (m.type === 'take') stop();
    else if (m.type === 'who' && P.state === 'owner') post({type: 'owner'});
    else if (m.type === 'owner' && P.state === 'asking') P.answered = true;
    else if ((m.type === 'stopped' || m.type === 'gone') && !navigator.locks && P.state === 'guest') handshake();
  }

  // Without Web Locks: a tab that hears no owner within a moment owns.
  function handshake() {
    P.state = 'asking';
    P.answered = false;
    post({type: 'who'});
    setTimeout(function () {
      if (P.answered) becomeGuest();
      else becomeOwner(null);
    }, 400);
  }

  function own() {
    if (window.BroadcastChannel) {
      channel = new BroadcastChannel('brinemoor');
      channel.onmessage = onMessage;
    }
    var taking = false;
    try {
      taking = sessionStorage.getItem(kTakeMark) === '1';
      sessionStorage.removeItem(kTakeMark);
    } catch (e) {}
    // Without Web Locks (or where they are refused with the site's storage): messages alone.
    var withoutLocks = function () {
      if (P.state === 'owner') return;
      if (!channel) return becomeOwner(null);
      if (taking) post({type: 'take'});
      setTimeout(handshake, taking ? 600 : 0);
    };
    if (!navigator.locks) return withoutLocks();
    var held = function (lock) {
      if (!lock) return undefined;
      return new Promise(function (resolve) { becomeOwner(resolve); });
    };
    var wait = function () { navigator.locks.request(kLock, held).catch(withoutLocks); };
    if (taking) {
      askToTake();
      return wait();
    }
    navigator.locks.request(kLock, {ifAvailable: true}, function (lock) {
      if (lock) return held(lock);
      // Queued: this tab starts by itself when the owner goes away.
      becomeGuest();
      wait();
      return undefined;
    }).catch(withoutLocks);
  }

  // ---- Storage.
  P.storageFailed = function (why) {
    P.storageKept = false;
    // TRANSLATORS: Message boxes and the browser page: the page's status line (HTML). %s is one of the three reasons
    // below.
    P.status('storage', fill(P.t('Progress will not be kept in this browser (%s). The game plays, but saved ' +
                                 'games, players and high scores are lost when the page closes.'),
                             P.tc('storage reason', why)));
  };

  // ---- The phone's hint: a tall screen asks to be turned (the game plays either way).
  // The program's message: its title is one of the page's texts ("Brinemoor cannot start"),
  // the text comes translated or is a reason in English.
  P.message = function (title, text) {
    P.status('game', P.t(title) + ': ' + text);
  };
  P.stopped = function (what) {
    // TRANSLATORS: Message boxes and the browser page: the page's status line when the program aborts (HTML). %s is
    // a technical reason, in English.
    P.status('load', fill(P.t('Brinemoor stopped: %s'), String(what)));
  };
  // Titles the program passes to P.message.
  var titles = [
    // TRANSLATORS: Message boxes and the browser page: title in the page's status line when the page's parameters
    // are wrong (then the reason, in English).
    P.t('Brinemoor cannot start'),
  ];
  void titles;

  function followShape() {
    var touch = 'ontouchstart' in window || navigator.maxTouchPoints > 0;
    document.documentElement.classList.toggle('portrait', touch && innerHeight > innerWidth * 1.1);
  }

  P.start = function (entry) {
    // TRANSLATORS: Logo, loading and the pause picture: the same words on the browser page's loading screen (HTML),
    // until the program draws them.
    $('loading-word').textContent = P.t('Loading...');
    if (location.protocol === 'file:') {
      // TRANSLATORS: Message boxes and the browser page: the page's status line when the page is opened from the disk
      // (HTML). scripts/serve-web.sh is a command: keep it.
      P.status('file', P.t('Brinemoor cannot start from a file: open this folder through a web server: ' +
                           'scripts/serve-web.sh'));
      return;
    }
    // A click, tap or key on the loading screen skips the logo when it comes.
    ['pointerdown', 'keydown'].forEach(function (type) {
      $('loading').ownerDocument.addEventListener(type, function () {
        if (!$('loading').hidden) P.skipIntro = true;
      }, true);
    });
    $('canvas').addEventListener('contextmenu', function (e) { e.preventDefault(); });
    // TRANSLATORS: Message boxes and the browser page: the page's hint over a tall phone screen (HTML).
    $('turn').textContent = P.t('Turn your phone sideways for a bigger picture.');
    followShape();
    window.addEventListener('resize', followShape);
    window.addEventListener('error', function (e) {
      if (!Module.calledRun)
        // TRANSLATORS: Message boxes and the browser page: the page's status line (HTML). %s is the browser's own
        // error message (in the browser's language).
        P.status('load', fill(P.t('Brinemoor could not load (%s): reload the page to try again.'), e.message || 'an error'));
    });
    if (navigator.storage && navigator.storage.persist) {
      navigator.storage.persist().then(function (granted) { P.persisted = granted; }, function () {
        P.persisted = false;
      });
    }
    readPacks();
    var s = document.createElement('script');
    s.src = entry + '.js';
    s.onerror = function () {
      // TRANSLATORS: Message boxes and the browser page: the page's status line (HTML). %s is a file name
      // (packs.json, a pack, brinemoor.js ...).
      P.status('load', fill(P.t('Brinemoor could not load %s: reload the page to try again.'), s.src));
    };
    document.body.appendChild(s);
    own();
    window.addEventListener('pagehide', function () {
      if (P.state === 'owner') post({type: 'gone'});
    });
  };

  return P;
})();
