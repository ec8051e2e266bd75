// Every window whole on the page, in headless Chromium, on a 1024 x 768
// screen, a Chromebook and an iPad upright and across: after a game by taps, the
// greeting box, the main window, the review (ゲーム > 振り返り), the tally
// (練習 > 成績表) and the help window (ヘルプ > 説明), each on its screenshot.
// On the touch devices the name is "山田はな", composed and committed as an
// input method sends it (an Enter amid it the input method's), and stored so.
//   node fit.js WEB_DIR ANSWERS_JS SHOTS_DIR
"use strict";
const assert = require("assert");
const { serve, launch, sleep } = require("../../tools/web/harness.js");
const { answersFor, started, greeted, playGame, whole, fromMenu, rankingBytes, rangeOne } = require("./game.js");

const [webDir, answersJs, shots] = process.argv.slice(2);
const clock = 1767225600000;
const yamadaHana = Buffer.from([0x8e, 0x52, 0x93, 0x63, 0x82, 0xcd, 0x82, 0xc8]).toString("latin1");
const ipad = { touch: true, platform: "MacIntel", userAgent:
  "Mozilla/5.0 (Macintosh; Intel Mac OS X 10_15_7) AppleWebKit/605.1.15 (KHTML, like Gecko) Version/17.4 Safari/605.1.15" };
const devices = [["1024x768", { width: 1024, height: 768 }, {}],
  ["chromebook", { width: 1366, height: 768 }, { touch: true }],
  // iPadOS's Safari says it is a Mac, with touch.
  ["ipad-upright", { width: 810, height: 1080 }, ipad],
  ["ipad-across", { width: 1180, height: 820 }, ipad]];
// Each window from the menus by the keys, and its 戻る: from the frame's
// bottom right corner, or (null) the key " " where it has the focus.
const menus = [["review", ["ArrowUp", "ArrowUp", "ArrowUp", "ArrowUp"], [45, 26]],
  ["tally", ["ArrowRight", "ArrowRight", "ArrowRight", "ArrowUp"], [49, 30]],
  ["help", ["ArrowRight", "ArrowRight", "ArrowRight", "ArrowRight", "ArrowDown"], null]];

(async () => {
  const server = await serve(webDir), browser = await launch({ shots });
  let hana = 0;
  try {
    for (const [tag, viewport, options] of devices) {
      const page = await browser.newPage({ viewport, ...options, clock });
      await page.goto(server.url + "zenta.html");
      await started(page);
      await page.startClock();
      await whole(page, `${tag}-greeting`);
      await page.key("Enter");
      await sleep(500);
      const press = options.touch ? (p, x, y) => p.tap(x, y) : undefined;
      const compose = async (tab, name) => {
        const session = await tab.cdp();
        await session.send("Input.imeSetComposition", { text: "やまだはな", selectionStart: 5, selectionEnd: 5 });
        await sleep(300);
        await tab.look(`${tag}-composing`);
        assert.strictEqual(await tab.evaluate("document.activeElement.tagName"), "INPUT", "the page's input has the focus");
        await tab.key("Enter"); // the input method's: stores nothing
        await session.send("Input.insertText", { text: name });
      };
      const client = await playGame(page, tag, { answers: answersFor(clock, answersJs), press,
        name: options.touch ? "山田はな" : "FIT", enterName: options.touch ? compose : undefined });
      hana += options.touch ? 1 : 0;
      assert.strictEqual(rangeOne(await rankingBytes(page)).filter(([name]) => name === yamadaHana).length,
                         hana, "山田はな stored by each touch device");
      await whole(page, `${tag}-main-window`);
      for (const [what, keys, back] of menus) {
        const [right, bottom] = await fromMenu(page, client, keys, `${tag}-${what}`);
        await (back ? page.click(right - back[0], bottom - back[1]) : page.key(" "));
        await greeted(page, client, `${tag}-${what}-back`);
      }
      await page.raw.close();
    }
    console.log("fit: passed");
  } finally {
    await browser.close();
    await server.close();
  }
})().catch((error) => {
  console.error("fit: FAILED:", error.message);
  process.exit(1);
});
