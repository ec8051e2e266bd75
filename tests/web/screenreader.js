// The page as a screen reader meets it, in headless Chromium: a whole game
// read from Chromium's accessibility tree alone (what ChromeVox reads) and
// played only by activating its elements, as a screen reader does (a click
// on the element); the menus and the help window the same way; then a game
// by keyboard alone.
//   node screenreader.js WEB_DIR SHOTS_DIR
"use strict";
const assert = require("assert");
const { serve, launch, sleep } = require("../../tools/web/harness.js");
const { started, rankingBytes, rangeOne } = require("./game.js");

const [webDir, shotsDir] = process.argv.slice(2);

// The tree as a screen reader has it: each node's role, name, description,
// properties, and a click on its element.
async function tree(cdp) {
  const { nodes } = await cdp.send("Accessibility.getFullAXTree");
  const byId = new Map(nodes.map((n) => [n.nodeId, n]));
  const value = (n, key) => n[key]?.value ?? "";
  const property = (n, key) => n.properties?.find((p) => p.name === key)?.value.value;
  const wrap = (n) => n && ({
    role: String(value(n, "role")).toLowerCase(), name: value(n, "name"), description: value(n, "description"),
    value: value(n, "value"),
    disabled: !!property(n, "disabled"), focused: !!property(n, "focused"),
    checked: property(n, "checked"), live: property(n, "live"),
    kids: () => (n.childIds || []).map((id) => byId.get(id)).filter((k) => k && !k.ignored).map(wrap),
    texts: () => {
      const all = [];
      const walk = (k) => (k.role === "statictext" ? all.push(k.name) : k.kids().forEach(walk));
      walk(wrap(n));
      return all;
    },
    async click() {
      const { object } = await cdp.send("DOM.resolveNode", { backendNodeId: n.backendDOMNodeId });
      await cdp.send("Runtime.callFunctionOn", { objectId: object.objectId, functionDeclaration: "function () { this.click(); }" });
    },
  });
  const shown = nodes.filter((n) => !n.ignored).map(wrap);
  return {
    all: (role, name) => shown.filter((n) => n.role === role && (name === undefined || n.name === name)),
    one(role, name) {
      const found = this.all(role, name);
      assert.strictEqual(found.length, 1, `one ${role} ${name ?? ""}: ${found.length}`);
      return found[0];
    },
    focused: () => shown.find((n) => n.focused && n.role !== "rootwebarea"),
  };
}

// Until the tree has what `check` looks for (it throws until then).
async function until(cdp, check, what, timeoutMs = 15000) {
  const end = Date.now() + timeoutMs;
  for (;;) {
    try {
      return await check(await tree(cdp));
    } catch (error) {
      if (Date.now() > end) {
        const windows = (await tree(cdp)).all("dialog").concat((await tree(cdp)).all("alertdialog"));
        throw new Error(`${what}: ${error.message} (windows: ${windows.map((w) => `${w.role} ${w.name}: ${w.texts().join(" ")}`).join("; ")})`);
      }
      await sleep(200);
    }
  }
}

// The relation of a table, read as a student would: y÷x, x×y, the rate of
// change or y÷x² always the same; its answer button's index.
function relation(xs, ys) {
  const known = xs.map((x, i) => [x, ys[i]]).filter(([, y]) => !Number.isNaN(y));
  const same = (list) => list.every((v) => Math.abs(v - list[0]) < 1e-9);
  const ratio = (power) => known.every(([x, y]) => x !== 0 || y === 0)
    && same(known.filter(([x]) => x !== 0).map(([x, y]) => y / x ** power));
  const rates = known.slice(1).map(([x, y], i) => (y - known[i][1]) / (x - known[i][0]));
  return [ratio(1), same(known.map(([x, y]) => x * y)), same(rates), ratio(2), true].indexOf(true);
}

// The question on show: its number and its table, read by rows.
function question(t) {
  const rows = t.one("table").kids();
  assert.strictEqual(rows.length, 2, "two rows");
  const read = (row, header) => {
    const cells = row.kids();
    assert.deepStrictEqual([cells[0].role, cells[0].name], ["rowheader", header], "the row's header");
    return cells.slice(1).map((c) => (c.name === "×" ? NaN : Number(c.name)));
  };
  return relation(read(rows[0], "ｘ"), read(rows[1], "ｙ"));
}

const answers = ["ｙはｘに比例", "ｙはｘに反比例", "ｙはｘの一次関数", "ｙはｘの２乗に比例",
                 "上の４つには，あてはまらない関係"];

// The box that greets or invites, read and closed with its OK.
async function box(cdp, title, text) {
  await until(cdp, async (t) => {
    const alert = t.one("alertdialog", title);
    const words = (line) => line.replace(/\s+/g, "");
    assert.strictEqual(words(alert.description), words(text), "the box's text");
    await t.one("button", "OK").click();
  }, `the box ${title}`);
  await until(cdp, (t) => assert.strictEqual(t.all("alertdialog", title).length, 0), "the box closed");
}

const greeting = "「スタート」ボタンをクリックすると，始まります。";

(async () => {
  const server = await serve(webDir);
  const browser = await launch({ shots: shotsDir });
  try {
    const page = await browser.newPage();
    const cdp = await page.cdp();
    await cdp.send("Accessibility.enable");
    await cdp.send("DOM.enable");
    await page.goto(server.url + "zenta.html");
    await started(page);
    await box(cdp, "スタート", greeting);

    // The main window, in its order, as a screen reader reads it.
    const main = await until(cdp, (t) => t.one("dialog", "ヒョウミ1（z.Aoba)"), "the main window");
    const read = main.kids().map((k) => (k.role === "generic" ? `text ${k.texts().join(" ")}` : `${k.role} ${k.name}`)
      + (k.description ? ` (${k.description})` : "") + (k.role === "menubar" || k.role === "group"
      ? ` [${k.kids().map((c) => c.name).join(", ")}]` : ""));
    console.log("main window:", read.join(" | "));
    await until(cdp, (t) => t.one("button", "スタート").click(), "スタート");
    for (let q = 1; q <= 5; ++q) {
      const answer = await until(cdp, (t) => {
        assert(t.all("statictext", `第 ${q}問`).length > 0, `第 ${q}問`);
        assert(!t.one("button", answers[0]).disabled, "the answers are enabled");
        return question(t);
      }, `question ${q}`);
      await (await tree(cdp)).one("button", answers[answer]).click();
      const said = await until(cdp, (t) => {
        const status = t.all("status").find((s) => s.live === "polite" && /正解/.test(s.texts().join("")));
        const text = status.texts().join("");
        assert.match(text, q < 5 ? new RegExp(`^○ 正解 \\d+点。第 ${q + 1}問$`) : /^○ 正解 \d+点。終わり。合計 \d+点$/);
        return text;
      }, `the result of question ${q}`);
      console.log(`question ${q}: ${answers[answer]}: ${said}`);
    }

    // The results window: its texts read, a name typed into its field.
    await until(cdp, async (t) => {
      const results = t.one("dialog", "ヒョウミ1(z.Aoba)");
      assert(results.texts().includes("成績一覧"), "成績一覧");
      await t.one("textbox").click();
    }, "the results window");
    await until(cdp, (t) => assert.strictEqual(t.focused()?.role, "textbox"), "the name box focused");
    await page.type("SR");
    await until(cdp, (t) => assert.strictEqual(t.one("textbox").value, "SR"), "the name read back");
    await until(cdp, (t) => t.one("button", "戻る").click(), "戻る");
    await box(cdp, "再スタート", "再スタートは，\n「スタート」ボタンをクリック!!");
    await box(cdp, "スタート", greeting);
    assert.deepStrictEqual(rangeOne(await rankingBytes(page))[0][0], "SR", "the name is stored");
    await page.look("screenreader-after-game");

    // The menus: a check mark read as checked; the help window's texts.
    await until(cdp, (t) => t.one("menuitem", "ｘの値").click(), "ｘの値");
    await until(cdp, (t) => assert.strictEqual(t.one("menuitemcheckbox", "－２～２").checked, "true"), "the range's mark");
    await until(cdp, (t) => t.one("menuitem", "ヘルプ").click(), "ヘルプ");
    await until(cdp, (t) => t.one("menuitem", "説明").click(), "説明");
    await until(cdp, async (t) => {
      const help = t.all("dialog", "ヒョウミ1(z.Aoba)").find((d) => d.texts().some((s) => s.includes("中学校３年間")));
      assert(help, "the help window's texts");
      await t.one("button", "戻る").click();
    }, "the help window");
    await box(cdp, "スタート", greeting);

    // By keyboard alone: the focus moves with Tab and Shift+Tab, Space
    // starts, the keys 1 to 5 answer, the name is typed, Enter closes the
    // boxes; F10 (as Alt) reaches the menu bar and the arrows its items.
    const focused = (name) => until(cdp, (t) => assert.strictEqual(t.focused()?.name, name), `the focus on ${name}`);
    await focused("スタート");
    await page.key("Tab");
    await focused("ｘの値：－２～２");
    await page.raw.keyboard.down("Shift");
    await page.key("Tab");
    await page.raw.keyboard.up("Shift");
    await focused("スタート");
    await page.key(" ");
    for (let q = 1; q <= 5; ++q) {
      const answer = await until(cdp, (t) => {
        assert(t.all("statictext", `第 ${q}問`).length > 0, `第 ${q}問`);
        return question(t);
      }, `question ${q} by keys`);
      await page.key(String(answer + 1));
    }
    await until(cdp, (t) => assert.strictEqual(t.focused()?.role, "textbox"), "the name box by keys");
    await page.type("KEYS");
    await page.key("Enter");
    await until(cdp, (t) => t.one("alertdialog", "再スタート"), "the restart box by keys");
    await page.key("Enter");
    await until(cdp, (t) => t.one("alertdialog", "スタート"), "the greeting by keys");
    await page.key("Enter");
    await focused("スタート");
    await page.key("F10");
    await focused("ゲーム");
    for (const key of ["ArrowLeft", "ArrowDown"])
      await page.key(key);
    await focused("説明");
    await page.key("Escape");
    await page.key("Escape");
    await focused("スタート");
    const names = rangeOne(await rankingBytes(page)).map(([n]) => n);
    assert(names.includes("SR") && names.includes("KEYS"), `both names are stored: ${names}`);
    await page.look("screenreader-after-keys");
    const errors = page.console.filter((line) => /exception|abort|error/i.test(line));
    assert.deepStrictEqual(errors, [], "no errors in the console");
    console.log("screenreader: passed");
  } finally {
    await browser.close();
    await server.close();
  }
})().catch((error) => {
  console.error("screenreader: FAILED:", error.message);
  process.exit(1);
});
