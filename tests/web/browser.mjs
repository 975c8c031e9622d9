// What the tests of the guide page share: Debian's Chromium through puppeteer-core (or a skip,
// status 77 for ctest, when either is missing), a page opened from its file with what it asked
// for over a network and what it logged, and the pins a page draws other than a PNG export.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { promisify } from 'node:util';

import { decodePng } from './png.mjs';

const chromium = process.env.CHROMIUM || '/usr/bin/chromium';

export function skip(reason) {
    console.log(`skipped: ${reason}`);
    process.exit(77);
}

if (!fs.existsSync(chromium)) skip(`no browser at ${chromium} (scripts/deps.sh test installs chromium)`);
let puppeteer;
try {
    puppeteer = (await import('puppeteer-core')).default;
} catch {
    skip('puppeteer-core is not installed (run npm ci in tests/web, as scripts/test.sh does)');
}

const run = promisify(execFile);

/// Runs the program with these arguments and the environment added.
export function velmor(program, args, env = {}) {
    return run(program, args, { env: { ...process.env, ...env }, maxBuffer: 1 << 24 });
}

/// Runs the jobs, at most width of them at once.
export async function inTurn(jobs, width) {
    const queue = jobs.slice();
    await Promise.all(Array.from({ length: width }, async () => {
        while (queue.length > 0) await queue.shift()();
    }));
}

export function launchBrowser(profile) {
    return puppeteer.launch({
        executablePath: chromium,
        headless: true,
        userDataDir: profile,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--force-color-profile=srgb', '--hide-scrollbars'],
    });
}

/// Opens the page at the address, and waits until it has drawn and its captions answer; seen
/// collects what it asked for over a network (refused) and the errors and warnings it logged.
export async function openPage(browser, file, fragment, viewport, seen) {
    const page = await browser.newPage();
    await page.setRequestInterception(true);
    page.on('request', (request) => {
        if (/^(file|data):/.test(request.url())) return request.continue();
        seen.requests.push(request.url());
        return request.abort();
    });
    page.on('console', (message) => {
        if (message.type() === 'error' || message.type() === 'warn') seen.errors.push(`${message.type()}: ${message.text()}`);
    });
    page.on('pageerror', (error) => seen.errors.push(`uncaught: ${error.message}`));
    await page.setViewport(viewport);
    await page.goto(pathToFileURL(path.resolve(file)).href + fragment);
    await page.waitForFunction(() => document.documentElement.dataset.view !== undefined
        && document.querySelector('.captions .cap[data-tip]') !== null, { timeout: 5000 });
    return page;
}

/// Waits until the page has drawn the view of this address.
export async function showingFragment(page, fragment) {
    await page.waitForFunction((f) => document.documentElement.dataset.view === f, { timeout: 5000 }, fragment);
}

/// The names of the pins whose pixels in the page's screenshot differ from the PNG export: each
/// pin's box is its fill region with the border around it. Also gives the number of pins the
/// page's data has.
export async function pinsDiffering(page, png, ratio) {
    const { box, pins } = await page.evaluate(() => {
        const r = document.getElementById('board').getBoundingClientRect();
        const data = JSON.parse(document.getElementById('guide-data').textContent);
        return { box: { x: r.x + window.scrollX, y: r.y + window.scrollY, width: r.width, height: r.height }, pins: data.pins };
    });
    const shot = decodePng(await page.screenshot({ clip: box }));
    assert.deepEqual([shot.width, shot.height], [png.width, png.height], 'the board is drawn at one window pixel per CSS pixel');
    const differing = [];
    for (const pin of pins) {
        const rects = pin.regions[ratio - 1];
        assert.ok(rects.length > 0, `${pin.name} has a fill region`);
        const left = Math.min(...rects.map(([x]) => x)) - ratio;
        const top = Math.min(...rects.map(([, y]) => y)) - ratio;
        const right = Math.max(...rects.map(([x, , w]) => x + w)) + ratio;
        const bottom = Math.max(...rects.map(([, y, , h]) => y + h)) + ratio;
        let same = true;
        for (let y = top; y < bottom && same; y++) {
            for (let x = left; x < right && same; x++) same = shot.at(x, y) === png.at(x, y);
        }
        if (!same) differing.push(pin.name);
    }
    return { differing, count: pins.length };
}
