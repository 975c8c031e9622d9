// A board as its description file gives it: the window, fonts, drawing elements, jumper blocks,
// the lists the owner picks from, what groups of blocks stand for, readings and notes.
#pragma once

#include "boardrows/color.h"
#include "boardrows/elementrows.h"
#include "boardrows/jumperrows.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

/// Where something stands in the description: 1-based line and column (0 when not in the file).
struct SourcePlace {
    int line = 0;
    int column = 0;
};

/// A box in pixels; in twips too when the description's units are twips, as the file wrote it.
struct DescribedBox {
    QRect pixels;
    std::optional<QRect> twips;
};

/// A point in pixels; in twips too when the description's units are twips.
struct DescribedPoint {
    QPoint pixels;
    std::optional<QPoint> twips;
};

/// A picture file: the name as written, and the file it names (empty for a built-in picture).
struct PictureReference {
    QString written; ///< "board.png" or "builtin:socket"
    QString path;    ///< the absolute path of the file, for a picture beside the description
};

enum class Units { Pixels, Twips };
enum class FontWeight { Normal, DemiBold, Bold };
enum class TextAlign { Left, Centre };

/// A font captions name by its ID.
struct BoardFont {
    QString id;
    QString family;
    double points = 6;
    FontWeight weight = FontWeight::Normal;
    /// Pixels from one line of a caption to the next, where the board's captions were laid out
    /// with a pitch of their own; none: the font's own.
    std::optional<int> lineHeight;
};

/// The window: caption, version of the description, client area, background and picture.
struct BoardWindow {
    QString name;
    QString version;
    QSize clientSize;
    Color background = TitleBarText;
    Units units = Units::Pixels;
    std::optional<PictureReference> picture;
    DescribedBox pictureBox; ///< the whole client area unless the file gives picture-box
};

struct LabelDrawing {
    QString text;
    std::optional<QString> tip;
    DescribedBox box;
    Color color = ButtonText;
    QString font = QStringLiteral("default");
    TextAlign align = TextAlign::Left;
    bool wrap = false;
    bool border = false;
    bool opaque = false;
    Color back = WindowBackground;
};

struct ShapeDrawing {
    DescribedBox box;
    ShapeKind figure = ShapeKind::Rectangle;
    FillStyle fill = FillStyle::Transparent;
    Color fillColor = 0x000000;
    Color borderColor = WindowText;
    int borderWidth = 1; ///< pixels, whatever the units
    bool opaque = false;
    Color back = WindowBackground;
    DrawMode mode = DrawMode::Copy;
};

struct LineDrawing {
    DescribedPoint from;
    DescribedPoint to;
    Color color = WindowText;
    LineStyle style = LineStyle::Solid;
};

struct ImageDrawing {
    DescribedBox box;
    PictureReference picture;
};

/// A caption, shape, line or picture of the drawing.
struct DrawingElement {
    QString name;
    std::optional<int> index; ///< tells apart elements that share a name
    std::optional<int> rank;  ///< 0 on top; without one, under every ranked element
    SourcePlace place;
    std::variant<LabelDrawing, ShapeDrawing, LineDrawing, ImageDrawing> drawing;
};

enum class PinDirection { Up, Down, Left, Right };
enum class PinMark { None, Dot, Label };

/// A jumper block: drawn from its first pin on, or made of shapes the drawing already has.
struct JumperBlockDescription {
    QString name;
    BlockKind kind = BlockKind::TwoPin;
    std::optional<DescribedPoint> at; ///< top-left corner of pin 1
    std::optional<PinDirection> direction;
    int pitch = 5;     ///< pixels from one pin, pair or switch to the next
    int pinSize = 6;   ///< pixels
    QStringList pairs; ///< a header's pair letters, pin-1 pair first
    int switches = 0;  ///< a dip block's switch count
    QStringList pins;  ///< shape names, pin 1 first, when the drawing has the pins
    PinMark mark = PinMark::None;
    QString markLabel; ///< the label that marks pin 1, for PinMark::Label
    QString note;
    QString warning;
    SourcePlace place;
};

/// Where each pin a block drawn from "at" lies: the top-left corner of each, in pixels from "at",
/// pin 1 first: a row in the block's direction a pitch apart, a header's second pin of each pair
/// one pitch across. None for a block made of the drawing's shapes.
std::vector<QPoint> drawnPinOffsets(const JumperBlockDescription &block);

/// The pins a position written as a description writes it covers ("1-2", "closed", "A+C",
/// "on,off,off,on"); none when the block has no such position, or it is not written in the one way
/// each position has (a header's closed pairs in the block's order, each once).
std::optional<PinSet> writtenPosition(const JumperBlockDescription &block, const QString &position);

/// One choice of a list: its text and the position of each of the list's blocks.
struct ListEntryDescription {
    QString text;
    std::optional<int> code;
    QString word;
    QStringList positions; ///< one for each of the list's blocks, in their order
    SourcePlace place;

    /// Its code; an entry without one is told apart by its place in the list, counted from 0.
    int codeAt(std::size_t place) const { return code.value_or(int(place + 1) * 100); }
};

/// A drop-down list the owner picks from.
struct ListDescription {
    QString name;
    QString label;
    QString title; ///< its heading in the guide; the label unless the file gives one
    DescribedBox box;
    int fontPixels = 11;
    bool bold = false;
    Color background = WindowBackground;
    Color textColor = WindowText;
    std::optional<int> tab;
    std::optional<int> rank;
    QString option;
    QStringList blocks;
    int defaultEntry = 0;
    std::vector<ListEntryDescription> entries;
    SourcePlace place;
};

enum class ButtonRole { Exit, Print };

/// A push button of the window: EXIT ends the program, PRINT puts the board on paper.
struct ButtonDescription {
    QString name;
    ButtonRole role = ButtonRole::Exit;
    QString caption; ///< "&" marks its access key
    QString label;   ///< what a screen reader calls it
    DescribedBox box;
    int fontPixels = 11;
    bool bold = false;
    Color background = WindowBackground;
    Color textColor = ButtonText;
    std::optional<int> tab;
    std::optional<int> rank;
    SourcePlace place;
};

/// One value a group of blocks stands for, and the positions that give it.
struct MeaningValue {
    double value = 0;
    QString text;
    std::optional<double> amount;
    QStringList positions; ///< one for each of the meaning's blocks, in their order
    SourcePlace place;
};

/// What a group of blocks stands for (bus clock, multiplier, ...).
struct MeaningDescription {
    QString name;
    QString label;
    QString option;
    QStringList blocks;
    std::vector<MeaningValue> values;
    SourcePlace place;
};

/// A figure worked out from meanings: the product of their values.
struct ReadingDescription {
    QString label;
    QStringList product; ///< meaning names
    QString unit;
    SourcePlace place;
};

/// A note or warning on a label or block.
struct NoteDescription {
    QString on;
    QString text;
    bool warning = false;
    SourcePlace place;
};

/// The whole board. Elements stand in the order of the file: a later one of equal rank lies on top.
struct BoardDescription {
    int format = 1;
    BoardWindow window;
    std::vector<BoardFont> fonts; ///< always holds "default"
    std::vector<DrawingElement> elements;
    std::vector<JumperBlockDescription> blocks;
    std::vector<ListDescription> lists;
    std::vector<ButtonDescription> buttons;
    std::vector<MeaningDescription> meanings;
    std::vector<ReadingDescription> readings;
    std::vector<NoteDescription> notes;
};
