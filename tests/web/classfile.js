// The class's Best 5 in zenta.rnk beside the page on a private Apache with
// the school's configuration, in headless Chromium, separate profiles as
// separate devices: rows of several devices kept side by side; writes
// refused, then the browser's stand-in, then its rows back in the server's
// file; the server stopped while a save waits for the lock; hostile files.
//   node classfile.js WEB_DIR ANSWERS_JS SHOTS_DIR APACHE_DIR
"use strict";
const assert = require("assert");
const fs = require("fs");
const path = require("path");
const { launch, sleep } = require("./harness.js");
const { answersFor, started, playGame, rankingBytes, rangeOne } = require("./game.js");
const { start, lockBody } = require("./apache.js");

const [webDir, answersJs, shotsDir, apacheDir] = process.argv.slice(2);
const clock = 1767225600000;
const answers = answersFor(clock, answersJs);

(async () => {
  const server = await start(webDir, { dir: apacheDir });
  const served = () => fs.readFileSync(path.join(server.site, "zenta.rnk"));
  const names = (bytes) => (bytes.length < 60 ? [] : rangeOne([...bytes]).map(([name]) => name).filter(Boolean));
  const standIn = async (page) => names((await rankingBytes(page)) || []);
  const browsers = [];
  async function device(tag) {
    const browser = await launch({ profile: path.join(apacheDir, `profile-${tag}`), shots: shotsDir });
    browsers.push(browser);
    const page = await browser.newPage({ clock });
    await page.goto(server.url + "zenta.html");
    await started(page);
    await page.startClock();
    await page.key("Enter");
    await sleep(500);
    return page;
  }
  const store = (page, name, tag, enterName) => playGame(page, tag, { answers, name, enterName });
  const lockNow = async () => (await fetch(server.url + "zenta.rnk", { method: "LOCK", body: lockBody,
    headers: { Timeout: "Second-10", "Content-Type": "application/xml" } })).headers.get("lock-token");
  try {
    const [a, b, c] = [await device("a"), await device("b"), await device("c")];
    let before;
    const cases = [
      ["two devices store a row each, a third keeps both", async () => {
        await store(a, "DEVA", "a"); await store(b, "DEVB", "b"); await store(c, "DEVC", "c");
        for (const name of ["DEVA", "DEVB", "DEVC"])
          assert(names(served()).includes(name), `${name} on the server: ${names(served())}`);
        assert.deepStrictEqual(await standIn(c), [], "nothing in the stand-in");
      }],
      ["writes refused: the row goes into the stand-in", async () => {
        await server.refuseWrites();
        before = served();
        await store(a, "REFUSED", "a-refused");
        assert.deepStrictEqual(served(), before, "the server's file as it was");
        assert(await standIn(a).then((rows) => rows.includes("REFUSED") && rows.includes("DEVC")),
               "the server's rows with the new one in the stand-in");
      }],
      ["writes taken again: the stand-in's rows go back, once", async () => {
        await server.acceptWrites();
        await store(a, null, "a-back"); // opens the results window, stores nothing
        const rows = names(served());
        assert.strictEqual(rows.filter((name) => name === "REFUSED").length, 1, `${rows}`);
        assert.strictEqual(rows.filter((name) => name === "DEVA").length, 1, `${rows}`);
        assert.deepStrictEqual(await standIn(a), [], "the stand-in emptied");
      }],
      ["the server stopped while a save waits for its lock", async () => {
        const token = await lockNow();
        assert(token, "the test holds the lock");
        await store(b, "STOPPED", "b-stopped", async (page, name) => {
          await page.type(name);
          setTimeout(() => server.stop(), 1500); // after Enter, while the save waits
        });
        await sleep(1000);
        await server.restart();
        await fetch(server.url + "zenta.rnk", { method: "UNLOCK", headers: { "Lock-Token": token } });
        assert(!names(served()).includes("STOPPED"), "not on the server while it was away");
        await store(b, null, "b-back");
        assert(names(served()).includes("STOPPED"), `back on the server: ${names(served())}`);
      }],
      ["a file over 64 KiB on the server is refused, never rewritten", async () => {
        fs.writeFileSync(path.join(server.site, "zenta.rnk"), Buffer.alloc(70000, 0x41));
        await store(c, "HOSTILE", "c-hostile");
        assert.deepStrictEqual(served(), Buffer.alloc(70000, 0x41));
        assert((await standIn(c)).includes("HOSTILE"), "the row in the stand-in");
      }],
      ["records a save does not move keep their bytes", async () => {
        // Blank records, record 6 with a name that is no code page 932,
        // and five bytes beyond record 75.
        const blank = Buffer.from("          \0\0", "latin1");
        const odd = Buffer.concat([...Array(75).fill(blank), Buffer.from("AAAAA")]);
        odd.fill(0xff, 60, 70);
        fs.writeFileSync(path.join(server.site, "zenta.rnk"), odd);
        await store(b, "KEEP", "b-keep");
        assert.deepStrictEqual(served().subarray(60), odd.subarray(60), "records 6 on and the tail");
        assert.strictEqual(names(served())[0], "KEEP");
      }],
    ];
    for (const [what, run] of cases) {
      await run();
      console.log(`ok: ${what}`);
    }
    console.log(`${cases.length} passed, 0 failed`);
  } finally {
    for (const browser of browsers)
      await browser.close().catch(() => {});
    await server.stop();
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
