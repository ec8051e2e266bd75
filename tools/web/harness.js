// What the browser build's tests and its benchmark drive the page with: a
// static web server on 127.0.0.1 that serves a folder as any static server
// would, and Debian's browsers (nothing downloaded): Chromium and Firefox
// ESR (over WebDriver BiDi) through puppeteer-core, WebKitGTK's MiniBrowser
// through WebKitWebDriver and webdriverio. Firefox and WebKit need an X
// server for WebGL (run under xvfb-run). A page offers the few things a
// test does to it, the same in every engine.
"use strict";
const { spawn } = require("child_process");
const crypto = require("crypto");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const net = require("net");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".json": "application/json",
  ".webmanifest": "application/manifest+json",
  ".png": "image/png",
  ".wasm": "application/wasm",
  ".ttf": "font/ttf",
  ".gz": "application/gzip",
  ".txt": "text/plain; charset=utf-8",
};

// Serves `folder`; `served` lists every response: path, bytes, gzip bytes.
function serve(folder) {
  const root = path.resolve(folder);
  const served = [];
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, "http://127.0.0.1");
    const file = path.join(root, decodeURIComponent(url.pathname));
    if (!file.startsWith(root + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      served.push({ path: url.pathname, bytes: data.length,
                    gzip: zlib.gzipSync(data, { level: 9 }).length });
      response.writeHead(200, { "Content-Type": types[path.extname(file)] || "application/octet-stream",
                                "Cache-Control": "no-store" });
      response.end(data);
    });
  });
  const sockets = new Set();
  server.on("connection", (socket) => {
    sockets.add(socket);
    socket.on("close", () => sockets.delete(socket));
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => {
    resolve({ url: `http://127.0.0.1:${server.address().port}/`, served,
              close: () => new Promise((done) => {
                server.close(done);
                for (const socket of sockets)
                  socket.destroy();
              }) });
  }));
}

// Decodes an 8-bit RGB or RGBA PNG (as the browsers' screenshots are) into
// { width, height, pixel(x, y) -> [r, g, b] }.
function decodePng(png) {
  let offset = 8, width = 0, height = 0, channels = 0;
  const idat = [];
  while (offset < png.length) {
    const length = png.readUInt32BE(offset);
    const type = png.toString("latin1", offset + 4, offset + 8);
    const body = png.subarray(offset + 8, offset + 8 + length);
    if (type === "IHDR") {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      channels = { 2: 3, 6: 4 }[body[9]];
      if (body[8] !== 8 || !channels || body[12])
        throw new Error("unsupported PNG");
    } else if (type === "IDAT") {
      idat.push(body);
    }
    offset += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    for (let i = 0; i < stride; ++i) {
      const x = raw[y * (stride + 1) + 1 + i];
      const a = i >= channels ? pixels[y * stride + i - channels] : 0;
      const b = y > 0 ? pixels[(y - 1) * stride + i] : 0;
      const c = i >= channels && y > 0 ? pixels[(y - 1) * stride + i - channels] : 0;
      let predicted = 0;
      if (filter === 1) predicted = a;
      else if (filter === 2) predicted = b;
      else if (filter === 3) predicted = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      pixels[y * stride + i] = (x + predicted) & 0xff;
    }
  }
  return { width, height,
           pixel: (x, y) => [...pixels.subarray(y * stride + x * channels, y * stride + x * channels + 3)] };
}

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// The page's clock stands still at `clock` (ms since 1970) until
// startClock(): the program seeds its questions from it, so a test knows
// the right answers. Only the first document of a tab is held; a reload
// runs on the real clock.
function stillClock(clock) {
  return `(() => {
    if (sessionStorage.getItem("zenta-clock-used")) return;
    sessionStorage.setItem("zenta-clock-used", "1");
    const real = Date.now.bind(Date);
    let still = true;
    Date.now = () => still ? ${clock} : real();
    window.zentaStartClock = () => { still = false; };
  })();`;
}

// A tab, with what a test does to it. `shots` is the folder of its
// screenshots; they are numbered across all pages of a run.
let shotNumber = 0;
class Page {
  constructor(raw, shots) {
    this.raw = raw;
    this.shots = shots;
    this.console = [];
    raw.on("console", (message) => this.console.push(message.text()));
    raw.on("pageerror", (error) => this.console.push("exception: " + error.message));
  }
  goto(url) { return this.raw.goto(url, { waitUntil: "load", timeout: 120000 }); }
  reload() { return this.raw.reload({ waitUntil: "load", timeout: 120000 }); }
  front() { return this.raw.bringToFront(); }
  click(x, y) { return this.raw.mouse.click(x, y); }
  tap(x, y) { return this.raw.touchscreen.tap(x, y); }
  key(name) { return this.raw.keyboard.press(name); }
  type(text) { return this.raw.keyboard.type(text); }
  evaluate(what, ...args) { return this.raw.evaluate(what, ...args); }
  startClock() { return this.evaluate("window.zentaStartClock && window.zentaStartClock()"); }
  cdp() { return this.raw.createCDPSession(); }
  screenshot() { return this.raw.screenshot({ type: "png" }); }
  // Waits until `expression` is true in the page, polling.
  async waitFor(expression, timeoutMs = 30000, what = expression) {
    const end = Date.now() + timeoutMs;
    for (;;) {
      if (await this.evaluate(`!!(${expression})`))
        return;
      if (Date.now() > end)
        throw new Error(`timed out waiting for ${what}`);
      await sleep(100);
    }
  }
  // A screenshot, saved as NN-name.png in the shots folder and decoded.
  async look(name) {
    const png = Buffer.from(await this.screenshot());
    if (this.shots) {
      const file = path.join(this.shots, `${String(++shotNumber).padStart(2, "0")}-${name}.png`);
      fs.mkdirSync(this.shots, { recursive: true });
      fs.writeFileSync(file, png);
      console.log("screenshot", file);
    }
    return decodePng(png);
  }
}

// Starts a browser with a fresh profile, or `profile` (a folder) to keep
// one: a separate profile is a separate device.
async function launch({ engine = "chromium", profile = undefined, args = [], shots = undefined } = {}) {
  if (engine === "webkit")
    return launchWebKit(shots);
  if (engine === "firefox")
    return launchFirefox(shots);
  if (engine !== "chromium")
    throw new Error(`no driver for ${engine}`);
  const userDataDir = profile || fs.mkdtempSync(path.join(os.tmpdir(), "zenta-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    pipe: true,
    userDataDir,
    defaultViewport: null,
    protocolTimeout: 180000,
    args: [
      "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      "--disable-default-apps", "--disable-extensions", "--mute-audio",
      "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
      "--force-device-scale-factor=1", "--window-size=1366,1080", ...args,
    ],
  });
  return {
    engine,
    raw: browser,
    // A new tab: its viewport in CSS pixels; `touch` for a touch screen;
    // `userAgent` and `platform` (navigator.platform) to stand for a device;
    // `clock` holds the page's clock (see stillClock).
    async newPage({ viewport = { width: 1024, height: 768 }, touch = false, userAgent, platform,
                    clock } = {}) {
      const raw = await browser.newPage();
      await raw.setViewport({ ...viewport, deviceScaleFactor: 1, hasTouch: touch, isMobile: false });
      if (userAgent || platform)
        await raw.setUserAgent({ userAgent: userAgent || (await browser.userAgent()), platform });
      if (clock !== undefined)
        await raw.evaluateOnNewDocument(stillClock(clock));
      return new Page(raw, shots);
    },
    // Downloads go to `folder`.
    async allowDownloads(folder) {
      const session = await browser.target().createCDPSession();
      await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: folder });
    },
    async close() {
      await Promise.race([browser.close().catch(() => {}), sleep(5000)]);
      browser.process()?.kill("SIGKILL");
      if (!profile)
        fs.rmSync(userDataDir, { recursive: true, force: true });
    },
  };
}

// A copy of the page's folder whose page runs `script` before its own;
// the service worker takes the page's new digest, so that it keeps the
// copy as its version.
function pageCopy(webDir, folder, script) {
  fs.cpSync(webDir, folder, { recursive: true });
  const page = path.join(folder, "zenta.html"), worker = path.join(folder, "sw.js");
  const digest = (file) => crypto.createHash("sha256").update(fs.readFileSync(file)).digest("hex");
  const before = digest(page);
  const changed = fs.readFileSync(page, "utf8").replace("<script>", () => `<script>${script}</script>\n<script>`);
  fs.writeFileSync(page, changed);
  fs.writeFileSync(worker, fs.readFileSync(worker, "utf8").replace(before, digest(page)));
  return folder;
}

// A copy whose page holds its clock at `clock` (see stillClock), for a
// browser that runs no script before the page's own.
const clockedCopy = (webDir, folder, clock) => pageCopy(webDir, folder, stillClock(clock));

// Firefox ESR, on the X server (it has no WebGL headless), a fresh profile.
async function launchFirefox(shots) {
  const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), "zenta-firefox-"));
  const browser = await puppeteer.launch({
    browser: "firefox", executablePath: process.env.FIREFOX || "/usr/bin/firefox-esr",
    headless: false, userDataDir, protocolTimeout: 180000,
  });
  return {
    engine: "firefox",
    raw: browser,
    async newPage({ viewport = { width: 1024, height: 768 } } = {}) {
      const raw = (await browser.pages())[0] || (await browser.newPage());
      await raw.setViewport(viewport);
      return new Page(raw, shots);
    },
    async close() {
      await Promise.race([browser.close().catch(() => {}), sleep(5000)]);
      browser.process()?.kill("SIGKILL");
      fs.rmSync(userDataDir, { recursive: true, force: true });
    },
  };
}

// A MiniBrowser window under WebDriver classic (WebKitWebDriver has no
// BiDi): the same methods on webdriverio's calls. Its console is not heard.
class WebKitPage extends Page {
  constructor(session, Key, shots) {
    super({ on: () => {} }, shots);
    this.session = session;
    this.Key = Key;
  }
  goto(url) { return this.session.url(url); }
  reload() { return this.session.refresh(); }
  front() { return Promise.resolve(); }
  click(x, y) {
    return this.session.action("pointer")
      .move({ x: Math.round(x), y: Math.round(y), origin: "viewport" }).down().up().perform();
  }
  key(name) { return this.session.keys([this.Key[name] || name]); }
  type(text) { return this.session.keys(text); }
  async screenshot() { return Buffer.from(await this.session.takeScreenshot(), "base64"); }
  async evaluate(what, ...args) {
    const { value, error } = await this.session.executeAsync(
      `const done = arguments[arguments.length - 1];
       Promise.resolve().then(() => eval(arguments[0])).then((value) => done({ value }),
                                                             (error) => done({ error: String(error) }));`,
      typeof what === "function" ? `(${what})(...${JSON.stringify(args)})` : what);
    if (error)
      throw new Error(error);
    return value;
  }
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer().on("error", reject);
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// WebKitWebDriver on a free port of 127.0.0.1, and MiniBrowser through it.
async function launchWebKit(shots) {
  const { remote, Key } = await import("webdriverio");
  const port = await freePort();
  const driver = spawn("WebKitWebDriver", [`--port=${port}`, "--host=127.0.0.1"], { stdio: "ignore" });
  // Until the driver listens.
  for (let i = 0; !(await new Promise((resolve) => net.connect(port, "127.0.0.1")
    .on("connect", function () { this.end(); resolve(true); })
    .on("error", () => resolve(false)))); ++i) {
    if (i > 50)
      throw new Error("WebKitWebDriver does not listen");
    await sleep(100);
  }
  const session = await remote({
    hostname: "127.0.0.1", port, path: "/", logLevel: "error",
    capabilities: {
      browserName: "MiniBrowser",
      "wdio:enforceWebDriverClassic": true,
      "webkitgtk:browserOptions": {
        binary: process.env.MINIBROWSER || "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser",
        args: ["--automation"],
      },
    },
  });
  return {
    engine: "webkit",
    raw: session,
    // The window's outer size is the viewport and MiniBrowser's own bars.
    async newPage({ viewport = { width: 1024, height: 768 } } = {}) {
      await session.setWindowSize(viewport.width, viewport.height);
      const [width, height] = await session.execute(() => [window.innerWidth, window.innerHeight]);
      await session.setWindowSize(2 * viewport.width - width, 2 * viewport.height - height);
      return new WebKitPage(session, Key, shots);
    },
    async close() {
      await session.deleteSession().catch(() => {});
      driver.kill();
    },
  };
}

module.exports = { pageCopy, serve, launch, clockedCopy, decodePng, sleep };
