// The page around the game, before and beside the program: its own messages
// (#status), the one loading bar, which tab owns the saves, the first touch or
// key that lets sound start, the hint to turn a phone. index.html loads it
// first and calls Page.start; the program's side is page_pre.js (the saves
// folder) and page_library.js (the program's calls into the page).
//
// How the page loads:
//  1. index.html shows the loading picture in the box the canvas will have; its
//     own trough is the one bar, filled by the filled picture laid over it.
//  2. Page.start: a file address stops here with its message; otherwise the
//     listeners (a click or key skips the logo, the first touch or key lets
//     sound start), the request to keep the storage for good, and the question
//     of which tab owns the saves, while the data package and the program load.
//  3. The data package reports its bytes to Page.progress (the bar) and unpacks
//     into /game; page_pre.js mounts and reads /data once this tab owns the saves.
//  4. main starts; its first frame calls Page.firstPicture: the loading screen goes.
// Later packs of data slot into steps 3 and 4: a pack's bytes to Page.progress,
// its files into /game, the program woken when it is there.
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
  // loading screen fills it (from x = 85 to 942 of its 1024 pixels).
  var downloads = {};
  P.progress = function (name, loaded, total) {
    downloads[name] = {loaded: loaded, total: total};
    var sum = 0, all = 0;
    for (var k in downloads) {
      sum += downloads[k].loaded;
      all += downloads[k].total;
    }
    var fraction = all > 0 ? Math.min(1, sum / all) : 0;
    var cut = fraction <= 0 ? 0 : fraction >= 1 ? 1 : (85 + 857 * fraction) / 1024;
    $('filled').style.clipPath = 'inset(0 ' + (100 * (1 - cut)).toFixed(2) + '% 0 0)';
    P.loadedFraction = fraction;
  };

  // The program's first frame is up: the loading screen goes.
  P.firstPicture = function () {
    $('loading').hidden = true;
  };

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
      P.audioContext = new Context();
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
    startSound();
    if (navigator.storage && navigator.storage.persist) {
      navigator.storage.persist().then(function (granted) { P.persisted = granted; }, function () {
        P.persisted = false;
      });
    }
    own();
    window.addEventListener('pagehide', function () {
      if (P.state === 'owner') post({type: 'gone'});
    });
    [
      'game-data.js', entry + '.js'
    ].forEach(function (src) {
      var s = document.createElement('script');
      s.src = src;
      s.async = false;  // in this order: the data package first
      s.onerror = function () {
        // TRANSLATORS: Message boxes and the browser page: the page's status line (HTML). %s is a file name
        // (game-data.js ...).
        P.status('load', fill(P.t('Brinemoor could not load %s: reload the page to try again.'), src));
      };
      document.body.appendChild(s);
    });
  };

  return P;
})();
