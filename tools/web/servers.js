// Debian's Apache httpd, nginx and lighttpd on 127.0.0.1, each serving the
// page as a school's server does with the zenta-web package: a private
// main configuration that includes the package's own files from
// packaging/web/etc, in which nothing is changed but the folders of the
// page and of the class's files (and, while writes are refused, the
// machine itself left out of the writers' network). Everything a server
// keeps (configuration, PID file, lock database, logs, a copy of the page
// and the class's files) lies in `dir`; no system service is touched.
//   const server = await start("nginx", folder, { dir });
//   server.url: the page's URL, ending in "/zenta/"; server.data: the
//   class's files (zenta.rnk, zenta-log/)
//   await server.refuseWrites() / acceptWrites(): writes refused (403) or
//   taken again; await server.stop(), await server.restart()
// With { installed: true } (folder null) it serves the installed package
// instead: its files in /etc as they are, the page in /usr/share/zenta-web
// and the class's files in /var/lib/zenta-web.
// The servers are stopped when the process exits, a failed test's too.
"use strict";
const { execFileSync } = require("child_process");
const fs = require("fs");
const net = require("net");
const path = require("path");

const packaged = path.join(__dirname, "../../packaging/web");
const root = process.getuid && process.getuid() === 0;
const running = new Set();
process.on("exit", () => {
  for (const pidFile of running)
    try { process.kill(Number(fs.readFileSync(pidFile, "utf8")), "SIGTERM"); } catch (error) { }
});

// The body of an exclusive write lock, as the program sends it.
const lockBody = '<?xml version="1.0" encoding="utf-8"?><D:lockinfo xmlns:D="DAV:">'
  + "<D:lockscope><D:exclusive/></D:lockscope><D:locktype><D:write/></D:locktype>"
  + "<D:owner>zenta</D:owner></D:lockinfo>";

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Each server: the package's files it includes, its main configuration
// around them, and its command (each starts in the background and writes
// `pid` in dir).
const servers = {
  apache: {
    files: ["apache2/conf-available/zenta-web.conf"],
    main: ({ dir, port, include }) => [
      `ServerRoot ${dir}`, "ServerName 127.0.0.1", `Listen 127.0.0.1:${port}`,
      `PidFile ${dir}/pid`, `ErrorLog ${dir}/error.log`, "TypesConfig /etc/mime.types",
      `Mutex file:${dir}`, `DefaultRuntimeDir ${dir}`,
      ...["mpm_event", "authz_core", "authz_host", "alias", "dir", "mime", "dav", "dav_fs"]
        .map((name) => `LoadModule ${name}_module /usr/lib/apache2/modules/mod_${name}.so`),
      ...(root ? ["User www-data", "Group www-data"] : []),
      // As Debian's dav_fs.conf names it for the whole server.
      `DavLockDB ${dir}/DAVLock`, `Include ${include[0]}`,
    ],
    command: (conf) => ["/usr/sbin/apache2", "-f", conf, "-k", "start"],
  },
  nginx: {
    files: ["nginx/snippets/zenta-web-http.conf", "nginx/snippets/zenta-web.conf"],
    main: ({ dir, port, include }) => [
      "load_module /usr/lib/nginx/modules/ngx_http_dav_ext_module.so;",
      ...(root ? ["user www-data;"] : []),
      `pid ${dir}/pid;`, `error_log ${dir}/error.log;`, "events { worker_connections 256; }",
      "http {", "include /etc/nginx/mime.types;", "default_type application/octet-stream;",
      "access_log off;",
      ...["client_body", "proxy", "fastcgi", "uwsgi", "scgi"].map((kind) => `${kind}_temp_path ${dir}/${kind};`),
      `include ${include[0]};`,
      `server { listen 127.0.0.1:${port}; include ${include[1]}; }`, "}",
    ],
    command: (conf, dir) => ["/usr/sbin/nginx", "-c", conf, "-e", `${dir}/error.log`],
  },
  lighttpd: {
    files: ["lighttpd/conf-available/50-zenta-web.conf"],
    // As Debian's lighttpd.conf loads its modules around the files of
    // conf-enabled.
    main: ({ dir, port, include }) => [
      'server.modules = ( "mod_indexfile", "mod_access", "mod_alias", "mod_redirect" )',
      `server.document-root = "${dir}/empty"`, `server.errorlog = "${dir}/error.log"`,
      `server.pid-file = "${dir}/pid"`, `server.upload-dirs = ( "${dir}/uploads" )`,
      'server.bind = "127.0.0.1"', `server.port = ${port}`,
      ...(root ? ['server.username = "www-data"', 'server.groupname = "www-data"'] : []),
      'index-file.names = ( "index.php", "index.html" )', 'url.access-deny = ( "~", ".inc" )',
      'include_shell "/usr/share/lighttpd/create-mime.conf.pl"', `include "${include[0]}"`,
      'server.modules += ( "mod_dirlisting", "mod_staticfile" )',
    ],
    command: (conf) => ["/usr/sbin/lighttpd", "-f", conf],
    prepare: (data) => execFileSync("sqlite3", [path.join(data, "lighttpd-locks.db")],
                                    { input: fs.readFileSync(path.join(packaged, "lighttpd-locks.sql")) }),
  },
};

// A process that has ended but was not waited for (a daemon's, here) is
// gone too.
function alive(pid) {
  try {
    return fs.readFileSync(`/proc/${pid}/stat`, "utf8").replace(/^.*\) /s, "")[0] !== "Z";
  } catch (error) {
    return false;
  }
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer().listen(0, "127.0.0.1", () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    }).on("error", reject);
  });
}

async function start(kind, folder, { dir, installed = false } = {}) {
  const server = servers[kind];
  dir = path.resolve(dir);
  fs.rmSync(dir, { recursive: true, force: true });
  const page = installed ? "/usr/share/zenta-web" : path.join(dir, "page");
  const data = installed ? "/var/lib/zenta-web" : path.join(dir, "data");
  for (const name of ["empty", "uploads"])
    fs.mkdirSync(path.join(dir, name), { recursive: true });
  if (!installed) {
    // The page as the package lays it out: its files apart from the
    // class's, which the server writes.
    fs.cpSync(folder, page, { recursive: true,
      filter: (from) => !["zenta-log", "zenta.rnk"].includes(path.relative(folder, from)) });
    fs.mkdirSync(path.join(data, "zenta-log"), { recursive: true });
    if (server.prepare)
      server.prepare(data);
  }
  if (root) {
    execFileSync("chown", ["-R", "www-data:", dir]); // the server's user writes there
    if (!installed)
      execFileSync("chown", ["-R", "root:", page]);
  }
  const port = await freePort();
  const conf = path.join(dir, "server.conf");
  const pidFile = path.join(dir, "pid");
  const url = `http://127.0.0.1:${port}/zenta/`;

  // The one place where the package's files are changed.
  function configure(writable) {
    const include = server.files.map((file) => {
      if (installed && writable)
        return path.join("/etc", file);
      let text = fs.readFileSync(installed ? path.join("/etc", file) : path.join(packaged, "etc", file), "utf8");
      if (!installed)
        text = text.replaceAll("/usr/share/zenta-web", page).replaceAll("/var/lib/zenta-web", data);
      // 127.0.0.2 sends nothing: only 127.0.0.1 is refused then.
      if (!writable)
        text = text.replaceAll("127.0.0.1", "127.0.0.2");
      const copy = path.join(dir, path.basename(file));
      fs.writeFileSync(copy, text);
      return copy;
    });
    fs.writeFileSync(conf, server.main({ dir, port, include }).join("\n") + "\n");
  }
  async function up() {
    const [program, ...args] = server.command(conf, dir);
    execFileSync(program, args, { stdio: ["ignore", "ignore", "inherit"] });
    running.add(pidFile);
    for (let tries = 0; tries < 100; ++tries) {
      try {
        if (fs.existsSync(pidFile) && (await fetch(url + "zenta.html", { method: "HEAD" })).status < 500)
          return;
      } catch (error) { }
      await sleep(100);
    }
    throw new Error(`${kind} did not answer at ${url}; see ${dir}/error.log`);
  }
  async function down() {
    if (!fs.existsSync(pidFile))
      return;
    const pid = Number(fs.readFileSync(pidFile, "utf8"));
    try { process.kill(pid, "SIGTERM"); } catch (error) { }
    for (let tries = 0; tries < 100 && alive(pid); ++tries)
      await sleep(50);
    running.delete(pidFile);
    fs.rmSync(pidFile, { force: true });
  }
  async function writes(accepted) {
    configure(accepted);
    await down();
    await up();
  }

  await writes(true);
  return {
    url, data, dir, port,
    stop: down,
    restart: up,
    refuseWrites: () => writes(false),
    acceptWrites: () => writes(true),
  };
}

module.exports = { start, lockBody, kinds: Object.keys(servers) };
