// The page's service worker: keeps the page and its packs, so a second visit
// starts and plays with the network off. scripts/webpacks.py writes the page's
// version into the cache's name: a new version installs a new cache (the packs
// it shares with the old one are copied over, not fetched again) and, once it
// runs, deletes the old caches. The page itself puts each pack it fetched into
// the same cache (page.js), so this worker never fetches a pack twice.
'use strict';
var kVersion = '@BM_PAGE_VERSION@';
var kCache = 'brinemoor-' + kVersion;
var kPageFiles = @BM_PAGE_FILES@;

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(kCache).then(function (cache) {
    // The page's own files, fresh from the network (or the browser's HTTP cache).
    var pageFiles = cache.addAll(kPageFiles);
    // Packs the old version had under the same names (their names are their content).
    var packs = fetch('packs.json', {cache: 'no-cache'}).then(function (r) { return r.json(); }).then(function (list) {
      return Promise.all(list.packs.map(function (p) {
        return caches.match(p.url).then(function (hit) { return hit ? cache.put(p.url, hit) : null; });
      }));
    }).catch(function () {});
    return Promise.all([pageFiles, packs]);
  }).then(function () { return self.skipWaiting(); }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (n) { return n.indexOf('brinemoor-') === 0 && n !== kCache; })
      .map(function (n) { return caches.delete(n); }));
  }).then(function () { return self.clients.claim(); }));
});

// The page's files and packs from the cache when it has them, else from the network.
self.addEventListener('fetch', function (event) {
  var request = event.request, url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  event.respondWith(caches.open(kCache).then(function (cache) {
    return cache.match(request, {ignoreSearch: true}).then(function (hit) {
      return hit || fetch(request);
    });
  }));
});
