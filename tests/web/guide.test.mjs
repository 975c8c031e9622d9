// The guide page in a real browser: Debian's Chromium, driven through puppeteer-core, opens the
// page that `velmor --export FILE.html` writes, picks every entry of every list and every bus
// clock, multiplier and core voltage, and compares the pins it shows with the PNG the program
// exports for the same choice. Also the settings panel's reading, the address (and the notice for
// one it cannot read), back and forward, tool tips, keyboard, the key to the pins, print, narrow
// and phone-sized screens, and that the page asks for nothing over a network and logs no error.
//
//   node guide.test.mjs --velmor PATH [--phone-screenshot FILE.png]
//
// Exits with status 77 (skipped, for ctest) when the browser or the installed modules are missing.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { parseArgs } from 'node:util';

import { inTurn, launchBrowser, openPage, pinsDiffering as pinsDifferingFrom, velmor as run } from './browser.mjs';
import { decodePng } from './png.mjs';

const { values: options } = parseArgs({
    options: { velmor: { type: 'string' }, 'phone-screenshot': { type: 'string' } },
});

if (!options.velmor) {
    console.error('usage: node guide.test.mjs --velmor PATH [--phone-screenshot FILE.png]');
    process.exit(2);
}

// The selections the page and the command line name, and the window's defaults.
const PowerWords = ['at', 'atx'];
const SdramWords = ['pc100', 'non-pc100'];
const Defaults = { cpu: 21, power: 0, sdram: 0 };
const CpuCount = 44;
const Wide = { width: 800, height: 900, deviceScaleFactor: 1 };
const Phone = { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true };

// The settings panel's groups with their documented values as the command line takes them, the
// blocks each sets, and the values of the default CPU entry 21: 100 MHz, 3.0x, 2.2 V.
const Groups = [
    { key: 'bus', list: 'Bus clock', words: ['60', '66', '75', '83', '95', '100'], blocks: ['JP7', 'JP8', 'JP9'] },
    { key: 'multiplier', list: 'Multiplier', words: ['2.0', '2.5', '3.0', '3.5', '4.0', '4.5', '5.0'], blocks: ['JP4', 'JP5', 'JP6'] },
    { key: 'voltage', list: 'Core voltage', words: ['2.2', '2.8', '2.9', '3.2', '3.3', '3.52'], blocks: ['JP3 A', 'JP3 B', 'JP3 C', 'JP3 D'] },
];
const DefaultValues = [5, 2, 0];

// A view is a selection of the lists ({ cpu, power, sdram }; cpu -1 when the CPU list shows no
// entry) and, when set by the panel's groups, their values (positions in Groups' words).
const withValues = (values, cpu, rest = {}) => ({ ...Defaults, ...rest, cpu, values });
const otherFields = (s) => `power=${PowerWords[s.power]}&sdram=${SdramWords[s.sdram]}`;
const fragmentOf = (s) => (s.values
    ? `#${Groups.map((g, i) => `${g.key}=${g.words[s.values[i]]}`).join('&')}&${otherFields(s)}`
    : `#cpu=${s.cpu}&${otherFields(s)}`);
const nameOf = (s, ratio) => `${ratio}x-${s.values ? `v${s.values.join('-')}` : s.cpu}-${s.power}-${s.sdram}`;

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velmor-web-'));
const guide = path.join(work, 'guide.html');
const guideCpu5 = path.join(work, 'guide-cpu5-atx.html');
const guideValues = path.join(work, 'guide-100-4.5-2.2.html');
const exports = new Map(); // nameOf(selection, ratio) -> decoded PNG export
let rows; // the --list table: CPU rows, then power-supply and SDRAM-clock rows
let browser;
const opened = []; // every page with what it asked for and logged

function velmor(args, env = {}) {
    return run(options.velmor, args, env);
}

function exportArgs(s) {
    const cpu = s.values ? Groups.flatMap((g, i) => [`--${g.key}`, g.words[s.values[i]]]) : ['--cpu', String(s.cpu)];
    return [...cpu, '--power', PowerWords[s.power], '--sdram', SdramWords[s.sdram]];
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

/// The rows of one table of --list: "CPU type", "Power supply", "SDRAM clock", or a group's.
const tableRows = (list) => rows.slice(1).filter((row) => row[0] === list);
const cell = (row, name) => row[rows[0].indexOf(name)];

/// The --list row of each group's blocks that a view shows: its values' rows, or the CPU row.
function blockRows(s) {
    return Groups.map((g, i) => (s.values ? tableRows(g.list)[s.values[i]] : tableRows('CPU type')[s.cpu]));
}

/// The positions sentence a view should give, from the tables of --list.
function sentenceOf(s) {
    const [bus, multiplier, voltage] = blockRows(s);
    const parts = Groups[0].blocks.map((block) => `${block} ${cell(bus, block)}`);
    parts.push(...Groups[1].blocks.map((block) => `${block} ${cell(multiplier, block)}`));
    parts.push('JP3' + Groups[2].blocks.map((p) => ` ${p.slice(4)} ${cell(voltage, p)}`).join(''));
    parts.push(`JP11 ${cell(tableRows('Power supply')[s.power], 'JP11')}`);
    parts.push(`JP10 ${cell(tableRows('SDRAM clock')[s.sdram], 'JP10')}`);
    return parts.join(', ');
}

/// The values a CPU entry stands for: the rows of each group with that entry's positions.
function valuesOfCpu(cpu) {
    const row = tableRows('CPU type')[cpu];
    return Groups.map((g) => tableRows(g.list).findIndex((r) => g.blocks.every((b) => cell(r, b) === cell(row, b))));
}

/// The CPU entries whose positions are exactly those of these values, in list order.
function entriesGiving(values) {
    return tableRows('CPU type').map((_, i) => i).filter((i) => valuesOfCpu(i).every((v, g) => v === values[g]));
}

async function open(file, fragment = '', viewport = Wide) {
    const seen = { requests: [], errors: [] };
    opened.push(seen);
    return openPage(browser, file, fragment, viewport, seen);
}

/// The notice the page gives about its address, or null without one.
async function notice(page) {
    return page.evaluate(() => document.getElementById('notice')?.textContent ?? null);
}

/// Every caption with a tip: its name, its tip, the box it is drawn in and its hit area, in
/// pixels of the page. A caption without a drawn box of its own is drawn where it answers.
async function captions(page) {
    return page.evaluate(() => {
        const board = document.getElementById('board').getBoundingClientRect();
        return [...document.querySelectorAll('.cap[data-tip]')].map((e) => {
            const hit = e.getBoundingClientRect().toJSON();
            if (!e.style.getPropertyValue('--left')) return { name: e.dataset.name, tip: e.dataset.tip, hit, drawn: hit };
            const at = (p) => parseFloat(e.style.getPropertyValue(p)) / 100;
            const left = board.left + at('--left') * board.width;
            const top = board.top + at('--top') * board.height;
            return { name: e.dataset.name, tip: e.dataset.tip, hit,
                drawn: { left, top, right: left + at('--width') * board.width, bottom: top + at('--height') * board.height } };
        });
    });
}

const overlapping = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.01
    && Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.01;

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

/// The lists and the groups' values the page shows, as a view set by values names them.
async function selectedWithValues(page) {
    return { ...await selected(page),
        values: await page.evaluate((keys) => keys.map((key) => document.getElementById(key).selectedIndex), Groups.map((g) => g.key)) };
}

/// What the panel's part of the page reads: the CPU clock and the CPU entries.
async function reading(page) {
    return page.evaluate(() => [document.getElementById('cpuClock').textContent, document.getElementById('cpuEntries').textContent]);
}

/// The pins whose pixels in the page's screenshot differ from the PNG export of the selection.
async function pinsDiffering(page, selection, ratio) {
    const { differing, count } = await pinsDifferingFrom(page, exports.get(nameOf(selection, ratio)), ratio);
    assert.equal(count, 35);
    return differing;
}

before(async () => {
    const selections = [];
    for (let cpu = 0; cpu < CpuCount; cpu++) selections.push({ ...Defaults, cpu });
    selections.push({ ...Defaults, power: 1 }, { ...Defaults, sdram: 1 }, { cpu: 5, power: 1, sdram: 1 }, { cpu: 5, power: 1, sdram: 0 });
    // Each value of each group with the default's other two, and one view of back and forward.
    Groups.forEach((g, i) => g.words.forEach((_, value) => {
        const values = DefaultValues.slice();
        values[i] = value;
        selections.push(withValues(values, -1));
    }));
    selections.push(withValues([5, 5, 5], -1));
    const jobs = selections.map((s) => () => exportPng(s, 1));
    jobs.push(() => exportPng(Defaults, 2), () => exportPng({ cpu: 17, power: 1, sdram: 1 }, 2));
    jobs.push(() => velmor(['--export', guide]));
    jobs.push(() => velmor(['--export', guideCpu5, '--cpu', '5', '--power', 'atx']));
    jobs.push(() => velmor(['--export', guideValues, '--bus', '100', '--multiplier', '4.5', '--voltage', '2.2']));
    jobs.push(async () => { rows = parseCsv((await velmor(['--list', '--format', 'csv'])).stdout); });
    await inTurn(jobs, Math.max(2, Math.min(4, os.availableParallelism())));
    browser = await launchBrowser(path.join(work, 'profile'));
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
    const entries = (list) => tableRows(list).map((row) => row[2]);
    assert.equal(entries('CPU type').length, CpuCount);
    assert.deepEqual(lists.map((l) => l.entries), ['CPU type', 'Power supply', 'SDRAM clock'].map(entries));
    assert.deepEqual(lists.map((l) => l.selected), [Defaults.cpu, Defaults.power, Defaults.sdram]);
    assert.deepEqual([lists[0].entries[21], lists[1].entries[0], lists[2].entries[0]],
        [' AMD K6-2 300AFR(100MHz,3.0x,2.2V)', ' AT Power Supply', 'PC100 SDRAM(Same as CPU) ']);
    assert.deepEqual(lists.map((l) => l.label), ['CPU Type', 'Power Supply Type', 'SDRAM Clock Settings']);
    assert.deepEqual(await pinsDiffering(page, Defaults, 1), []);

    // The panel's part: closed at first, its lists with the documented values only, as the
    // tables of --list name them, showing those of the default entry.
    const panel = await page.evaluate((keys) => ({
        open: document.getElementById('meanings').open,
        lists: keys.map((key) => {
            const select = document.getElementById(key);
            return { label: select.labels[0]?.textContent, selected: select.selectedIndex,
                entries: [...select.options].map((o) => o.textContent) };
        }),
    }), Groups.map((g) => g.key));
    assert.equal(panel.open, false);
    assert.deepEqual(panel.lists.map((l) => l.label), Groups.map((g) => g.list));
    assert.deepEqual(panel.lists.map((l) => l.entries), Groups.map((g) => entries(g.list)));
    assert.deepEqual(panel.lists.map((l) => l.entries.length), Groups.map((g) => g.words.length));
    assert.deepEqual(panel.lists.map((l) => l.selected), DefaultValues);
    assert.deepEqual(DefaultValues, valuesOfCpu(Defaults.cpu));
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
            if (key === 'cpu') assert.deepEqual((await selectedWithValues(page)).values, valuesOfCpu(i), `the values of CPU entry ${i}`);
        }
        await page.select(`#${key}`, String(Defaults[key]));
    }
    await page.close();
});

test('each bus clock, multiplier and core voltage sets its block as the PNG export of those settings shows it', async () => {
    const page = await open(guide);
    await page.click('#meanings summary');
    for (const [g, group] of Groups.entries()) {
        for (let value = 0; value < group.words.length; value++) {
            await page.evaluate((f) => { location.hash = f; }, fragmentOf(Defaults));
            await showing(page, Defaults);
            const values = DefaultValues.slice();
            values[g] = value;
            // The CPU list keeps entry 21 when it gives these values too, else shows the first
            // entry that does, or none.
            const giving = entriesGiving(values);
            const view = withValues(values, giving.includes(Defaults.cpu) ? Defaults.cpu : (giving[0] ?? -1));
            await page.select(`#${group.key}`, String(value));
            await showing(page, view);
            const what = `${group.key} ${group.words[value]}`;
            assert.deepEqual(await pinsDiffering(page, view, 1), [], what);
            assert.equal(await page.$eval('#positions', (e) => e.textContent), sentenceOf(view), what);
            assert.equal(await page.evaluate(() => location.hash), fragmentOf(view), what);
            assert.deepEqual(await selectedWithValues(page), { cpu: view.cpu, power: 0, sdram: 0, values }, what);
            const row = tableRows(group.list)[value];
            const beside = g === 2 ? `JP3 ${group.blocks.map((b) => `${b.slice(4)} ${cell(row, b)}`).join(', ')}`
                : group.blocks.map((b) => `${b} ${cell(row, b)}`).join(', ');
            assert.equal(await page.$eval(`#${group.key}-pins`, (e) => e.textContent), beside, what);
        }
    }
    await page.close();
});

test('the panel\'s reading: the CPU clock and the CPU entries with exactly these jumpers, which the CPU list follows', async () => {
    const page = await open(guide);
    await page.click('#meanings summary');
    await page.select('#multiplier', '5');
    const none = withValues([5, 5, 0], -1);
    await showing(page, none);
    assert.deepEqual(await reading(page), ['450 MHz', 'no listed CPU']);
    assert.deepEqual(await selected(page), { cpu: -1, power: 0, sdram: 0 }, 'the CPU list shows no entry');
    assert.equal(await page.$eval('#cpu', (s) => s.options.length), CpuCount);
    await page.select('#multiplier', '2');
    await showing(page, withValues(DefaultValues, 21));
    assert.deepEqual(await reading(page), ['300 MHz', 'AMD K6-2 300AFR(100MHz,3.0x,2.2V)']);

    // Entries 17 and 20 both give 66 MHz, 4.0x, 2.2 V: the list keeps the one it shows, the
    // reading names both, and a link to these values shows the first.
    await page.select('#cpu', '20');
    await showing(page, { ...Defaults, cpu: 20 });
    await page.select('#bus', '1');
    const twenty = withValues([1, 4, 0], 20);
    await showing(page, twenty);
    assert.deepEqual(await reading(page), ['266 MHz', 'AMD K6 266AFR(66MHz,4.0x,2.2V)\nAMD K6-2 266AFR(66MHz,4.0x,2.2V)']);
    assert.deepEqual(entriesGiving([1, 4, 0]), [17, 20]);
    await page.evaluate(() => history.back());
    await showing(page, { ...Defaults, cpu: 20 });
    await page.evaluate(() => history.forward());
    await showing(page, twenty);
    assert.equal((await selected(page)).cpu, 20, 'back and forward keep the entry shown');
    await page.close();

    const linked = await open(guide, fragmentOf(twenty));
    await showing(linked, withValues([1, 4, 0], 17));
    assert.equal((await selected(linked)).cpu, 17);
    await linked.close();
});

test('an address names a bus clock, multiplier and voltage as the command line does', async () => {
    const view = withValues([5, 5, 0], -1);
    const page = await open(guide, '#bus=100&multiplier=4.5&voltage=2.2');
    await showing(page, view);
    assert.deepEqual(await selectedWithValues(page), { cpu: -1, power: 0, sdram: 0, values: [5, 5, 0] });
    assert.deepEqual(await pinsDiffering(page, view, 1), []);
    assert.equal(await page.$eval('#meanings', (d) => d.open), true, 'a view set by values opens their part');
    const same = [['#voltage=2.20&multiplier=4.50&bus=100', view],
        ['#bus=0100.0&multiplier=4.5&voltage=2.2&sdram=non-pc100', { ...view, sdram: 1 }],
        ['#bus=100&multiplier=3&voltage=2.2&power=atx', withValues(DefaultValues, 21, { power: 1 })]];
    for (const [fragment, expected] of same) {
        await page.evaluate(() => { location.hash = '#cpu=0'; });
        await showing(page, { ...Defaults, cpu: 0 });
        await page.evaluate((f) => { location.hash = f; }, fragment);
        await showing(page, expected);
        assert.deepEqual(await selectedWithValues(page), expected, fragment);
    }
    await page.close();
});

test('back and forward step through picks of values and entries alike', async () => {
    const page = await open(guide);
    await page.click('#meanings summary');
    const steps = [withValues([5, 5, 0], -1), withValues([5, 5, 5], -1), { ...Defaults, cpu: 5 }];
    await page.select('#multiplier', '5');
    await showing(page, steps[0]);
    await page.select('#voltage', '5');
    await showing(page, steps[1]);
    await page.select('#cpu', '5');
    await showing(page, steps[2]);
    const expectations = [['back', steps[1]], ['back', steps[0]], ['back', Defaults], ['forward', steps[0]], ['forward', steps[1]], ['forward', steps[2]]];
    for (const [step, expected] of expectations) {
        await page.evaluate((s) => (s === 'back' ? history.back() : history.forward()), step);
        await showing(page, expected);
        const values = expected.values ?? valuesOfCpu(expected.cpu);
        assert.deepEqual(await selectedWithValues(page), { cpu: expected.cpu, power: 0, sdram: 0, values }, `after ${step}`);
        assert.deepEqual(await pinsDiffering(page, expected, 1), [], `after ${step}`);
        assert.equal(await page.$eval('#positions', (e) => e.textContent), sentenceOf(expected));
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
        '#cpu=1&cpu=2', '#cpu=1=2', '#%', '#&', '#cpu=1&power=atx&sdram=pc100&x=1',
        // Values: all three, documented ones only, and not with a CPU entry.
        '#cpu=21&bus=100&multiplier=3&voltage=2.2', '#bus=100&multiplier=4.5', '#bus=101&multiplier=3&voltage=2.2',
        '#bus=100&multiplier=3.25&voltage=2.2', '#bus=100&multiplier=3&voltage=2.5', '#bus=&multiplier=3&voltage=2.2',
        '#bus=100&bus=100&multiplier=3&voltage=2.2', '#bus=1e2&multiplier=3&voltage=2.2'];
    const page = await open(guide, invalid[0]);
    await showing(page, Defaults);
    for (const fragment of invalid) {
        await page.evaluate(() => { location.hash = '#cpu=0&power=atx&sdram=non-pc100'; });
        await showing(page, { cpu: 0, power: 1, sdram: 1 });
        assert.equal(await notice(page), '', 'an address the page reads leaves no notice');
        await page.evaluate((f) => { location.hash = f; }, fragment);
        await showing(page, Defaults);
        assert.deepEqual(await selected(page), Defaults, fragment);
        assert.match(await notice(page) ?? '', /^.+ The page shows its first view instead\.$/, fragment);
    }
    await page.close();
});

test('an address the page cannot read says so, naming what it did not understand', async () => {
    // The fields as written, or why they do not go together, as the command line says it.
    const cases = [
        ['#cpu=44', 'Not understood in the address: "cpu=44".'],
        ['#cpu=5&power=dc&sdram=pc133', 'Not understood in the address: "power=dc" and "sdram=pc133".'],
        ['#cpu=1&cpu=2', 'Not understood in the address: "cpu=2".'],
        ['#bus=100V&multiplier=3&voltage=2.2', 'Not understood in the address: "bus=100V".'],
        ['#cpu=%E2%80%A6%', 'Not understood in the address: "cpu=%E2%80%A6%".'],
        [`#cpu=${'9'.repeat(80)}`, `Not understood in the address: "cpu=${'9'.repeat(55)}\u2026".`],
        ['#voltage=2.2V', 'In the address, bus, multiplier and voltage go together; bus and multiplier are missing.'],
        ['#cpu=21&bus=100&multiplier=3&voltage=2.2', 'In the address, cpu cannot be combined with bus, multiplier and voltage.'],
    ];
    const page = await open(guide, cases[0][0]);
    await showing(page, Defaults);
    const shown = await page.$eval('#notice', (e) => {
        const r = e.getBoundingClientRect();
        return { role: e.getAttribute('role'), hidden: e.closest('[aria-hidden="true"], [hidden]') !== null, height: r.height,
            aboveBoard: r.bottom <= document.getElementById('board').getBoundingClientRect().top };
    });
    assert.deepEqual(shown, { role: 'status', hidden: false, height: shown.height, aboveBoard: true });
    assert.ok(shown.height > 10, 'a live region that shows');
    for (const [fragment, said] of cases) {
        await page.evaluate(() => { location.hash = '#cpu=0'; });
        await showing(page, { ...Defaults, cpu: 0 });
        assert.equal(await notice(page), '');
        await page.evaluate((f) => { location.hash = f; }, fragment);
        await showing(page, Defaults);
        assert.equal(await notice(page), `${said} The page shows its first view instead.`, fragment);
    }
    // A pick makes the address one the page reads.
    await page.select('#power', '1');
    await showing(page, { ...Defaults, power: 1 });
    assert.equal(await notice(page), '');
    await page.close();
});

test('an address may give the bus clock, multiplier and voltage with the command line\'s units, in any case', async () => {
    // A link names no CPU entry: the list shows the default one where it gives these values,
    // else the first that does.
    const linked = (values, rest) => {
        const giving = entriesGiving(values);
        return withValues(values, giving.includes(Defaults.cpu) ? Defaults.cpu : (giving[0] ?? -1), rest);
    };
    const page = await open(guide, '#bus=66MHz&multiplier=3.5x&voltage=2.2V');
    await showing(page, linked([1, 3, 0]));
    const cases = [
        ['#bus=66mhz&multiplier=3.5X&voltage=2.2v', linked([1, 3, 0])],
        ['#bus=100%20MHz&multiplier=4.50%20x&voltage=3.52%20V&power=ATX', linked([5, 5, 5], { power: 1 })],
        ['#voltage=2.20V&bus=100Mhz&multiplier=3X', linked(DefaultValues)],
    ];
    for (const [fragment, expected] of cases) {
        await page.evaluate(() => { location.hash = '#cpu=0'; });
        await showing(page, { ...Defaults, cpu: 0 });
        await page.evaluate((f) => { location.hash = f; }, fragment);
        await showing(page, expected);
        assert.deepEqual(await selectedWithValues(page), expected, fragment);
        assert.equal(await notice(page), '', fragment);
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

test('--bus, --multiplier and --voltage set the page\'s default view', async () => {
    const expected = withValues([5, 5, 0], -1);
    const page = await open(guideValues, '#nonsense');
    await showing(page, expected);
    assert.deepEqual(await selectedWithValues(page), { cpu: -1, power: 0, sdram: 0, values: [5, 5, 0] });
    assert.deepEqual(await pinsDiffering(page, expected, 1), []);
    assert.deepEqual(await reading(page), ['450 MHz', 'no listed CPU']);
    assert.equal(await page.$eval('#meanings', (d) => d.open), true);
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
    // Where "10" is drawn over "8", the caption on top answers.
    const drawn = new Map((await captions(page)).map((c) => [c.name, c.drawn]));
    const [ten, eight] = [drawn.get('Label68'), drawn.get('Label66')];
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

test('every tip stays whole on the screen, at every width, and the page never scrolls sideways', async () => {
    for (const width of [320, 560, 600, 665, 1024]) {
        const page = await open(guide, '', { width, height: 900, deviceScaleFactor: 1 });
        // Each caption in turn takes the focus, which shows its tip.
        const faults = await page.evaluate(() => {
            const screen = document.documentElement.clientWidth;
            const tip = document.getElementById('tip');
            return [...document.querySelectorAll('.cap[data-tip]')].flatMap((caption) => {
                caption.focus();
                const r = tip.getBoundingClientRect();
                const whole = !tip.hidden && tip.textContent === caption.dataset.tip && tip.scrollWidth <= tip.clientWidth;
                const onScreen = r.left >= 0 && r.right <= screen && document.documentElement.scrollWidth <= screen;
                return whole && onScreen ? [] : [`${caption.dataset.name}: ${r.left.toFixed(1)} to ${r.right.toFixed(1)} of ${screen}`];
            });
        });
        assert.deepEqual(faults, [], `at ${width} pixels`);
        await page.close();
    }
});

test('each caption with a tip answers in a hit area of at least 24 by 24 pixels that no other covers', async () => {
    // Screens tall enough for the whole board, so that each hit area can be pointed at.
    const narrow = { width: 320, height: 1000, deviceScaleFactor: 1 };
    for (const viewport of [narrow, Phone, { width: 560, height: 900, deviceScaleFactor: 1 }, Wide]) {
        const page = await open(guide, '', viewport);
        const all = await captions(page);
        assert.equal(all.length, 46);
        const board = await page.$eval('#board', (e) => e.getBoundingClientRect().toJSON());
        const where = `at ${viewport.width} pixels`;
        for (const { name, hit, drawn } of all) {
            assert.ok(hit.width >= 24 - 0.01 && hit.height >= 24 - 0.01, `${name} ${hit.width} by ${hit.height} ${where}`);
            assert.ok(hit.left >= board.left - 0.01 && hit.right <= board.right + 0.01
                && hit.top >= board.top - 0.01 && hit.bottom <= board.bottom + 0.01, `${name} on the board ${where}`);
            const apart = Math.hypot(Math.max(0, hit.left - drawn.right, drawn.left - hit.right),
                Math.max(0, hit.top - drawn.bottom, drawn.top - hit.bottom));
            assert.ok(apart <= 64, `${name} lies ${apart.toFixed(1)} pixels from its caption ${where}`);
        }
        const overlaps = all.flatMap((a, i) => all.slice(i + 1).filter((b) => overlapping(a.hit, b.hit)).map((b) => `${a.name}/${b.name}`));
        assert.deepEqual(overlaps, [], where);
        // Nothing else lies over a hit area: its middle answers for its own caption.
        const answering = await page.evaluate((list) => list.map(({ name, hit }) => {
            const at = document.elementFromPoint((hit.left + hit.right) / 2, (hit.top + hit.bottom) / 2);
            return at?.dataset.name ?? at?.tagName ?? null;
        }), all);
        assert.deepEqual(answering, all.map((c) => c.name), where);
        // Nor is anything else to press or tap smaller.
        const controls = await page.evaluate(() => ['#cpu', '#power', '#sdram', '#print', '#meanings summary'].map((s) => {
            const r = document.querySelector(s).getBoundingClientRect();
            return [s, r.width >= 24 && r.height >= 24];
        }));
        assert.deepEqual(controls.filter(([, big]) => !big), [], where);
        await page.close();
    }
});

test('the board is one Tab stop; the arrow keys step through its captions, Enter shows and hides a tip, Escape closes it', async () => {
    const page = await open(guide);
    const focused = () => page.evaluate(() => {
        const e = document.activeElement;
        const tip = document.getElementById('tip');
        return { name: e.dataset.name ?? e.tagName, caption: e.getAttribute('aria-label'), tip: tip.hidden ? null : tip.textContent,
            own: e.dataset.tip ?? null };
    });
    await page.focus('#print');
    await page.keyboard.press('Tab');
    const first = await focused();
    assert.ok(first.own, `the board takes the focus: ${first.name}`);
    assert.equal(first.tip, first.own, 'and shows the tip of its caption');
    await page.keyboard.press('Tab');
    assert.equal((await focused()).name, 'SUMMARY', 'the next stop is the settings part');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
    assert.equal((await focused()).name, first.name, 'back to the caption the board had');

    // A screen reader hears each caption as a button with its name and its tip.
    const active = await page.evaluateHandle(() => document.activeElement);
    const heard = await page.accessibility.snapshot({ root: active, interestingOnly: false });
    assert.deepEqual([heard.role, heard.name, heard.description], ['button', first.caption, first.own]);

    // The arrow keys reach every caption once, each with its tip; the ends hold.
    const seen = [first.name];
    await page.keyboard.press('ArrowLeft');
    assert.equal((await focused()).name, first.name);
    for (let i = 1; i < 46; i++) {
        await page.keyboard.press(i % 2 ? 'ArrowRight' : 'ArrowDown');
        const now = await focused();
        assert.equal(now.tip, now.own, now.name);
        seen.push(now.name);
    }
    const last = seen.at(-1);
    await page.keyboard.press('ArrowRight');
    assert.equal((await focused()).name, last);
    assert.equal(new Set(seen).size, 46);
    assert.deepEqual([...seen].sort(), (await captions(page)).map((c) => c.name).sort());
    await page.keyboard.press('ArrowUp');
    assert.equal((await focused()).name, seen.at(-2));
    await page.keyboard.press('Home');
    assert.equal((await focused()).name, first.name);
    await page.keyboard.press('End');
    assert.equal((await focused()).name, last);

    const nameAndTip = async () => {
        const now = await focused();
        return [now.name, now.tip === null ? null : now.tip === now.own];
    };
    await page.keyboard.press('Enter');
    assert.deepEqual(await nameAndTip(), [last, null], 'Enter hides the tip');
    await page.keyboard.press('Enter');
    assert.deepEqual(await nameAndTip(), [last, true], 'and shows it again');
    await page.keyboard.press('Escape');
    assert.deepEqual(await nameAndTip(), [last, null], 'Escape closes it');
    assert.equal(await page.$$eval('.board [tabindex="0"]', (list) => list.length), 1);
    await page.close();
});

test('arrow steps through a closed list replace the history entry; where they come to rest adds one', async () => {
    const page = await open(guide);
    const length = () => page.evaluate(() => history.length);
    const start = await length();
    await page.focus('#cpu');
    for (let i = 0; i < 3; i++) await page.keyboard.press('ArrowDown');
    const rest = { ...Defaults, cpu: Defaults.cpu + 3 };
    await showing(page, rest);
    assert.equal(await page.evaluate(() => location.hash), fragmentOf(rest));
    // A short pause: the steps have come to rest, as one pick, and back goes to before them.
    await page.waitForFunction((n) => history.length === n, { timeout: 3000 }, start + 1);
    await page.evaluate(() => history.back());
    await showing(page, Defaults);
    await page.evaluate(() => history.forward());
    await showing(page, rest);

    // Leaving the list ends the steps at once; a pick in it adds its entry at once.
    await page.focus('#power');
    await page.keyboard.press('ArrowDown');
    await showing(page, { ...rest, power: 1 });
    await page.focus('#sdram');
    assert.equal(await length(), start + 2);
    await page.select('#sdram', '1');
    await showing(page, { ...rest, power: 1, sdram: 1 });
    assert.equal(await length(), start + 3);
    for (const expected of [{ ...rest, power: 1 }, rest, Defaults]) {
        await page.evaluate(() => history.back());
        await showing(page, expected);
    }
    await page.close();
});

test('at 320 pixels nothing reaches past the screen, the settings part open, whatever it reads', async () => {
    const page = await open(guide, '', { width: 320, height: 640, deviceScaleFactor: 2, isMobile: true, hasTouch: true });
    await page.tap('#meanings summary');
    assert.equal(await page.$eval('#meanings', (d) => d.open), true);
    const faults = [];
    for (let cpu = 0; cpu < CpuCount; cpu++) {
        await page.evaluate((f) => { location.hash = f; }, fragmentOf({ ...Defaults, cpu }));
        await showing(page, { ...Defaults, cpu });
        const widths = await page.evaluate(() => [document.documentElement.scrollWidth, document.documentElement.clientWidth]);
        if (widths[0] > widths[1]) faults.push(`CPU entry ${cpu}: ${widths[0]} pixels wide`);
    }
    assert.deepEqual(faults, []);
    await page.close();
});

test('the key below the board says what grey and white pins are and where pin 1 is, as the board draws them', async () => {
    const page = await open(guide);
    const key = await page.evaluate(() => {
        const legend = document.querySelector('.legend');
        const board = document.getElementById('board').getBoundingClientRect();
        return { below: legend.getBoundingClientRect().top - board.bottom, hidden: legend.closest('[aria-hidden="true"]') !== null,
            title: document.getElementById(legend.getAttribute('aria-labelledby')).textContent,
            items: [...legend.querySelectorAll('li')].map((li) => li.textContent),
            fills: [...legend.querySelectorAll('.pair')].map((p) => getComputedStyle(p).getPropertyValue('--fill').trim()) };
    });
    assert.ok(key.below >= 0 && key.below < 40, `right below the board: ${key.below}`);
    assert.equal(key.hidden, false);
    assert.equal(key.title, 'Reading the pins');
    assert.deepEqual(key.items.slice(0, 2), ['Grey pins: a jumper cap covers them (closed).', 'White pins: no cap (open).']);
    assert.deepEqual(key.fills, ['#808080', '#ffffff']);

    // The board's own pixels: each pin's colour where the page draws it, by pin name.
    const pins = await page.evaluate(() => {
        const data = JSON.parse(document.getElementById('guide-data').textContent);
        const canvas = document.getElementById('board');
        const image = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
        return data.pins.map((pin) => {
            const [x, y, w, h] = pin.regions[0][0];
            const at = 4 * ((y + Math.floor(h / 2)) * image.width + x + Math.floor(w / 2));
            const [r, g, b] = image.data.slice(at, at + 3);
            const box = pin.regions[0].reduce((u, [px, py, pw, ph]) => ({ left: Math.min(u.left, px), top: Math.min(u.top, py) }),
                { left: Infinity, top: Infinity });
            return { name: pin.name, fill: `#${[r, g, b].map((v) => v.toString(16).padStart(2, '0')).join('')}`, ...box };
        });
    });
    const pin = (name) => pins.find((p) => p.name.toLowerCase() === name.toLowerCase());
    // The sentence names what is closed and open; the pixels show it in the key's colours.
    const sentence = sentenceOf(Defaults);
    const jp3 = / JP3 A (\w+) B (\w+) C (\w+) D (\w+),/.exec(` ${sentence}`).slice(1);
    ['a', 'b', 'c', 'd'].forEach((letter, k) => {
        assert.equal(pin(`${letter}1jp3`).fill, key.fills[jp3[k] === 'closed' ? 0 : 1], `JP3 ${letter} ${jp3[k]}`);
    });
    // Pin 1 where the key says it is; a block at 1-2 has it and the middle pin grey.
    const ends = [...key.items[2].matchAll(/the (\w+) pin of ((?:JP\d+(?:, | and )?)+)/g)];
    assert.deepEqual(ends.map((m) => m[1]), ['bottom', 'left']);
    for (const [, end, names] of ends) {
        for (const block of names.replace(/(?:, | and )$/, '').split(/, | and /)) {
            const three = [1, 2, 3].map((n) => pins.find((p) => new RegExp(`^[vh]${n}${block}$`, 'i').test(p.name)));
            const pinOne = three.reduce((a, b) => ((end === 'bottom' ? b.top > a.top : b.left < a.left) ? b : a));
            assert.equal(pinOne, three[0], `pin 1 of ${block} at the ${end}`);
            const position = new RegExp(`${block} (\\d-\\d)`).exec(sentence)?.[1];
            if (position === '1-2') assert.deepEqual(three.map((p) => p.fill), [key.fills[0], key.fills[0], key.fills[1]], block);
        }
    }
    const columns = /Columns left to right: (.+)\./.exec(key.items.join('\n'))[1].split(/, | and /);
    assert.deepEqual(columns, ['JP7', 'JP8', 'JP9', 'JP10']);
    const lefts = columns.map((block) => pins.find((p) => new RegExp(`^v1${block}$`, 'i').test(p.name)).left);
    assert.deepEqual(lefts, lefts.slice().sort((a, b) => a - b));
    await page.close();
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
    await page.waitForFunction(() => document.documentElement.dataset.ratio === '2', { timeout: 5000 });
    const shown = await page.evaluate(() => Object.fromEntries(
        ['header', 'footer', '.positions', '#meanings', '#print', '#board', '#cpu', '#power', '#sdram']
            .map((s) => [s, getComputedStyle(document.querySelector(s)).display !== 'none'])));
    assert.deepEqual(shown, { header: false, footer: false, '.positions': false, '#meanings': false, '#print': false,
        '#board': true, '#cpu': true, '#power': true, '#sdram': true });
    const pdf = path.join(work, 'printed.pdf');
    await page.pdf({ path: pdf, format: 'A4' });
    assert.match((await run('pdfinfo', [pdf])).stdout, /^Pages:\s+1$/m, 'one page');
    await page.emulateMediaType(null);
    await page.waitForFunction(() => document.documentElement.dataset.ratio === '1', { timeout: 5000 });
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

    // The panel's part below the board, closed; open, its lists take the width, large enough
    // for a finger, and nothing reaches past the screen.
    const summary = await page.$eval('#meanings summary', (e) => e.getBoundingClientRect().toJSON());
    assert.ok(summary.top >= board.bottom, 'below the board');
    await page.tap('#meanings summary');
    const opened = await page.evaluate((keys) => ({
        open: document.getElementById('meanings').open,
        scrollWidth: document.documentElement.scrollWidth,
        lists: keys.map((key) => document.getElementById(key).getBoundingClientRect().toJSON()),
    }), Groups.map((g) => g.key));
    assert.equal(opened.open, true);
    assert.equal(opened.scrollWidth, layout.width);
    assert.ok(opened.lists.every((l) => l.height >= 40 && l.width > 0.8 * layout.width && l.right <= layout.width), JSON.stringify(opened.lists));
    await page.close();
});

test('no page asked for anything over a network, and none logged an error', () => {
    assert.ok(opened.length >= 10);
    assert.deepEqual(opened.flatMap((p) => p.requests), []);
    assert.deepEqual(opened.flatMap((p) => p.errors), []);
});
