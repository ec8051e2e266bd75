// The browser's side of src/common/webpage_web.cpp, linked into the
// program with --js-library. Each wait ends with _zentaPageDone(id, ok),
// later; where there is no IndexedDB or no page (the tests under node) at
// once, as there is nothing to wait for.
mergeInto(LibraryManager.library, {
  // The page's text input for the program's text fields (see
  // src/common/textinput_web.h), transparent. What it takes goes to the
  // program at once. Where the page holds a copy of the program's
  // accessible objects (mirror.js) it is the field's element there, at the
  // field's place, with the field's text; elsewhere it stays empty and off
  // the page but while a field has the focus.
  $zentaTextElement: function () {
    let input = Module.zentaTextInput;
    if (input)
      return input;
    input = Module.zentaTextInput = document.createElement("input");
    input.type = "text";
    input.autocomplete = "off";
    input.spellcheck = false;
    input.setAttribute("autocapitalize", "off");
    // Until it is a field's element, the field itself is what a screen
    // reader reads.
    input.setAttribute("aria-hidden", "true");
    // 16px: a smaller text makes a phone's browser zoom in on focus.
    input.style.cssText = "position: absolute; z-index: 1; margin: 0; padding: 0; border: 0;"
      + " outline: none; background: transparent; color: transparent; caret-color: transparent;"
      + " font-size: 16px; opacity: 0.01; left: -10000px; top: 0px; pointer-events: none;";
    const send = (text, to) => {
      const size = lengthBytesUTF8(text) + 1;
      stringToUTF8(text, _zentaTextBuffer(size), size);
      to();
    };
    // What is new since the element last showed the field's text.
    const taken = () => {
      const before = input.zentaShown || "", now = input.value;
      let head = 0, tail = 0;
      while (head < before.length && head < now.length && before[head] === now[head])
        ++head;
      while (tail < before.length - head && tail < now.length - head
             && before[before.length - 1 - tail] === now[now.length - 1 - tail])
        ++tail;
      const mirrored = input.parentNode !== document.body;
      input.zentaShown = mirrored ? now : "";
      if (!mirrored)
        input.value = "";
      return now.slice(head, now.length - tail);
    };
    input.addEventListener("compositionstart", () => { input.zentaComposing = true; });
    input.addEventListener("compositionupdate", (event) => send(event.data || "", _zentaTextPreedit));
    input.addEventListener("compositionend", (event) => {
      input.zentaComposing = false;
      send(event.data || "", _zentaTextCommit);
      input.zentaShown = input.value;
      taken();
    });
    input.addEventListener("input", (event) => {
      if (input.zentaComposing || event.isComposing)
        return;
      const text = taken();
      if (text)
        send(text, _zentaTextCommit);
    });
    // Qt's keys (Qt::Key) for those that are not text. An Enter that ends
    // a composition belongs to the input method.
    const keys = { Escape: 0x01000000, Tab: 0x01000001, Backspace: 0x01000003,
      Enter: 0x01000004, Insert: 0x01000006, Delete: 0x01000007, Home: 0x01000010,
      End: 0x01000011, ArrowLeft: 0x01000012, ArrowUp: 0x01000013, ArrowRight: 0x01000014,
      ArrowDown: 0x01000015, PageUp: 0x01000016, PageDown: 0x01000017 };
    input.addEventListener("keydown", (event) => {
      if (event.isComposing || event.keyCode === 229)
        return;
      let key = keys[event.key];
      // Ctrl with a letter is the field's (select all, copy, undo); Ctrl+V
      // is the browser's paste, which comes as input.
      const control = event.ctrlKey || event.metaKey;
      if (!key && control && /^[a-uw-z]$/i.test(event.key))
        key = event.key.toUpperCase().charCodeAt(0);
      if (!key)
        return;
      event.preventDefault();
      if (key === keys.Tab && event.shiftKey)
        key = 0x01000002; // Qt::Key_Backtab
      _zentaTextKey(key, (event.shiftKey ? 0x02000000 : 0) | (event.ctrlKey ? 0x04000000 : 0)
        | (event.altKey ? 0x08000000 : 0) | (event.metaKey ? 0x10000000 : 0));
    });
    document.body.append(input);
    return input;
  },

  // The element over the field (x, y: the program's screen coordinates)
  // with the browser's focus.
  zentaTextFocus__deps: ["$zentaTextElement"],
  zentaTextFocus: function (x, y, width, height) {
    if (typeof document == "undefined")
      return;
    const input = zentaTextElement();
    if (input.parentNode === document.body) {
      const canvas = document.querySelector("#screen canvas");
      const page = canvas ? canvas.getBoundingClientRect() : { left: 0, top: 0 };
      Object.assign(input.style, { left: page.left + x + "px", top: page.top + y + "px",
                                   width: width + "px", height: height + "px" });
    }
    input.style.pointerEvents = "auto";
    if (document.activeElement !== input)
      input.focus({ preventScroll: true });
  },
  zentaTextBlur: function () {
    const input = Module.zentaTextInput;
    if (!input)
      return;
    // It takes no click meant for the program: off the page, or, as the
    // field's element, through to the screen.
    input.style.pointerEvents = "none";
    const mirrored = input.parentNode !== document.body;
    if (!mirrored)
      Object.assign(input.style, { left: "-10000px", top: "0px" });
    if (document.activeElement !== input)
      return;
    input.blur();
    // The keys go to the program's screen again; where the page holds the
    // copy, to the element that gets the program's focus.
    const canvas = document.querySelector("#screen canvas");
    if (canvas && !mirrored)
      canvas.focus({ preventScroll: true });
  },
  // One HTTP request to the page's own folder on its server: `path` is
  // relative to the page and may not leave its folder. The answer waits in
  // Module.zentaAnswers[id] for zentaAnswer* to take it. Status 0 means no
  // usable answer: the server could not be reached or did not answer within
  // timeoutMs, it redirected (a redirect is followed nowhere, so nothing
  // goes to another host), or its body was over largest bytes (the reading
  // stops there).
  zentaRequest: function (id, methodUtf8, pathUtf8, headersUtf8, body, bodyLength, timeoutMs, largest) {
    const answers = Module.zentaAnswers = Module.zentaAnswers || {};
    function answer(status, headers, bytes, why) {
      if (why)
        console.warn("zenta: " + method + " " + path + ": " + why);
      answers[id] = { status: status, headers: headers || new Uint8Array(0), body: bytes || new Uint8Array(0) };
      setTimeout(function () { _zentaPageDone(id, 1); });
    }
    const method = UTF8ToString(methodUtf8);
    const path = UTF8ToString(pathUtf8);
    if (typeof document == "undefined" || typeof fetch == "undefined") {
      answers[id] = { status: 0, headers: new Uint8Array(0), body: new Uint8Array(0) };
      return _zentaPageDone(id, 1);
    }
    const folder = new URL(".", document.baseURI);
    const url = new URL(path, document.baseURI);
    if (url.origin !== folder.origin || !url.href.startsWith(folder.href))
      return answer(0, null, null, "outside the page's folder");
    const headers = new Headers();
    for (const line of UTF8ToString(headersUtf8).split("\n")) {
      const colon = line.indexOf(":");
      if (colon > 0)
        headers.append(line.slice(0, colon).trim(), line.slice(colon + 1).trim());
    }
    const abort = new AbortController();
    const timer = setTimeout(function () { abort.abort(); }, timeoutMs);
    const init = {
      method: method, headers: headers, credentials: "same-origin", redirect: "manual",
      cache: "no-store", signal: abort.signal,
    };
    if (bodyLength > 0 || method === "PUT")
      init.body = HEAPU8.slice(body, body + bodyLength);
    fetch(url.href, init).then(function (response) {
      if (response.type === "opaqueredirect" || (response.status >= 300 && response.status < 400))
        return answer(0, null, null, "a redirect, not followed");
      let lines = "";
      response.headers.forEach(function (value, name) { lines += name + ": " + value + "\n"; });
      const parts = [];
      let size = 0;
      function whole() {
        const bytes = new Uint8Array(size);
        let at = 0;
        for (const part of parts) {
          bytes.set(part, at);
          at += part.length;
        }
        answer(response.status, new TextEncoder().encode(lines), bytes);
      }
      if (!response.body)
        return whole();
      const reader = response.body.getReader();
      function pump() {
        return reader.read().then(function (next) {
          if (next.done)
            return whole();
          size += next.value.length;
          if (size > largest) {
            reader.cancel().catch(function () {});
            return answer(0, null, null, "an answer over " + largest + " bytes, refused");
          }
          parts.push(next.value);
          return pump();
        });
      }
      return pump();
    }).catch(function (error) {
      answer(0, null, null, String(error));
    }).finally(function () { clearTimeout(timer); });
  },

  // The answer of zentaRequest(id): its status; the size of its headers
  // (part 0: "name: value" lines in UTF-8) or its body (part 1); a copy of
  // either into the program's memory at `to`; and forgetting it.
  zentaAnswerStatus: function (id) {
    const found = (Module.zentaAnswers || {})[id];
    return found ? found.status : 0;
  },
  zentaAnswerSize: function (id, part) {
    const found = (Module.zentaAnswers || {})[id];
    return found ? (part ? found.body : found.headers).length : 0;
  },
  zentaAnswerCopy: function (id, part, to) {
    const found = (Module.zentaAnswers || {})[id];
    if (found)
      HEAPU8.set(part ? found.body : found.headers, to);
  },
  zentaAnswerForget: function (id) {
    if (Module.zentaAnswers)
      delete Module.zentaAnswers[id];
  },

  // A pause of `ms`, with the page going on; none where there is no page.
  zentaPause: function (id, ms) {
    if (typeof document == "undefined")
      return _zentaPageDone(id, 1);
    setTimeout(function () { _zentaPageDone(id, 1); }, ms);
  },

  // The grade (学年) in the site's storage. A link with "?grade=1" (2, 3)
  // sets it, so that a teacher hands a class its grade with the link;
  // anything else there is left alone. Without a page (the tests under
  // node) nothing is kept.
  zentaStoredGrade: function () {
    try {
      const linked = new URLSearchParams(location.search).get("grade");
      if (linked === "1" || linked === "2" || linked === "3")
        localStorage.setItem("zenta.grade", linked);
      return Number(localStorage.getItem("zenta.grade")) || 0;
    } catch (error) {
      return 0;
    }
  },

  zentaStoreGrade: function (grade) {
    try {
      localStorage.setItem("zenta.grade", String(grade));
    } catch (error) {
    }
  },

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
