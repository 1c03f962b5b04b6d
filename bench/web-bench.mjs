// SPDX-License-Identifier: GPL-3.0-or-later
// One run of the browser build's bench_frame in headless Chromium
// (SwiftShader's WebGL, as the tests use): prints its lines as the Linux
// program prints them. Run by bench/web.sh.
// Usage: node web-bench.mjs BENCH_PAGE_URL FRAMES [MORE_QUERY, e.g. env=LIBGL_BATCH=1]
import puppeteer from "puppeteer-core";

const [url, frames, more] = process.argv.slice(2);
const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--use-gl=angle", "--use-angle=swiftshader", "--enable-unsafe-swiftshader"],
});
const page = await browser.newPage();
const opened = Date.now();
await page.goto(`${url}?arg=${frames}${more ? `&${more}` : ""}`);
await page.waitForFunction(() => window.benchExit !== undefined, { timeout: 600000, polling: 500 });
const lines = await page.evaluate(() => window.benchLines);
console.log(lines.join("\n"));
console.log(`page open to the bench's end: ${((Date.now() - opened) / 1000).toFixed(1)} s, exit ${await page.evaluate(() => window.benchExit)}`);
await browser.close();
