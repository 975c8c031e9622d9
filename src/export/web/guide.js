// The guide page at work: the board drawn with the pins of the chosen entries or of values (a bus
// clock, multiplier and core voltage) set as the window's settings panel sets them, the choice kept in the
// page's address (and a notice when the address cannot be read), the captions' hit areas and tool
// tips, the panel's reading and the sentence of jumper positions. Everything it shows comes from
// the data the program wrote into the page. The page shows its first view without the script,
// which starts once that has been painted.
'use strict';
((start) => {
    // Nothing the script does (its data, the pictures it decodes, the captions it lays out) may
    // delay the first paint. Where the browser does not report paints, it starts after the first
    // frame; where no paint is reported within a second, it starts all the same.
    if (!PerformanceObserver.supportedEntryTypes?.includes('paint')) {
        requestAnimationFrame(() => setTimeout(start));
        return;
    }
    const painted = new PerformanceObserver(() => startOnce());
    const late = setTimeout(() => startOnce(), 1000);
    let started = false;
    function startOnce() {
        if (started) return;
        started = true;
        painted.disconnect();
        clearTimeout(late);
        setTimeout(start);
    }
    painted.observe({ type: 'paint', buffered: true });
})(() => {
    const data = JSON.parse(document.getElementById('guide-data').textContent);
    const root = document.documentElement;
    const canvas = document.getElementById('board');
    const board = canvas.parentElement;
    const picture = document.getElementById('picture');
    const positions = document.getElementById('positions');
    const notice = document.getElementById('notice');
    const captionBox = board.querySelector('.captions');
    const mark = document.getElementById('mark');
    const tip = document.getElementById('tip');
    const selects = data.lists.map((list) => document.getElementById(list.key));
    const { groups, readings } = data.meanings;
    // The list whose entries stand for the groups' values, as the CPU list does on the program's
    // own board; -1 where no list sets the groups' blocks, and each group then stands alone.
    const cpuList = data.meanings.list;
    const valueSelects = groups.map((group) => document.getElementById(group.key));
    const valuePins = groups.map((group) => document.getElementById(`${group.key}-pins`));
    const readingTexts = readings.map((reading) => document.getElementById(reading.name));
    const meanings = document.getElementById('meanings');

    // A view: an entry of each list (-1 when the CPU list shows none), a value of each group of the
    // settings panel (-1 for a group whose pins gave none at first, until one is picked), and
    // whether it was set by these values, so that its address names them, or by the lists.
    const copyOf = (view) => ({ ...view, selection: view.selection.slice(), values: view.values.slice() });
    const defaults = {
        selection: data.lists.map((list) => list.default),
        values: groups.map((group) => group.default),
        byMeanings: data.meanings.byMeanings,
    };

    let current = copyOf(defaults);
    let printing = false;
    const images = [null, null]; // the board's picture at 1x and 2x, each once decoded

    // The values a CPU entry stands for; its pins are theirs.
    const valuesOf = (entry) => data.lists[cpuList].entries[entry].meanings;
    // A group without a first value counts its pins as they stood first, then its values.
    const unsetDigit = (g) => (groups[g].unset ? 1 : 0);
    const combinationOf = (values) => values.reduce((c, value, g) => c * (groups[g].values.length + unsetDigit(g)) + value + unsetDigit(g), 0);
    const valueAt = (g, value) => (value >= 0 ? groups[g].values[value] : groups[g].unset);

    // The CPU entry the list shows for these values, as the window's list does: the one it showed
    // when that one gives them too, else the first that does, else none.
    function cpuEntryFor(values, shown) {
        const matching = [];
        data.lists[cpuList].entries.forEach((entry, i) => {
            if (entry.meanings.every((value, g) => value === values[g])) matching.push(i);
        });
        return matching.includes(shown) ? shown : (matching[0] ?? -1);
    }

    // The fill of every pin and the positions sentence of a view: each list's entry and each
    // group's value sets its own pins and its own parts of the sentence, the rest never change.
    // The CPU list sets none itself: the values of its entry do.
    function drawingOf(view) {
        const fills = [];
        const parts = [];
        const put = (owner, content) => {
            owner.pins.forEach((pin, k) => { fills[pin] = content.fills[k]; });
            owner.parts.forEach((part, k) => { parts[part] = content.parts[k]; });
        };
        for (const [pin, color] of data.fixed.fills) fills[pin] = color;
        for (const [part, text] of data.fixed.parts) parts[part] = text;
        data.lists.forEach((list, i) => { if (view.selection[i] >= 0) put(list, list.entries[view.selection[i]]); });
        groups.forEach((group, g) => put(group, valueAt(g, view.values[g])));
        return { fills, sentence: parts.join(data.separator) };
    }

    // The address of a view: "#cpu=21&power=at&sdram=pc100", a CPU entry by its position, the
    // others by the command line's words; or "#bus=100&multiplier=4.5&voltage=2.2&power=at&..."
    // for values, which then stand for the CPU entry. Groups that stand alone are always named,
    // but for one still without a value.
    function fragmentOf(view) {
        const named = (group, g) => (view.values[g] >= 0 ? [`${group.key}=${group.values[view.values[g]].word}`] : []);
        const fields = view.byMeanings || cpuList < 0 ? groups.flatMap(named) : [];
        data.lists.forEach((list, i) => {
            if (!(view.byMeanings && i === cpuList)) fields.push(`${list.key}=${list.words ? list.words[view.selection[i]] : view.selection[i]}`);
        });
        return '#' + fields.join('&');
    }

    // A value as the command line reads it, in one form: "3", "3.0" and "3.00" are "3", and so
    // are "3x", "3.0 X" with the unit given, in any case; null for anything that is not a plain
    // decimal (a described board's values may be negative, and run to ten digits).
    function decimal(text, unit = '') {
        let number = text.trim();
        if (unit && number.toLowerCase().endsWith(unit.toLowerCase())) number = number.slice(0, -unit.length).trim();
        const m = /^(-?)(\d{1,10})(?:\.(\d*))?$/.exec(number);
        if (!m) return null;
        const fraction = (m[3] ?? '').replace(/0+$/, '');
        const whole = String(Number(m[2])) + (fraction ? `.${fraction}` : '');
        return whole === '0' ? whole : m[1] + whole;
    }

    // The position a field of an address names in a list or a group; -1 for none.
    function positionOf(key, value) {
        const list = data.lists.find((l) => l.key === key);
        if (list) {
            const position = list.words ? list.words.indexOf(value.toLowerCase()) : /^\d{1,3}$/.test(value) ? Number(value) : -1;
            return position < list.entries.length ? position : -1;
        }
        const group = groups.find((g) => g.key === key);
        const wanted = group ? decimal(value, group.unit) : null;
        return wanted !== null ? group.values.findIndex((v) => decimal(v.word) === wanted) : -1;
    }

    // A part of the address as the notice repeats it: decoded where it can be, and short.
    function quoted(text) {
        let shown = text;
        try {
            shown = decodeURIComponent(text);
        } catch {
            // Not percent-encoded as an address should be: shown as it stands.
        }
        return `"${shown.length > 60 ? `${shown.slice(0, 59)}\u2026` : shown}"`;
    }

    // "a, b and c"
    const spoken = (items) => (items.length < 2 ? items.join('') : `${items.slice(0, -1).join(', ')} and ${items.at(-1)}`);

    // The view an address names, and what was wrong with it if it could not be read; a list it
    // leaves out keeps its default. Values come all three together and without a CPU entry, as on
    // the command line, with or without its units; the CPU list then shows the entry shown before
    // (from the history) or the default one when either gives them. An address that is not
    // understood as a whole gives the defaults.
    function viewAt(hash, shown) {
        const view = copyOf(defaults);
        const failed = (problem) => ({ view: copyOf(defaults), problem });
        if (hash === '' || hash === '#') return { view, problem: '' };
        const seen = new Set();
        const unread = [];
        for (const field of hash.slice(1).split('&')) {
            const [key, value, ...rest] = field.split('=');
            let decoded = null;
            try {
                decoded = value === undefined || rest.length > 0 ? null : decodeURIComponent(value);
            } catch {
                // A stray "%": the field is not understood.
            }
            const position = decoded === null || seen.has(key) ? -1 : positionOf(key, decoded);
            if (position < 0) {
                unread.push(field === '' ? hash : field);
                continue;
            }
            seen.add(key);
            const list = data.lists.findIndex((l) => l.key === key);
            if (list >= 0) view.selection[list] = position;
            else view.values[groups.findIndex((g) => g.key === key)] = position;
        }
        if (unread.length > 0) return failed(`Not understood in the address: ${spoken([...new Set(unread)].map(quoted))}.`);
        const keys = groups.map((group) => group.key);
        const missing = keys.filter((key) => !seen.has(key));
        if (cpuList < 0) {
            // Groups that stand alone: one the address leaves out keeps its first value.
            view.byMeanings = missing.length < keys.length;
            return { view, problem: '' };
        }
        const cpuKey = data.lists[cpuList].key;
        if (missing.length === keys.length) {
            if (seen.has(cpuKey)) Object.assign(view, { values: valuesOf(view.selection[cpuList]).slice(), byMeanings: false });
            return { view, problem: '' };
        }
        if (missing.length > 0) {
            const are = missing.length > 1 ? 'are' : 'is';
            return failed(`In the address, ${spoken(keys)} go together; ${spoken(missing)} ${are} missing.`);
        }
        if (seen.has(cpuKey)) return failed(`In the address, ${cpuKey} cannot be combined with ${spoken(keys)}.`);
        view.byMeanings = true;
        view.selection[cpuList] = cpuEntryFor(view.values, shown ?? defaults.selection[cpuList]);
        return { view, problem: '' };
    }

    // 2x on a dense screen and on paper, so the drawing stays sharp; the picture was drawn by the
    // program at both ratios, and each pin's region at each.
    function ratio() {
        return printing || window.devicePixelRatio > 1 ? 2 : 1;
    }

    function draw() {
        const r = ratio();
        if (!images[r - 1]) return;
        const { fills } = drawingOf(current);
        canvas.width = data.size[0] * r;
        canvas.height = data.size[1] * r;
        const context = canvas.getContext('2d');
        context.drawImage(images[r - 1], 0, 0);
        data.pins.forEach((pin, i) => {
            context.fillStyle = '#' + fills[i];
            for (const [x, y, w, h] of pin.regions[r - 1]) context.fillRect(x, y, w, h);
        });
        root.classList.add('live');
        root.dataset.view = fragmentOf(current);
        root.dataset.ratio = String(r);
    }

    // Only a text that changes is written, so a screen reader hears only what changed.
    function setText(element, text) {
        if (element.textContent !== text) element.textContent = text;
    }

    function show(view) {
        current = view;
        selects.forEach((select, i) => { select.selectedIndex = view.selection[i]; });
        valueSelects.forEach((select, g) => { select.selectedIndex = view.values[g]; });
        valuePins.forEach((element, g) => setText(element, valueAt(g, view.values[g]).positions));
        const combination = combinationOf(view.values);
        readingTexts.forEach((element, r) => setText(element, readings[r].texts[combination]));
        setText(positions, drawingOf(view).sentence);
        draw();
    }

    // The view of the address; one set by values opens their part of the page. An address that
    // cannot be read says so above the board, until the next address or pick.
    function showAddressed() {
        const { view, problem } = viewAt(location.hash, history.state?.cpu);
        // The notice is a live region, there since the page was shown: a screen reader reads
        // out what it says.
        setText(notice, problem && `${problem} The page shows its first view instead.`);
        if (view.byMeanings) meanings.open = true;
        show(view);
    }

    // Back and forward step through the picks: each settled pick adds an entry to the history,
    // which keeps the CPU entry shown too, as the address of a view set by values does not name
    // it. Stepping through a closed list with the arrow keys picks at every step; the steps only
    // replace the address, and where they come to rest (a pause, Enter, or leaving the list)
    // counts as one pick.
    const SettlingTime = 700; // ms
    let steps = null; // the entry the steps started from and their timer, while there are any

    function go(view, isStep) {
        show(view);
        setText(notice, '');
        const state = { cpu: view.selection[cpuList] };
        const fragment = fragmentOf(view);
        if (isStep) {
            steps ??= { state: history.state, url: location.href, timer: 0 };
            clearTimeout(steps.timer);
            steps.timer = setTimeout(settle, SettlingTime);
            history.replaceState(state, '', fragment);
            return;
        }
        settle();
        if (location.hash === fragment) history.replaceState(state, '');
        else history.pushState(state, '', fragment);
    }

    // The steps end as one pick: the entry they started from comes back, and the view they
    // came to rest on follows it.
    function settle() {
        if (!steps) return;
        const { state, url, timer } = steps;
        steps = null;
        clearTimeout(timer);
        const restedOn = { state: history.state, url: location.href };
        if (restedOn.url === url) return;
        history.replaceState(state, '', url);
        history.pushState(restedOn.state, '', restedOn.url);
    }

    // Back, forward or a new address while stepping: the history has moved on, the steps are
    // over.
    function followHistory() {
        if (steps) clearTimeout(steps.timer);
        steps = null;
        showAddressed();
    }

    function pickEntry(list, position, isStep) {
        const view = copyOf(current);
        view.selection[list] = position;
        if (list === cpuList) Object.assign(view, { values: valuesOf(position).slice(), byMeanings: false });
        go(view, isStep);
    }

    // As the panel sets a block: the other groups keep their values, and the CPU list follows.
    function pickValue(group, position, isStep) {
        const view = copyOf(current);
        view.values[group] = position;
        view.byMeanings = true;
        if (cpuList >= 0) view.selection[cpuList] = cpuEntryFor(view.values, current.selection[cpuList]);
        go(view, isStep);
    }

    // A list tells a step of the keys in it while closed (arrows, Home, End, Page Up and Down, a
    // letter) from a pick: a click in the open list, or Enter. Alt with an arrow and Space open
    // the list.
    const stepKeys = new Set(['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Home', 'End', 'PageUp', 'PageDown']);

    function listen(select, pick) {
        let keyed = false;
        select.addEventListener('keydown', (e) => {
            keyed = !e.altKey && (stepKeys.has(e.key) || (e.key.length === 1 && e.key !== ' '));
            if (e.key === 'Enter') settle();
        });
        select.addEventListener('keyup', () => { keyed = false; });
        select.addEventListener('pointerdown', () => { keyed = false; });
        select.addEventListener('change', () => pick(select.selectedIndex, keyed));
        select.addEventListener('blur', settle);
    }

    // Tool tips. The captions come from their template once the page has been shown; each with
    // a tip gets a hit area of at least MinTarget pixels a side, none overlapping another, a
    // caption without a tip or a list on the board. The tip stands by the drawn caption, which
    // the mark outlines, and inside the screen.
    const MinTarget = 24;
    const TipMargin = 4;
    let tipped = []; // the captions with a tip, in reading order: top to bottom, left to right
    let grounds = []; // the captions without one
    let tipOwner = null;

    // A caption's drawn box in pixels of the board as it is shown now, from its custom properties.
    function drawnBox(caption, width, height) {
        const at = (name) => parseFloat(caption.style.getPropertyValue(name)) / 100;
        return { x: at('--left') * width, y: at('--top') * height, w: at('--width') * width, h: at('--height') * height };
    }

    const overlaps = (a, b) => a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
    const covers = (a, b) => a.x <= b.x && b.x + b.w <= a.x + a.w && a.y <= b.y && b.y + b.h <= a.y + a.h;

    // What a hit area at x, y of w by h pixels costs its caption: how far the drawn caption
    // reaches out of it, by far first, then how far their middles lie apart. It is a cost along
    // x plus one along y.
    function costAlong(at, size, from, length) {
        const out = Math.max(0, at - from, from + length - at - size);
        return 100 * out ** 2 + (at + size / 2 - from - length / 2) ** 2;
    }

    const costOf = (x, y, w, h, drawn) => costAlong(x, w, drawn.x, drawn.w) + costAlong(y, h, drawn.y, drawn.h);

    // The free box of at least MinTarget a side, in whole pixels inside the board, that costs the
    // caption less than within, and least; none if there is no such box. As the cost grows
    // apart along x and along y, the best box is the one centred on the caption where that is
    // free, or else lies against the edge of something taken or of the board: on each such line
    // the best place is the free one nearest the centred box. Lines whose own part of the cost
    // is already too high are passed over.
    function placeTarget(drawn, taken, width, height, within = Infinity) {
        const w = Math.ceil(Math.max(MinTarget, drawn.w));
        const h = Math.ceil(Math.max(MinTarget, drawn.h));
        const [right, bottom] = [Math.floor(width) - w, Math.floor(height) - h];
        const clamp = (v, a, b) => Math.min(Math.max(v, a), b);
        const x0 = clamp(Math.round(drawn.x + drawn.w / 2 - w / 2), 0, right);
        const y0 = clamp(Math.round(drawn.y + drawn.h / 2 - h / 2), 0, bottom);
        const costX = (x) => costAlong(x, w, drawn.x, drawn.w);
        const costY = (y) => costAlong(y, h, drawn.y, drawn.h);
        let best = null;
        let bestCost = within;
        const consider = (x, y) => {
            const cost = costX(x) + costY(y);
            if (cost >= bestCost) return;
            best = { x, y, w, h };
            bestCost = cost;
        };
        if (!taken.some((t) => overlaps({ x: x0, y: y0, w, h }, t))) {
            consider(x0, y0);
            return best;
        }
        // On the line x: the free stretches between what is taken across it, top to bottom.
        const alongX = (x) => {
            if (x < 0 || x > right || costX(x) + costY(y0) >= bestCost) return;
            let from = 0;
            for (const t of taken.filter((t) => x < t.x + t.w && t.x < x + w).sort((a, b) => a.y - b.y)) {
                if (t.y - h >= from) consider(x, clamp(y0, from, Math.min(t.y - h, bottom)));
                from = Math.max(from, t.y + t.h);
            }
            if (from <= bottom) consider(x, clamp(y0, from, bottom));
        };
        const alongY = (y) => {
            if (y < 0 || y > bottom || costX(x0) + costY(y) >= bestCost) return;
            let from = 0;
            for (const t of taken.filter((t) => y < t.y + t.h && t.y < y + h).sort((a, b) => a.x - b.x)) {
                if (t.x - w >= from) consider(clamp(x0, from, Math.min(t.x - w, right)), y);
                from = Math.max(from, t.x + t.w);
            }
            if (from <= right) consider(clamp(x0, from, right), y);
        };
        [x0, 0, right].forEach(alongX);
        [y0, 0, bottom].forEach(alongY);
        for (const t of taken) {
            alongX(t.x - w);
            alongX(t.x + t.w);
            alongY(t.y - h);
            alongY(t.y + t.h);
        }
        return best;
    }

    // A box in whole pixels, rounded outwards, so that the hit areas lie on whole pixels too.
    function outwards({ x, y, w, h }) {
        const [left, top] = [Math.floor(x), Math.floor(y)];
        return { x: left, y: top, w: Math.ceil(x + w) - left, h: Math.ceil(y + h) - top };
    }

    // What no hit area may take: the captions without a tip, and the lists and the button where
    // they stand on the board.
    function groundOf(width, height) {
        const ground = grounds.map((caption) => outwards(drawnBox(caption, width, height)));
        const frame = board.getBoundingClientRect();
        for (const control of document.querySelectorAll('.controls select, .controls button')) {
            const r = control.getBoundingClientRect();
            const box = outwards({ x: r.left - frame.left, y: r.top - frame.top, w: r.width, h: r.height });
            if (overlaps(box, { x: 0, y: 0, w: width, h: height })) ground.push(box);
        }
        return ground;
    }

    // Where two drawn captions overlap, the place is the one on top's, as in the window: each
    // overlap with the position of its owner among the captions, the one on top first.
    function claimsOf(drawn) {
        return drawn.flatMap((upper, i) => drawn.slice(i + 1).filter((lower) => overlaps(upper, lower)).map((lower) => {
            const [x, y] = [Math.max(upper.x, lower.x), Math.max(upper.y, lower.y)];
            const [right, bottom] = [Math.min(upper.x + upper.w, lower.x + lower.w), Math.min(upper.y + upper.h, lower.y + lower.h)];
            return { owner: i, ...outwards({ x, y, w: right - x, h: bottom - y }) };
        }));
    }

    // Hit areas of one size trade places, and each one that leaves part of its caption out moves
    // to a free place, wherever that costs their captions less; twice over at most, as little is
    // gained after that.
    function improve(boxes, drawn, barred, width, height) {
        const cost = (box, i) => costOf(box.x, box.y, box.w, box.h, drawn[i]);
        const allowed = (box, i) => !barred[i].some((t) => overlaps(box, t));
        for (let pass = 0, better = true; better && pass < 2; pass++) {
            better = false;
            for (let i = 0; i < boxes.length; i++) {
                for (let j = i + 1; j < boxes.length; j++) {
                    const [a, b] = [boxes[i], boxes[j]];
                    if (a.w !== b.w || a.h !== b.h) continue;
                    const swapped = [{ ...a, x: b.x, y: b.y }, { ...b, x: a.x, y: a.y }];
                    if (!allowed(swapped[0], i) || !allowed(swapped[1], j)) continue;
                    if (cost(swapped[0], i) + cost(swapped[1], j) < cost(a, i) + cost(b, j) - 1) {
                        [boxes[i], boxes[j]] = swapped;
                        better = true;
                    }
                }
            }
            for (let i = 0; i < boxes.length; i++) {
                if (covers(boxes[i], drawn[i])) continue;
                const others = barred[i].concat(boxes.filter((_, k) => k !== i));
                const moved = placeTarget(drawn[i], others, width, height, cost(boxes[i], i) - 1);
                if (moved) {
                    boxes[i] = moved;
                    better = true;
                }
            }
        }
    }

    // Lays out the hit areas for the board's size now: the caption on top first, each where it
    // costs its caption least among what is left, then improved.
    function layOutTargets() {
        const width = board.clientWidth;
        const height = board.clientHeight;
        if (width === 0) return;
        const ground = groundOf(width, height);
        const onTop = [...captionBox.querySelectorAll('.cap[data-tip]')].reverse();
        const drawn = onTop.map((caption) => drawnBox(caption, width, height));
        const claims = claimsOf(drawn);
        const barred = drawn.map((_, i) => ground.concat(claims.filter((claim) => claim.owner !== i)));
        const boxes = [];
        // Where no room is left anywhere, a hit area lies over its caption, as before.
        drawn.forEach((d, i) => boxes.push(placeTarget(d, barred[i].concat(boxes), width, height) ?? { ...d }));
        improve(boxes, drawn, barred, width, height);
        onTop.forEach((caption, i) => {
            const { x, y, w, h } = boxes[i];
            Object.assign(caption.style, { left: `${x}px`, top: `${y}px`, width: `${w}px`, height: `${h}px` });
        });
        if (tipOwner) placeTip(tipOwner);
    }

    function showTip(caption) {
        if (tipOwner && tipOwner !== caption) tipOwner.removeAttribute('aria-describedby');
        tipOwner = caption;
        caption.setAttribute('aria-describedby', 'tip');
        setText(tip, caption.dataset.tip);
        tip.hidden = false;
        mark.hidden = false;
        placeTip(caption);
    }

    // Below the drawn caption, or above it where the board ends first; as far left as the
    // caption but no further right than the screen allows, and never wider than the screen.
    function placeTip(caption) {
        const frame = board.getBoundingClientRect();
        const drawn = drawnBox(caption, frame.width, frame.height);
        Object.assign(mark.style, { left: `${drawn.x}px`, top: `${drawn.y}px`, width: `${drawn.w}px`, height: `${drawn.h}px` });
        const screen = document.documentElement.clientWidth;
        tip.style.maxWidth = `${screen - 2 * TipMargin}px`;
        const below = drawn.y + drawn.h + 4;
        const top = below + tip.offsetHeight <= frame.height ? below : drawn.y - tip.offsetHeight - 4;
        const leftmost = TipMargin - frame.left;
        const rightmost = screen - TipMargin - frame.left - tip.offsetWidth;
        tip.style.top = `${Math.max(0, top)}px`;
        tip.style.left = `${Math.max(leftmost, Math.min(drawn.x, rightmost))}px`;
    }

    function hideTip() {
        if (tipOwner) tipOwner.removeAttribute('aria-describedby');
        tipOwner = null;
        tip.hidden = true;
        mark.hidden = true;
    }

    const toggleTip = (caption) => (tipOwner === caption ? hideTip() : showTip(caption));

    // The board is one stop of the Tab key: the caption last stepped to takes the focus, and the
    // arrow keys step through the captions in reading order, each showing its tip.
    function focusCaption(caption) {
        for (const other of tipped) other.tabIndex = other === caption ? 0 : -1;
        showTip(caption);
    }

    function stepFrom(caption, key) {
        const at = tipped.indexOf(caption);
        const to = { ArrowRight: at + 1, ArrowDown: at + 1, ArrowLeft: at - 1, ArrowUp: at - 1, Home: 0, End: tipped.length - 1 }[key];
        if (to === undefined) return false;
        tipped[Math.max(0, Math.min(tipped.length - 1, to))].focus();
        return true;
    }

    function onCaptionKey(e) {
        const caption = e.target.closest('.cap[data-tip]');
        if (!caption || e.altKey || e.ctrlKey || e.metaKey) return;
        if (stepFrom(caption, e.key)) {
            e.preventDefault();
        } else if (e.key === 'Enter' || e.key === ' ') {
            e.preventDefault();
            toggleTip(caption);
        }
    }

    function listenToCaption(caption) {
        caption.addEventListener('pointerenter', (e) => { if (e.pointerType === 'mouse') showTip(caption); });
        caption.addEventListener('pointerleave', (e) => {
            if (e.pointerType === 'mouse' && tipOwner === caption) hideTip();
        });
        // A tap shows the tip, a second tap on the same caption hides it. Whether it was shown is
        // taken before the tap focuses the caption, which shows it too.
        let shownBeforeTap = false;
        caption.addEventListener('pointerdown', () => { shownBeforeTap = tipOwner === caption; });
        caption.addEventListener('click', (e) => {
            e.stopPropagation();
            if (e.pointerType !== 'mouse' && shownBeforeTap) hideTip();
            else showTip(caption);
        });
        caption.addEventListener('focus', () => focusCaption(caption));
        caption.addEventListener('blur', () => { if (tipOwner === caption) hideTip(); });
    }

    function makeCaptions() {
        captionBox.append(document.getElementById('captions').content);
        const all = [...captionBox.querySelectorAll('.cap')];
        grounds = all.filter((caption) => !caption.dataset.tip);
        // Reading order on the board as drawn: rows a few pixels high, left to right in each.
        const [width, height] = data.size;
        const place = (caption) => {
            const box = drawnBox(caption, width, height);
            return [Math.round(box.y / 4), box.x];
        };
        tipped = all.filter((caption) => caption.dataset.tip)
            .map((caption) => [place(caption), caption])
            .sort(([a], [b]) => a[0] - b[0] || a[1] - b[1])
            .map(([, caption]) => caption);
        if (tipped.length > 0) tipped[0].tabIndex = 0;
        tipped.forEach(listenToCaption);
        captionBox.addEventListener('keydown', onCaptionKey);
        // Now, and whenever the board or what stands on it changes its size; only the hit areas
        // move, which changes neither.
        let laidOutFor = '';
        const layOutForSize = () => {
            const { width, height } = board.parentElement.getBoundingClientRect();
            if (`${width}x${height}` === laidOutFor) return;
            laidOutFor = `${width}x${height}`;
            layOutTargets();
        };
        layOutForSize();
        new ResizeObserver(layOutForSize).observe(board.parentElement);
        window.addEventListener('resize', () => { if (tipOwner) placeTip(tipOwner); });
    }

    document.addEventListener('click', hideTip);
    document.addEventListener('keydown', (e) => { if (e.key === 'Escape') hideTip(); });

    selects.forEach((select, i) => listen(select, (position, isStep) => pickEntry(i, position, isStep)));
    valueSelects.forEach((select, g) => listen(select, (position, isStep) => pickValue(g, position, isStep)));
    // A step in the history may bring both; showing the view twice changes nothing.
    window.addEventListener('hashchange', followHistory);
    window.addEventListener('popstate', followHistory);
    document.getElementById('print').addEventListener('click', () => window.print());

    // Paper gets the 2x drawing; so does a screen that turns dense (zoom, another monitor).
    const printMedia = window.matchMedia('print');
    const setPrinting = (on) => {
        printing = on;
        draw();
    };
    printMedia.addEventListener('change', () => setPrinting(printMedia.matches));
    window.addEventListener('beforeprint', () => setPrinting(true));
    window.addEventListener('afterprint', () => setPrinting(printMedia.matches));
    const watchRatio = () => {
        window.matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
            .addEventListener('change', () => { draw(); watchRatio(); }, { once: true });
    };
    watchRatio();

    // The view of the address, drawn as soon as the picture it needs is decoded (the page's own at
    // 1x, decoded already as a rule); then the other picture, so that paper finds the 2x one ready;
    // the captions in a task of their own.
    showAddressed();
    const decode = (r) => {
        const image = r === 1 ? picture : new Image();
        if (r === 2) image.src = document.getElementById('picture-2x').textContent.trim();
        return image.decode().then(() => {
            images[r - 1] = image;
            draw();
        });
    };
    const first = ratio();
    decode(first).then(() => decode(3 - first));
    setTimeout(makeCaptions);
});
