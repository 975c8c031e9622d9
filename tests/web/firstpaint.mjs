// First paint of the guide page beside that of a page holding nothing but the board's PNG export
// inline, both opened from disk in Debian's Chromium through puppeteer-core. Each run opens the
// page in a fresh browser context; the runs of the two pages alternate, so that a busy machine
// slows both alike. Prints the median first-paint, first-contentful-paint and
// largest-contentful-paint (on both pages the board's picture) of each page and their ratios.
//
//   node firstpaint.mjs --velmor PATH [--runs 9] [--phone] [--page FILE.html]
//
// --page measures a guide page written before instead of writing one with PATH.
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { parseArgs, promisify } from 'node:util';

import puppeteer from 'puppeteer-core';

const { values: options } = parseArgs({
    options: { velmor: { type: 'string' }, runs: { type: 'string', default: '9' }, phone: { type: 'boolean' },
        page: { type: 'string' } },
});
if (!options.velmor) {
    console.error('usage: node firstpaint.mjs --velmor PATH [--runs 9] [--phone] [--page FILE.html]');
    process.exit(2);
}
const runs = Number(options.runs);
const viewport = options.phone ? { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true }
    : { width: 800, height: 900, deviceScaleFactor: 1 };

const run = promisify(execFile);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velmor-paint-'));
const guide = options.page ?? path.join(work, 'guide.html');
const png = path.join(work, 'board.png');
const baseline = path.join(work, 'baseline.html');
if (!options.page) await run(options.velmor, ['--export', guide]);
await run(options.velmor, ['--export', png]);
fs.writeFileSync(baseline, '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
    + '<meta name="viewport" content="width=device-width, initial-scale=1">\n<title>Board</title>\n</head>\n<body>\n'
    + `<img src="data:image/png;base64,${fs.readFileSync(png).toString('base64')}" width="513" height="500" alt="The board">\n`
    + '</body>\n</html>\n');

const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: path.join(work, 'profile'),
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--hide-scrollbars'],
});

/// The page's paint timings in milliseconds from the start of its navigation, the largest
/// contentful paint as it stands when the page has loaded and shown its first paints.
async function paintTimes(file) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport(viewport);
    await page.goto(pathToFileURL(file).href, { waitUntil: 'load', timeout: 10000 });
    const times = await page.evaluate(() => new Promise((resolve) => {
        const found = {};
        new PerformanceObserver((list) => {
            for (const e of list.getEntries()) found['largest-contentful-paint'] = e.startTime;
        }).observe({ type: 'largest-contentful-paint', buffered: true });
        new PerformanceObserver((list) => {
            for (const e of list.getEntries()) found[e.name] = e.startTime;
            if (found['first-paint'] !== undefined && found['first-contentful-paint'] !== undefined) {
                requestAnimationFrame(() => setTimeout(() => resolve(found), 100));
            }
        }).observe({ type: 'paint', buffered: true });
        setTimeout(() => resolve(found), 3000);
    }));
    await context.close();
    return times;
}

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
const samples = { guide: [], baseline: [] };
try {
    for (let i = 0; i < runs; i++) {
        samples.baseline.push(await paintTimes(baseline));
        samples.guide.push(await paintTimes(guide));
    }
} finally {
    await browser.close();
    fs.rmSync(work, { recursive: true, force: true });
}
for (const name of ['first-paint', 'first-contentful-paint', 'largest-contentful-paint']) {
    const [g, b] = [samples.guide, samples.baseline].map((s) => median(s.map((t) => t[name])));
    console.log(`${name}: guide page ${g.toFixed(1)} ms, board PNG alone ${b.toFixed(1)} ms, ratio ${(g / b).toFixed(2)}`
        + ` (median of ${runs}, ${options.phone ? 'phone 390x844 at 2x' : '800x900 at 1x'})`);
}
