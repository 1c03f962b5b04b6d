// SPDX-License-Identifier: GPL-3.0-or-later
// The page when the game cannot start as it should, in Debian's headless
// Chromium: files missing, cut short or from another version (served by a
// server of this script's own that misbehaves on purpose), the page opened
// from its folder, and sizes the game cannot use.
// Usage: node failures.mjs RELEASE_DIR
import { createHash } from "node:crypto";
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { extname, join } from "node:path";
import puppeteer from "puppeteer-core";
import { check, finish, sleep, waitUntil } from "./checks.mjs";

const dir = process.argv[2];

// The first part of the path picks how the server misbehaves:
// /good/, /missing-data/, /missing-wasm/, /cut-data/ (the first request for
// the data gets half of it), /other-data/ (the data of another version),
// /slow-data/ (the data in parts).
const requests = [];
let cutOnce = true;
const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm" };
const server = createServer((request, response) => {
    const url = new URL(request.url, "http://localhost");
    const [, mode, ...rest] = url.pathname.split("/");
    const name = rest.join("/") || "index.html";
    requests.push(`${mode} ${name}${url.search}`);
    if (mode === `missing-${name.replace("drifthaul.", "")}`) {
        response.writeHead(404, { "Content-Type": "text/plain" });
        response.end("not found");
        return;
    }
    let body;
    try {
        body = readFileSync(join(dir, name));
    } catch {
        response.writeHead(404);
        response.end();
        return;
    }
    if (name === "drifthaul.data" && mode === "other-data")
        body = Buffer.from(body).map((b, i) => (i === 1000 ? b ^ 1 : b));
    if (name === "drifthaul.data" && mode === "cut-data" && cutOnce) {
        cutOnce = false;
        body = body.subarray(0, body.length >> 1);
    }
    response.writeHead(200, { "Content-Type": types[extname(name)] || "application/octet-stream",
                              "Content-Length": body.length, "Cache-Control": "no-store" });
    if (name !== "drifthaul.data" || mode !== "slow-data") {
        response.end(body);
        return;
    }
    // A slow line: the data in ten parts, a fifth of a second apart.
    const part = Math.ceil(body.length / 10);
    const send = (at) => at >= body.length ? response.end()
        : response.write(body.subarray(at, at + part), () => setTimeout(() => send(at + part), 200));
    send(0);
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const base = `http://127.0.0.1:${server.address().port}`;

const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--no-sandbox", "--use-gl=angle", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
           "--autoplay-policy=no-user-gesture-required", "--disable-background-networking",
           "--allow-file-access-from-files"],
});
async function open(address) {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 });
    const log = [];
    page.on("console", (m) => log.push(m.text()));
    page.on("pageerror", (e) => log.push(String(e)));
    await page.goto(address);
    return { page, log };
}
const visible = (page, id) => page.$eval(id, (e) => !e.hidden);
const text = (page, id) => page.$eval(id, (e) => e.innerText);

// Each way of failing ends in its own words, never in the loading bar.
for (const [what, address, words, retry] of [
    ["opened from its folder", `file://${dir}/index.html`, /python3 -m http\.server/, false],
    ["the data missing", `${base}/missing-data/`, /drifthaul\.data could not be downloaded: the server answered 404/, false],
    ["the WebAssembly missing", `${base}/missing-wasm/`, /drifthaul\.wasm could not be downloaded: the server answered 404/, false],
    ["the data of another version", `${base}/other-data/`, /drifthaul\.data does not match this page/, true],
    ["the data cut short", `${base}/cut-data/`, /drifthaul\.data arrived incomplete: \d+ of \d+ bytes/, true],
]) {
    const { page } = await open(address);
    const shown = await waitUntil(30, () => visible(page, "#failed"));
    const said = shown ? `${await text(page, "#failtext")} ${await text(page, "#failhelp")}` : "";
    check(`${what}: the page says so`, shown && words.test(said) && !(await visible(page, "#loading")), said);
    check(`${what}: ${retry ? "" : "no "}Retry`, (await visible(page, "#retry")) === retry);
    if (what === "the data cut short") {
        await page.click("#retry");
        check("after Retry the whole data loads and the game is ready",
              await waitUntil(60, () => visible(page, "#start")));
    }
    await page.close();
}

// The bar follows the download.
{
    const { page } = await open(`${base}/slow-data/`);
    const widths = new Set();
    await waitUntil(60, async () => {
        widths.add(await page.$eval("#fill", (e) => parseFloat(e.style.width) || 0));
        return visible(page, "#start");
    });
    const between = [...widths].filter((w) => w > 5 && w < 95);
    check("the loading bar advances while the data downloads", between.length >= 3, [...widths].join(" "));
    await page.close();
}

// Every file the page fetches names its content's sum.
const sum = (name) => createHash("sha256").update(readFileSync(join(dir, name))).digest("hex").slice(0, 16);
for (const name of ["drifthaul.js", "drifthaul.wasm", "drifthaul.data"])
    check(`${name} is fetched by its sum`, requests.some((r) => r === `cut-data ${name}?v=${sum(name)}`),
          requests.filter((r) => r.includes(name)).join(", "));

// Sizes the game cannot use are mended, with a line that says so, and it plays.
for (const [size, words, played] of [
    ["0x0", /below 320x200.*plays at 320x200/, "320x200"],
    ["1x1", /below 320x200.*plays at 320x200/, "320x200"],
    ["64x40", /below 320x200.*plays at 320x200/, "320x200"],
    ["640x100", /below 320x200.*plays at 640x200/, "640x200"],
    ["abc", /not WIDTHxHEIGHT/, "800x572"],
    ["20000x20000", /larger than this browser draws \(at most (\d+)x(\d+)\): it plays at \1x\2/, null],
]) {
    const { page, log } = await open(`${base}/good/index.html?size=${size}`);
    await waitUntil(60, () => visible(page, "#start"));
    const notice = await text(page, "#notice");
    check(`?size=${size}: the page says what it does`, words.test(notice), notice);
    if (!played) {
        const [w, h] = await page.evaluate(() => Module.drifthaulScreen);
        check(`?size=${size}: within what WebGL draws`, w < 20000 && h < 20000 && w >= 320, `${w}x${h}`);
        await page.close();
        continue;
    }
    await page.click("#play");
    const started = await waitUntil(30, () => log.includes("starting the game..."));
    if (size === "abc") { // as wide as the page: the button lies below the game
        const overlap = await page.evaluate(() => {
            const a = document.getElementById("canvas").getBoundingClientRect();
            const b = document.getElementById("fullscreen").getBoundingClientRect();
            return b.width > 0 && a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
        });
        check("the Fullscreen button shows and covers none of the game", overlap === false);
        await page.keyboard.press("Escape"); // the pointer free, the About link answers
        await page.click("#aboutlink");
        const about = (await visible(page, "#about")) ? await text(page, "#about") : "";
        check("About names the version, the licences and the source", /Drifthaul \d+\.\d+/.test(about) &&
              about.includes("licenses/") && about.includes("-source.tar.gz"), about);
        await page.click("#aboutclose");
    }
    await sleep(1500);
    const canvas = await page.$eval("#canvas", (c) => `${c.width}x${c.height}`);
    check(`?size=${size}: plays at ${played} with no GL errors`, started && canvas === played &&
          !log.some((line) => /WebGL|GL_INVALID|exit code/.test(line)), `${canvas} ${log.filter((l) => /WebGL|GL_/.test(l)).slice(0, 2)}`);
    await page.close();
}

await browser.close();
server.close();
finish();
