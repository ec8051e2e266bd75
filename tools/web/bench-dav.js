// The class's Best 5 on a school's server, measured against a private
// Apache with the school's configuration (tools/web/servers.js): the time of
// one save, and forty devices saving at the same moment, each as the page
// saves (LOCK, waited for while another holds it; GET; the score placed
// into its range as the file now holds it; PUT with the token; UNLOCK):
// the rows lost (the goal: none) and the time until the last had saved.
//   node bench-dav.js WEB_DIR APACHE_DIR [CLIENTS]
"use strict";
const { start, lockBody } = require("./servers.js");

const [webDir, apacheDir, clientsArg] = process.argv.slice(2);
const clients = Number(clientsArg || 40);
const recordSize = 12, rangeSize = 5, ranges = 4;
// The program's pace while another holds the lock (POLL_MS to try others).
const pollMs = Number(process.env.POLL_MS || 100);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function record(name, score) {
  const bytes = Buffer.alloc(recordSize, 0x20);
  bytes.write(name, 0, 10, "latin1");
  bytes.writeInt16LE(score, 10);
  return bytes;
}

// Places a record into its range of a 900-byte file as the program does:
// above the first row whose score is not above it, the last row dropped.
function place(file, range, row) {
  const out = Buffer.alloc(75 * recordSize);
  for (let i = 0; i < 75; ++i)
    record("", 0).copy(out, i * recordSize);
  file.copy(out, 0, 0, Math.min(file.length, out.length));
  const score = row.readInt16LE(10);
  const base = range * rangeSize;
  let at = 0;
  while (at < rangeSize && out.readInt16LE((base + at) * recordSize + 10) > score)
    ++at;
  if (at === rangeSize)
    return out;
  out.copy(out, (base + at + 1) * recordSize, (base + at) * recordSize, (base + rangeSize - 1) * recordSize);
  row.copy(out, (base + at) * recordSize);
  return out;
}

async function save(url, range, row) {
  const headers = { Timeout: "Second-10", Depth: "0", "Content-Type": "application/xml" };
  const deadline = Date.now() + 5000;
  let token;
  for (;;) {
    const locked = await fetch(url, { method: "LOCK", headers, body: lockBody });
    await locked.arrayBuffer();
    if (locked.ok) {
      token = locked.headers.get("lock-token");
      break;
    }
    if (locked.status !== 423 || Date.now() >= deadline)
      return false;
    await sleep(pollMs + Math.random() * pollMs);
  }
  try {
    const got = await fetch(url, { cache: "no-store" });
    const file = got.status === 404 ? Buffer.alloc(0) : Buffer.from(await got.arrayBuffer());
    const put = await fetch(url, { method: "PUT", headers: { If: `(${token})` }, body: place(file, range, row) });
    await put.arrayBuffer();
    return put.ok;
  } finally {
    await (await fetch(url, { method: "UNLOCK", headers: { "Lock-Token": token } })).arrayBuffer();
  }
}

(async () => {
  const server = await start("apache", webDir, { dir: apacheDir });
  const url = server.url + "zenta.rnk";
  try {
    const times = [];
    for (let i = 0; i < 20; ++i) {
      const begin = performance.now();
      if (!await save(url, 0, record("one", 1 + i)))
        throw new Error("a lone save failed");
      times.push(performance.now() - begin);
    }
    times.sort((a, b) => a - b);
    console.log(`one save: median ${times[10].toFixed(1)} ms, slowest ${times[19].toFixed(1)} ms (20 saves)`);

    await fetch(url, { method: "LOCK", headers: { Timeout: "Second-10" }, body: lockBody })
      .then((r) => r.headers.get("lock-token"))
      .then((token) => fetch(url, { method: "PUT", headers: { If: `(${token})` }, body: Buffer.alloc(0) })
        .then(() => fetch(url, { method: "UNLOCK", headers: { "Lock-Token": token } })));
    const rows = Array.from({ length: clients }, (_, i) => ({ range: i % ranges, row: record(`c${i}`, 10 + i) }));
    const begin = performance.now();
    let last = 0;
    // A failed save is told to the player, who presses 戻る again.
    let failed = 0;
    await Promise.all(rows.map(async ({ range, row }) => {
      while (!await save(url, range, row))
        ++failed;
      last = Math.max(last, performance.now() - begin);
    }));
    const file = Buffer.from(await (await fetch(url, { cache: "no-store" })).arrayBuffer());
    let lost = 0;
    for (let range = 0; range < ranges; ++range) {
      const expected = rows.filter((r) => r.range === range).map((r) => r.row)
        .sort((a, b) => b.readInt16LE(10) - a.readInt16LE(10)).slice(0, rangeSize);
      expected.forEach((row, n) => {
        if (!row.equals(file.subarray((range * rangeSize + n) * recordSize, (range * rangeSize + n + 1) * recordSize)))
          ++lost;
      });
    }
    console.log(`${clients} at once: ${failed} failed saves tried again, rows lost ${lost},`
                + ` the last saved after ${last.toFixed(0)} ms`);
  } finally {
    await server.stop();
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
