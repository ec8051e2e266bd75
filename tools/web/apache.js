// A private Apache httpd (Debian's apache2) on 127.0.0.1 that serves a
// folder as a school's server does, with zenta.rnk writable through WebDAV
// by the configuration in packaging/web. Everything it keeps (ServerRoot,
// configuration, PID file, lock database, logs, and a copy of the folder
// that it serves and writes) lies in `dir`; no system service is touched.
//   const server = await start(folder, { dir, writable });
//   server.url: the folder's URL, ending in "/"; server.site: its copy
//   await server.refuseWrites() / acceptWrites(): writes refused (403) or
//   taken again; await server.stop(), await server.restart()
// The server is stopped when the process exits, a failed test's too.
"use strict";
const { execFileSync } = require("child_process");
const fs = require("fs");
const net = require("net");
const path = require("path");

const modules = "/usr/lib/apache2/modules";
const school = path.join(__dirname, "../../packaging/web/zenta-apache.conf");
const running = new Set();
process.on("exit", () => {
  for (const pidFile of running)
    // The parent stops its children on SIGTERM.
    try { process.kill(Number(fs.readFileSync(pidFile, "utf8")), "SIGTERM"); } catch (error) { }
});

// The body of an exclusive write lock, as the program sends it.
const lockBody = '<?xml version="1.0" encoding="utf-8"?><D:lockinfo xmlns:D="DAV:">'
  + "<D:lockscope><D:exclusive/></D:lockscope><D:locktype><D:write/></D:locktype>"
  + "<D:owner>zenta</D:owner></D:lockinfo>";

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer().listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    }).on("error", reject);
  });
}

function configuration(dir, site, port, writers) {
  const root = process.getuid && process.getuid() === 0;
  const load = ["mpm_event", "authz_core", "authz_host", "alias", "dir", "mime", "dav", "dav_fs"]
    .map((name) => `LoadModule ${name}_module ${modules}/mod_${name}.so`);
  const zenta = fs.readFileSync(school, "utf8")
    .replace(/^Define ZENTA_URL .*$/m, "Define ZENTA_URL /zenta")
    .replace(/^Define ZENTA_DIR .*$/m, `Define ZENTA_DIR ${site}`)
    .replace(/^Define ZENTA_WRITERS .*$/m, `Define ZENTA_WRITERS "${writers}"`);
  fs.writeFileSync(path.join(dir, "zenta.conf"), zenta);
  return [
    `ServerRoot ${dir}`, `ServerName 127.0.0.1`, `Listen 127.0.0.1:${port}`,
    `PidFile ${dir}/httpd.pid`, `ErrorLog ${dir}/error.log`, `TypesConfig /etc/mime.types`,
    `Mutex file:${dir}`, `DefaultRuntimeDir ${dir}`, ...load,
    ...(root ? ["User www-data", "Group www-data"] : []),
    `Define ZENTA_LOCKDB_SET`, `DavLockDB ${dir}/DAVLock`, `Include ${dir}/zenta.conf`, "",
  ].join("\n");
}

async function start(folder, { dir, writable = true } = {}) {
  dir = path.resolve(dir || `${path.resolve(folder)}-apache`);
  fs.rmSync(dir, { recursive: true, force: true });
  const site = path.join(dir, "site");
  fs.mkdirSync(dir, { recursive: true });
  fs.cpSync(folder, site, { recursive: true });
  if (process.getuid && process.getuid() === 0)
    execFileSync("chown", ["-R", "www-data:", dir]); // Apache's user writes there
  const port = await freePort();
  const conf = path.join(dir, "httpd.conf");
  const pidFile = path.join(dir, "httpd.pid");
  const url = `http://127.0.0.1:${port}/zenta/`;
  const apache = (action) => execFileSync("/usr/sbin/apache2", ["-f", conf, "-k", action],
                                          { stdio: ["ignore", "ignore", "inherit"] });

  async function up() {
    apache("start");
    running.add(pidFile);
    for (let tries = 0; tries < 100; ++tries) {
      try {
        if ((await fetch(url + "zenta.html", { method: "HEAD" })).status < 500)
          return;
      } catch (error) { }
      await sleep(100);
    }
    throw new Error(`apache2 did not answer at ${url}; see ${dir}/error.log`);
  }
  async function down() {
    if (!fs.existsSync(pidFile))
      return;
    const pid = Number(fs.readFileSync(pidFile, "utf8"));
    apache("stop");
    for (let tries = 0; tries < 100; ++tries) {
      try { process.kill(pid, 0); } catch (error) { break; }
      await sleep(50);
    }
    running.delete(pidFile);
    fs.rmSync(pidFile, { force: true });
  }
  async function writes(accepted) {
    // 127.0.0.2 sends nothing: only 127.0.0.1 is refused then.
    fs.writeFileSync(conf, configuration(dir, site, port, accepted ? "127.0.0.1" : "127.0.0.2"));
    await down();
    await up();
  }

  await writes(writable);
  return {
    url, site, dir,
    stop: down,
    restart: up,
    refuseWrites: () => writes(false),
    acceptWrites: () => writes(true),
  };
}

module.exports = { start, lockBody };
