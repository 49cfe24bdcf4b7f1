// Headless Chromium from the system (never a downloaded one) with a fresh profile, and the
// page opened from disk with every request it makes logged.
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

export const CHROMIUM = process.env.AUDCONV_CHROMIUM || "/usr/bin/chromium";

export async function openPage(pagePath) {
  const profile = mkdtempSync(join(tmpdir(), "audconv-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--headless", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  const page = await browser.newPage();
  const requests = [];
  page.on("request", (request) => requests.push(request.url()));
  const url = pathToFileURL(pagePath).href;
  await page.goto(url);
  await page.waitForSelector("body[data-ready=true]", { timeout: 30000 });
  const close = async () => {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { browser, page, url, requests, close };
}
