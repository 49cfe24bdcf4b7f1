// The page in a real browser against the native tool: files fed through the file input,
// every conversion downloaded and compared byte for byte with `audconv convert`, the chart
// with `audconv plot`, the point tables with `audconv inspect --json`, bad inputs shown as
// the tool's one line, and no request leaving the page.
import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { copyFileSync, existsSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { basename, dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import { openPage } from "./browser.mjs";

const root = resolve(dirname(fileURLToPath(import.meta.url)), "../..");
const PAGE = resolve(root, process.env.AUDCONV_PAGE || "build/wasm/web/audconv.html");
const TOOL = resolve(root, process.env.AUDCONV_TOOL || "build/ci-gcc/tools/audconv/audconv");
const SCREENSHOT = resolve(root, process.env.AUDCONV_SCREENSHOT || join(dirname(PAGE), "audconv-page.png"));
const TARGETS = [100, 200, 500];

const work = mkdtempSync(join(tmpdir(), "audconv-page-test-"));
let session;

function tool(args, cwd = work) {
  const run = spawnSync(TOOL, args, { cwd });
  return { status: run.status, stdout: run.stdout, stderr: run.stderr.toString().trim() };
}

// The samples, and a document made from each record (the page reads 500 as well).
function inputs() {
  const files = [];
  for (const name of readdirSync(join(root, "samples"))) {
    copyFileSync(join(root, "samples", name), join(work, name));
    files.push(name);
    const [, stem, standard] = name.match(/^(.*)\.ds([0-9]+)$/);
    const document = stem + "-made.xml";
    assert.equal(tool(["convert", "--from", standard, "--to", "500", "-o", document, name]).status, 0);
    files.push(document);
  }
  return files;
}

// Bad inputs: each must give the error line the tool prints for it, and leave a working page.
const BAD_INPUTS = {
  "empty.ds200": () => Buffer.alloc(0),
  "random.bin": () => Buffer.from(Array.from({ length: 1000 }, (_, i) => (i * 7919 + 13) % 256)),
  "truncated.ds200": () => readFileSync(join(root, "samples/full-audiogram.ds200")).subarray(0, 20000),
  "page.xml": () => Buffer.from("<html><body>not an audiogram</body></html>"),
};

const settle = () => new Promise((done) => setTimeout(done, 50));

// A fresh folder that the browser's downloads go to from now on.
async function downloadFolder(name) {
  const folder = join(work, name);
  mkdirSync(folder);
  await (await session.page.createCDPSession()).send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: folder });
  return folder;
}

async function upload(files) {
  const { page } = session;
  await page.click("#clear").catch(() => {});
  await (await page.$("#files")).uploadFile(...files.map((name) => join(work, name)));
  await page.waitForFunction((count) => document.querySelectorAll("#results article").length === count, {}, files.length);
}

// The download a convert button gives, with the file's warning lines; or its error line.
async function downloadsOf(article, to, folder) {
  const before = new Set(readdirSync(folder));
  // a real click, as a user gives it: Chromium lets a page start downloads on a user's gesture
  await (await article.$(`.convert button[data-to="${to}"]`)).click();
  const error = await article.$eval(".error", (node) => (node.hidden ? "" : node.textContent));
  if (error) return { error };
  const warnings = await article.$$eval(".warnings li", (items) => items.map((item) => item.textContent).join("\n"));
  for (let waited = 0; waited < 30000; waited += 50) {
    const fresh = readdirSync(folder).filter((name) => !before.has(name) && !name.endsWith(".crdownload"));
    if (fresh.length === 1) return { name: fresh[0], bytes: readFileSync(join(folder, fresh[0])), warnings };
    await settle();
  }
  await session.page.screenshot({ path: join(folder, "timeout.png") });
  throw new Error("no download for " + to);
}

before(async () => {
  assert.ok(existsSync(PAGE), "build the page first: cmake --preset wasm && cmake --build --preset wasm");
  assert.ok(existsSync(TOOL), "build the tool first: cmake --preset ci-gcc && cmake --build --preset ci-gcc");
  session = await openPage(PAGE);
});

after(async () => session && (await session.close()));

test("every conversion downloads the bytes audconv convert writes, named as it names them", async () => {
  for (const name of inputs()) {
    const folder = await downloadFolder("downloads-" + name);
    await upload([name]);
    const article = await session.page.$("#results article");
    for (const to of TARGETS) {
      const native = join("native", name, String(to));
      const batch = tool(["convert", "--from", "auto", "--to", String(to), "--out-dir", native, name]);
      const made = existsSync(join(work, native)) ? readdirSync(join(work, native)) : [];
      const got = await downloadsOf(article, to, folder);
      const single = tool(["convert", "--from", "auto", "--to", String(to), "-o", `single-${to}-${name}`, name]);
      const failed = batch.status !== 0 || made.length === 0;
      assert.deepEqual([got.error, got.warnings, got.name], failed ? [single.stderr, undefined, undefined]
        : [undefined, single.stderr, made[0]], `${name} to ${to}: the error, the warnings and the file name`);
      if (!failed) assert.ok(got.bytes.equals(readFileSync(join(work, native, made[0]))), `${name} to ${to}: the bytes`);
    }
  }
});

test("convert all downloads one result per open file", async () => {
  const { page } = session;
  const folder = await downloadFolder("downloads-all");
  await upload(["full-audiogram.ds200", "left-right-thresholds.ds100"]);
  await page.select("#convert-all-to", "500");
  await page.click("#convert-all");
  // each download against the native output of its source (written by the first test)
  const sources = { "full-audiogram.xml": "full-audiogram.ds200", "left-right-thresholds.xml": "left-right-thresholds.ds100" };
  const expected = Object.keys(sources).sort();
  for (let waited = 0; waited < 10000 && readdirSync(folder).sort().join() !== expected.join(); waited += 50) await settle();
  assert.deepEqual(readdirSync(folder).sort(), expected);
  for (const [name, source] of Object.entries(sources)) {
    assert.ok(readFileSync(join(folder, name)).equals(readFileSync(join(work, "native", source, "500", name))), name);
  }
});

// A file whose standard the bytes cannot tell is read as the standard its suffix names,
// chosen on the page as a user would.
test("chart, summary and point tables are those of audconv plot and inspect --json", async () => {
  const { page } = session;
  const files = readdirSync(join(root, "samples")).sort();
  await upload(files);
  const articles = await page.$$("#results article");
  for (const [i, name] of files.entries()) {
    const from = name.match(/\.ds([0-9]+)$/)[1];
    if (await articles[i].$eval(".choose-standard", (node) => !node.hidden)) await articles[i].$eval(".from", (select, value) => {
      select.value = value;
      select.dispatchEvent(new Event("change"));
    }, from);
    const shown = await articles[i].evaluate((article) => ({
      chart: article.querySelector("img.chart").src,
      tables: Array.from(article.querySelectorAll("table[data-section]"), (table) => ({
        section: table.dataset.section, slot: Number(table.dataset.slot),
        headers: Array.from(table.tHead.rows[0].cells, (cell) => cell.textContent),
        rows: Array.from(table.tBodies[0].rows, (row) => Array.from(row.cells, (cell) => cell.textContent)),
      })),
      ears: Array.from(article.querySelectorAll("section table:not([data-section]) tbody tr"),
        (row) => Array.from(row.cells, (cell) => cell.textContent)),
    }));
    const svg = Buffer.from(shown.chart.replace(/^data:image\/svg\+xml;base64,/, ""), "base64");
    assert.ok(svg.equals(tool(["plot", "--from", from, name]).stdout), `${name}: the chart`);
    const report = JSON.parse(tool(["inspect", "--json", "--from", from, name]).stdout);
    const curves = report.sections.flatMap((section) => section.curves.map((curve) => ({ section: section.name, curve })));
    const cell = (value) => (value === null || value === undefined ? "" : String(value));
    assert.deepEqual(shown.tables.map(({ section, slot, rows }) => ({ section, slot, rows })), curves.map(({ section, curve }, k) =>
      ({ section, slot: curve.slot, rows: curve.points.map((point) => (shown.tables[k]?.headers ?? []).map((key) => cell(point[key]))) })),
      `${name}: one table per curve, its rows the curve's points`);
    for (const ear of report.summary.ears) {
      const row = shown.ears.find((cells) => cells[0] === ear.ear);
      assert.ok(row, `${name}: a summary row for the ${ear.ear} ear`);
      if (ear.pta4.db !== null) assert.ok(row[1].includes(String(ear.pta4.db)), `${name}: PTA4 of the ${ear.ear} ear`);
    }
  }
  await page.setViewport({ width: 900, height: 1400 });
  await upload(["full-audiogram.ds200"]);
  await session.page.screenshot({ path: SCREENSHOT, fullPage: false });
});

test("a bad input shows the tool's error line or warning, and the page goes on working", async () => {
  const folder = await downloadFolder("downloads-bad");
  for (const [name, bytes] of Object.entries(BAD_INPUTS)) {
    writeFileSync(join(work, name), bytes());
    const expected = tool(["inspect", name]);
    await upload([name, "full-audiogram.ds200"]);
    const [badArticle, goodArticle] = await session.page.$$("#results article");
    const error = await badArticle.$eval(".error", (node) => (node.hidden ? "" : node.textContent));
    assert.equal(error, expected.status === 0 ? "" : expected.stderr, name);
    const converted = await downloadsOf(badArticle, 200, folder);
    const single = tool(["convert", "--from", "auto", "--to", "200", "-o", "bad-out.ds200", name]);
    assert.equal(converted.error ?? converted.warnings, single.stderr, `${name} to 200`);
    assert.equal(await goodArticle.$eval(".error", (node) => node.hidden), true, `after ${name}`);
    assert.ok(await goodArticle.$("img.chart"), `the chart after ${name}`);
  }
});

test("no request leaves the page, and its policy refuses one", async () => {
  const outside = session.requests.filter((url) => url !== session.url && !/^(data|blob):/.test(url));
  assert.deepEqual(outside, []);
  const refused = await session.page.evaluate(() => new Promise((resolve) => {
    document.addEventListener("securitypolicyviolation", (event) => resolve(event.effectiveDirective));
    fetch("http://127.0.0.1:9/").catch(() => {});
  }));
  assert.equal(refused, "connect-src");
});
