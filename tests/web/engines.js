// The page in each engine: WebKit (MiniBrowser, the engine of every iPad
// browser), Gecko (Firefox ESR) and Blink (Chromium), each from a fresh
// profile: the font restored byte for byte, a whole game by clicks, a name
// stored, a reload that keeps it, and the ranking file handed to the
// download byte for byte. In Chromium the page is installable, and the
// reload comes with the server stopped: the service worker's cache starts
// the program. Needs an X server: run under xvfb-run.
//   node engines.js WEB_DIR ANSWERS_JS SHOTS_DIR [ENGINE...]
"use strict";
const assert = require("assert");
const crypto = require("crypto");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { serve, launch, clockedCopy, sleep } = require("../../tools/web/harness.js");
const { answersFor, at, started, greeted, playGame, rankingBytes, rangeOne } = require("./game.js");

const [webDir, answersJs, shotsDir, ...chosen] = process.argv.slice(2);
const clock = 1767225600000;
const font = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
const engines = [["webkit", "WEBKIT"], ["firefox", "GECKO"], ["chromium", "BLINK"]]
  .filter(([engine]) => !chosen.length || chosen.includes(engine));

async function run(engine, name, folder, answers) {
  const began = Date.now();
  const server = await serve(folder);
  const browser = await launch({ engine, shots: path.join(shotsDir, engine) });
  try {
    const page = await browser.newPage();
    await page.goto(server.url + "zenta.html");
    await started(page);
    const restored = await page.evaluate(`zentaPage.restore("fonts/ipagp.ttf.gz")
      .then((bytes) => crypto.subtle.digest("SHA-256", bytes))
      .then((d) => Array.from(new Uint8Array(d), (b) => b.toString(16).padStart(2, "0")).join(""))`);
    assert.strictEqual(restored, crypto.createHash("sha256").update(fs.readFileSync(font)).digest("hex"),
                       "the font restored byte for byte");
    // The screen reader's copy of the windows: its roles and names.
    const mirrored = await page.evaluate(`[...document.querySelectorAll("#zenta-mirror [role]")]
      .map((e) => e.getAttribute("role") + " " + (e.getAttribute("aria-label") || "")).join("|")`);
    for (const part of ["dialog ヒョウミ1（z.Aoba)", "alertdialog スタート", "button OK", "menuitem ゲーム",
                        "button スタート", "table", "rowheader"])
      assert(mirrored.split("|").some((n) => n.startsWith(part)), `${part} in ${mirrored}`);
    await page.startClock();
    await page.key("Enter"); // the greeting
    await sleep(500);
    const client = await playGame(page, engine, { answers, name });
    const stored = await rankingBytes(page);
    assert.strictEqual(stored?.length, 900, "IndexedDB holds the whole ranking file");
    const [[first, score]] = rangeOne(stored);
    assert.deepStrictEqual([first, score > 0], [name, true], "range 1, rank 1: the name and a score");

    if (engine === "chromium") {
      const { installabilityErrors } = await (await page.cdp()).send("Page.getInstallabilityErrors");
      assert.deepStrictEqual(installabilityErrors, [], "installable");
      await server.close();
    }
    await page.reload();
    await started(page);
    await page.click(5, 5); // the page's desktop: WebKit leaves the focus elsewhere after a reload
    await greeted(page, client, `${engine}-reload`);
    assert.deepStrictEqual(await rankingBytes(page), stored, "the file survived the reload");

    // ゲーム > 成績ファイルを保存: the bytes the page hands to the download.
    await page.evaluate(`(() => {
      const make = URL.createObjectURL;
      URL.createObjectURL = (blob) => { window.zentaSaved = blob; return make.call(URL, blob); };
    })()`);
    await page.click(client.left + 22, client.top - 10);
    await sleep(500);
    for (const key of ["ArrowUp", "ArrowUp", "ArrowUp", "Enter"])
      await page.key(key);
    await page.waitFor("window.zentaSaved", 10000, "the download");
    const saved = await page.evaluate("zentaSaved.arrayBuffer().then((b) => Array.from(new Uint8Array(b)))");
    assert.deepStrictEqual(saved, stored, "the download is the file, byte for byte");
    // With the server stopped, the page's look for a shared ranking file on
    // it fails, as it should: the Best 5 then comes from the browser.
    const offline = /^zenta: \w+ zenta\.rnk: TypeError: (Failed to fetch|NetworkError|Load failed)/;
    assert.deepStrictEqual(page.console.filter((line) => /exception|abort|error/i.test(line)
                                               && !offline.test(line)), [],
                           "no errors in the console");
    console.log(`engines: ${engine} passed in ${Math.round((Date.now() - began) / 1000)} s`);
  } finally {
    await browser.close();
    await server.close();
  }
}

(async () => {
  const answers = answersFor(clock, answersJs);
  const folder = clockedCopy(webDir, fs.mkdtempSync(path.join(os.tmpdir(), "zenta-page-")), clock);
  try {
    for (const [engine, name] of engines)
      await run(engine, name, folder, answers);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
  console.log(`engines: ${engines.length} passed, 0 failed`);
})().catch((error) => {
  console.error("engines: FAILED:", error.message);
  process.exit(1);
});
