// SPDX-License-Identifier: GPL-3.0-or-later
// What the browser scripts share: named checks that print "ok" or "FAIL"
// and are summed up at the end, and waiting for a condition, never a fixed
// sleep where a condition can be watched.
export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const failures = [];
export function check(what, ok, detail = "") {
    console.log(`${ok ? "ok  " : "FAIL"} ${what} ${detail}`);
    if (!ok) failures.push(what);
}

// Polls test() every tenth of a second; false after the given seconds.
export async function waitUntil(seconds, test) {
    for (const end = Date.now() + seconds * 1000; Date.now() < end; await sleep(100))
        if (await test()) return true;
    return false;
}

// The summary line, and the exit code: 1 when any check failed.
export function finish() {
    console.log(failures.length ? `${failures.length} failed: ${failures.join("; ")}` : "all passed");
    process.exit(failures.length ? 1 : 0);
}
