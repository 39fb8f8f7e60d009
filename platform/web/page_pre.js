// Runs before the program. The save folder lives in the browser's persistent
// storage (IndexedDB) and is read back in before main starts, with what a
// closing page kept in localStorage (the copy to IndexedDB takes longer than a
// closing page lives) laid over it and copied on.
var bmKeptKey = 'brinemoor-kept';
// When the last copy to IndexedDB that succeeded began: files changed since are not there yet.
var bmStoredAt = 0;

function bmPutBackKept(done) {
  var kept = null;
  try {
    kept = JSON.parse(localStorage.getItem(bmKeptKey) || 'null');
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
  var began = Date.now();
  FS.syncfs(false, function (e) {
    if (e) {
      err('copying the kept saves to the browser storage failed: ' + e);
    } else {
      bmStoredAt = began;
      localStorage.removeItem(bmKeptKey);
    }
    done();
  });
}

Module['preRun'] = [].concat(Module['preRun'] || []);
Module['preRun'].push(function () {
  FS.mkdir('/data');
  FS.mount(IDBFS, {}, '/data');
  addRunDependency('saves');
  bmStoredAt = Date.now();
  FS.syncfs(true, function (e) {
    if (e) err('reading the saves from the browser storage failed: ' + e);
    bmPutBackKept(function () { removeRunDependency('saves'); });
  });
});

// The page goes away: the game closes as at a window's close box, and keeps what it wrote.
window.addEventListener('pagehide', function () {
  if (Module['calledRun'] && Module['_bm_page_closing']) Module['_bm_page_closing']();
});
// A page brought back from the browser's cache had its game closed: it starts again.
window.addEventListener('pageshow', function (e) {
  if (e.persisted) location.reload();
});
