// The program as a player meets it on the page: its windows found by their
// colours in a screenshot, its controls at their places in twips, a whole
// game played, and the ranking file as the browser keeps it.
"use strict";
const assert = require("assert");
const { execFileSync } = require("child_process");
const path = require("path");
const { sleep } = require("../../tools/web/harness.js");

const twips = (value) => value / 15;
const colours = {
  green: [0, 128, 0],         // the main window's client area
  lightGreen: [128, 255, 128], // the results window
  titleBar: [48, 140, 198],    // an active window's title bar
};

// The bounding box of the pixels of one colour, or null.
function findColour(image, [r, g, b]) {
  let left = Infinity, top = Infinity, right = -1, bottom = -1;
  for (let y = 0; y < image.height; ++y)
    for (let x = 0; x < image.width; ++x) {
      const [pr, pg, pb] = image.pixel(x, y);
      if (pr === r && pg === g && pb === b) {
        left = Math.min(left, x); right = Math.max(right, x);
        top = Math.min(top, y); bottom = Math.max(bottom, y);
      }
    }
  return right < 0 ? null : { left, top, width: right - left + 1, height: bottom - top + 1 };
}

// The centre of a control of a window, from its place in twips.
function at(origin, left, top, width, height) {
  return [origin.left + Math.round(twips(left + width / 2)), origin.top + Math.round(twips(top + height / 2))];
}

// The five right answers of the game that a page whose clock stands at
// `clock` plays first, in the grade `grade`, from the helper built with the
// program.
function answersFor(clock, answersJs, range = 0, grade = 3) {
  const answers = execFileSync(process.execPath,
                               [path.join(__dirname, "runtest.js"), answersJs, String(range), String(grade)],
                               { env: { ...process.env, ZENTA_CLOCK: String(clock) } })
    .toString().trim().split(" ").map(Number);
  assert.strictEqual(answers.length, 5, "five answers");
  return answers;
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
    const image = await page.look(`${tag}-${i ? "after" : "greeting"}`);
    let box = false;
    for (let y = client.top + 20; y < client.top + client.height && !box; y += 2)
      for (let x = client.left; x < client.left + client.width && !box; x += 2)
        box = image.pixel(x, y).join() === colours.titleBar.join();
    if (!box)
      return;
    assert(i < 2, "one greeting");
    await page.key("Enter");
  }
}

const click = (page, x, y) => page.click(x, y);

// Plays a whole game at the layout's places, answering `answers` (the
// first button where it is null) with `press` (a click, or a tap), in the
// range of x values `range` presses of its button on from the first; in the
// modal results window it stores `name` (typed by `enterName` where given,
// which may store it too and say so: true),
// or, where that is null, asks "初期化" and cancels it (a message box inside
// the modal window), which closes the window without storing. Returns the
// main window's client area.
async function playGame(page, tag, { answers = null, name = null, press = click, enterName, range = 0 } = {}) {
  await page.front().catch(() => {});
  let image = await page.look(`${tag}-main-window`);
  const client = findColour(image, colours.green);
  assert(client, "the main window's green client area is on the page");
  // A window in the middle of the page, not in its corner.
  assert(Math.abs(client.left + client.width / 2 - image.width / 2) < 40, "centred across");
  assert(client.top > 20, "with its frame and menu bar above it");
  for (let n = 0; n < range; ++n) {
    await press(page, ...at(client, 5160, 4680, 2175, 495)); // ｘの値の表示・変更
    await sleep(700);
    await page.key("Enter"); // the box that names the new range
    await sleep(500);
  }
  await press(page, ...at(client, 2880, 4680, 2055, 855)); // スタート
  await sleep(700);
  await page.look(`${tag}-first-question`);
  const kotaeLeft = [360, 3000, 360, 3000, 1200], kotaeTop = [600, 600, 1200, 1200, 1800];
  for (let q = 0; q < 5; ++q) {
    const i = answers ? answers[q] : 0;
    await press(page, ...at(client, 2880 + kotaeLeft[i], 2160 + kotaeTop[i], i === 4 ? 4215 : 2415, 495));
    await sleep(q < 4 ? 600 : 2000);
  }
  image = await page.look(`${tag}-results-window`);
  const results = findColour(image, colours.lightGreen);
  assert(results, "the results window is open");
  if (name) {
    const stored = await (enterName ? enterName(page, name, results) : page.type(name));
    await sleep(300);
    await page.look(`${tag}-name-typed`);
    if (stored !== true)
      await page.key("Enter"); // Enter in the name box stores the name
  } else {
    await press(page, ...at(results, 3240, 120, 732, 372)); // 初期化
    await sleep(1000);
    await page.look(`${tag}-clear-question`);
    await page.key("Escape"); // キャンセル, the default
  }
  await sleep(2000);
  await page.look(`${tag}-restart-box`);
  await page.key("Enter");
  await greeted(page, client, tag);
  return client;
}

// The active window from its title bar (4 pixels of frame around it) down
// to where the page's own colour shows below it: its bottom right corner.
async function whole(page, tag) {
  const image = await page.look(tag), title = findColour(image, [48, 140, 198]);
  assert(title, `${tag}: a window is active`);
  let bottom = title.top + title.height;
  while (bottom < image.height && image.pixel(title.left + 2, bottom).join() !== "51,51,51")
    ++bottom;
  const right = title.left + title.width + 4, where = `${tag}: ${title.left - 4},${title.top - 4} to ${right},${bottom}`;
  assert(title.left >= 4 && title.top >= 4 && right <= image.width && bottom < image.height, where);
  console.log(where, `on ${image.width} x ${image.height}`);
  return [right, bottom];
}

// A window opened from the menu bar: "ゲーム" clicked, then `keys` and
// Enter; its bottom right corner, as whole() finds it.
async function fromMenu(page, client, keys, tag) {
  await page.click(client.left + 22, client.top - 10);
  await sleep(500);
  for (const key of [...keys, "Enter"])
    await page.key(key);
  await sleep(1500);
  return whole(page, tag);
}

// The ranking file as the browser's IndexedDB holds it, or null.
function rankingBytes(page) {
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

// The names (as bytes, latin1) and scores of range 1 (records 1 to 5), or
// of the range `range` presses of its button on.
function rangeOne(bytes, range = 0) {
  const rows = [];
  for (let n = range * 5; n < range * 5 + 5; ++n) {
    const record = Buffer.from(bytes.slice(n * 12, n * 12 + 12));
    rows.push([record.toString("latin1", 0, 10).trimEnd(), record.readInt16LE(10)]);
  }
  return rows;
}

module.exports = { colours, findColour, at, answersFor, started, greeted, playGame, whole, fromMenu, rankingBytes, rangeOne };
