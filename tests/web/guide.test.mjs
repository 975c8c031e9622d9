// The guide page in a real browser: Debian's Chromium, driven through puppeteer-core, opens the
// page that `velmor --export FILE.html` writes, picks every entry of every list, and compares the
// pins it shows with the PNG the program exports for the same selection. Also the address, back
// and forward, tool tips, keyboard, print, a phone-sized screen, and that the page asks for
// nothing over a network and logs no error.
//
//   node guide.test.mjs --velmor PATH [--phone-screenshot FILE.png]
//
// Exits with status 77 (skipped, for ctest) when the browser or the installed modules are missing.
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { parseArgs, promisify } from 'node:util';

import { decodePng } from './png.mjs';

const { values: options } = parseArgs({
    options: { velmor: { type: 'string' }, 'phone-screenshot': { type: 'string' } },
});
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';

function skip(reason) {
    console.log(`skipped: ${reason}`);
    process.exit(77);
}

if (!options.velmor) {
    console.error('usage: node guide.test.mjs --velmor PATH [--phone-screenshot FILE.png]');
    process.exit(2);
}
if (!fs.existsSync(chromium)) skip(`no browser at ${chromium} (scripts/deps.sh test installs chromium)`);
let puppeteer;
try {
    puppeteer = (await import('puppeteer-core')).default;
} catch {
    skip('puppeteer-core is not installed (run npm ci in tests/web, as scripts/test.sh does)');
}

// The selections the page and the command line name, and the window's defaults.
const PowerWords = ['at', 'atx'];
const SdramWords = ['pc100', 'non-pc100'];
const Defaults = { cpu: 21, power: 0, sdram: 0 };
const CpuCount = 44;
const Wide = { width: 800, height: 900, deviceScaleFactor: 1 };
const Phone = { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true };

const fragmentOf = (s) => `#cpu=${s.cpu}&power=${PowerWords[s.power]}&sdram=${SdramWords[s.sdram]}`;
const nameOf = (s, ratio) => `${ratio}x-${s.cpu}-${s.power}-${s.sdram}`;

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velmor-web-'));
const guide = path.join(work, 'guide.html');
const guideCpu5 = path.join(work, 'guide-cpu5-atx.html');
const exports = new Map(); // nameOf(selection, ratio) -> decoded PNG export
let rows; // the --list table: CPU rows, then power-supply and SDRAM-clock rows
let browser;
const opened = []; // every page with what it asked for and logged

const run = promisify(execFile);

function velmor(args, env = {}) {
    return run(options.velmor, args, { env: { ...process.env, ...env }, maxBuffer: 1 << 24 });
}

/// Runs the jobs, at most width of them at once.
async function inTurn(jobs, width) {
    const queue = jobs.slice();
    await Promise.all(Array.from({ length: width }, async () => {
        while (queue.length > 0) await queue.shift()();
    }));
}

function exportArgs(s) {
    return ['--cpu', String(s.cpu), '--power', PowerWords[s.power], '--sdram', SdramWords[s.sdram]];
}

async function exportPng(selection, ratio) {
    const file = path.join(work, `${nameOf(selection, ratio)}.png`);
    await velmor(['--export', file, ...exportArgs(selection)], ratio === 2 ? { QT_SCALE_FACTOR: '2' } : {});
    exports.set(nameOf(selection, ratio), decodePng(fs.readFileSync(file)));
}

/// The CSV of --list as records (quoted fields, doubled quotes, CRLF).
function parseCsv(text) {
    const records = [];
    let record = [];
    let field = '';
    let quoted = false;
    for (let i = 0; i < text.length; i++) {
        const c = text[i];
        if (quoted) {
            if (c === '"' && text[i + 1] === '"') field += text[i++];
            else if (c === '"') quoted = false;
            else field += c;
        } else if (c === '"') {
            quoted = true;
        } else if (c === ',') {
            record.push(field);
            field = '';
        } else if (c === '\r' && text[i + 1] === '\n') {
            record.push(field);
            records.push(record);
            record = [];
            field = '';
            i++;
        } else {
            field += c;
        }
    }
    return records;
}

/// The positions sentence a selection should give, from the jumper table of --list.
function sentenceOf(s) {
    const [header, ...body] = rows;
    const cpu = body[s.cpu];
    const cell = (row, name) => row[header.indexOf(name)];
    const parts = ['JP7', 'JP8', 'JP9', 'JP4', 'JP5', 'JP6'].map((block) => `${block} ${cell(cpu, block)}`);
    parts.push('JP3' + ['A', 'B', 'C', 'D'].map((p) => ` ${p} ${cell(cpu, `JP3 ${p}`)}`).join(''));
    parts.push(`JP11 ${cell(body[CpuCount + s.power], 'JP11')}`);
    parts.push(`JP10 ${cell(body[CpuCount + 2 + s.sdram], 'JP10')}`);
    return parts.join(', ');
}

async function open(file, fragment = '', viewport = Wide) {
    const page = await browser.newPage();
    const seen = { requests: [], errors: [] };
    opened.push(seen);
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
    await page.goto(pathToFileURL(file).href + fragment);
    await page.waitForFunction(() => document.documentElement.dataset.view !== undefined);
    return page;
}

/// Waits until the page has drawn the selection.
async function showing(page, selection) {
    await page.waitForFunction((f) => document.documentElement.dataset.view === f, { timeout: 5000 }, fragmentOf(selection));
}

async function selected(page) {
    return page.evaluate(() => ({
        cpu: document.getElementById('cpu').selectedIndex,
        power: document.getElementById('power').selectedIndex,
        sdram: document.getElementById('sdram').selectedIndex,
    }));
}

/// The pins whose pixels in the page's screenshot differ from the PNG export: each pin's box is
/// its fill region with the border around it.
async function pinsDiffering(page, selection, ratio) {
    const { box, pins } = await page.evaluate(() => {
        const r = document.getElementById('board').getBoundingClientRect();
        const data = JSON.parse(document.getElementById('guide-data').textContent);
        return { box: { x: r.x + window.scrollX, y: r.y + window.scrollY, width: r.width, height: r.height }, pins: data.pins };
    });
    assert.equal(pins.length, 35);
    const shot = decodePng(await page.screenshot({ clip: box }));
    const png = exports.get(nameOf(selection, ratio));
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
    return differing;
}

before(async () => {
    const selections = [];
    for (let cpu = 0; cpu < CpuCount; cpu++) selections.push({ ...Defaults, cpu });
    selections.push({ ...Defaults, power: 1 }, { ...Defaults, sdram: 1 }, { cpu: 5, power: 1, sdram: 1 }, { cpu: 5, power: 1, sdram: 0 });
    const jobs = selections.map((s) => () => exportPng(s, 1));
    jobs.push(() => exportPng(Defaults, 2), () => exportPng({ cpu: 17, power: 1, sdram: 1 }, 2));
    jobs.push(() => velmor(['--export', guide]));
    jobs.push(() => velmor(['--export', guideCpu5, '--cpu', '5', '--power', 'atx']));
    jobs.push(async () => { rows = parseCsv((await velmor(['--list', '--format', 'csv'])).stdout); });
    await inTurn(jobs, Math.max(2, Math.min(4, os.availableParallelism())));
    browser = await puppeteer.launch({
        executablePath: chromium,
        headless: true,
        userDataDir: path.join(work, 'profile'),
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', '--force-color-profile=srgb', '--hide-scrollbars'],
    });
});

after(async () => {
    await browser?.close();
    fs.rmSync(work, { recursive: true, force: true });
});

test('one file under 400 KB that names no other file or address', () => {
    const text = fs.readFileSync(guide, 'latin1');
    assert.ok(text.length < 400 * 1024, `the page has ${text.length} bytes`);
    assert.doesNotMatch(text, /\b(?:https?|ftp|wss?):|(?:src|href)="(?!data:)/i);
});

test('the lists hold the window\'s entries in its order, with its defaults selected and labelled', async () => {
    const page = await open(guide);
    const lists = await page.evaluate(() => ['cpu', 'power', 'sdram'].map((id) => {
        const select = document.getElementById(id);
        return { label: select.labels[0]?.textContent, selected: select.selectedIndex,
            entries: [...select.options].map((o) => o.textContent) };
    }));
    const [, ...body] = rows;
    const entries = body.map((row) => row[2]);
    assert.deepEqual(lists.map((l) => l.entries), [entries.slice(0, CpuCount), entries.slice(CpuCount, CpuCount + 2), entries.slice(CpuCount + 2)]);
    assert.deepEqual(lists.map((l) => l.selected), [Defaults.cpu, Defaults.power, Defaults.sdram]);
    assert.deepEqual([lists[0].entries[21], lists[1].entries[0], lists[2].entries[0]],
        [' AMD K6-2 300AFR(100MHz,3.0x,2.2V)', ' AT Power Supply', 'PC100 SDRAM(Same as CPU) ']);
    assert.deepEqual(lists.map((l) => l.label), ['CPU Type', 'Power Supply Type', 'SDRAM Clock Settings']);
    assert.deepEqual(await pinsDiffering(page, Defaults, 1), []);
    await page.close();
});

test('each entry of each list sets the pins as the PNG export of that selection shows them', async () => {
    const page = await open(guide);
    for (const [key, count] of [['cpu', CpuCount], ['power', 2], ['sdram', 2]]) {
        for (let i = 0; i < count; i++) {
            const selection = { ...Defaults, [key]: i };
            await page.select(`#${key}`, String(i));
            await showing(page, selection);
            assert.deepEqual(await pinsDiffering(page, selection, 1), [], `${key} entry ${i}`);
            assert.equal(await page.$eval('#positions', (e) => e.textContent), sentenceOf(selection), `${key} entry ${i}`);
            assert.equal(await page.evaluate(() => location.hash), fragmentOf(selection));
        }
        await page.select(`#${key}`, String(Defaults[key]));
    }
    await page.close();
});

test('on a dense screen the board is drawn at 2x, as the window draws it there', async () => {
    const page = await open(guide, '', { ...Wide, deviceScaleFactor: 2 });
    assert.equal(await page.evaluate(() => document.documentElement.dataset.ratio), '2');
    assert.deepEqual(await pinsDiffering(page, Defaults, 2), []);
    const other = { cpu: 17, power: 1, sdram: 1 };
    await page.evaluate((f) => { location.hash = f; }, fragmentOf(other));
    await showing(page, other);
    assert.deepEqual(await pinsDiffering(page, other, 2), []);
    await page.close();
});

test('a link opens the same view; back and forward step through the picks', async () => {
    const linked = { cpu: 5, power: 1, sdram: 1 };
    const page = await open(guide, fragmentOf(linked));
    await showing(page, linked);
    assert.deepEqual(await selected(page), linked);
    assert.deepEqual(await pinsDiffering(page, linked, 1), []);
    await page.close();

    const picking = await open(guide);
    const first = { ...Defaults, cpu: 5 };
    const second = { ...first, power: 1 };
    await picking.select('#cpu', '5');
    await showing(picking, first);
    await picking.select('#power', '1');
    await showing(picking, second);
    for (const [step, expected] of [['back', first], ['back', Defaults], ['forward', first], ['forward', second]]) {
        await picking.evaluate((s) => (s === 'back' ? history.back() : history.forward()), step);
        await showing(picking, expected);
        assert.deepEqual(await selected(picking), expected, `after ${step}`);
        assert.deepEqual(await pinsDiffering(picking, expected, 1), [], `after ${step}`);
        assert.equal(await picking.$eval('#positions', (e) => e.textContent), sentenceOf(expected));
    }
    await picking.close();
});

test('an address the page does not understand gives the default view', async () => {
    const invalid = ['#cpu=44', '#cpu=-1', '#cpu=x', '#cpu=', '#cpu', '#power=dc', '#sdram=pc133', '#gpu=1',
        '#cpu=1&cpu=2', '#cpu=1=2', '#%', '#&', '#cpu=1&power=atx&sdram=pc100&x=1'];
    const page = await open(guide, invalid[0]);
    await showing(page, Defaults);
    for (const fragment of invalid) {
        await page.evaluate(() => { location.hash = '#cpu=0&power=atx&sdram=non-pc100'; });
        await showing(page, { cpu: 0, power: 1, sdram: 1 });
        await page.evaluate((f) => { location.hash = f; }, fragment);
        await showing(page, Defaults);
        assert.deepEqual(await selected(page), Defaults, fragment);
    }
    await page.close();
});

test('--cpu, --power and --sdram set the page\'s default view', async () => {
    const expected = { cpu: 5, power: 1, sdram: 0 };
    const page = await open(guideCpu5, '#nonsense');
    await showing(page, expected);
    assert.deepEqual(await selected(page), expected);
    assert.deepEqual(await pinsDiffering(page, expected, 1), []);
    await page.close();
});

test('the red captions show their tool tips exactly as stored, on hover, on tap and from the keyboard', async () => {
    const page = await open(guide);
    const box = (name) => page.$eval(`.cap[data-name="${name}"]`, (e) => {
        const r = e.getBoundingClientRect();
        return { left: r.left, top: r.top, right: r.right, bottom: r.bottom };
    });
    const tipAt = async ([x, y]) => {
        await page.mouse.move(1, 1);
        assert.equal(await page.$eval('#tip', (t) => t.hidden), true, 'no tip away from the captions');
        await page.mouse.move(x, y);
        return page.$eval('#tip', (t) => (t.hidden ? null : t.textContent));
    };
    const centre = (r) => [(r.left + r.right) / 2, (r.top + r.bottom) / 2];
    assert.equal(await tipAt(centre(await box('Label32'))), 'AWARD BIOS REV. 4.51PG');
    assert.equal(await tipAt(centre(await box('Label12'))),
        'To reset CMOS, set the jumper to pin 2-3. power on for 5 sec. then off, put the jumper back to pin 1-2.');
    assert.equal(await tipAt(centre(await box('Label24'))), '168 pins 3.3v un-buffered or 3.3V EDO SDRAM ');
    assert.equal(await tipAt(centre(await box('Label35'))), 'An optional Universal Serial Bus connector');
    assert.equal(await tipAt(centre(await box('Label4'))), null, '"JP4" has no tip');
    // Where "10" lies over "8", the caption on top answers.
    const [ten, eight] = [await box('Label68'), await box('Label66')];
    const overlap = { left: Math.max(ten.left, eight.left), top: Math.max(ten.top, eight.top),
        right: Math.min(ten.right, eight.right), bottom: Math.min(ten.bottom, eight.bottom) };
    assert.ok(overlap.left < overlap.right && overlap.top < overlap.bottom);
    assert.equal(await tipAt(centre(overlap)), 'Pin 10 (Vcc)');

    await page.mouse.move(1, 1);
    await page.focus('.cap[data-name="Label9"]');
    assert.equal(await page.$eval('#tip', (t) => (t.hidden ? null : t.textContent)), 'CPU Voltage Selection Jumpers');
    await page.keyboard.press('Escape');
    assert.equal(await page.$eval('#tip', (t) => t.hidden), true);
    await page.close();

    const phone = await open(guide, '', Phone);
    const bios = await phone.$eval('.cap[data-name="Label32"]', (e) => {
        const r = e.getBoundingClientRect();
        return [r.left + r.width / 2, r.top + r.height / 2];
    });
    await phone.touchscreen.tap(...bios);
    assert.equal(await phone.$eval('#tip', (t) => (t.hidden ? null : t.textContent)), 'AWARD BIOS REV. 4.51PG');
    await phone.touchscreen.tap(...bios);
    assert.equal(await phone.$eval('#tip', (t) => t.hidden), true, 'a second tap hides the tip');
    await phone.close();
});

test('the keyboard picks entries and the positions sentence is a live region', async () => {
    const page = await open(guide);
    await page.focus('#cpu');
    await page.keyboard.press('ArrowDown');
    const next = { ...Defaults, cpu: Defaults.cpu + 1 };
    await showing(page, next);
    assert.deepEqual(await pinsDiffering(page, next, 1), []);
    const live = await page.$eval('#positions', (e) => ({ live: e.getAttribute('aria-live'), text: e.textContent }));
    assert.deepEqual(live, { live: 'polite', text: sentenceOf(next) });
    assert.equal(await page.$eval('#board', (c) => c.getAttribute('aria-describedby')), 'positions');
    await page.close();
});

test('print puts the board and the lists alone on one page, drawn at 2x', async () => {
    const page = await open(guide);
    await page.evaluate(() => {
        window.printed = 0;
        window.print = () => { window.printed += 1; };
    });
    await page.click('#print');
    assert.equal(await page.evaluate(() => window.printed), 1);
    await page.emulateMediaType('print');
    await page.waitForFunction(() => document.documentElement.dataset.ratio === '2');
    const shown = await page.evaluate(() => Object.fromEntries(
        ['header', 'footer', '.positions', '#print', '#board', '#cpu', '#power', '#sdram']
            .map((s) => [s, getComputedStyle(document.querySelector(s)).display !== 'none'])));
    assert.deepEqual(shown, { header: false, footer: false, '.positions': false, '#print': false,
        '#board': true, '#cpu': true, '#power': true, '#sdram': true });
    const pdf = path.join(work, 'printed.pdf');
    await page.pdf({ path: pdf, format: 'A4' });
    assert.match((await run('pdfinfo', [pdf])).stdout, /^Pages:\s+1$/m, 'one page');
    await page.emulateMediaType(null);
    await page.waitForFunction(() => document.documentElement.dataset.ratio === '1');
    await page.close();
});

test('on a phone-sized screen the lists stand above the whole board, scaled to the width', async () => {
    const page = await open(guide, '', Phone);
    const layout = await page.evaluate(() => {
        const rect = (e) => e.getBoundingClientRect().toJSON();
        return { board: rect(document.getElementById('board')), width: window.innerWidth, height: window.innerHeight,
            scrollWidth: document.documentElement.scrollWidth,
            lists: ['cpu', 'power', 'sdram'].map((id) => rect(document.getElementById(id))) };
    });
    const { board } = layout;
    assert.ok(board.left >= 0 && board.right <= layout.width && board.bottom <= layout.height, JSON.stringify(layout));
    assert.ok(board.width > 0.9 * layout.width - 24, 'the board takes the width');
    assert.ok(Math.abs(board.width / board.height - 513 / 500) < 0.01, 'keeps its proportions');
    assert.ok(layout.lists.every((l) => l.bottom <= board.top && l.right <= layout.width), 'the lists above it');
    assert.equal(layout.scrollWidth, layout.width, 'nothing reaches past the screen');
    if (options['phone-screenshot']) await page.screenshot({ path: options['phone-screenshot'] });
    await page.close();
});

test('no page asked for anything over a network, and none logged an error', () => {
    assert.ok(opened.length >= 10);
    assert.deepEqual(opened.flatMap((p) => p.requests), []);
    assert.deepEqual(opened.flatMap((p) => p.errors), []);
});
