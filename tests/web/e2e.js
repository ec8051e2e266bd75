// The browser build end to end, in headless Chromium: the page served from
// 127.0.0.1, a whole game played by clicks at the layout's places, a name
// stored, the page reloaded and the row found, the ranking file downloaded
// and compared byte for byte with what IndexedDB holds, a second tab's row
// kept beside the first's, and "終了".
//   node e2e.js WEB_DIR ANSWERS_JS SHOTS_DIR
"use strict";
const assert = require("assert");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { serve, launch, sleep } = require("../../tools/web/harness.js");
const { colours, findColour, at, answersFor, started, greeted, playGame, rankingBytes, rangeOne }
  = require("./game.js");

const [webDir, answersJs, shotsDir] = process.argv.slice(2);
// The program seeds its questions from the clock; the page's clock stands
// still until the program has started, so the answers are known.
const clock = 1767225600000;
const answers = answersFor(clock, answersJs);

(async () => {
  const server = await serve(webDir);
  const browser = await launch({ shots: shotsDir });
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), "zenta-downloads-"));
  const tabs = [];
  try {
    await browser.allowDownloads(downloads);
    // Two tabs of the same site, both started before either stores a row.
    for (let t = 0; t < 2; ++t) {
      const page = await browser.newPage({ clock });
      await page.goto(server.url + "zenta.html");
      await started(page);
      await page.startClock();
      await page.look(`tab${t + 1}-greeting`);
      await page.key("Enter");
      await sleep(500);
      tabs.push(page);
    }
    const [page, other] = tabs;

    const client = await playGame(page, "tab1", { answers, name: "ZENTA" });
    const stored = await rankingBytes(page);
    assert(stored, "IndexedDB holds the ranking file");
    assert.strictEqual(stored.length, 900, "the whole file");
    const [[name, score]] = rangeOne(stored);
    assert.strictEqual(name, "ZENTA", "range 1, rank 1: the name");
    assert(score > 0 && score <= 50, `a score of five right answers (${score})`);

    // The other tab stores its row without losing the first tab's.
    await playGame(other, "tab2", { answers, name: "TAB2" });
    const both = await rankingBytes(other);
    const names = rangeOne(both).map(([n]) => n);
    assert(names.includes("ZENTA") && names.includes("TAB2"), `both rows are kept: ${names}`);

    // A reload starts the program afresh from what IndexedDB holds.
    await page.front();
    await page.reload();
    await started(page);
    await page.key("Enter");
    await sleep(500);
    await page.look("after-reload");
    await page.click(...at(client, 120, 4680, 2655, 1215)); // the total: the Best 5
    await sleep(1500);
    const list = findColour(await page.look("best5-after-reload"), colours.lightGreen);
    assert(list, "the results window lists the Best 5");
    assert.deepStrictEqual(await rankingBytes(page), both, "the file survived the reload");
    await page.click(...at(list, 3240, 5760, 732, 372)); // 戻る
    await greeted(page, client, "after-list");

    // A game whose clearing question is cancelled stores and clears nothing.
    await playGame(page, "tab1-again");
    assert.deepStrictEqual(await rankingBytes(page), both, "a cancelled clearing keeps the file");

    // ゲーム > 成績ファイルを保存 downloads the file as it is.
    await page.click(client.left + 22, client.top - 10);
    await sleep(500);
    await page.look("game-menu");
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
    const upload = async (bytes, keys, tag) => {
      const chosen = path.join(downloads, `${tag}.rnk`);
      fs.writeFileSync(chosen, bytes);
      const chooser = page.raw.waitForFileChooser({ timeout: 10000 });
      await page.click(client.left + 22, client.top - 10);
      await sleep(500);
      for (const key of ["ArrowUp", "ArrowUp", "Enter"])
        await page.key(key);
      await (await chooser).accept([chosen]);
      await sleep(1500);
      await page.look(`upload-${tag}`);
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
    await page.look("upload-done");
    await page.key("Enter");
    await sleep(500);
    assert.deepStrictEqual(await rankingBytes(page), [...replaced], "the chosen file is the Best 5");

    // 終了: the page says that the program has ended.
    await page.click(...at(client, 7080, 5280, 1455, 615));
    await page.waitFor(`document.getElementById("ended")?.hidden === false`, 10000, "the ended notice");
    await page.look("ended");
    for (const tab of tabs) {
      const errors = tab.console.filter((line) => /exception|abort|error/i.test(line));
      assert.deepStrictEqual(errors, [], "no errors in the console");
    }
    console.log(`e2e: passed (answers ${answers.join(" ")}, rows ${names.join(", ")})`);
  } catch (error) {
    for (const tab of tabs)
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
