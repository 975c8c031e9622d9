// Runs as the page is read, right after the board's picture: asks for the picture to be decoded
// now, beside the layout of the first view, rather than only once that view is painted.
'use strict';
document.getElementById('picture').decode().catch(() => {});
