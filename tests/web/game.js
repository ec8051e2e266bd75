// What the browser tests share about a game: the held clock and the right
// answers for it, the places of the main window's controls, and the
// ranking file as IndexedDB holds it.
"use strict";
const { execFileSync } = require("child_process");
const crypto = require("crypto");
const fs = require("fs");
const path = require("path");

// The program seeds its questions from the clock; the page's clock stands
// still at `clock` until zentaStartClock(), so the answers are known.
const clock = 1767225600000;
const held = `<script>(() => {
  if (sessionStorage.getItem("zenta-clock-used")) return;
  sessionStorage.setItem("zenta-clock-used", "1");
  const real = Date.now.bind(Date);
  let still = true;
  Date.now = () => still ? ${clock} : real();
  window.zentaStartClock = () => { still = false; };
})();</script>`;

function answersFor(clockMs, answersJs) {
  const answers = execFileSync(process.execPath, [path.join(__dirname, "runtest.js"), answersJs],
                               { env: { ...process.env, ZENTA_CLOCK: String(clockMs) } })
    .toString().trim().split(" ").map(Number);
  if (answers.length !== 5)
    throw new Error(`five answers, not ${answers}`);
  return answers;
}

// A copy of the page's folder whose page holds the clock, for a browser
// that cannot run a script before the page's own; the service worker's
// digest of the page follows, so that it keeps the copy as its version.
function clockedCopy(webDir, folder) {
  fs.cpSync(webDir, folder, { recursive: true });
  const page = path.join(folder, "zenta.html"), worker = path.join(folder, "sw.js");
  const digest = (file) => crypto.createHash("sha256").update(fs.readFileSync(file)).digest("hex");
  const before = digest(page);
  fs.writeFileSync(page, fs.readFileSync(page, "utf8").replace("<script>", held + "\n<script>"));
  fs.writeFileSync(worker, fs.readFileSync(worker, "utf8").replace(before, digest(page)));
  return folder;
}

// The centre of a control of the main window, from its place in twips.
function at(origin, left, top, width, height) {
  return [origin.left + Math.round((left + width / 2) / 15), origin.top + Math.round((top + height / 2) / 15)];
}

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

// The names and scores of range 1 (records 1 to 5) of a ranking file.
function rangeOne(bytes) {
  const rows = [];
  for (let n = 0; n < 5; ++n) {
    const record = Buffer.from(bytes.slice(n * 12, n * 12 + 12));
    rows.push([record.toString("latin1", 0, 10).trimEnd(), record.readInt16LE(10)]);
  }
  return rows;
}

module.exports = { clock, answersFor, clockedCopy, at, rankingBytes, rangeOne };
