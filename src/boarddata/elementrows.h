// The rows the board's element catalogues are made of: one plain struct per element kind.
#pragma once

#include "color.h"

/// Twips per pixel at the 96 dpi the layout assumes.
inline constexpr int TwipsPerPixel = 15;

enum class ElementKind { Label, Shape, Line, Image };

/// The figures a shape may have. No row of the board is an oval or a rounded square, but the
/// element model draws them, so a row may name them.
enum class ShapeKind { Rectangle, Square, Oval, Circle, RoundedRectangle, RoundedSquare };
enum class FillStyle { Transparent, Solid, DiagonalCross };
enum class DrawMode { Copy, Black, Nand };
enum class LineStyle { Solid, Dotted };

/// The fonts captions are drawn in; each stands for a name, a size and a weight.
enum class TextFont {
    MsSerif6,     ///< "MS Serif" 6 pt, normal
    MsSerif675,   ///< "MS Serif" 6.75 pt, normal
    Bookman825,   ///< "Bookman Old Style" 8.25 pt, demibold
    TimesBold825, ///< "Times New Roman" 8.25 pt, bold
    Comic825,     ///< "Comic Sans MS" 8.25 pt, normal
};

/// Label attributes that only a few captions have; combine with |.
enum LabelFlag : unsigned {
    Opaque = 1u << 0,   ///< the box is filled with the back color first
    WordWrap = 1u << 1, ///< the caption breaks at blanks into lines
    Border = 1u << 2,   ///< a sunken edge two pixels wide along the inside of the box
    Centre = 1u << 3,   ///< each line centred in the box instead of left
};

/// A caption. Box in twips; an empty tool tip means none.
struct LabelRow {
    int rank;
    const char *name;
    const char *caption;
    const char *toolTip;
    int left, top, width, height;
    Color textColor = ButtonText;
    TextFont font = TextFont::MsSerif6;
    unsigned flags = 0;
    Color backColor = WindowBackground;
};

/// A shape. Box in twips, border width in pixels. Index is -1 unless the name is shared.
struct ShapeRow {
    int rank;
    const char *name;
    int left, top, width, height;
    ShapeKind kind = ShapeKind::Rectangle;
    FillStyle fillStyle = FillStyle::Transparent;
    Color fillColor = 0x000000;
    Color borderColor = WindowText;
    int borderWidth = 1;
    bool opaque = false;
    Color backColor = WindowBackground;
    DrawMode drawMode = DrawMode::Copy;
    int index = -1;
};

/// A one-pixel line between two points in twips. Index is -1 unless the name is shared.
struct LineRow {
    int rank;
    const char *name;
    int x1, y1, x2, y2;
    Color color = WindowText;
    LineStyle style = LineStyle::Solid;
    int index = -1;
};

/// A picture stretched into its box (twips); picture is a resource path.
struct ImageRow {
    int rank;
    const char *name;
    int left, top, width, height;
    const char *picture;
};

enum class ControlKind { List, Button };

/// A drop-down list or push button above the drawing. Box in twips; the font is "Times New
/// Roman" at the pixel size given; caption marks its access key with "&".
struct ControlRow {
    int rank;
    const char *name;
    ControlKind kind;
    int left, top, width, height;
    int fontPixels;
    bool bold;
    Color background;
    Color text;
    int tabIndex;
    const char *caption;
    const char *accessibleName; ///< what a screen reader calls it
};
