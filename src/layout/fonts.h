// The fonts of the window, sized in pixels so the drawing keeps its place at any screen dpi.
#pragma once

#include "boardrows/elementrows.h"

#include <QFont>
#include <QFontMetrics>
#include <QStringList>

#include <future>

/// Maps the font names the board was laid out with onto the fonts Debian ships, for any font
/// asked for by such a name (the fonts below ask for the substitutes by their own names). Call
/// once, before any font is made.
void installFontSubstitutes();

/// The families among the substitutes that this machine lacks (fallbacks are drawn instead),
/// compared by name: an alias or substitution rule does not make a family present.
/// Built with fontconfig it asks fontconfig, which needs no application object and may run on
/// any thread; otherwise it asks the toolkit's font list, which needs the application object.
QStringList missingFontFamilies();

/// Starts missingFontFamilies(). Built with fontconfig it runs on a worker thread at once, so
/// fontconfig's configuration, most of its cost, loads while the toolkit starts; otherwise (or
/// when no thread can be started) it runs when the result is asked for, which must then be after
/// the application object is made.
std::future<QStringList> startMissingFontCheck();

/// Loads every font the window draws with, the captions' and the controls', so that its first
/// paint finds them loaded; the program's entry calls it before making the window. Call it after
/// installFontSubstitutes(), on the thread of the windows (loaded fonts are kept per thread).
void loadWindowFonts();

/// A caption font of the board in use, by its index among the board's fonts; made and measured once.
const QFont &captionFont(int font);
const QFontMetrics &captionMetrics(int font);

/// The height of one caption line in pixels, as the board's caption boxes were laid out: the
/// font's own pitch where the board gives one, else the font's height.
int captionLineHeight(int font);

/// The window's own font.
QFont windowFont();

/// A "Times New Roman" font of the lists and buttons.
QFont controlFont(int pixelSize, bool bold);
