// The program's three pictures, drawn as images ready for their file writers.
#pragma once

#include <QImage>

/// The board-guide background, 582 x 563 pixels, as an 8-bit indexed image whose color table
/// has exactly 256 entries.
QImage backgroundPicture();

/// The window icon, 32 x 32 pixels, as an 8-bit indexed image whose color table is the
/// standard 16-color palette.
QImage iconPicture();

/// The CPU-socket picture, 311 x 300 pixels, in 32-bit RGB.
QImage socketPicture();
