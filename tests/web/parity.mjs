// SPDX-License-Identifier: GPL-3.0-or-later
// The browser draws the game Linux draws: bench_frame's seeded frames, from
// the web build in headless Chromium and from the Linux build under Xvfb,
// compared pixel by pixel, region by region. A pixel differs when one of its
// channels differs by more than 16 levels.
// Usage: node parity.mjs BENCH_PAGE_URL LINUX_SHOTS_DIR
import { readFileSync, writeFileSync } from "node:fs";
import puppeteer from "puppeteer-core";

const [url, linuxDir] = process.argv.slice(2);
const outDir = process.env.DRIFTHAUL_WEB_SHOTS || ".";

// Per frame, its regions as rectangles [x0, y0, x1, y1) at 320x200 (the HUD
// frame at 640x400), and the most that may differ there, in per cent (the
// figures and their reasons are in the README's notes on the browser build).
const play = (hud, most) => ({
    "HUD text": [[[125, 28, 195, 46]], hud],
    entries: [[[0, 40, 120, 100], [200, 40, 320, 100]], most.entries],
    funnel: [[[125, 50, 200, 135]], most.funnel],
    "HUD meter": [[[10, 100, 120, 140], [200, 100, 310, 140]], most.meter],
    planet: [[[0, 145, 290, 200]], most.planet],
});
const frames = {
    waiting: { "sky and stars": [[[0, 0, 320, 25], [250, 46, 320, 110]], 3], "HUD text": [[[20, 28, 265, 46]], 3],
               planet: [[[0, 120, 110, 200]], 3], funnel: [[[112, 67, 178, 120]], 3] },
    banner: { "sky and stars": [[[0, 0, 320, 40]], 3], banner: [[[120, 42, 200, 63]], 3],
              "HUD meter": [[[10, 100, 310, 140]], 3], planet: [[[30, 150, 280, 200]], 3] },
    paused: play(3, { entries: 3, funnel: 3, meter: 3, planet: 3 }),
    fade: play(3, { entries: 3, funnel: 3, meter: 3, planet: 3 }),
    trail: play(3, { entries: 3, funnel: 3, meter: 3, planet: 3 }),
    mars: play(3, { entries: 3, funnel: 3, meter: 3, planet: 3 }),
    venus: play(3, { entries: 3, funnel: 3, meter: 3, planet: 3 }),
    "rock-shield": play(3, { entries: 3, funnel: 3, meter: 3, planet: 3 }),
    // WebGL draws no smoothed lines: every wireframe edge differs (Linux
    // drawing them unsmoothed, each region came within 1.1 %).
    wireframe: play(7.5, { entries: 19, funnel: 27, meter: 16, planet: 38 }),
    won: { ...play(3, { entries: 3, funnel: 3, meter: 3, planet: 3 }), message: [[[0, 28, 320, 48]], 3] },
    died: { ...play(3, { entries: 3, funnel: 3, meter: 3, planet: 3 }), message: [[[0, 28, 320, 48]], 3] },
    // 640x400: the health icon and number, the powerup's icon and readout.
    hud: { "sky and stars": [[[420, 0, 640, 150]], 3], "HUD meter": [[[10, 295, 310, 345]], 3],
           health: [[[300, 345, 400, 395]], 3], powerup: [[[400, 345, 580, 395]], 3] },
};

function readPpm(bytes) {
    const header = bytes.subarray(0, 20).toString("latin1").match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
    if (!header) throw new Error("not a binary PPM");
    return { width: Number(header[1]), pixels: bytes.subarray(header[0].length) };
}

const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--use-gl=angle", "--use-angle=swiftshader", "--enable-unsafe-swiftshader"],
});
const page = await browser.newPage();
const lines = [];
page.on("console", (m) => lines.push(m.text()));
await page.goto(`${url}?arg=shots&arg=/shots`);
await page.waitForFunction(() => window.benchExit !== undefined, { timeout: 120000 });
const exit = await page.evaluate(() => window.benchExit);
if (exit !== 0) {
    console.log(lines.join("\n"));
    console.log(`FAIL the web build's shots ended with ${exit}`);
    process.exit(1);
}
const web = {};
for (const name of Object.keys(frames))
    web[name] = Buffer.from(await page.evaluate((n) => Array.from(Module.FS.readFile(`/shots/${n}.ppm`)), name));
await browser.close();

let failed = 0;
for (const [name, regions] of Object.entries(frames)) {
    writeFileSync(`${outDir}/parity-${name}-web.ppm`, web[name]);
    const linux = readPpm(readFileSync(`${linuxDir}/${name}.ppm`)), browser = readPpm(web[name]);
    if (linux.width !== browser.width) throw new Error(`${name}: ${linux.width} pixels wide on Linux, ${browser.width} in the browser`);
    const a = linux.pixels, b = browser.pixels, width = linux.width;
    const row = [];
    for (const [region, [rects, most]] of Object.entries(regions)) {
        let differ = 0, all = 0;
        for (const [x0, y0, x1, y1] of rects)
            for (let y = y0; y < y1; ++y)
                for (let x = x0; x < x1; ++x, ++all) {
                    const i = (y * width + x) * 3;
                    if (Math.max(Math.abs(a[i] - b[i]), Math.abs(a[i + 1] - b[i + 1]), Math.abs(a[i + 2] - b[i + 2])) > 16)
                        ++differ;
                }
        const share = (100 * differ) / all;
        if (share > most) ++failed;
        row.push(`${region} ${share.toFixed(1)} %${share > most ? ` (FAIL, more than ${most} %)` : ""}`);
    }
    console.log(`${name}: ${row.join(", ")}`);
}
console.log(failed ? `${failed} regions differ more than they may` : "every region within its bound");
process.exit(failed ? 1 : 0);
