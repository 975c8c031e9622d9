// The guide as one web page: the board as the window draws it, its lists, the pins each entry
// sets, the captions' tool tips and the positions sentence, all inside one HTML file.
#pragma once

#include <QByteArray>
#include <QString>

class PageWindow;

/// How the window came by the view the page opens with: by picking entries in its lists, or by
/// setting values of the settings panel, as the CPU blocks to a bus clock, multiplier and core
/// voltage (the page's address then names these, and its part for them stands open).
enum class PageStart { Lists, Settings };

/// Writes the whole guide to path as one self-contained HTML page (styles, script and pictures
/// inside it; it asks for nothing over a network). The window's current pins and lists are the
/// page's default view; a list that stands for the panel's values (the CPU list) and shows no
/// entry makes it a view set by values whatever start says. Every choice of the lists (or each
/// entry alone, for many lists that set blocks of their own), and every combination of the
/// settings panel's values (bus clocks, multipliers and core voltages), is set in the window, by
/// the jumper procedures and the panel's fills, to record the pins and the positions sentence it
/// gives, and the window is left as it was. The path is the file name's
/// bytes; the file is written whole or not at all (writeOutputFile()). Returns an empty string, or
/// the reason it failed: the file cannot be written, or the window shows something the page could
/// not repeat (a pin that two lists set, two lists that set the panel's blocks, an entry whose
/// jumpers no documented value names, a pin drawn with blended edges).
QString writeGuidePage(PageWindow &window, const QByteArray &path, PageStart start = PageStart::Lists);
