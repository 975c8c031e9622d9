// The guide as one web page: the board as the window draws it, its lists, the pins each entry
// sets, the captions' tool tips and the positions sentence, all inside one HTML file.
#pragma once

#include <QByteArray>
#include <QString>

class MainWindow;

/// Writes the whole guide to path as one self-contained HTML page (styles, script and pictures
/// inside it; it asks for nothing over a network). The window's current selection is the page's
/// default view. Every entry of every list is picked in the window to record the pins and the
/// positions sentence it gives, and the window is left with the selection it had. The path is
/// the file name's bytes; the file is written whole or not at all (writeOutputFile()). Returns an
/// empty string, or the reason it failed: the file cannot be written, or the window shows
/// something the page could not repeat (a pin that two lists set, a pin drawn with blended edges).
QString writeGuidePage(MainWindow &window, const QByteArray &path);
