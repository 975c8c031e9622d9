// The guide page at work: the board drawn with the pins of the chosen entries, the choice kept in
// the page's address, the captions' tool tips and the sentence of jumper positions. Everything it
// shows comes from the data the program wrote into the page.
'use strict';
(() => {
    const data = JSON.parse(document.getElementById('guide-data').textContent);
    const root = document.documentElement;
    const canvas = document.getElementById('board');
    const picture = document.getElementById('picture');
    const positions = document.getElementById('positions');
    const tip = document.getElementById('tip');
    const selects = data.lists.map((list) => document.getElementById(list.key));
    const defaults = data.lists.map((list) => list.default);

    let current = defaults.slice();
    let printing = false;
    let images = null; // the board's picture at 1x and 2x, once decoded

    // The fill of every pin and the positions sentence that a selection gives: each list's entry
    // sets its own pins and its own parts of the sentence, the rest never change.
    function viewOf(selection) {
        const fills = [];
        const parts = [];
        for (const [pin, color] of data.fixed.fills) fills[pin] = color;
        for (const [part, text] of data.fixed.parts) parts[part] = text;
        data.lists.forEach((list, i) => {
            const entry = list.entries[selection[i]];
            list.pins.forEach((pin, k) => { fills[pin] = entry.fills[k]; });
            list.parts.forEach((part, k) => { parts[part] = entry.parts[k]; });
        });
        return { fills, sentence: parts.join(data.separator) };
    }

    // The address of a selection: "#cpu=21&power=at&sdram=pc100", a CPU entry by its position,
    // the others by the command line's words.
    function fragmentOf(selection) {
        return '#' + data.lists.map((list, i) =>
            `${list.key}=${list.words ? list.words[selection[i]] : selection[i]}`).join('&');
    }

    // The selection an address names; a list it leaves out keeps its default, and an address that
    // is not understood as a whole gives the defaults.
    function selectionOf(hash) {
        const selection = defaults.slice();
        if (hash === '' || hash === '#') return selection;
        const seen = new Set();
        for (const field of hash.slice(1).split('&')) {
            const [key, value, ...rest] = field.split('=');
            const i = data.lists.findIndex((list) => list.key === key);
            if (i < 0 || seen.has(key) || value === undefined || rest.length > 0) return defaults.slice();
            seen.add(key);
            const list = data.lists[i];
            const position = list.words ? list.words.indexOf(value.toLowerCase())
                : /^\d{1,3}$/.test(value) ? Number(value) : -1;
            if (position < 0 || position >= list.entries.length) return defaults.slice();
            selection[i] = position;
        }
        return selection;
    }

    // 2x on a dense screen and on paper, so the drawing stays sharp; the picture was drawn by the
    // program at both ratios, and each pin's region at each.
    function ratio() {
        return printing || window.devicePixelRatio > 1 ? 2 : 1;
    }

    function draw() {
        if (!images) return;
        const r = ratio();
        const { fills } = viewOf(current);
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

    function show(selection) {
        current = selection;
        selects.forEach((select, i) => { select.selectedIndex = selection[i]; });
        const { sentence } = viewOf(selection);
        if (positions.textContent !== sentence) positions.textContent = sentence;
        draw();
    }

    function pick(list, position) {
        const selection = current.slice();
        selection[list] = position;
        show(selection);
        // A new entry in the history, so back and forward step through the picks.
        const fragment = fragmentOf(selection);
        if (location.hash !== fragment) location.hash = fragment;
    }

    // Tool tips: the caption on top at the pointer answers, as in the window; one without a tip
    // hides any tip shown.
    let tipOwner = null;

    function showTip(caption) {
        const text = caption.dataset.tip;
        if (!text) {
            hideTip();
            return;
        }
        if (tipOwner) tipOwner.removeAttribute('aria-describedby');
        tipOwner = caption;
        caption.setAttribute('aria-describedby', 'tip');
        tip.textContent = text;
        tip.hidden = false;
        placeTip(caption);
    }

    function placeTip(caption) {
        const board = tip.offsetParent;
        const below = caption.offsetTop + caption.offsetHeight + 4;
        const top = below + tip.offsetHeight <= board.clientHeight ? below : caption.offsetTop - tip.offsetHeight - 4;
        const left = Math.min(caption.offsetLeft, board.clientWidth - tip.offsetWidth - 2);
        tip.style.top = `${Math.max(0, top)}px`;
        tip.style.left = `${Math.max(0, left)}px`;
    }

    function hideTip() {
        if (tipOwner) tipOwner.removeAttribute('aria-describedby');
        tipOwner = null;
        tip.hidden = true;
    }

    for (const caption of document.querySelectorAll('.captions .cap')) {
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
        caption.addEventListener('focus', () => showTip(caption));
        caption.addEventListener('blur', () => { if (tipOwner === caption) hideTip(); });
    }
    document.addEventListener('click', hideTip);
    document.addEventListener('keydown', (e) => { if (e.key === 'Escape') hideTip(); });

    selects.forEach((select, i) => select.addEventListener('change', () => pick(i, select.selectedIndex)));
    window.addEventListener('hashchange', () => show(selectionOf(location.hash)));
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

    show(selectionOf(location.hash));
    const sources = [picture.getAttribute('src'), picture.getAttribute('srcset').trim().split(/\s+/)[0]];
    Promise.all(sources.map((source) => {
        const image = new Image();
        image.src = source;
        return image.decode().then(() => image);
    })).then((decoded) => {
        images = decoded;
        draw();
    });
})();
