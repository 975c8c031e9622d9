// The guide page of a described board in a real browser: the made-up test card, whose bus clock
// no list sets and whose pins give no bus clock at first. Every choice of its two lists and its
// bus clock shows the pins of the PNG export of that choice; the bus clock stands alone in the
// address and the reading follows it.
//
//   node card.test.mjs --velmor PATH --board TESTBOARD.toml
//
// Exits with status 77 (skipped, for ctest) when the browser or the installed modules are missing.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { parseArgs } from 'node:util';

import { inTurn, launchBrowser, openPage, pinsDiffering, showingFragment, velmor } from './browser.mjs';
import { decodePng } from './png.mjs';

const { values: options } = parseArgs({ options: { velmor: { type: 'string' }, board: { type: 'string' } } });
if (!options.velmor || !options.board) {
    console.error('usage: node card.test.mjs --velmor PATH --board TESTBOARD.toml');
    process.exit(2);
}

// The card's lists with their words, its bus clocks (-1: as the card starts, no bus clock set),
// and what the reading gives for each.
const CpuWords = ['t100', 't133', 't166'];
const CmosWords = ['keep', 'clear'];
const BusWords = ['50', '60', '66'];
const MemoryClock = ['50 MHz', '60 MHz', '66 MHz'];
const Wide = { width: 800, height: 900, deviceScaleFactor: 1 };

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'velmor-card-'));
const page = path.join(work, 'card.html');
const pageAt60 = path.join(work, 'card-60.html');
const exports = new Map(); // fragment -> decoded PNG export of that choice
const seen = { requests: [], errors: [] };
let browser;

const card = (args, env) => velmor(options.velmor, ['--board', options.board, ...args], env);

/// A choice as the page's address names it, values first; a bus clock not yet set is left out.
const fragmentOf = (cpu, cmos, bus) => `#${bus >= 0 ? `bus=${BusWords[bus]}&` : ''}cpu=${CpuWords[cpu]}&cmos=${CmosWords[cmos]}`;

const choices = [];
for (let cpu = 0; cpu < CpuWords.length; cpu++) {
    for (let cmos = 0; cmos < CmosWords.length; cmos++) {
        for (let bus = -1; bus < BusWords.length; bus++) choices.push([cpu, cmos, bus]);
    }
}

before(async () => {
    const jobs = choices.map(([cpu, cmos, bus]) => async () => {
        const file = path.join(work, `${cpu}-${cmos}-${bus}.png`);
        const values = bus >= 0 ? ['--bus', BusWords[bus]] : [];
        await card(['--export', file, '--cpu', CpuWords[cpu], '--cmos', CmosWords[cmos], ...values]);
        exports.set(fragmentOf(cpu, cmos, bus), decodePng(fs.readFileSync(file)));
    });
    jobs.push(() => card(['--export', page]), () => card(['--export', pageAt60, '--bus', '60']));
    await inTurn(jobs, Math.max(2, Math.min(4, os.availableParallelism())));
    browser = await launchBrowser(path.join(work, 'profile'));
});

after(async () => {
    await browser?.close();
    fs.rmSync(work, { recursive: true, force: true });
});

const open = (file, fragment = '') => openPage(browser, file, fragment, Wide, seen);

/// The lists' and the bus clock's choices, the reading, the bus clock's positions and the sentence.
function shown(tab) {
    return tab.evaluate(() => ({
        selected: ['cpu', 'cmos', 'bus'].map((id) => document.getElementById(id).selectedIndex),
        reading: document.getElementById('reading-1').textContent,
        busPins: document.getElementById('bus-pins').textContent,
        sentence: document.getElementById('positions').textContent,
        open: document.getElementById('meanings').open,
    }));
}

test('the card opens as its window does: its lists, no bus clock, the reading not known', async () => {
    const tab = await open(page);
    await showingFragment(tab, fragmentOf(1, 0, -1));
    const view = await shown(tab);
    assert.deepEqual(view.selected, [1, 0, -1]);
    assert.equal(view.reading, 'not known');
    assert.equal(view.busPins, 'JP1 not set, JP5 not set');
    assert.equal(view.open, false);
    const labels = await tab.evaluate(() => ['cpu', 'cmos', 'bus'].map((id) => document.getElementById(id).labels[0].textContent));
    assert.deepEqual(labels, ['Processor', 'Settings memory', 'Bus clock']);
    assert.deepEqual((await pinsDiffering(tab, exports.get(fragmentOf(1, 0, -1)), 1)).differing, []);
    await tab.close();
});

test('every choice of the lists and the bus clock shows the pins of its PNG export', async () => {
    const tab = await open(page);
    for (const [cpu, cmos, bus] of choices) {
        const fragment = fragmentOf(cpu, cmos, bus);
        await tab.evaluate((f) => { location.hash = f; }, fragment);
        await showingFragment(tab, fragment);
        const view = await shown(tab);
        assert.deepEqual(view.selected, [cpu, cmos, bus], fragment);
        assert.equal(view.reading, bus >= 0 ? MemoryClock[bus] : 'not known', fragment);
        const { differing, count } = await pinsDiffering(tab, exports.get(fragment), 1);
        assert.equal(count, 18);
        assert.deepEqual(differing, [], fragment);
    }
    await tab.close();
});

test('picking a bus clock sets its blocks and keeps the lists; the address names it', async () => {
    const tab = await open(page, fragmentOf(2, 1, -1));
    await tab.click('#meanings summary');
    await tab.select('#bus', '1');
    await showingFragment(tab, fragmentOf(2, 1, 1));
    const view = await shown(tab);
    assert.deepEqual(view.selected, [2, 1, 1]);
    assert.equal(view.busPins, 'JP1 2-3, JP5 1-2');
    assert.equal(view.sentence, 'JP3 A open B closed C open, SW1 1 off 2 on 3 off 4 on, JP2 closed, JP1 2-3, JP5 1-2');
    assert.equal(view.reading, '60 MHz');
    await tab.select('#cpu', '0');
    await showingFragment(tab, fragmentOf(0, 1, 1));
    assert.deepEqual((await shown(tab)).selected, [0, 1, 1], 'a processor leaves the bus clock as it was');
    await tab.evaluate(() => history.back());
    await showingFragment(tab, fragmentOf(2, 1, 1));
    await tab.close();
});

test('an address with the bus clock alone, or --bus on the command line, opens the bus clock part', async () => {
    for (const [file, fragment] of [[page, '#bus=66'], [pageAt60, '']]) {
        const tab = await open(file, fragment);
        const bus = fragment ? 2 : 1;
        await showingFragment(tab, fragmentOf(1, 0, bus));
        const view = await shown(tab);
        assert.deepEqual([view.selected, view.open, view.reading], [[1, 0, bus], true, MemoryClock[bus]], file + fragment);
        await tab.close();
    }
    const wrong = await open(page, '#bus=70');
    await showingFragment(wrong, fragmentOf(1, 0, -1));
    assert.equal(await wrong.$eval('#notice', (e) => e.textContent),
        'Not understood in the address: "bus=70". The page shows its first view instead.');
    await wrong.close();
});

test('the key to the pins names the card\'s blocks as it draws them', async () => {
    const tab = await open(page);
    const items = await tab.$$eval('.legend li', (lis) => lis.map((li) => li.textContent));
    assert.deepEqual(items.slice(2), [
        'Pin 1 is the top pin of JP1 and JP5: 1-2 puts the cap on pin 1 and the middle pin, 2-3 on the middle pin and pin 3.',
        'JP3\'s positions A, B and C stand top to bottom, each two pins side by side.',
        'SW1\'s switches 1 to 4 stand left to right.',
        'A switch is on where its pin is grey, off where it is white.',
    ]);
    await tab.close();
});

test('no page asked for anything over a network, and none logged an error', () => {
    assert.deepEqual(seen.requests, []);
    assert.deepEqual(seen.errors, []);
});
