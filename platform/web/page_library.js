// The page's side of the web back ends: sound cues and music on Web Audio,
// copying the save folder to the browser's persistent storage, and telling the
// page that the game's first picture is up. Linked with --js-library.
mergeInto(LibraryManager.library, {
  $BM: {
    ctx: null,       // the AudioContext; suspended until the player's first touch, click or key (page.js)
    cues: null,      // a GainNode all cues go through (their volume)
    buffers: {},     // decoded cues by number
    voices: {},      // playing cue sources by handle
    tracks: {},      // music by slot: {file, samples, source, running, at, rate, left, right ...}
    pointer: null,    // the CSS cursor made of the game's pointer picture, while it shows
    pointerAsked: null,
    // Browsers let sound start only after the player did something on the
    // page; what starts before plays once it may.
    unlocked: function () { return !!BM.ctx && BM.ctx.state === 'running'; },
  },

  bm_audio_start__deps: ['$BM', '$bmTrackPlay'],
  bm_audio_start: function () {
    if (BM.ctx) return 1;
    var Context = window.AudioContext || window.webkitAudioContext;
    var page = typeof Page !== 'undefined' ? Page : null;
    try {
      // The page started it already; the back ends' demo page has none.
      BM.ctx = page && page.audioContext || (Context ? new Context({latencyHint: 0.05}) : null);
    } catch (e) {
      return 0;
    }
    if (!BM.ctx) return 0;
    BM.cues = BM.ctx.createGain();
    BM.cues.connect(BM.ctx.destination);
    BM.ctx.addEventListener('statechange', function () {
      if (!BM.unlocked()) return;
      for (var slot in BM.tracks) bmTrackPlay(BM.tracks[slot]);
    });
    if (!page) {
      ['keydown', 'mousedown', 'pointerup', 'touchend'].forEach(function (type) {
        window.addEventListener(type, function () { if (!BM.unlocked()) BM.ctx.resume(); }, true);
      });
    }
    return 1;
  },

  bm_audio_decode__deps: ['$BM'],
  bm_audio_decode: function (buffer, bytes, length) {
    var copy = HEAPU8.slice(bytes, bytes + length).buffer;
    BM.ctx.decodeAudioData(copy).then(function (decoded) {
      BM.buffers[buffer] = decoded;
    }, function (e) {
      err('sound ' + buffer + ' could not be decoded: ' + e);
    });
  },

  bm_audio_forget__deps: ['$BM'],
  bm_audio_forget: function (buffer) {
    delete BM.buffers[buffer];
  },

  bm_audio_play__deps: ['$BM', 'bm_audio_stop'],
  bm_audio_play: function (voice, buffer) {
    _bm_audio_stop(voice);
    var decoded = BM.buffers[buffer];
    if (!decoded || !BM.unlocked()) return 0;
    var source = BM.ctx.createBufferSource();
    source.buffer = decoded;
    source.connect(BM.cues);
    source.onended = function () {
      if (BM.voices[voice] === source) delete BM.voices[voice];
    };
    source.start();
    BM.voices[voice] = source;
    return 1;
  },

  bm_audio_playing__deps: ['$BM'],
  bm_audio_playing: function (voice) {
    return BM.voices[voice] ? 1 : 0;
  },

  bm_audio_stop__deps: ['$BM'],
  bm_audio_stop: function (voice) {
    var source = BM.voices[voice];
    if (!source) return;
    delete BM.voices[voice];
    source.onended = null;
    source.stop();
  },

  bm_audio_volume__deps: ['$BM'],
  bm_audio_volume: function (gain) {
    BM.cues.gain.value = gain;
  },

  bm_audio_bytes__deps: ['$BM'],
  bm_audio_bytes: function () {
    var n = 0;
    for (var k in BM.buffers) n += BM.buffers[k].length * BM.buffers[k].numberOfChannels * 4;
    return n;
  },

  // A track plays from its samples, decoded by the browser (decodeAudioData, off the page's thread), through
  // its own left and right gains. An audio element decoding as it plays cost the tab about 2.5 % of a core for a
  // still menu; a buffer source costs next to nothing. The samples are kept only while the track runs (64 s of
  // stereo are 22 MB): a paused or stopped track keeps its file (0.5 MB) and its place.
  bm_music_load__deps: ['$BM', 'bm_music_unload'],
  bm_music_load: function (slot, bytes, length) {
    _bm_music_unload(slot);
    if (!BM.ctx) return;  // no Web Audio: the track keeps its state in silence
    var t = {file: HEAPU8.slice(bytes, bytes + length).buffer, samples: null, decoding: false, source: null,
             running: false, ended: false, at: 0, since: 0, rate: 1};
    // Mono becomes two equal channels before the split, so both sides sound.
    var both = BM.ctx.createGain();
    both.channelCount = 2;
    both.channelCountMode = 'explicit';
    var split = BM.ctx.createChannelSplitter(2), merge = BM.ctx.createChannelMerger(2);
    t.left = BM.ctx.createGain();
    t.right = BM.ctx.createGain();
    both.connect(split);
    split.connect(t.left, 0);
    split.connect(t.right, 1);
    t.left.connect(merge, 0, 0);
    t.right.connect(merge, 0, 1);
    merge.connect(BM.ctx.destination);
    t.nodes = [both, split, merge];
    BM.tracks[slot] = t;
  },

  // Seconds from the track's start where it is now (at: where it started playing, since: the context's time then).
  $bmTrackAt__deps: ['$BM'],
  $bmTrackAt: function (t) {
    if (!t.source) return t.at;
    return Math.min(t.at + (BM.ctx.currentTime - t.since) * t.rate, t.samples.duration);
  },

  // Stops the track's source where it is, keeping its place.
  $bmTrackHalt__deps: ['$bmTrackAt'],
  $bmTrackHalt: function (t) {
    if (!t.source) return;
    t.at = bmTrackAt(t);
    t.source.onended = null;
    t.source.stop();
    t.source.disconnect();
    t.source = null;
  },

  // Plays a running track from its place once sound may start and its samples are decoded.
  $bmTrackPlay__deps: ['$BM'],
  $bmTrackPlay: function (t) {
    if (!t.running || t.source || t.ended || !BM.unlocked()) return;
    if (!t.samples) {
      if (t.decoding) return;
      t.decoding = true;
      BM.ctx.decodeAudioData(t.file.slice(0)).then(function (samples) {
        t.decoding = false;
        if (!t.running || !t.nodes) return;  // paused or unloaded meanwhile
        t.samples = samples;
        bmTrackPlay(t);
      }, function (e) {
        t.decoding = false;
        err('a tune could not be decoded: ' + e);
      });
      return;
    }
    var source = BM.ctx.createBufferSource();
    source.buffer = t.samples;
    source.playbackRate.value = t.rate;
    source.connect(t.nodes[0]);
    // A track that played to its end is rewound by the program's next pass: the pass loop sleeps until then.
    source.onended = function () {
      if (t.source !== source) return;
      t.source = null;
      t.at = t.samples.duration;
      t.ended = true;
      if (Module['_bm_page_wake']) Module['_bm_page_wake']();
    };
    t.since = BM.ctx.currentTime;
    source.start(0, Math.min(t.at, t.samples.duration));
    t.source = source;
  },

  bm_music_unload__deps: ['$BM', '$bmTrackHalt'],
  bm_music_unload: function (slot) {
    var t = BM.tracks[slot];
    if (!t) return;
    bmTrackHalt(t);
    t.nodes.concat([t.left, t.right]).forEach(function (n) { n.disconnect(); });
    t.nodes = null;
    delete BM.tracks[slot];
  },

  bm_music_run__deps: ['$BM', '$bmTrackHalt', '$bmTrackPlay'],
  bm_music_run: function (slot, run) {
    var t = BM.tracks[slot];
    if (!t) return;
    t.running = !!run;
    if (run) return bmTrackPlay(t);
    bmTrackHalt(t);
    t.samples = null;
  },

  bm_music_seek__deps: ['$BM', '$bmTrackHalt', '$bmTrackPlay'],
  bm_music_seek: function (slot, seconds) {
    var t = BM.tracks[slot];
    if (!t) return;
    bmTrackHalt(t);
    t.at = seconds;
    t.ended = false;
    bmTrackPlay(t);
  },

  // Seconds from the start; -1 once the track played to its end.
  bm_music_position__deps: ['$BM', '$bmTrackAt'],
  bm_music_position: function (slot) {
    var t = BM.tracks[slot];
    if (!t) return 0;
    return t.ended ? -1 : bmTrackAt(t);
  },

  bm_music_gain__deps: ['$BM'],
  bm_music_gain: function (slot, left, right) {
    var t = BM.tracks[slot];
    if (!t) return;
    t.left.gain.value = left;
    t.right.gain.value = right;
  },

  // Faster sounds higher, as on the desktop.
  bm_music_rate__deps: ['$BM', '$bmTrackAt'],
  bm_music_rate: function (slot, rate) {
    var t = BM.tracks[slot];
    if (!t) return;
    if (t.source) {
      t.at = bmTrackAt(t);
      t.since = BM.ctx.currentTime;
      t.source.playbackRate.value = rate;
    }
    t.rate = rate;
  },

  // Copies the save folder to the browser's storage (page_pre.js).
  bm_files_sync: function () {
    bmCopyToStorage();
  },

  // The page is closing: the names of every file in the save folder and the
  // contents of those changed since the last copy to IndexedDB began go to
  // localStorage at once (page_pre.js puts them back at the next start).
  bm_files_keep__deps: ['$FS'],
  bm_files_keep: function () {
    var store = bmLocalStorage();
    if (!bmWrites() || !bmStorageOn || !store) return;
    var list = [], files = {};
    (function walk(dir) {
      FS.readdir(dir).forEach(function (name) {
        if (name === '.' || name === '..') return;
        var path = dir + '/' + name, st = FS.stat(path);
        if (FS.isDir(st.mode)) return walk(path);
        list.push(path);
        if (st.mtime.getTime() < bmStoredAt) return;
        var bytes = FS.readFile(path), text = '';
        for (var i = 0; i < bytes.length; i += 0x8000) {
          text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        }
        files[path] = btoa(text);
      });
    })('/data');
    try {
      store.setItem(bmKeptKey, JSON.stringify({list: list, files: files}));
    } catch (e) {
      err('keeping the saves in the page storage failed: ' + e);
    }
  },

  // The page around the canvas.
  // A frame reached the canvas: Module.framesDrawn counts them; the first takes over from the logo.
  bm_page_presented: function () {
    Module['framesDrawn'] = (Module['framesDrawn'] || 0) + 1;
    if (Module['framesDrawn'] === 1 && Module['firstPicture']) Module['firstPicture']();
  },

  // How long each pass took, summed per screen in Module.passTimes (the page's checks print them).
  bm_page_pass_time: function (ms) {
    var screens = Module['screens'] || [], top = screens.length ? screens[screens.length - 1].name : '';
    var times = Module['passTimes'] = Module['passTimes'] || {};
    var t = times[top] = times[top] || {passes: 0, ms: 0, max: 0};
    t.passes += 1;
    t.ms += ms;
    t.max = Math.max(t.max, ms);
  },

  bm_page_message: function (title, text) {
    if (Module['showMessage']) Module['showMessage'](UTF8ToString(title), UTF8ToString(text));
  },

  // How much of a pack of the game's data is here (page.js): 1 once its files are in /game, -1 for a pack the
  // page does not have (or no page: everything is here). Asking moves it first in line.
  bm_pack_wanted: function (name) {
    return typeof Page !== 'undefined' && Page.want ? Page.want(UTF8ToString(name)) : -1;
  },

  // A game file that a pack still on its way brings.
  bm_file_coming: function (path) {
    return typeof Page !== 'undefined' && Page.coming && Page.coming(UTF8ToString(path)) ? 1 : 0;
  },

  // The path of a game file as its pack spells it, into out (size bytes); its length, 0 for a file of no pack.
  // A file looked for in another case before it came is found under this name.
  bm_game_path: function (path, out, size) {
    var real = typeof Page !== 'undefined' && Page.gamePath ? Page.gamePath(UTF8ToString(path)) : '';
    if (!real || lengthBytesUTF8(real) >= size) return 0;
    return stringToUTF8(real, out, size);
  },

  // The player clicked or pressed a key while the page was loading (page.js): the logo is skipped.
  bm_page_skip_intro: function () {
    return typeof Page !== 'undefined' && Page.skipIntro ? 1 : 0;
  },

  bm_page_title: function (text) {
    document.title = UTF8ToString(text);
  },

  bm_page_width: function () {
    return window.innerWidth;
  },

  bm_page_height: function () {
    return window.innerHeight;
  },

  bm_page_cursor__deps: ['$BM'],
  bm_page_cursor: function (canvas, show) {
    document.querySelector(UTF8ToString(canvas)).style.cursor = show ? BM.pointer || 'default' : 'none';
  },

  // A picture from the game's files as the canvas's cursor (at most 128 pixels
  // a side, as browsers show them), hot spot at (hotX, hotY); no path: the default.
  bm_page_pointer__deps: ['$BM', '$FS'],
  bm_page_pointer: function (canvas, path, width, height, hotX, hotY) {
    var el = document.querySelector(UTF8ToString(canvas)), file = UTF8ToString(path);
    var show = function (cursor) {
      BM.pointer = cursor;
      if (el.style.cursor !== 'none') el.style.cursor = cursor || 'default';
    };
    var asked = BM.pointerAsked = {};
    if (!file) return show(null);
    var bytes;
    try {
      bytes = FS.readFile(file);
    } catch (e) {
      err('the pointer picture ' + file + ' cannot be read: ' + e);
      return show(null);
    }
    var fit = Math.min(1, 128 / Math.max(width, height, 1));
    var w = Math.max(1, Math.round(width * fit)), h = Math.max(1, Math.round(height * fit));
    var x = Math.min(w - 1, Math.max(0, Math.round(hotX * fit))), y = Math.min(h - 1, Math.max(0, Math.round(hotY * fit)));
    var url = URL.createObjectURL(new Blob([bytes], {type: 'image/png'}));
    var img = new Image();
    img.onload = function () {
      URL.revokeObjectURL(url);
      if (BM.pointerAsked !== asked) return;  // another picture was asked for since
      var c = document.createElement('canvas');
      c.width = w;
      c.height = h;
      c.getContext('2d').drawImage(img, 0, 0, w, h);
      show('url(' + c.toDataURL() + ') ' + x + ' ' + y + ', auto');
    };
    img.onerror = function () {
      URL.revokeObjectURL(url);
      err('the pointer picture ' + file + ' cannot be shown');
    };
    img.src = url;
  },

  // A run's findings as JSON, in the element with id "report" (the browser tests read it);
  // the tab keeps the last one over a reload.
  bm_page_report: function (json) {
    var text = UTF8ToString(json);
    document.getElementById('report').textContent = text;
    try {
      sessionStorage.setItem('brinemoor-report', text);
    } catch (e) {}
  },

  // The screen on top and the page's time it came up, in Module.screens.
  bm_page_screen: function (name) {
    (Module['screens'] = Module['screens'] || []).push({name: UTF8ToString(name), ms: performance.now()});
  },

  // The game's notice (a save that failed, a file it will not save over) in #status; "" clears it.
  bm_page_notice: function (text) {
    if (typeof Page !== 'undefined') Page.status('notice', UTF8ToString(text));
  },
});
