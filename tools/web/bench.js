// What the browser build costs a student's device, from a server that
// compresses nothing: the bytes of the first visit (fresh profile each run)
// and the time from navigation to the main window's first paint and to the
// greeting, in headless Chromium on this machine; then the second visit in
// the same profile, from the service worker's cache: its first paint and
// the bytes it fetched from the server. Frames come from the DevTools
// screencast. Last, the first paint of a first visit in WebKit and Firefox
// (screenshots taken one after the other, so to within one of them; they
// need an X server: run under xvfb-run). The first visit is timed also
// for the page without the screen reader's copy of the windows, run by
// run beside it.
//   node bench.js WEB_DIR [RUNS]
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const { serve, launch, decodePng, pageCopy } = require("./harness.js");
const { findColour } = require("../../tests/web/game.js");

const [webDir, runsArg] = process.argv.slice(2);
const runs = Number(runsArg || 3);
const green = [0, 128, 0]; // the main window's client area

// Pixels of the client area that differ between two frames.
function changed(a, b, box) {
  let n = 0;
  for (let y = box.top; y < box.top + box.height; y += 2)
    for (let x = box.left; x < box.left + box.width; x += 2) {
      const p = a.pixel(x, y), q = b.pixel(x, y);
      if (p[0] !== q[0] || p[1] !== q[1] || p[2] !== q[2])
        ++n;
    }
  return n * 4;
}

// One visit in a new tab of `browser`, timed by the screencast.
async function visit(browser, server) {
  const page = await browser.newPage();
  const cdp = await page.cdp();
  const frames = [];
  cdp.on("Page.screencastFrame", (params) => {
    frames.push({ at: params.metadata.timestamp * 1000, data: params.data });
    cdp.send("Page.screencastFrameAck", { sessionId: params.sessionId }).catch(() => {});
  });
  await cdp.send("Page.startScreencast", { format: "png", everyNthFrame: 1 });
  const start = Date.now();
  await page.goto(server.url + "zenta.html");
  await page.waitFor(`document.getElementById("status")?.hidden`, 120000, "the program to start");
  await new Promise((r) => setTimeout(r, 4000));
  await cdp.send("Page.stopScreencast");

  let firstPaint = null, greeting = null, painted = null, box = null;
  for (const frame of frames) {
    const image = decodePng(Buffer.from(frame.data, "base64"));
    if (!painted) {
      box = findColour(image, green);
      if (box && box.width > 400) {
        painted = image;
        firstPaint = frame.at - start;
      }
    } else if (changed(painted, image, box) > 8000) {
      greeting = frame.at - start;
      break;
    }
  }
  await page.raw.close();
  return { firstPaint, greeting };
}

async function once(dir = webDir) {
  const server = await serve(dir);
  const browser = await launch();
  try {
    const first = await visit(browser, server);
    const served = server.served.splice(0);
    const second = await visit(browser, server);
    return { served, ...first, again: second.firstPaint,
             fetched: server.served.reduce((sum, { bytes }) => sum + bytes, 0) };
  } finally {
    await browser.close();
    await server.close();
  }
}

// A first visit in another engine: navigation to the first screenshot that
// shows the main window's client area.
async function engineFirstPaint(engine) {
  const server = await serve(webDir);
  const browser = await launch({ engine });
  try {
    const page = await browser.newPage();
    const start = Date.now();
    await page.goto(server.url + "zenta.html"); // returns at the load event, before the program starts
    for (;;) {
      const box = findColour(await page.look("first-paint"), green);
      if (box && box.width > 400)
        return Date.now() - start;
      if (Date.now() - start > 120000)
        return null;
    }
  } finally {
    await browser.close();
    await server.close();
  }
}

(async () => {
  const results = [], without = [];
  const bare = pageCopy(webDir, fs.mkdtempSync(path.join(os.tmpdir(), "zenta-bare-")), "window.zentaMirrorOff = true;");
  for (let i = 0; i < runs; ++i) {
    results.push(await once());
    without.push(await once(bare));
  }
  fs.rmSync(bare, { recursive: true, force: true });
  const median = (values) => {
    const known = values.filter((v) => v !== null).sort((a, b) => a - b);
    return known.length ? Math.round(known[Math.floor(known.length / 2)]) : "-";
  };
  console.log("file                               bytes      gzip");
  let bytes = 0, gzip = 0;
  for (const { path: file, bytes: b, gzip: g } of results[0].served) {
    console.log(`${file.padEnd(30)} ${String(b).padStart(10)} ${String(g).padStart(9)}`);
    bytes += b;
    gzip += g;
  }
  const mb = (n) => (n / 1e6).toFixed(2) + " MB";
  console.log(`${"total".padEnd(30)} ${String(bytes).padStart(10)} ${String(gzip).padStart(9)}`);
  console.log(`downloaded: ${mb(bytes)} as served, ${mb(gzip)} gzip-compressed (goal: under 10 MB)`);
  console.log(`navigation to first paint of the main window, median of ${runs}: ` +
              `${median(results.map((r) => r.firstPaint))} ms (goal: under 3000 ms)`);
  console.log(`navigation to the greeting, median of ${runs}: ${median(results.map((r) => r.greeting))} ms`);
  const bareFirst = median(without.map((r) => r.firstPaint)), first = median(results.map((r) => r.firstPaint));
  console.log(`without the screen reader's copy, side by side: first paint ${bareFirst} ms ` +
              `(with it ${(first / bareFirst).toFixed(2)} times as long; goal: within 1.10)`);
  console.log(`runs: ${results.map((r) => `${Math.round(r.firstPaint)}/${Math.round(r.greeting)}`).join(", ")} ms`);
  console.log(`second visit, from the service worker's cache, median of ${runs}: first paint ` +
              `${median(results.map((r) => r.again))} ms, fetched ${median(results.map((r) => r.fetched))} bytes`);
  for (const engine of ["webkit", "firefox"]) {
    const times = [];
    for (let i = 0; i < runs; ++i)
      times.push(await engineFirstPaint(engine));
    console.log(`${engine}: navigation to first paint, median of ${runs}: ${median(times)} ms`);
  }
})().catch((error) => {
  console.error("bench-web:", error.message);
  process.exit(1);
});
