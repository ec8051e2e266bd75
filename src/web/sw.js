// The page's service worker: it keeps every file of the page in a cache of
// its own version, so that the program starts without its server (a
// Chromebook away from the school's network, a server that is down) and a
// later visit downloads nothing but this file's check for a new version.
//
// The build writes the list of files with their SHA-256 digests, and the
// version made from them, into this file, so that a new folder on the
// server is a new service worker. Its cache is filled completely, and each
// file checked against its digest, before it takes over; until then the
// old version goes on serving the old files. A folder copied to the server
// only half (this file new, the program still old) fails the check, and
// the next visit tries again: two versions never mix.
"use strict";
const version = "@ZENTA_VERSION@";
const files = @ZENTA_FILES@; // [path relative to this file, SHA-256 in hex]
const prefix = "zenta-";
const cacheName = prefix + version;

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, "0")).join("");
}

async function fill() {
  const cache = await caches.open(cacheName);
  try {
    await Promise.all(files.map(async ([path, digest]) => {
      // Past the browser's HTTP cache, which may still hold an old file.
      const response = await fetch(new Request(path, { cache: "no-store" }));
      if (!response.ok)
        throw new Error(`${path}: ${response.status}`);
      const body = await response.clone().arrayBuffer();
      const found = hex(await crypto.subtle.digest("SHA-256", body));
      if (found !== digest)
        throw new Error(`${path}: not the file of version ${version}`);
      await cache.put(path, response);
    }));
  } catch (error) {
    await caches.delete(cacheName);
    throw error;
  }
}

self.addEventListener("install", (event) => {
  event.waitUntil(fill().then(() => self.skipWaiting()));
});

// The new version is whole: the old caches go, and the open pages are
// served from the new one.
self.addEventListener("activate", (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith(prefix) && name !== cacheName)
        await caches.delete(name);
    await self.clients.claim();
  })());
});

// The page's files come from the cache; everything else (the ranking file
// on a server that takes writes, say) goes to the network as it would.
const scope = new URL(self.registration.scope);
const kept = new Set(files.map(([path]) => new URL(path, scope).href));
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET")
    return;
  const url = new URL(request.url);
  url.search = "";
  url.hash = "";
  if (!kept.has(url.href))
    return;
  event.respondWith((async () => {
    const cache = await caches.open(cacheName);
    return (await cache.match(url.href)) || fetch(request);
  })());
});
