// Headless Chromium driven through its DevTools protocol over a pipe (no
// npm package, no WebSocket), and a static web server on 127.0.0.1 that
// serves a folder as any static server would. Used by the browser build's
// end-to-end test and its benchmark.
"use strict";
const { spawn } = require("child_process");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const zlib = require("zlib");

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".wasm": "application/wasm",
  ".ttf": "font/ttf",
  ".qm": "application/octet-stream",
  ".txt": "text/plain; charset=utf-8",
};

// Serves `root`; `served` lists every response: path, bytes, gzip bytes.
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
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => {
    resolve({ url: `http://127.0.0.1:${server.address().port}/`, served,
              close: () => new Promise((done) => server.close(done)) });
  }));
}

// One DevTools protocol connection: send(method, params, sessionId) answers
// with the result; on(event, handler) hears events.
class Connection {
  constructor(input, output) {
    this.input = input;
    this.nextId = 1;
    this.pending = new Map();
    this.handlers = new Map();
    let buffer = "";
    output.on("data", (chunk) => {
      buffer += chunk.toString("utf8");
      let end;
      while ((end = buffer.indexOf("\0")) >= 0) {
        const message = JSON.parse(buffer.slice(0, end));
        buffer = buffer.slice(end + 1);
        this.receive(message);
      }
    });
  }
  receive(message) {
    if (message.id && this.pending.has(message.id)) {
      const { resolve, reject, method } = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (message.error)
        reject(new Error(`${method}: ${message.error.message}`));
      else
        resolve(message.result);
      return;
    }
    for (const handler of this.handlers.get(message.method) || [])
      handler(message.params, message.sessionId);
  }
  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId)
      message.sessionId = sessionId;
    this.input.write(JSON.stringify(message) + "\0");
    return new Promise((resolve, reject) => this.pending.set(id, { resolve, reject, method }));
  }
  on(method, handler) {
    if (!this.handlers.has(method))
      this.handlers.set(method, []);
    this.handlers.get(method).push(handler);
  }
}

// Starts headless Chromium with a fresh profile (or `profile`, to keep one
// across restarts) and a page of width x height CSS pixels.
async function launch({ width = 1024, height = 768, profile = undefined } = {}) {
  const userDataDir = profile || fs.mkdtempSync(path.join(os.tmpdir(), "zenta-chromium-"));
  const args = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-default-apps", "--disable-extensions", "--mute-audio",
    "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
    "--force-device-scale-factor=1", `--window-size=${width},${height}`,
    `--user-data-dir=${userDataDir}`, "--remote-debugging-pipe", "about:blank",
  ];
  const child = spawn(process.env.CHROMIUM || "chromium", args,
                      { stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"] });
  let log = "";
  child.stderr.on("data", (chunk) => { log += chunk; });
  const cdp = new Connection(child.stdio[3], child.stdio[4]);
  const exited = new Promise((resolve) => child.on("exit", resolve));
  const close = async () => {
    try { await Promise.race([cdp.send("Browser.close"), exited]); } catch (e) { /* gone */ }
    await Promise.race([exited, new Promise((r) => setTimeout(r, 3000))]);
    child.kill("SIGKILL");
    if (!profile)
      fs.rmSync(userDataDir, { recursive: true, force: true });
  };
  return { cdp, close, log: () => log };
}

// A page (tab) of a browser, with the few things a test does to it.
class Page {
  static async open(cdp, { width = 1024, height = 768 } = {}) {
    const { targetId } = await cdp.send("Target.createTarget", { url: "about:blank" });
    const { sessionId } = await cdp.send("Target.attachToTarget", { targetId, flatten: true });
    const page = new Page(cdp, targetId, sessionId);
    await page.send("Page.enable");
    await page.send("Runtime.enable");
    await page.send("Emulation.setDeviceMetricsOverride",
                    { width, height, deviceScaleFactor: 1, mobile: false });
    page.console = [];
    cdp.on("Runtime.consoleAPICalled", (params, id) => {
      if (id === sessionId)
        page.console.push(params.args.map((a) => a.value !== undefined ? a.value : a.description).join(" "));
    });
    cdp.on("Runtime.exceptionThrown", (params, id) => {
      if (id === sessionId)
        page.console.push("exception: " + (params.exceptionDetails.exception?.description
                                          || params.exceptionDetails.text));
    });
    return page;
  }
  constructor(cdp, targetId, sessionId) {
    this.cdp = cdp;
    this.targetId = targetId;
    this.sessionId = sessionId;
  }
  send(method, params = {}) { return this.cdp.send(method, params, this.sessionId); }
  async evaluate(expression) {
    const { result, exceptionDetails } = await this.send("Runtime.evaluate",
      { expression, awaitPromise: true, returnByValue: true });
    if (exceptionDetails)
      throw new Error(`${expression}: ${exceptionDetails.exception?.description || exceptionDetails.text}`);
    return result.value;
  }
  async navigate(url) {
    const loaded = new Promise((resolve) => {
      const handler = (params, id) => { if (id === this.sessionId) resolve(); };
      this.cdp.on("Page.loadEventFired", handler);
    });
    await this.send("Page.navigate", { url });
    await loaded;
  }
  reload() { return this.send("Page.reload", { ignoreCache: true }); }
  // Waits until `expression` is true in the page, polling.
  async waitFor(expression, timeoutMs = 30000, what = expression) {
    const end = Date.now() + timeoutMs;
    for (;;) {
      if (await this.evaluate(`!!(${expression})`))
        return;
      if (Date.now() > end)
        throw new Error(`timed out waiting for ${what}`);
      await new Promise((r) => setTimeout(r, 100));
    }
  }
  async screenshot(file) {
    const { data } = await this.send("Page.captureScreenshot", { format: "png" });
    const png = Buffer.from(data, "base64");
    if (file) {
      fs.mkdirSync(path.dirname(file), { recursive: true });
      fs.writeFileSync(file, png);
    }
    return png;
  }
  async click(x, y) {
    const at = { x, y, button: "left", clickCount: 1 };
    await this.send("Input.dispatchMouseEvent", { type: "mouseMoved", x, y });
    await this.send("Input.dispatchMouseEvent", { type: "mousePressed", ...at });
    await this.send("Input.dispatchMouseEvent", { type: "mouseReleased", ...at });
  }
  // A key as a keyboard sends it: "Enter", "Escape" or one printable letter.
  async key(name) {
    const special = { Enter: [13, "\r"], Escape: [27, ""], Tab: [9, ""], ArrowUp: [38, ""], ArrowDown: [40, ""],
                      " ": [32, " "] };
    const [code, text] = special[name] || [name.toUpperCase().charCodeAt(0), name];
    const event = { key: name, code: name === " " ? "Space" : special[name] ? name : (/[a-z]/i.test(name) ? "Key" + name.toUpperCase() : ""),
                    windowsVirtualKeyCode: code, nativeVirtualKeyCode: code };
    await this.send("Input.dispatchKeyEvent", { type: text ? "keyDown" : "rawKeyDown", text, ...event });
    await this.send("Input.dispatchKeyEvent", { type: "keyUp", ...event });
  }
  async type(text) {
    for (const letter of text)
      await this.key(letter);
  }
}

// Decodes an 8-bit RGB or RGBA PNG (as Chromium's screenshots are) into
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

module.exports = { serve, launch, Page, decodePng, findColour };
