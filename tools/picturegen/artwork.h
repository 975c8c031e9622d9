// The program's three pictures, drawn as images ready for their file writers.
#pragma once

#include <QImage>

/// The board-guide background, 582 x 563 pixels, as an 8-bit indexed image whose color table
/// has exactly 256 entries.
QImage backgroundPicture();

/// The window icon, 32 x 32 pixels, as an 8-bit indexed image whose color table is the
/// standard 16-color palette.
QImage iconPicture();

/// The icon for the desktop's icon theme at size x size pixels (a multiple of 32): the window
/// icon drawn afresh at that size, the disc's edge smooth, each checker and letter pixel a sharp
/// square of size / 32 pixels, and transparent outside the disc.
QImage themeIcon(int size);

/// The CPU-socket picture, 311 x 300 pixels, in 32-bit RGB.
QImage socketPicture();
