// The page's conversion time against the native one on this machine: each direction of a
// sample, best of nine batches in both, and the ratio. Needs the page (wasm preset), the
// release library (bench preset) and a C++ compiler: `node web/bench/timing.mjs`.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import { openPage } from "../test/browser.mjs";

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(here, "../..");
const PAGE = resolve(root, "build/wasm/web/audconv.html");
const ITERATIONS = 300;
const work = mkdtempSync(join(tmpdir(), "audconv-timing-"));
const native = join(work, "native_timing");
execFileSync("g++", ["-std=c++20", "-O3", "-DNDEBUG", "-I", join(root, "src"), join(here, "native_timing.cpp"),
  join(root, "build/bench/src/libaudiogram_core.a"), "-o", native]);

const record = readFileSync(join(root, "samples/full-audiogram.ds200"));
const documentPath = join(work, "full-audiogram.xml");
const cases = [
  { from: 200, to: 500, file: join(root, "samples/full-audiogram.ds200") },
  { from: 500, to: 200, file: documentPath },
  { from: 200, to: 100, file: join(root, "samples/full-audiogram.ds200") },
];

const session = await openPage(PAGE);
try {
  const made = await session.page.evaluate((bytes) => Array.from(window.audconvPage.convertBytes(new Uint8Array(bytes), 200, 500, "sample.ds200").bytes), Array.from(record));
  writeFileSync(documentPath, Buffer.from(made));
  console.log(`page: ${statSync(PAGE).size} bytes`);
  for (const { from, to, file } of cases) {
    const bytes = Array.from(readFileSync(file));
    const page = await session.page.evaluate((bytes, from, to, iterations) => {
      const input = new Uint8Array(bytes);
      let best = Infinity;
      for (let batch = 0; batch < 9; ++batch) {
        const start = performance.now();
        for (let i = 0; i < iterations; ++i) window.audconvPage.convertBytes(input, from, to, "sample");
        best = Math.min(best, ((performance.now() - start) * 1000) / iterations);
      }
      return best;
    }, bytes, from, to, ITERATIONS);
    // the library's report of its character table comes first; the figure is the last line
    const nativeMicroseconds = Number(execFileSync(native, [from, to, file, ITERATIONS].map(String)).toString().trim().split("\n").pop());
    console.log(`${from} to ${to}: page ${page.toFixed(1)} µs, native ${nativeMicroseconds.toFixed(1)} µs, ratio ${(page / nativeMicroseconds).toFixed(2)}`);
  }
} finally {
  await session.close();
}
