// The browser's side of src/common/webpage_web.cpp, linked into the
// program with --js-library. Each wait ends with _zentaPageDone(id, ok),
// later; where there is no IndexedDB (the tests under node) at once, as
// there is nothing to wait for.
mergeInto(LibraryManager.library, {
  zentaPageStarted: function () {
    if (window.zentaPage)
      window.zentaPage.started();
  },

  zentaPageEnded: function () {
    if (window.zentaPage)
      window.zentaPage.ended();
  },

  // The files folder's IndexedDB database (IDBFS), read or written.
  zentaSyncFiles__deps: ["$FS"],
  zentaSyncFiles: function (id, populate) {
    if (typeof indexedDB == "undefined")
      return _zentaPageDone(id, 1);
    FS.syncfs(!!populate, function (error) {
      if (error)
        console.warn("zenta: IndexedDB:", error);
      setTimeout(function () { _zentaPageDone(id, error ? 0 : 1); });
    });
  },

  // A lock as a record in a database of its own: IndexedDB runs the
  // read-write transactions of all tabs one after the other, so looking at
  // the record and taking it is one step. It works where the page is no
  // secure context too (a school's server over plain http), unlike the
  // Web Locks API. A record older than staleMs is a lock a closed tab left.
  zentaLock: function (id, nameUtf8, timeoutMs, staleMs) {
    if (typeof indexedDB == "undefined")
      return _zentaPageDone(id, 1);
    const name = UTF8ToString(nameUtf8);
    const locks = Module.zentaLocks = Module.zentaLocks || {
      owner: Math.random().toString(36).slice(2) + Date.now().toString(36),
      open: new Promise(function (resolve, reject) {
        const request = indexedDB.open("zenta-locks", 1);
        request.onupgradeneeded = function () { request.result.createObjectStore("locks"); };
        request.onsuccess = function () { resolve(request.result); };
        request.onerror = function () { reject(request.error); };
      }),
    };
    const deadline = Date.now() + timeoutMs;
    function done(ok) { setTimeout(function () { _zentaPageDone(id, ok); }); }
    function attempt(db) {
      const transaction = db.transaction("locks", "readwrite");
      const store = transaction.objectStore("locks");
      let taken = false;
      const get = store.get(name);
      get.onsuccess = function () {
        const held = get.result;
        if (!held || held.owner === locks.owner || Date.now() - held.time > staleMs) {
          store.put({ owner: locks.owner, time: Date.now() }, name);
          taken = true;
        }
      };
      transaction.oncomplete = function () {
        if (taken)
          done(1);
        else if (Date.now() >= deadline)
          done(0);
        else
          setTimeout(function () { attempt(db); }, 50);
      };
      transaction.onerror = function () { done(0); };
    }
    locks.open.then(attempt, function (error) {
      console.warn("zenta: lock:", error);
      done(0);
    });
  },

  zentaUnlock: function (id, nameUtf8) {
    const name = UTF8ToString(nameUtf8);
    const locks = Module.zentaLocks;
    function done(ok) { setTimeout(function () { _zentaPageDone(id, ok); }); }
    if (!locks)
      return _zentaPageDone(id, 1);
    locks.open.then(function (db) {
      const transaction = db.transaction("locks", "readwrite");
      const store = transaction.objectStore("locks");
      const get = store.get(name);
      get.onsuccess = function () {
        if (get.result && get.result.owner === locks.owner)
          store.delete(name);
      };
      transaction.oncomplete = function () { done(1); };
      transaction.onerror = function () { done(0); };
    }, function () { done(0); });
  },
});
