// The browser build end to end, in headless Chromium: the page served from
// 127.0.0.1, a whole game played by clicks at the layout's places, a name
// stored, the page reloaded and the row found, the ranking file downloaded
// and compared byte for byte with what IndexedDB holds, a second tab's row
// kept beside the first's, and "終了".
//   node e2e.js WEB_DIR ANSWERS_JS SHOTS_DIR
"use strict";
const assert = require("assert");
const { execFileSync } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { serve, launch, Page, decodePng, findColour } = require("../../tools/web/browser.js");

const [webDir, answersJs, shotsDir] = process.argv.slice(2);
const twips = (value) => value / 15;
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const green = [0, 128, 0];        // the main window's client area
const lightGreen = [128, 255, 128]; // the results window
const titleBar = [48, 140, 198];    // an active window's title bar

// The program seeds its questions from the clock; the page's clock stands
// still until the program has started, so the answers are known.
const clock = 1767225600000;
const answers = execFileSync(process.execPath, [path.join(__dirname, "runtest.js"), answersJs],
                             { env: { ...process.env, ZENTA_CLOCK: String(clock) } })
  .toString().trim().split(" ").map(Number);
assert.strictEqual(answers.length, 5, "five answers");

let shot = 0;
async function look(page, name) {
  const file = path.join(shotsDir, `${String(++shot).padStart(2, "0")}-${name}.png`);
  const image = decodePng(await page.screenshot(file));
  console.log("screenshot", file);
  return image;
}

// The centre of a control of the main window, from its place in twips.
function at(origin, left, top, width, height) {
  return [origin.left + Math.round(twips(left + width / 2)), origin.top + Math.round(twips(top + height / 2))];
}

async function rankingBytes(page) {
  return page.evaluate(`new Promise((resolve, reject) => {
    const open = indexedDB.open("/zenta");
    open.onerror = () => reject(open.error);
    open.onsuccess = () => {
      const get = open.result.transaction("FILE_DATA").objectStore("FILE_DATA").get("/zenta/zenta.rnk");
      get.onsuccess = () => { resolve(get.result ? Array.from(get.result.contents) : null); open.result.close(); };
      get.onerror = () => reject(get.error);
    };
  })`);
}

async function started(page) {
  await page.waitFor(`document.getElementById("status")?.hidden`, 120000, "the program to start");
  await sleep(1500); // the greeting comes once the main window has been drawn
}

// Back in the main window the greeting comes: boxes are closed with Enter
// while a title bar shows over the client area.
async function greeted(page, client, tag) {
  for (let i = 0; ; ++i) {
    await sleep(1000);
    const image = await look(page, `${tag}-${i ? "after" : "greeting"}`);
    let box = false;
    for (let y = client.top + 20; y < client.top + client.height && !box; y += 2)
      for (let x = client.left; x < client.left + client.width && !box; x += 2)
        box = image.pixel(x, y).join() === titleBar.join();
    if (!box)
      return;
    assert(i < 2, "one greeting");
    await page.key("Enter");
  }
}

// Plays a whole game by clicks at the layout's places, answering `right`
// (the first button where it is null); in the modal results window it stores
// `name`, or, where that is null, asks "初期化" and cancels it (a message box
// inside the modal window), which closes the window without storing.
async function playGame(page, tag, right, name) {
  await page.send("Target.activateTarget", { targetId: page.targetId }).catch(() => {});
  let image = await look(page, `${tag}-main-window`);
  const client = findColour(image, green);
  assert(client, "the main window's green client area is on the page");
  // A window in the middle of the page, not in its corner.
  assert(Math.abs(client.left + client.width / 2 - image.width / 2) < 40, "centred across");
  assert(client.top > 20, "with its frame and menu bar above it");
  await page.click(...at(client, 2880, 4680, 2055, 855)); // スタート
  await sleep(700);
  await look(page, `${tag}-first-question`);
  const kotaeLeft = [360, 3000, 360, 3000, 1200], kotaeTop = [600, 600, 1200, 1200, 1800];
  for (let q = 0; q < 5; ++q) {
    const i = right ? right[q] : 0;
    await page.click(...at(client, 2880 + kotaeLeft[i], 2160 + kotaeTop[i], i === 4 ? 4215 : 2415, 495));
    await sleep(q < 4 ? 600 : 2000);
  }
  image = await look(page, `${tag}-results-window`);
  const results = findColour(image, lightGreen);
  assert(results, "the results window is open");
  if (name) {
    await page.type(name);
    await sleep(300);
    await look(page, `${tag}-name-typed`);
    await page.key("Enter"); // Enter in the name box stores the name
  } else {
    await page.click(...at(results, 3240, 120, 732, 372)); // 初期化
    await sleep(1000);
    await look(page, `${tag}-clear-question`);
    await page.key("Escape"); // キャンセル, the default
  }
  await sleep(2000);
  await look(page, `${tag}-restart-box`);
  await page.key("Enter");
  await greeted(page, client, tag);
  return client;
}

// The names and scores of range 1 (records 1 to 5) of a ranking file.
function rangeOne(bytes) {
  const rows = [];
  for (let n = 0; n < 5; ++n) {
    const record = Buffer.from(bytes.slice(n * 12, n * 12 + 12));
    rows.push([record.toString("latin1", 0, 10).trimEnd(), record.readInt16LE(10)]);
  }
  return rows;
}

(async () => {
  const server = await serve(webDir);
  const browser = await launch();
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), "zenta-downloads-"));
  try {
    await browser.cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
    // Two tabs of the same site, both started before either stores a row.
    var tabs = [];
    for (let t = 0; t < 2; ++t) {
      const page = await Page.open(browser.cdp);
      await page.send("Page.addScriptToEvaluateOnNewDocument", { source: `(() => {
        if (sessionStorage.getItem("zenta-clock-used")) return;
        sessionStorage.setItem("zenta-clock-used", "1");
        const real = Date.now.bind(Date);
        let still = true;
        Date.now = () => still ? ${clock} : real();
        window.zentaStartClock = () => { still = false; };
      })();` });
      await page.navigate(server.url + "zenta.html");
      await started(page);
      await page.evaluate("window.zentaStartClock()");
      await look(page, `tab${t + 1}-greeting`);
      await page.key("Enter");
      await sleep(500);
      tabs.push(page);
    }
    const [page, other] = tabs;

    const client = await playGame(page, "tab1", answers, "ZENTA");
    const stored = await rankingBytes(page);
    assert(stored, "IndexedDB holds the ranking file");
    assert.strictEqual(stored.length, 900, "the whole file");
    const [[name, score]] = rangeOne(stored);
    assert.strictEqual(name, "ZENTA", "range 1, rank 1: the name");
    assert(score > 0 && score <= 50, `a score of five right answers (${score})`);

    // The other tab stores its row without losing the first tab's.
    await playGame(other, "tab2", answers, "TAB2");
    const both = await rankingBytes(other);
    const names = rangeOne(both).map(([n]) => n);
    assert(names.includes("ZENTA") && names.includes("TAB2"), `both rows are kept: ${names}`);

    // A reload starts the program afresh from what IndexedDB holds.
    await page.send("Target.activateTarget", { targetId: page.targetId }).catch(() => {});
    await page.reload();
    await started(page);
    await page.key("Enter");
    await sleep(500);
    await look(page, "after-reload");
    await page.click(...at(client, 120, 4680, 2655, 1215)); // the total: the Best 5
    await sleep(1500);
    const list = findColour(await look(page, "best5-after-reload"), lightGreen);
    assert(list, "the results window lists the Best 5");
    assert.deepStrictEqual(await rankingBytes(page), both, "the file survived the reload");
    await page.click(...at(list, 3240, 5760, 732, 372)); // 戻る
    await greeted(page, client, "after-list");

    // A game whose clearing question is cancelled stores and clears nothing.
    await playGame(page, "tab1-again", null, null);
    assert.deepStrictEqual(await rankingBytes(page), both, "a cancelled clearing keeps the file");

    // ゲーム > 成績ファイルを保存 downloads the file as it is.
    await page.click(client.left + 22, client.top - 10);
    await sleep(500);
    await look(page, "game-menu");
    for (const key of ["ArrowUp", "ArrowUp", "ArrowUp", "Enter"])
      await page.key(key);
    const file = path.join(downloads, "zenta.rnk");
    for (let i = 0; i < 100 && !fs.existsSync(file); ++i)
      await sleep(100);
    assert(fs.existsSync(file), "zenta.rnk was downloaded");
    assert.deepStrictEqual([...fs.readFileSync(file)], both, "the download is the file, byte for byte");

    // ゲーム > 成績ファイルを読み込む: a file over 64 KiB is refused; a
    // ranking file (the downloaded one with its first name changed) becomes
    // the Best 5 after the confirmation, where Cancel is the default.
    await page.send("Page.setInterceptFileChooserDialog", { enabled: true });
    let chosen = null;
    browser.cdp.on("Page.fileChooserOpened", ({ backendNodeId }, id) => {
      if (id === page.sessionId)
        page.send("DOM.setFileInputFiles", { files: [chosen], backendNodeId });
    });
    const upload = async (bytes, keys, tag) => {
      chosen = path.join(downloads, `${tag}.rnk`);
      fs.writeFileSync(chosen, bytes);
      await page.click(client.left + 22, client.top - 10);
      await sleep(500);
      for (const key of ["ArrowUp", "ArrowUp", "Enter"])
        await page.key(key);
      await sleep(1500);
      await look(page, `upload-${tag}`);
      for (const key of keys) {
        await page.key(key);
        await sleep(700);
      }
    };
    await upload(Buffer.alloc(64 * 1024 + 1, 0x20), ["Enter"], "too-large");
    assert.deepStrictEqual(await rankingBytes(page), both, "a file over 64 KiB changes nothing");
    const replaced = Buffer.from(both);
    replaced.write("UPLOADED  ", 0, "latin1");
    await upload(replaced, ["Tab", " "], "confirmation");
    await look(page, "upload-done");
    await page.key("Enter");
    await sleep(500);
    assert.deepStrictEqual(await rankingBytes(page), [...replaced], "the chosen file is the Best 5");

    // 終了: the page says that the program has ended.
    await page.click(...at(client, 7080, 5280, 1455, 615));
    await page.waitFor(`document.getElementById("ended")?.hidden === false`, 10000, "the ended notice");
    await look(page, "ended");
    for (const tab of tabs) {
      const errors = tab.console.filter((line) => /exception|abort|error/i.test(line));
      assert.deepStrictEqual(errors, [], "no errors in the console");
    }
    console.log(`e2e: passed (answers ${answers.join(" ")}, rows ${names.join(", ")})`);
  } catch (error) {
    console.error(browser.log().split("\n").slice(-20).join("\n"));
    for (const tab of tabs || [])
      console.error(tab.console.slice(-30).join("\n"));
    throw error;
  } finally {
    await browser.close();
    await server.close();
    fs.rmSync(downloads, { recursive: true, force: true });
  }
})().catch((error) => {
  console.error("e2e: FAILED:", error.message);
  process.exit(1);
});
