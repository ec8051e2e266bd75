// The page in the two engines besides Chromium, each on the X server the
// test is given (WebGL needs one): WebKit (WebKitGTK's MiniBrowser, driven
// by WebKitWebDriver through webdriverio), the engine of every iPad
// browser, and Gecko (Firefox ESR through puppeteer-core over WebDriver
// BiDi). In each, from a fresh profile: the font restored byte for byte, a
// whole game by clicks, a name stored, a reload that keeps it, and the
// ranking file handed to the download byte for byte.
//   xvfb-run -a node engines.js WEB_DIR ANSWERS_JS SHOTS_DIR [ENGINE...]
"use strict";
const assert = require("assert");
const crypto = require("crypto");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { serve, decodePng, findColour } = require("../../tools/web/browser.js");
const { launchEngine } = require("../../tools/web/engine.js");
const { clock, answersFor, clockedCopy, at, rankingBytes, rangeOne } = require("./game.js");

const [webDir, answersJs, shotsDir, ...chosen] = process.argv.slice(2);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const green = [0, 128, 0];          // the main window's client area
const lightGreen = [128, 255, 128]; // the results window
const fontPath = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";

const engines = [
  { engine: "webkit", name: "WEBKIT" },
  { engine: "firefox", name: "GECKO" },
].filter(({ engine }) => !chosen.length || chosen.includes(engine));

async function started(page) {
  await page.waitFor(`document.getElementById("status")?.hidden`, 120000, "the program to start");
  await sleep(1500); // the greeting comes once the main window has been drawn
}

async function look(page, name) {
  const file = path.join(shotsDir, `${page.engine}-${name}.png`);
  const png = await page.screenshot();
  fs.writeFileSync(file, png);
  console.log("screenshot", file);
  return decodePng(png);
}

// One engine's run: a game, a reload, the download.
async function run({ engine, name }, url, answers) {
  const began = Date.now();
  const browser = await launchEngine(engine, { width: 1024, height: 768 });
  try {
    const page = await browser.page();
    await page.goto(url + "zenta.html");
    await started(page);
    const font = await page.evaluate(`zentaPage.restore("fonts/ipagp.ttf.gz").then((bytes) =>
      crypto.subtle.digest("SHA-256", bytes)).then((d) =>
      Array.from(new Uint8Array(d), (b) => b.toString(16).padStart(2, "0")).join(""))`);
    assert.strictEqual(font, crypto.createHash("sha256").update(fs.readFileSync(fontPath)).digest("hex"),
                       "the font restored byte for byte");
    await page.evaluate("zentaStartClock()");
    await page.key("Enter"); // the greeting
    await sleep(500);
    const client = findColour(await look(page, "main-window"), green);
    assert(client, "the main window's green client area is on the page");
    await page.click(...at(client, 2880, 4680, 2055, 855)); // スタート
    await sleep(700);
    const kotaeLeft = [360, 3000, 360, 3000, 1200], kotaeTop = [600, 600, 1200, 1200, 1800];
    for (let q = 0; q < 5; ++q) {
      const i = answers[q];
      await page.click(...at(client, 2880 + kotaeLeft[i], 2160 + kotaeTop[i], i === 4 ? 4215 : 2415, 495));
      await sleep(q < 4 ? 600 : 2000);
    }
    assert(findColour(await look(page, "results-window"), lightGreen), "the results window is open");
    await page.type(name);
    await sleep(300);
    await look(page, "name-typed");
    await page.key("Enter"); // stores the name
    await sleep(2000);
    await look(page, "restart-box");
    await page.key("Enter");
    await sleep(1000);
    const stored = await rankingBytes(page);
    assert(stored && stored.length === 900, "IndexedDB holds the whole ranking file");
    const [[first, score]] = rangeOne(stored);
    assert.deepStrictEqual([first, score > 0], [name, true], "range 1, rank 1: the name and a score");

    await page.reload();
    await started(page);
    await page.click(5, 5); // the page's own focus, which WebKit leaves elsewhere after a reload
    await page.key("Enter");
    await sleep(500);
    await look(page, "after-reload");
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
    await page.waitFor("!!window.zentaSaved", 10000, "the download");
    const saved = await page.evaluate(`window.zentaSaved.arrayBuffer().then((b) => Array.from(new Uint8Array(b)))`);
    assert.deepStrictEqual(saved, stored, "the download is the file, byte for byte");
    const errors = page.console.filter((line) => /exception|abort|error/i.test(line));
    assert.deepStrictEqual(errors, [], "no errors in the console");
    console.log(`engines: ${engine} passed in ${Math.round((Date.now() - began) / 1000)} s`);
  } catch (error) {
    console.error(`${engine}:`, browser.console().slice(-30).join("\n"));
    throw new Error(`${engine}: ${error.message}`);
  } finally {
    await browser.close();
  }
}

(async () => {
  const answers = answersFor(clock, answersJs);
  const folder = clockedCopy(webDir, fs.mkdtempSync(path.join(os.tmpdir(), "zenta-page-")));
  const server = await serve(folder);
  try {
    for (const engine of engines)
      await run(engine, server.url, answers);
  } finally {
    await server.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
  console.log(`${engines.length} passed, 0 failed`);
})().catch((error) => {
  console.error("engines: FAILED:", error.message);
  process.exit(1);
});
