// The school's Apache configuration (packaging/web) on a private Apache:
// everyone reads the page, the ranking file alone takes WebDAV writes, one
// device at a time under its lock, from the writers' network only, and no
// body over 64 KiB.
//   node davserver.js WEB_DIR APACHE_DIR
"use strict";
const assert = require("assert");
const fs = require("fs");
const { start, lockBody } = require("./apache.js");

const [webDir, apacheDir] = process.argv.slice(2);

(async () => {
  const server = await start(webDir, { dir: apacheDir });
  const ask = async (method, file, headers = {}, body) => {
    const response = await fetch(server.url + file, { method, headers, body, redirect: "manual" });
    return { status: response.status, token: response.headers.get("lock-token") };
  };
  const lock = () => ask("LOCK", "zenta.rnk", { Timeout: "Second-10", "Content-Type": "application/xml" }, lockBody);
  let token;
  const cases = [
    ["the page is read", () => ask("GET", "zenta.html"), 200],
    ["no file yet", () => ask("GET", "zenta.rnk"), 404],
    ["the page is not written", () => ask("PUT", "zenta.html", {}, "x"), 405],
    ["nor a new file", () => ask("PUT", "other.rnk", {}, "x"), 405],
    ["nor a folder made", () => ask("MKCOL", "zenta-new/"), 405],
    ["nor the page locked", () => ask("LOCK", "zenta.html", {}, lockBody), 405],
    ["the file is never deleted", () => ask("DELETE", "zenta.rnk"), 403],
    ["nor moved", () => ask("MOVE", "zenta.rnk", { Destination: server.url + "x" }), 403],
    ["a device locks it", async () => { const r = await lock(); token = r.token; return r; }, 200],
    ["a second waits", lock, 423],
    ["a write without the lock waits", () => ask("PUT", "zenta.rnk", {}, "x"), 423],
    ["over 64 KiB is refused", () => ask("PUT", "zenta.rnk", { If: `(${token})` }, Buffer.alloc(65537)), 413],
    ["the holder writes", () => ask("PUT", "zenta.rnk", { If: `(${token})` }, Buffer.alloc(900, 32)), 201],
    ["and unlocks", () => ask("UNLOCK", "zenta.rnk", { "Lock-Token": token }), 204],
    ["the next locks", lock, 200],
    ["refused writes", async () => { await server.refuseWrites(); return ask("LOCK", "zenta.rnk", {}, lockBody); }, 403],
    ["nor written", () => ask("PUT", "zenta.rnk", {}, "x"), 403],
    ["but read", () => ask("GET", "zenta.rnk"), 200],
  ];
  let failed = 0;
  try {
    for (const [what, run, expected] of cases) {
      const { status } = await run();
      const ok = status === expected;
      failed += ok ? 0 : 1;
      console.log(`${ok ? "ok" : "FAIL"}: ${what}: ${status}${ok ? "" : `, expected ${expected}`}`);
    }
    assert.strictEqual(fs.statSync(`${server.site}/zenta.rnk`).size, 900, "the file the holder wrote");
  } finally {
    await server.stop();
  }
  console.log(`${cases.length - failed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
