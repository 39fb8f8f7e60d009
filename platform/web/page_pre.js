// Runs before the program: the save folder lives in the browser's persistent
// storage (IndexedDB) and is read back in before main starts.
Module['preRun'] = [].concat(Module['preRun'] || []);
Module['preRun'].push(function () {
  FS.mkdir('/data');
  FS.mount(IDBFS, {}, '/data');
  addRunDependency('saves');
  FS.syncfs(true, function (e) {
    if (e) err('reading the saves from the browser storage failed: ' + e);
    removeRunDependency('saves');
  });
});
