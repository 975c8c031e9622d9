// The fonts of the window, sized in pixels so the drawing keeps its place at any screen dpi.
#pragma once

#include "elementrows.h"

#include <QFont>
#include <QFontMetrics>
#include <QStringList>

/// Maps the font names the board was laid out with onto the fonts Debian ships, for any font
/// asked for by such a name (the fonts below ask for the substitutes by their own names). Call
/// once, before any font is made.
void installFontSubstitutes();

/// The families among the substitutes that this machine lacks (fallbacks are drawn instead).
QStringList missingFontFamilies();

/// A caption font; made and measured once.
const QFont &captionFont(TextFont font);
const QFontMetrics &captionMetrics(TextFont font);

/// The height of one caption line in pixels, as the stored caption boxes were laid out.
int captionLineHeight(TextFont font);

/// The window's own font.
QFont windowFont();

/// A "Times New Roman" font of the lists and buttons.
QFont controlFont(int pixelSize, bool bold);
