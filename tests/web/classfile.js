// The class's Best 5 in zenta.rnk beside the page on a school's server:
// Debian's Apache, nginx and lighttpd, each with the zenta-web package's
// configuration (tools/web/servers.js). First the configuration: the page
// is read by all and written by none; the ranking file alone takes WebDAV,
// one device at a time under its lock, from the writers' network only, no
// body over 64 KiB; the log's files of the page's names alone. Then in
// headless Chromium, separate profiles as separate devices: rows of
// two devices (three on Apache) kept side by side, their games' log too,
// which the last device's クラスの成績表 downloads; and eight tabs that
// save at the same moment, two in each range, all kept (a save that waited
// past the lock stored again, as a player does). On Apache also:
// writes refused, then the browser's stand-in, then its rows back in the
// server's file; the server stopped while a save waits for the lock;
// hostile files; a link with a grade.
//   node classfile.js WEB_DIR ANSWERS_JS SHOTS_DIR WORK_DIR [SERVER...]
"use strict";
const assert = require("assert");
const fs = require("fs");
const http = require("http");
const path = require("path");
const { launch, sleep } = require("../../tools/web/harness.js");
const { colours, findColour, answersFor, started, greeted, playGame, fromMenu, rankingBytes, rangeOne } = require("./game.js");
const { start, lockBody, kinds } = require("../../tools/web/servers.js");

const [webDir, answersJs, shotsDir, workDir, ...chosen] = process.argv.slice(2);
const clock = 1767225600000;
const answers = answersFor(clock, answersJs);
// Every case on this one; on the others, those marked `every`.
const whole = "apache";
// Refused, one way or another: forbidden, no such file, not allowed there.
const refused = [403, 404, 405, 501];

// A save that waited past the lock's 5 s (eight tabs of one browser on two
// cores) says so in a box and keeps the name, and the player stores it
// again, as in a class (the screen reader's copy of the windows tells).
async function storeAgainWhileRefused(tab, name) {
  const shows = (text) => `document.getElementById("zenta-mirror").textContent.includes(${JSON.stringify(text)})`;
  for (let again = 0; ; ++again) {
    await tab.waitFor(`${shows("再スタート")} || ${shows("保存できませんでした")}`, 30000, `${name} saved or refused`);
    if (await tab.evaluate(shows("再スタート")))
      return;
    assert(again < 3, `${name}: not saved after ${again} tries`);
    console.log(`${name}: the save waited past the lock, stored again`);
    await tab.key("Enter"); // OK, back to the name box
    await sleep(500);
    await tab.key("Enter");
  }
}

// One request, from `from` (an address of this machine).
const request = (url, method, { headers = {}, body, from } = {}) => new Promise((resolve, reject) => {
  const asked = http.request(url, { method, headers, localAddress: from }, (answer) => {
    answer.resume().on("end", () => resolve(answer));
  }).on("error", reject);
  asked.end(body);
});

async function onServer(kind) {
  const began = Date.now();
  const dir = path.join(workDir, kind);
  const server = await start(kind, webDir, { dir });
  const served = () => fs.readFileSync(path.join(server.data, "zenta.rnk"));
  const names = (bytes, range = 0) =>
    (bytes.length < 60 ? [] : rangeOne([...bytes], range).map(([name]) => name).filter(Boolean));
  const standIn = async (page) => names((await rankingBytes(page)) || []);
  // The class's log on the server: its files, and the rows they hold.
  const logs = () => fs.readdirSync(path.join(server.data, "zenta-log"))
    .map((name) => fs.readFileSync(path.join(server.data, "zenta-log", name), "utf8").split("\r\n").length - 2);
  const logged = () => logs().reduce((sum, rows) => sum + rows, 0);
  const browsers = [];
  async function device(tag, browser, link = "zenta.html") {
    if (!browser) {
      browser = await launch({ profile: path.join(dir, `profile-${tag}`), shots: shotsDir,
        args: ["--disable-background-timer-throttling", "--disable-renderer-backgrounding"] });
      browsers.push(browser);
    }
    const page = await browser.newPage({ clock });
    await page.goto(server.url + link);
    await started(page);
    await page.startClock();
    await page.key("Enter");
    await sleep(500);
    return page;
  }
  const store = (page, name, tag, enterName) => playGame(page, `${kind}-${tag}`, { answers, name, enterName });
  const locking = { Timeout: "Second-10", "Content-Type": "application/xml" };
  const lockNow = async () =>
    (await request(server.url + "zenta.rnk", "LOCK", { headers: locking, body: lockBody })).headers["lock-token"];
  const unlock = (token) => request(server.url + "zenta.rnk", "UNLOCK", { headers: { "Lock-Token": token } });
  const ask = async (method, file, headers = {}, body, from) =>
    (await request(server.url + file, method, { headers, body, from })).statusCode;
  try {
    let token;
    const log = "zenta-log/2020-01-01-0123abcd.csv", outside = "127.0.0.2";
    const requests = [
      ["the page is read", () => ask("GET", "zenta.html"), 200],
      ["no file yet", () => ask("GET", "zenta.rnk"), 404],
      ["the page is not written", () => ask("PUT", "zenta.html", {}, "x"), refused],
      ["nor a new file", () => ask("PUT", "other.rnk", {}, "x"), refused],
      ["nor a folder made", () => ask("MKCOL", "zenta-new/"), refused],
      ["nor the page locked", () => ask("LOCK", "zenta.html", locking, lockBody), refused],
      ["the file is never deleted", () => ask("DELETE", "zenta.rnk"), [403, 405]],
      ["nor moved", () => ask("MOVE", "zenta.rnk", { Destination: server.url + "x" }), [403, 405]],
      ["the log's folder is listed", () => ask("PROPFIND", "zenta-log/", { Depth: "1" }), 207],
      ["a device's log is written there", () => ask("PUT", log, {}, "x"), 201],
      ["and never deleted", () => ask("DELETE", log)
        .finally(() => fs.rmSync(path.join(server.data, log), { force: true })), [403, 405]],
      ["but no other file", () => ask("PUT", "zenta-log/page.html", {}, "x"), refused],
      ["nor a folder made there", () => ask("MKCOL", "zenta-log/x/"), refused],
      ["from outside the school's network: no lock", () => ask("LOCK", "zenta.rnk", locking, lockBody, outside), 403],
      ["nor a write", () => ask("PUT", "zenta.rnk", {}, "x", outside), 403],
      ["nor a log's file", () => ask("PUT", log, {}, "x", outside), 403],
      ["but the log is listed", () => ask("PROPFIND", "zenta-log/", { Depth: "1" }, undefined, outside), 207],
      ["a device locks it", async () => { token = await lockNow(); return token ? 200 : 0; }, 200],
      ["a second waits", () => ask("LOCK", "zenta.rnk", locking, lockBody), 423],
      ["a write without the lock waits", () => ask("PUT", "zenta.rnk", {}, "x"), 423],
      ["over 64 KiB is refused", () => ask("PUT", "zenta.rnk", { If: `(${token})` }, Buffer.alloc(65537)), 413],
      ["the holder writes", () => ask("PUT", "zenta.rnk", { If: `(${token})` }, Buffer.alloc(0)), [201, 204]],
      // lighttpd answers 409 to an UNLOCK that let the lock go (see
      // packaging/web/lighttpd-locks.sql): what counts is the next lock.
      ["and unlocks: the next device locks at once", async () => {
        await unlock(token);
        const next = await lockNow();
        await unlock(next);
        return next ? 200 : 0;
      }, 200],
      ["writes refused", async () => { await server.refuseWrites(); return ask("LOCK", "zenta.rnk", locking, lockBody); }, 403],
      ["nor written", () => ask("PUT", "zenta.rnk", {}, "x"), 403],
      ["but read", async () => { const status = await ask("GET", "zenta.rnk"); await server.acceptWrites(); return status; }, 200],
    ];
    for (const [what, run, expected] of requests) {
      const status = await run();
      assert([expected].flat().includes(status), `${kind}: ${what}: ${status}, not ${expected}`);
    }
    console.log(`ok: ${kind}: the school's configuration (${requests.length} requests)`);

    // Three devices on Apache, two on the others.
    const team = kind === whole ? ["a", "b", "c"] : ["a", "b"];
    const devices = [];
    for (const tag of team)
      devices.push(await device(tag));
    const [a, b, c] = devices, last = devices.at(-1);
    let before;
    const every = true;
    const cases = [
      ["each device stores a row, each keeps all", async () => {
        for (const [n, tag] of team.entries())
          await store(devices[n], `DEV${tag.toUpperCase()}`, tag);
        for (const name of team.map((tag) => `DEV${tag.toUpperCase()}`))
          assert(names(served()).includes(name), `${name} on the server: ${names(served())}`);
        assert.deepStrictEqual(await standIn(last), [], "nothing in the stand-in");
        assert.deepStrictEqual(logs(), team.map(() => 5), "a log file of each device's game on the server");
      }, every],
      ["the last device's クラスの成績表 downloads the class's rows", async () => {
        await browsers[team.length - 1].allowDownloads(dir);
        const client = findColour(await last.look(`${kind}-main`), colours.green);
        const [right, bottom] = await fromMenu(last, client, ["ArrowRight", "ArrowRight", "ArrowRight", "ArrowUp"],
                                               `${kind}-class-tally`);
        await last.click(right - 153, bottom - 30); // CSVで保存
        await sleep(2000);
        const csv = fs.readFileSync(path.join(dir, "zenta-log.csv"), "utf8");
        assert.strictEqual(csv.split("\r\n").length - 2, 5 * team.length, "the rows of every device");
        await last.click(right - 49, bottom - 30); // 戻る
        await greeted(last, client, `${kind}-class-tally-back`);
      }, every],
      ["writes refused: the row goes into the stand-in", async () => {
        await server.refuseWrites();
        before = served();
        await store(a, "REFUSED", "a-refused");
        assert.deepStrictEqual(served(), before, "the server's file as it was");
        assert.strictEqual(logged(), 15, "the game's log waits in the stand-in");
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
        assert.strictEqual(logged(), 25, "both games' log on the server");
      }],
      ["the server stopped while a save waits for its lock", async () => {
        let token;
        await store(b, "STOPPED", "b-stopped", async (page, name) => {
          token = await lockNow(); // held by another device for 10 s
          assert(token, "the test holds the lock");
          await page.type(name);
          setTimeout(() => server.stop(), 1500); // after Enter, while the save waits
        });
        await sleep(1000);
        await server.restart();
        await unlock(token);
        assert(!names(served()).includes("STOPPED"), "not on the server while it was away");
        await store(b, null, "b-back");
        assert(names(served()).includes("STOPPED"), `back on the server: ${names(served())}`);
      }],
      ["a file over 64 KiB on the server is refused, never rewritten", async () => {
        fs.writeFileSync(path.join(server.data, "zenta.rnk"), Buffer.alloc(70000, 0x41));
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
        fs.writeFileSync(path.join(server.data, "zenta.rnk"), odd);
        await store(b, "KEEP", "b-keep");
        assert.deepStrictEqual(served().subarray(60), odd.subarray(60), "records 6 on and the tail");
        assert.strictEqual(names(served())[0], "KEEP");
      }],
      ["a link with ?grade=1: 中１'s game, its Best 5 in records 21 to 40, the grade kept", async () => {
        const page = await device("grade1", null, "zenta.html?grade=1");
        await playGame(page, `${kind}-grade1`, { answers: answersFor(clock, answersJs, 0, 1), name: "GRADE1" });
        assert.deepStrictEqual(names(served(), 4), ["GRADE1"], "中１'s first range on the server");
        assert(!names(served()).includes("GRADE1"), "not in 中３'s");
        await page.goto(server.url + "zenta.html");
        assert.strictEqual(await page.evaluate(`localStorage.getItem("zenta.grade")`), "1");
      }],
      ["eight tabs save at the same moment: all eight rows kept", async () => {
        fs.rmSync(path.join(server.data, "zenta.rnk")); // a new file for a new class
        let go;
        const together = new Promise((resolve) => { go = resolve; });
        const saves = [];
        for (let i = 0; i < 8; ++i) {
          // Each plays until its name is typed, waits for the others, all
          // press Enter, then each goes on in turn.
          const page = await device(`tab${i}`, browsers[0]), turn = saves[i - 1] || together;
          let typed;
          const ready = new Promise((resolve) => { typed = resolve; });
          saves.push(playGame(page, `${kind}-tab${i}`, { answers: answersFor(clock, answersJs, i % 4),
            range: i % 4, name: `TAB${i}`, enterName: async (tab, name) => {
              await tab.type(name); typed(); await together; await tab.key("Enter");
              await turn; await tab.front(); await storeAgainWhileRefused(tab, name); return true;
            } }));
          await Promise.race([ready, saves[i]]);
        }
        go();
        await Promise.all(saves);
        for (let range = 0; range < 4; ++range) {
          const kept = names(served(), range).filter((name) => name.startsWith("TAB")).sort();
          assert.deepStrictEqual(kept, [`TAB${range}`, `TAB${range + 4}`], `range ${range}`);
        }
      }, every],
    ].filter(([, , all]) => all || kind === whole);
    for (const [what, run] of cases) {
      await run();
      console.log(`ok: ${kind}: ${what}`);
    }
    console.log(`ok: ${kind}: ${cases.length} games' cases in ${((Date.now() - began) / 1000).toFixed(0)} s`);
    return 1 + cases.length;
  } finally {
    for (const browser of browsers)
      await browser.close().catch(() => {});
    await server.stop();
  }
}

(async () => {
  let passed = 0;
  for (const kind of chosen.length ? chosen : kinds)
    passed += await onServer(kind);
  console.log(`${passed} passed, 0 failed`);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
