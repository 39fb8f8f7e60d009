// Runs before the program (linked in with --pre-js). The save folder /data
// lives in the browser's persistent storage (IndexedDB). It is read once this
// tab owns the saves (page.js: one tab at a time writes them), before main
// starts, with what a closing page kept in localStorage (the copy to IndexedDB
// takes longer than a closing page lives) laid over it and copied on. Where
// the browser keeps nothing (no IndexedDB, site data blocked) the folder lives
// in memory, the game plays, and the page says that progress is not kept.
var bmKeptKey = 'brinemoor-kept';
// When the last copy to IndexedDB that succeeded began: files changed since are not there yet.
var bmStoredAt = 0;
// Saves go to IndexedDB (false: the folder is in memory only).
var bmStorageOn = false;
var bmSync = {running: false, again: false, waiting: []};
var bmPage = typeof Page !== 'undefined' ? Page : null;

function bmWrites() { return !bmPage || bmPage.writes(); }

function bmLocalStorage() {
  try {
    return window.localStorage;
  } catch (e) {
    return null;  // site data blocked
  }
}

// Marks a page text in English for the translators; the page shows it translated (page.js).
function bmTextC(context, msgid) { return msgid; }

// What went wrong with the storage, in a player's words.
function bmStorageWhy(e) {
  var name = e && e.name || '', text = String(e && e.message || e);
  // TRANSLATORS: Message boxes and the browser page: a reason inside the text above (HTML).
  var blocked = bmTextC('storage reason', 'this browser blocks the site\'s storage');
  if (name === 'SecurityError' || /denied|permission/i.test(text)) return blocked;
  // TRANSLATORS: Message boxes and the browser page: a reason inside the text above (HTML).
  if (name === 'QuotaExceededError') return bmTextC('storage reason', 'the browser\'s storage is full');
  // TRANSLATORS: Message boxes and the browser page: a reason inside the text above (HTML).
  if (name === 'InvalidStateError' || /clos/i.test(text)) return bmTextC('storage reason', 'the site\'s data was cleared');
  // TRANSLATORS: a reason inside "Progress will not be kept in this browser (%s)..." (the page's status line).
  return bmLocalStorage() ? bmTextC('storage reason', 'the browser refused its storage') : blocked;
}

function bmStorageOff(why, e) {
  bmStorageOn = false;
  err('progress is not kept: ' + why + (e ? ' (' + e + ')' : ''));
  if (bmPage) bmPage.storageFailed(why);
}

function bmPutBackKept(done) {
  var kept = null, store = bmLocalStorage();
  try {
    kept = JSON.parse(store && store.getItem(bmKeptKey) || 'null');
  } catch (e) {
    err('the saves kept by the last page could not be read: ' + e);
  }
  if (!kept || !Array.isArray(kept.list) || typeof kept.files !== 'object' || kept.list.length === 0) return done();
  var wanted = {};
  kept.list.forEach(function (path) { wanted[path] = true; });
  // What the closing page had deleted goes as well.
  (function walk(dir) {
    FS.readdir(dir).forEach(function (name) {
      if (name === '.' || name === '..') return;
      var path = dir + '/' + name;
      if (FS.isDir(FS.stat(path).mode)) walk(path);
      else if (!wanted[path]) FS.unlink(path);
    });
  })('/data');
  Object.keys(kept.files).forEach(function (path) {
    if (path.indexOf('/data/') !== 0) return;
    var parts = path.split('/'), dir = '';
    for (var i = 1; i < parts.length - 1; ++i) {
      dir += '/' + parts[i];
      if (!FS.analyzePath(dir).exists) FS.mkdir(dir);
    }
    var text = atob(kept.files[path]), bytes = new Uint8Array(text.length);
    for (var j = 0; j < text.length; ++j) bytes[j] = text.charCodeAt(j);
    FS.writeFile(path, bytes);
  });
  Module['keptFiles'] = Object.keys(kept.files).length;  // the page's checks look
  bmCopyToStorage(function (ok) {
    if (ok) store.removeItem(bmKeptKey);
    done();
  });
}

// Copies the save folder to IndexedDB; done(ok) after the copy that includes
// every write made so far. A write during a copy asks for one more copy after
// it. A database closed under the page (its site data cleared) is opened
// afresh once: the copy then writes the whole folder again.
function bmCopyToStorage(done) {
  if (done) bmSync.waiting.push(done);
  var finish = function (ok) {
    bmSync.waiting.splice(0).forEach(function (f) { f(ok); });
  };
  if (!bmStorageOn || !bmWrites()) return finish(false);
  if (bmSync.running) {
    bmSync.again = true;
    return undefined;
  }
  bmSync.running = true;
  var began = Date.now();
  var copied = function (e) {
    bmSync.running = false;
    if (e) {
      bmStorageOff(bmStorageWhy(e), e);
    } else {
      bmStoredAt = began;
      Module['savesStored'] = (Module['savesStored'] || 0) + 1;
    }
    if (bmSync.again && !e) {
      bmSync.again = false;
      return bmCopyToStorage();
    }
    return finish(!e);
  };
  FS.syncfs(false, function (e) {
    if (!e) return copied(null);
    delete IDBFS.dbs['/data'];
    return FS.syncfs(false, copied);
  });
  return undefined;
}

// A pack's files into /game (their bytes stay in the pack's buffer). The start
// pack is a run dependency: main starts once it is here. A later one wakes the
// program, which asked for it or will.
function bmWritePack(pack, bytes) {
  pack.files.forEach(function (f) {
    var path = '/game/' + f[0];
    FS.mkdirTree(path.substring(0, path.lastIndexOf('/')));
    FS.writeFile(path, bytes.subarray(f[1], f[1] + f[2]), {canOwn: true});
  });
  if (pack.name === 'start') removeRunDependency('start pack');
  else if (Module['calledRun'] && Module['_bm_page_wake']) Module['_bm_page_wake']();  // never before main
}

Module['preRun'] = [].concat(Module['preRun'] || []);
// The browser's languages count as the desktop's (LANG is already the first of
// them; the program maps "de-AT" to German); "?lang=" and the kept choice win.
Module['preRun'].push(function () {
  ENV['LANGUAGE'] = (navigator.languages || [navigator.language]).join(':');
});
Module['preRun'].push(function () {
  if (bmPage) {
    addRunDependency('start pack');
    bmPage.packWriterReady(bmWritePack);
  }
  addRunDependency('saves');
  var ready = function () {
    // The language the player chose in the game (its settings) when the page guessed another and no "?lang="
    // says which: the program reads its catalogue as it starts.
    var kept = null;
    try {
      if (bmPage && !/[?&]lang=/.test(location.search))
        kept = /^Language=(\w+)/m.exec(FS.readFile('/data/settings.ini', {encoding: 'utf8'}));
    } catch (e) {}  // no settings yet
    if (!kept) return removeRunDependency('saves');
    return bmPage.bringLanguage(kept[1], function () { removeRunDependency('saves'); });
  };
  var mount = function () {
    FS.mkdir('/data');
    if (!window.indexedDB) {
      // TRANSLATORS: a reason inside "Progress will not be kept in this browser (%s)..." (the page's status line).
      bmStorageOff(bmTextC('storage reason', 'this browser has no IndexedDB'));
      return ready();
    }
    try {
      FS.mount(IDBFS, {}, '/data');
    } catch (e) {
      bmStorageOff(bmStorageWhy(e), e);
      return ready();
    }
    bmStorageOn = true;
    bmStoredAt = Date.now();
    return FS.syncfs(true, function (e) {
      if (e) {
        bmStorageOff(bmStorageWhy(e), e);
        return ready();
      }
      return bmPutBackKept(ready);
    });
  };
  if (bmPage) bmPage.whenOwner(mount);
  else mount();
});

if (bmPage) {
  // Another tab takes the saves over: the game closes as at a closing page, the
  // folder is copied, and only then does the other tab read it.
  bmPage.onStop = function (done) {
    if (!Module['calledRun']) {
      addRunDependency('stopped');  // never removed: the program does not start here
      return done();
    }
    if (Module['_bm_page_closing']) Module['_bm_page_closing']();
    return bmCopyToStorage(function () { done(); });
  };
}

// The page goes away: the game closes as at a window's close box, and keeps what it wrote.
window.addEventListener('pagehide', function () {
  if (bmWrites() && Module['calledRun'] && Module['_bm_page_closing']) Module['_bm_page_closing']();
});
// A page brought back from the browser's cache had its game closed: it starts again.
window.addEventListener('pageshow', function (e) {
  if (e.persisted) location.reload();
});
