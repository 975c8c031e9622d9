// A whole board as rows: its window, the fonts of its captions, every element of its drawing and
// its window, and its jumper knowledge. The program's own board is such rows, made from its description when the
// program is built; a description file read at start gives rows of the same kind.
#pragma once

#include "elementrows.h"
#include "jumperrows.h"

#include <span>

struct BoardRows {
    const char *caption; ///< the window's caption, also the title of every message the guide shows
    int clientWidth;     ///< the client area in pixels
    int clientHeight;
    Color background; ///< under the drawing and wherever it leaves the client area bare
    /// The built-in picture drawn at its own size from the client area's top-left corner, under
    /// everything (the program's own board's ground), or null for none.
    const char *backgroundPicture;
    std::span<const FontRow> fonts;
    std::span<const LabelRow> labels; ///< in rank order
    std::span<const ShapeRow> pins;   ///< the shapes that are jumper pins, block by block, pin 1 first
    std::span<const ShapeRow> shapes; ///< every other shape
    std::span<const LineRow> lines;
    std::span<const ImageRow> images;
    std::span<const ControlRow> controls; ///< lists and buttons, in rank order
    std::span<const BlockRow> blocks;
    std::span<const ListRow> lists; ///< in the order the window fills them at start
    std::span<const MeaningRow> meanings;
    std::span<const ReadingRow> readings;
};
