// SPDX-License-Identifier: GPL-3.0-or-later
// The browser build as a player meets it, in Debian's headless Chromium:
// the console's lines, the game's loading screen, the waiting screen by
// region, the click, steering, pause, wireframe, the pause when the pointer
// lock goes or the tab is hidden (and kept when the lock comes back), a free
// pointer steering nothing, a click taking the lock back, the Fps readout's
// magnitude, a catch's sound as the meter moves, Escape's end
// panel; bad data's message and code on the page; the page without WebGL.
// Usage: node play.mjs URL (the release folder served over HTTP)
import { writeFileSync } from "node:fs";
import { inflateSync } from "node:zlib";
import puppeteer from "puppeteer-core";
import { check, finish, sleep, waitUntil } from "./checks.mjs";

const url = process.argv[2];
const outDir = process.env.DRIFTHAUL_WEB_SHOTS || ".";

// Chromium's screenshots: 8-bit RGB or RGBA, not interlaced.
function decodePng(png) {
    const width = png.readUInt32BE(16), height = png.readUInt32BE(20), channels = png[25] === 6 ? 4 : 3;
    const chunks = [];
    for (let at = 8; at < png.length; at += png.readUInt32BE(at) + 12)
        if (png.toString("latin1", at + 4, at + 8) === "IDAT") chunks.push(png.subarray(at + 8, at + 8 + png.readUInt32BE(at)));
    const raw = inflateSync(Buffer.concat(chunks)), stride = width * channels;
    const px = Buffer.alloc(height * stride);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        for (let x = 0; x < stride; ++x) {
            const a = x >= channels ? px[y * stride + x - channels] : 0, b = y ? px[(y - 1) * stride + x] : 0;
            const c = x >= channels && y ? px[(y - 1) * stride + x - channels] : 0;
            const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
            const pred = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
            px[y * stride + x] = (raw[y * (stride + 1) + 1 + x] + pred) & 255;
        }
    }
    return {
        png,
        // Pixels in [x0, x1) x [y0, y1) for which test({r, g, b}) holds.
        count(x0, y0, x1, y1, test) {
            let n = 0;
            for (let y = y0; y < y1; ++y)
                for (let x = x0; x < x1; ++x) {
                    const i = y * stride + x * channels;
                    if (test({ r: px[i], g: px[i + 1], b: px[i + 2] })) ++n;
                }
            return n;
        },
        same(other) { return px.equals(other.px); },
        px,
        channels,
    };
}
const white = (p) => p.r > 200 && p.g > 200 && p.b > 200;
const meterColour = (p) => p.b > 140 && Math.abs(p.r - p.g) < 14 && p.r > 50 && p.r < 125;
const dark = (p) => p.r + p.g + p.b < 60;
const saturated = (p) => Math.max(p.r, p.g, p.b) - Math.min(p.r, p.g, p.b) > 60;
// The funnel's light grey, across, in the rows above the meter.
function tubeX(shot) {
    let n = 0, sum = 0;
    for (let y = 50; y < 100; ++y)
        for (let x = 0; x < 320; ++x) {
            const i = (y * 320 + x) * shot.channels;
            const r = shot.px[i], g = shot.px[i + 1], b = shot.px[i + 2];
            if (r > 110 && Math.abs(r - g) < 18 && Math.abs(g - b) < 22) { ++n; sum += x; }
        }
    return n ? sum / n : -1;
}

// Chromium headless; Firefox (DRIFTHAUL_BROWSER=firefox) on the X server in
// DISPLAY, as its headless mode offers no WebGL.
const firefox = process.env.DRIFTHAUL_BROWSER === "firefox";
const browser = await puppeteer.launch(firefox ? { browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: false } : {
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--use-gl=angle", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
           "--autoplay-policy=no-user-gesture-required", "--disable-background-networking"],
});

// Opens the page (at 320x200 unless asked otherwise); console lines and
// page errors are collected.
async function open(query = "?size=320x200", preRun = null) {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 }); // the buttons clear of the canvas
    const log = { out: [], err: [], pageErrors: [] };
    page.on("console", (m) => ({ error: log.err, log: log.out })[m.type()]?.push(m.text()));
    page.on("pageerror", (e) => log.pageErrors.push(String(e)));
    if (preRun) await page.evaluateOnNewDocument(`window.drifthaulPreRun = ${preRun};`);
    // What the mixer plays goes through Web Audio: each sound's start, by
    // the page's clock, and its length.
    await page.evaluateOnNewDocument(() => {
        window.sounds = [];
        const start = AudioBufferSourceNode.prototype.start;
        AudioBufferSourceNode.prototype.start = function (...rest) {
            window.sounds.push({ at: performance.now(), seconds: this.buffer ? this.buffer.duration : 0 });
            return start.apply(this, rest);
        };
    });
    await page.goto(`${url}/index.html${query}`);
    const shot = async () => {
        const box = await (await page.$("#canvas")).boundingBox();
        return decodePng(Buffer.from(await page.screenshot({ clip: box, captureBeyondViewport: false })));
    };
    return { page, log, shot };
}
const visible = (page, id) => page.$eval(id, (e) => !e.hidden);

// A whole session.
{
    const { page, log, shot } = await open();
    const opened = Date.now();
    check("the click-to-play panel shows once the data is loaded", await waitUntil(60, () => visible(page, "#start")));
    const loaded = Date.now();
    await page.click("#play");
    // (While the load runs the page takes no screenshot: the first one after
    // it may catch the loading screen already fading, hence light, not white.)
    const light = (p) => p.r + p.g + p.b > 420 && !saturated(p);
    check("the game's own loading screen, light with its blue line, shows as it loads", await waitUntil(20,
        async () => { const s = await shot(); return s.count(0, 0, 320, 140, light) > 40000 &&
                                                      s.count(0, 140, 320, 200, (p) => p.b > p.r + 60) > 100; }));
    check("the game starts", await waitUntil(20, () => log.out.includes("starting the game...")), log.err.join("|"));
    check("the console's lines in order", log.out.slice(0, 7).join("|") === "Drifthaul, version 0.19|lading shaders..." +
        "|loading sounds...|loading textures...|loading objects...|loading environment...|starting the game...",
        log.out.slice(0, 7).join("|"));
    check("the pointer is locked", await page.evaluate(() => document.pointerLockElement?.id === "canvas"));
    let waiting;
    // Once the loading screen (light grey) has faded out and the game in.
    await waitUntil(20, async () => (waiting = await shot()).count(0, 0, 320, 25, dark) > 6000 &&
        waiting.count(0, 31, 320, 48, white) > 150);
    writeFileSync(`${outDir}/web-waiting.png`, waiting.png);
    console.log(`(measured, not judged: the page loaded in ${(loaded - opened) / 1000} s, the waiting screen ` +
                `showed ${(Date.now() - loaded) / 1000} s after the click)`);
    check("stars", waiting.count(0, 0, 320, 25, (p) => p.r + p.g + p.b > 240 && !saturated(p)) > 4);
    check("the planet's oceans", waiting.count(0, 100, 320, 200, (p) => p.b > p.r + 60 && p.b > p.g) > 300);
    check("the planet's land", waiting.count(0, 100, 320, 200, (p) => p.g > p.r + 15 && p.g > p.b + 15) > 20);
    check("the invitation", waiting.count(0, 31, 320, 48, white) > 150);

    // The readout's width tells its magnitude: "Fps: 24.0" ends near x = 80,
    // one character (8 pixels) earlier below 10, three later a thousand
    // times off.
    await page.keyboard.press("f");
    await sleep(1500); // its first figure counts from long before
    let readout = -1;
    await waitUntil(5, async () => {
        const s = await shot();
        readout = -1;
        for (let y = 0; y < 16; ++y)
            for (let x = 0; x < 150; ++x) {
                const i = (y * 320 + x) * s.channels, r = s.px[i], g = s.px[i + 1], b = s.px[i + 2];
                if (g > 120 && b > 120 && r < g - 40) readout = Math.max(readout, x);
            }
        return readout > 0;
    });
    check("the Fps readout shows a rate of two digits (the game's 25 frames a second)", readout > 76 && readout < 86,
          `its right edge at x = ${readout}`);
    await page.keyboard.press("f");

    await page.keyboard.press(" ");
    check("play shows the meter", await waitUntil(5, async () => (await shot()).count(10, 100, 310, 140, meterColour) > 100));
    // The game skips the first two motions. The last rests at the page's
    // centre, where Firefox keeps a locked pointer and from where it counts
    // the next motion (Chromium counts from the last place): 122 across in both.
    await page.mouse.move(392, 300);
    await page.mouse.move(396, 300);
    await page.mouse.move(400, 300);
    let before = -2, previous;
    await waitUntil(5, async () => { previous = before; before = tubeX(await shot()); return Math.abs(before - previous) < 0.5; });
    await page.mouse.move(522, 300);
    let leftmost = before;
    for (let i = 0; i < 20; ++i) leftmost = Math.min(leftmost, tubeX(await shot()));
    check("the funnel steers", leftmost < before - 15, `${before} -> ${leftmost}`);

    // A catch: the meter's bar grows, and the catch sound (0.40 or 0.45 s
    // long, the desktop's two) starts with it. The idle funnel catches a
    // piece of trash every quarter of a minute or so.
    const fill = (p) => Math.abs(p.r - 64) < 14 && Math.abs(p.b - 166) < 16 && p.g < 80;
    const bars = [];
    let caught = null;
    await waitUntil(90, async () => {
        const at = await page.evaluate(() => performance.now());
        bars.push({ at, bar: (await shot()).count(10, 100, 310, 140, fill) });
        const grew = bars.findIndex((b, i) => i > 0 && b.bar > bars[i - 1].bar + 20);
        if (grew < 0) return false;
        caught = { from: bars[grew - 1].at, to: bars[grew].at };
        return true;
    });
    const sounds = await page.evaluate(() => window.sounds);
    check("a catch plays the catch sound as the meter moves", !!caught && sounds.some((x) =>
          (Math.abs(x.seconds - 0.4) < 0.01 || Math.abs(x.seconds - 0.45) < 0.01) &&
          x.at > caught.from - 400 && x.at < caught.to + 400), JSON.stringify({ caught, sounds: sounds.slice(-4) }));

    // Paused: the words show and the picture holds still.
    let paused;
    const holdsPaused = () => waitUntil(8, async () => {
        const last = paused;
        paused = await shot();
        return paused.count(100, 31, 220, 48, white) > 30 && last && paused.same(last);
    });
    await page.keyboard.press("Enter");
    check("Return pauses", await holdsPaused());
    await page.keyboard.press("r");
    let wire;
    check("r reports wireframe", await waitUntil(5, () => log.out.includes("render mode: wireframe")));
    await waitUntil(5, async () => !(wire = await shot()).same(paused));
    writeFileSync(`${outDir}/web-wireframe.png`, wire.png);
    check("the wireframe's dark sky", wire.count(0, 120, 300, 200, dark) > paused.count(0, 120, 300, 200, dark) + 2000);

    // Back to play, then the lock goes: the pause words come back.
    await page.keyboard.press("r");
    await page.keyboard.press("r");
    check("r twice more: immediate, then buffer objects", await waitUntil(5, () =>
        log.out.join("|").includes("render mode: immediate|render mode: Vetexbuffer objects")), log.out.slice(-3).join("|"));
    await page.keyboard.press("Enter");
    await waitUntil(5, async () => (await shot()).count(100, 31, 220, 48, white) < 30);
    check("the pointer is still locked", await waitUntil(5, () => page.evaluate(() => !!document.pointerLockElement)));
    // Escape while locked only gives the pointer back, which pauses.
    await page.keyboard.press("Escape");
    paused = null;
    check("Escape while locked frees the pointer and pauses", await holdsPaused() &&
        !(await page.evaluate(() => document.pointerLockElement)) && !(await visible(page, "#ended")));

    // Resumed with the pointer free: its motion across the page reaches none
    // of the game's handlers (the game's picture moves on its own as the ship
    // flies, so the funnel's place would not tell).
    const moving = () => waitUntil(5, async () => { const a = await shot(); await sleep(300); return !a.same(await shot()); });
    await page.keyboard.press("Enter");
    check("Return resumes with the pointer free", await moving());
    await page.evaluate(() => { window.motions = 0; document.addEventListener("mousemove", () => ++window.motions); });
    for (const x of [100, 300, 500, 700, 400]) await page.mouse.move(x, 300);
    await sleep(500);
    check("a free pointer steers nothing", (await page.evaluate(() => window.motions)) === 0);
    // A click on the game takes the lock back, and steering works again.
    await page.mouse.click(400, 100);
    check("a click on the game takes the lock back", await waitUntil(5, () =>
        page.evaluate(() => document.pointerLockElement?.id === "canvas")));
    let relocked = -2, last;
    await waitUntil(5, async () => { last = relocked; relocked = tubeX(await shot()); return Math.abs(relocked - last) < 0.5; });
    // As above: through the page's centre, then across in three steps (a
    // funnel steered out of the rows judged counts as moved).
    await page.mouse.move(400, 300);
    await page.mouse.move(522, 300);
    await page.mouse.move(644, 300);
    await page.mouse.move(766, 300);
    let moved = 0;
    for (let i = 0; i < 20; ++i) moved = Math.max(moved, Math.abs(tubeX(await shot()) - relocked));
    check("steering works again", moved > 8 && (await page.evaluate(() => window.motions)) > 0, `${moved}`);
    // Paused, then the lock goes, then comes back: still paused until Return.
    await page.keyboard.press("Enter");
    paused = null;
    await holdsPaused();
    await page.keyboard.press("Escape");
    await sleep(1000);
    paused = null;
    check("losing the lock while paused keeps the pause", await holdsPaused());
    await page.mouse.click(400, 100);
    await waitUntil(5, () => page.evaluate(() => !!document.pointerLockElement));
    await sleep(1000);
    paused = null;
    check("taking the lock back keeps the pause", await holdsPaused());
    await page.keyboard.press("Enter");
    check("Return resumes", await moving());
    // The page hidden, as the browser hides it for another tab: paused.
    const hide = (hidden) => page.evaluate((h) => {
        Object.defineProperty(document, "hidden", { value: h, configurable: true });
        Object.defineProperty(document, "visibilityState", { value: h ? "hidden" : "visible", configurable: true });
        document.dispatchEvent(new Event("visibilitychange"));
    }, hidden);
    await hide(true);
    await hide(false);
    paused = null;
    check("a hidden tab pauses", await holdsPaused());

    await page.keyboard.press("Escape");
    await waitUntil(5, () => page.evaluate(() => !document.pointerLockElement));
    await page.keyboard.press("Escape");
    check("Escape ends the game with the end panel", await waitUntil(10, () => visible(page, "#ended")));
    check("Escape's message", log.out.includes("Escape pressed, exiting..."));
    check("the end panel says the game ended", (await page.$eval("#endtext", (e) => e.textContent)) === "The game ended.");
    check("no page errors", log.pageErrors.length === 0, log.pageErrors.join("|"));
    await page.close();
}

// Bad data: the game's own message and code on the page.
// The first opens at the page's own size, as a display that lists only that.
for (const [what, query, preRun, message] of [
    ["a missing shader source", "", "(FS) => FS.unlink('/game/shaders/default_lighting.vert')",
     "oops! cannot open shaders/default_lighting.vert"],
    ["a damaged model", "?size=320x200", "(FS) => FS.writeFile('/models/trash/soda/can.3ds', 'MM\\x10\\x00\\x00\\x00')",
     "could not read model file ../models/trash/soda/can.3ds: "],
]) {
    const { page, log } = await open(query, preRun);
    await waitUntil(60, () => visible(page, "#start"));
    await page.click("#play");
    await waitUntil(30, () => visible(page, "#ended"));
    const text = await page.$eval("#ended", (e) => e.innerText);
    check(`${what}: the page shows the message and code`, text.includes("exit code 255") && text.includes(message) &&
        log.err.some((line) => line.startsWith(message)), JSON.stringify(text));
    if (!query)
        check("without ?size the game takes the page's size", await page.$eval("#canvas", (c) => `${c.width}x${c.height}`) ===
              "800x572");
    await page.close();
}
await browser.close();

// Without WebGL: the page says so.
if (!firefox) {
    const plain = await puppeteer.launch({ executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
        headless: true, args: ["--no-sandbox", "--disable-webgl", "--disable-3d-apis"] });
    const page = await plain.newPage();
    await page.goto(`${url}/index.html`);
    check("without WebGL the page says so", await waitUntil(10, () => visible(page, "#nowebgl")) &&
        (await page.$eval("#nowebgl", (e) => e.innerText)).includes("needs WebGL"));
    await plain.close();
}

finish();
