// WebKit and Gecko behind the same few page methods, for the browser
// build's tests and its benchmark: WebKitGTK's MiniBrowser driven by
// WebKitWebDriver (Debian's webkit2gtk-driver) through webdriverio, and
// Firefox ESR through puppeteer-core over WebDriver BiDi. Both need an X
// server (WebGL): run under xvfb-run. Each browser has a fresh profile.
//   const browser = await launchEngine("webkit" | "firefox", {width, height});
//   const page = await browser.page();  // goto, reload, click, key, type,
//                                       // screenshot, evaluate, waitFor
"use strict";
const { spawn } = require("child_process");
const fs = require("fs");
const net = require("net");
const os = require("os");
const path = require("path");

const miniBrowser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer().on("error", reject);
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Polls `expression` in the page until it is true.
async function waitFor(evaluate, expression, ms, what) {
  const deadline = Date.now() + ms;
  while (!(await evaluate(`!!(${expression})`).catch(() => false))) {
    if (Date.now() > deadline)
      throw new Error(`timed out waiting for ${what}`);
    await sleep(200);
  }
}

async function webkit(viewport) {
  const { remote, Key } = await import("webdriverio");
  const port = await freePort();
  const log = [];
  const driver = spawn("WebKitWebDriver", [`--port=${port}`, "--host=127.0.0.1"],
                       { stdio: ["ignore", "pipe", "pipe"] });
  for (const stream of [driver.stdout, driver.stderr])
    stream.on("data", (chunk) => log.push(...chunk.toString().split("\n")));
  let session = null;
  for (let i = 0; !session; ++i) {
    try {
      session = await remote({
        hostname: "127.0.0.1", port, path: "/", logLevel: "error", connectionRetryCount: 0,
        capabilities: {
          browserName: "MiniBrowser",
          "wdio:enforceWebDriverClassic": true, // WebKitWebDriver has no BiDi
          "webkitgtk:browserOptions": { binary: miniBrowser, args: ["--automation"] },
        },
      });
    } catch (error) {
      if (i > 25)
        throw error;
      await sleep(200); // the driver is not listening yet
    }
  }
  // The window's outer size is the viewport plus MiniBrowser's own bars.
  await session.setWindowSize(viewport.width, viewport.height);
  const inner = await session.execute(() => [window.innerWidth, window.innerHeight]);
  await session.setWindowSize(2 * viewport.width - inner[0], 2 * viewport.height - inner[1]);
  const evaluate = (expression) => session.executeAsync(
    `const done = arguments[arguments.length - 1];
     Promise.resolve().then(() => eval(arguments[0])).then((v) => done({ v }), (e) => done({ e: String(e) }));`,
    expression).then(({ v, e }) => { if (e) throw new Error(e); return v; });
  const keyOf = (name) => Key[name] || name;
  const page = {
    engine: "webkit",
    console: [],
    goto: (url) => session.url(url),
    reload: () => session.refresh(),
    click: (x, y) => session.action("pointer")
      .move({ x: Math.round(x), y: Math.round(y), origin: "viewport" }).down().up().perform(),
    key: (name) => session.keys([keyOf(name)]),
    type: (text) => session.keys(text),
    screenshot: async () => Buffer.from(await session.takeScreenshot(), "base64"),
    evaluate,
    waitFor: (expression, ms, what) => waitFor(evaluate, expression, ms, what),
  };
  return {
    page: async () => page,
    console: () => log,
    close: async () => {
      await session.deleteSession().catch(() => {});
      driver.kill();
    },
  };
}

async function firefox(viewport) {
  const puppeteer = require("puppeteer-core");
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "zenta-firefox-"));
  const browser = await puppeteer.launch({
    browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: false, // WebGL
    userDataDir: profile, defaultViewport: viewport,
  });
  const raw = (await browser.pages())[0] || (await browser.newPage());
  const log = [];
  raw.on("console", (message) => log.push(message.text()));
  const evaluate = (expression) => raw.evaluate(expression);
  return {
    page: async () => ({
      engine: "firefox",
      console: log,
      raw,
      goto: (url) => raw.goto(url),
      reload: () => raw.reload(),
      click: (x, y) => raw.mouse.click(x, y),
      key: (name) => raw.keyboard.press(name),
      type: (text) => raw.keyboard.type(text),
      screenshot: () => raw.screenshot(),
      evaluate,
      waitFor: (expression, ms, what) => waitFor(evaluate, expression, ms, what),
    }),
    console: () => log,
    close: async () => {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

function launchEngine(engine, viewport) {
  if (engine === "webkit")
    return webkit(viewport);
  if (engine === "firefox")
    return firefox(viewport);
  throw new Error(`no such engine: ${engine}`);
}

module.exports = { launchEngine };
