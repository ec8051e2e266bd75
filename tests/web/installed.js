// The installed zenta-web package, served by each server with the
// package's configuration in /etc included as the class tests include it
// (tools/web/servers.js): the page at /zenta/ plays a game in headless
// Chromium, and its name reaches /var/lib/zenta-web/zenta.rnk. As root,
// from packaging/web/checkpackage-web.
//   node installed.js ANSWERS_JS SHOTS_DIR WORK_DIR
"use strict";
const assert = require("assert");
const fs = require("fs");
const path = require("path");
const { launch, sleep } = require("../../tools/web/harness.js");
const { answersFor, started, playGame, rangeOne } = require("./game.js");
const { start, kinds } = require("../../tools/web/servers.js");

const [answersJs, shotsDir, workDir] = process.argv.slice(2);
const clock = 1767225600000;

(async () => {
  const answers = answersFor(clock, answersJs);
  for (const kind of kinds) {
    const dir = path.join(workDir, kind);
    const server = await start(kind, null, { dir, installed: true });
    const browser = await launch({ profile: path.join(dir, "profile"), shots: shotsDir });
    try {
      const page = await browser.newPage({ clock });
      await page.goto(server.url);
      await started(page);
      await page.startClock();
      await page.key("Enter");
      await sleep(500);
      const name = `PKG${kind.toUpperCase()}`.slice(0, 10);
      await playGame(page, `installed-${kind}`, { answers, name });
      const names = rangeOne([...fs.readFileSync("/var/lib/zenta-web/zenta.rnk")]).map(([row]) => row);
      assert(names.includes(name), `${kind}: ${name} not in /var/lib/zenta-web/zenta.rnk: ${names}`);
      console.log(`ok: ${kind} serves the installed page, and ${name} is in /var/lib/zenta-web/zenta.rnk`);
    } finally {
      await browser.close().catch(() => {});
      await server.stop();
    }
  }
  console.log(`${kinds.length} passed, 0 failed`);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
