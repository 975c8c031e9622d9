// The rows a board's drawing and window are made of: one plain struct per element kind.
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

/// A font captions are drawn in: the family the board was laid out with (drawn in the substitute
/// this machine has for it), its size in pixels at 96 dpi, its weight (400 normal, 600 demibold,
/// 700 bold) and the pitch of its lines where the board's captions were laid out with one of
/// their own (0: the font's own line height).
struct FontRow {
    const char *family;
    int pixelSize;
    int weight;
    int lineHeight = 0;
};

/// Label attributes that only a few captions have; combine with |.
enum LabelFlag : unsigned {
    Opaque = 1u << 0,   ///< the box is filled with the back color first
    WordWrap = 1u << 1, ///< the caption breaks at blanks into lines
    Border = 1u << 2,   ///< a sunken edge two pixels wide along the inside of the box
    Centre = 1u << 3,   ///< each line centred in the box instead of left
};

/// A caption. Box in twips; an empty tool tip means none. Font is the index of its row among the
/// board's fonts.
struct LabelRow {
    int rank;
    const char *name;
    const char *caption;
    const char *toolTip;
    int left, top, width, height;
    Color textColor = ButtonText;
    int font = 0;
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

/// A picture stretched into its box (twips); picture is a resource path or the path of a file.
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
