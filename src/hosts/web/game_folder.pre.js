// Part of the program Emscripten writes (--pre-js), like the EM_JS bodies in web_bridge.cpp.
//
// The game folder, /vantrell, is kept in the browser's database (IDBFS). It is mounted and
// listed while the program still compiles and its packed files arrive, and read in as soon as
// the program's memory exists, rather than after: main, which waits for it as a run
// dependency, finds the outcome in Module.vtFolder (web_bridge.cpp).
//
// Only what differs from the packed game folder (/package/game) is kept there: a file as
// packed comes with every visit anyway, so the database holds the runs and switches the player
// changed, and reading it at start, or storing it, takes a few files rather than every stage.
// A file the folder lacks is seeded from the packed one before the first table load
// (CopyMissingFiles), as before.
Module["preInit"] = [].concat(Module["preInit"] || [], function () {
  var folder = "/vantrell";
  var packed = "/package/game";
  var sameAsPacked = function (path) {
    var twin = FS.analyzePath(packed + path.slice(folder.length));
    if (!twin.exists || !FS.isFile(twin.object.mode)) return false;
    var node = FS.lookupPath(path).node;
    if (!FS.isFile(node.mode)) return false;
    var mine = MEMFS.getFileDataAsTypedArray(node);
    var theirs = MEMFS.getFileDataAsTypedArray(twin.object);
    if (mine.length !== theirs.length) return false;
    for (var i = 0; i < mine.length; ++i) {
      if (mine[i] !== theirs[i]) return false;
    }
    return true;
  };
  var localSet = IDBFS.getLocalSet;
  IDBFS.getLocalSet = function (mount, callback) {
    localSet(mount, function (error, set) {
      if (!error && mount.mountpoint === folder) {
        Object.keys(set.entries).forEach(function (path) {
          if (sameAsPacked(path)) delete set.entries[path];
        });
      }
      callback(error, set);
    });
  };
  // The page may have begun opening the database and listing the folder's files already
  // (Module.vtEarlyFolder, a promise of { db, timestamps }): the first read of the folder takes
  // that listing rather than asking the database again, when it is the database IDBFS would
  // open; else IDBFS opens and lists its own. The files themselves are read as IDBFS reads them.
  var early = Module.vtEarlyFolder;
  var getRemoteSet = IDBFS.getRemoteSet;
  IDBFS.getRemoteSet = function (mount, callback) {
    if (mount.mountpoint !== folder || !early) return getRemoteSet(mount, callback);
    var opening = early;
    early = null;
    opening.then(
      function (opened) {
        var db = opened.db;
        if (db.version !== IDBFS.DB_VERSION || !db.objectStoreNames.contains(IDBFS.DB_STORE_NAME)) {
          db.close();
          return getRemoteSet(mount, callback);
        }
        IDBFS.dbs[folder] = db;
        if (!opened.timestamps) return getRemoteSet(mount, callback);
        var entries = {};
        opened.timestamps.forEach(function (timestamp, path) {
          entries[path] = { timestamp: timestamp };
        });
        callback(null, { type: "remote", db: db, entries: entries });
      },
      function () {
        getRemoteSet(mount, callback);
      },
    );
  };
  // The folder's files are written only once the program's memory exists: MEMFS compares every
  // buffer it is given with it, and the database can answer before the program is instantiated
  // (the write would fail, and the file stay empty). The instantiation ends by dropping its run
  // dependency, after the memory is set.
  var memory = function () {
    return typeof HEAP8 !== "undefined" && HEAP8;
  };
  var whenMemory = function (then) {
    if (memory()) return then();
    var monitor = Module["monitorRunDependencies"];
    Module["monitorRunDependencies"] = function (left) {
      if (monitor) monitor(left);
      if (!then || !memory()) return;
      var next = then;
      then = null;
      Module["monitorRunDependencies"] = monitor;
      next();
    };
  };
  // The first store after the start (web_bridge.cpp) puts in the database only what this tab
  // holds that the database lacks or holds older, and removes nothing. A whole store makes the
  // database what the tab holds: a run another tab saved after this one read the folder would be
  // overwritten, or removed (a file as packed is no entry here). Later stores come after a read.
  Module.vtStoreNewer = function (callback) {
    var mount;
    try {
      mount = FS.lookupPath(folder).node.mount;
    } catch (e) {
      return callback(e);
    }
    if (mount.type !== IDBFS) return callback(null); // the database refused: nothing is kept
    IDBFS.getLocalSet(mount, function (error, local) {
      if (error) return callback(error);
      IDBFS.getRemoteSet(mount, function (error, remote) {
        if (error) return callback(error);
        var newer = { type: "local", entries: {} };
        var older = { type: "remote", db: remote.db, entries: {} };
        Object.keys(local.entries).forEach(function (path) {
          var mine = local.entries[path];
          var theirs = remote.entries[path];
          if (theirs && mine.timestamp.getTime() <= theirs.timestamp.getTime()) return;
          newer.entries[path] = mine;
          if (theirs) older.entries[path] = theirs;
        });
        IDBFS.reconcile(newer, older, callback);
      });
    });
  };
  Module.vtFolder = { path: folder, error: "" };
  addRunDependency("vantrell-folder");
  try {
    FS.mkdir(folder);
    FS.mount(IDBFS, {}, folder);
    whenMemory(function () {
      FS.syncfs(true, function (e) {
        if (e) console.warn("vantrell: the game folder could not be read:", e);
        removeRunDependency("vantrell-folder");
      });
    });
  } catch (e) {
    Module.vtFolder.error = String(e) || "error";
    removeRunDependency("vantrell-folder");
  }
});
