// The CPU-socket picture: a cream socket body with its lever and tabs holding a dark-green chip
// that names the makers of fitting processors, drawn at a quarter of the layout's 1244 x 1198.
#include "artwork.h"
#include "edgebox.h"
#include "paintkit.h"

#include <QPainter>
#include <cmath>
#include <iterator>

namespace {

// The layout is given in pixels of the full-size picture; the picture is drawn at this scale.
constexpr int Scale = 4;
constexpr int Width = 311;
constexpr int Height = 300;

// Colors, 0xBBGGRR.
constexpr std::uint32_t Field = 0xFFFFFF;
constexpr std::uint32_t Outline = 0x000000;
constexpr std::uint32_t Cream = 0xE1F9F8;
constexpr std::uint32_t BodyShadow = 0x707C7C;
constexpr std::uint32_t Lever = 0x070A5E;
constexpr std::uint32_t LeverShadow = 0x000010;
constexpr std::uint32_t TabEdge = 0xBFD5D3;
constexpr std::uint32_t PaleTab = 0xBDF6EA;
constexpr std::uint32_t Chip = 0x1F4100;
constexpr std::uint32_t ChipShadow = 0x092520;
constexpr std::uint32_t Lettering = 0xFFFFFF;
constexpr std::uint32_t SocketName = 0x999999;

// A box in full-size pixels, first and last pixel of each side included.
struct Box {
    int left, right, top, bottom;
};

constexpr Box SocketBody{136, 1214, 125, 1114};
constexpr int ShadowRight = 1239;
constexpr int ShadowBottom = 1139;
constexpr Box LeverBox{48, 126, 98, 1126};
constexpr Box LeverCross{48, 126, 229, 232};
constexpr Box ChipBox{333, 1016, 277, 935};
constexpr Box SocketNameBox{318, 1121, 983, 1089};

// Tabs around the body: box, and whether it is the pale one.
// clang-format off
constexpr struct { Box box; bool pale; } Tabs[] = {
    {{329,  503,   48,  128}, false},  // upper edge
    {{673,  784,   48,  128}, false},
    {{679,  809, 1111, 1191}, false},  // lower edge
    {{951, 1119, 1111, 1191}, false},
    {{ 92,  249, 1111, 1151}, true},   // lower left
};
// clang-format on
static_assert(std::size(Tabs) == 5);

// Words on the chip, one under the other from a common left edge: text, and the rows its
// letters fill.
constexpr int ChipWordsLeft = 458;
// clang-format off
constexpr struct { const char *text; int top, bottom; } ChipWords[] = {
    {"intel", 280, 389},
    {"AMD",   465, 566},
    {"CYRIX", 642, 747},
    {"CPU",   821, 926},
};
// clang-format on
static_assert(std::size(ChipWords) == 4);

constexpr const char *Serif = "Liberation Serif";

/// A full-size coordinate at the drawn scale.
int scaled(int full)
{
    return static_cast<int>(std::lround(double(full) / Scale));
}

/// The pixels that a full-size box covers at the drawn scale: its edges are scaled, not its
/// pixels, so neighbouring boxes stay neighbours.
QRect scaled(const Box &box)
{
    return edgeBox(scaled(box.left), scaled(box.right + 1) - 1, scaled(box.top), scaled(box.bottom + 1) - 1);
}

/// Fills box and draws a one-pixel outline along its inside.
void drawOutlined(QPainter &painter, const QRect &box, std::uint32_t fill)
{
    painter.fillRect(box, bgr(Outline));
    painter.fillRect(box.adjusted(1, 1, -1, -1), bgr(fill));
}

/// The body's shadow falls on the field beyond its right and bottom edges.
void drawBodyShadow(QPainter &painter)
{
    const QRect body = scaled(SocketBody);
    painter.fillRect(
        edgeBox(body.left() + 6, scaled(ShadowRight + 1) - 1, body.top() + 6, scaled(ShadowBottom + 1) - 1),
        bgr(BodyShadow));
}

/// Tabs lie under the body; the part outside it shows, with an inner edge in grey-green.
void drawTabs(QPainter &painter)
{
    for (const auto &tab : Tabs) {
        const QRect box = scaled(tab.box);
        painter.fillRect(box, bgr(Outline));
        painter.fillRect(box.adjusted(1, 1, -1, -1), bgr(TabEdge));
        painter.fillRect(box.adjusted(2, 2, -2, -2), bgr(tab.pale ? PaleTab : Cream));
    }
}

/// The lever with a shadow pixel along its right and bottom, inside its box.
void drawLever(QPainter &painter)
{
    const QRect box = scaled(LeverBox);
    painter.fillRect(box.adjusted(1, 1, 0, 0), bgr(LeverShadow));
    drawOutlined(painter, box.adjusted(0, 0, -1, -1), Lever);
    const QRect cross = scaled(LeverCross);
    painter.fillRect(QRect(box.left(), cross.top(), box.width() - 1, cross.height()), bgr(Outline));
}

/// The chip with a two-pixel shadow along its right and bottom, inside its box, and its words.
void drawChip(QPainter &painter)
{
    const QRect box = scaled(ChipBox);
    painter.fillRect(box.adjusted(2, 2, 0, 0), bgr(ChipShadow));
    drawOutlined(painter, box.adjusted(0, 0, -2, -2), Chip);

    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto &word : ChipWords) {
        const int left = scaled(ChipWordsLeft);
        const QRectF rows(left, scaled(word.top), box.right() - 3 - left, scaled(word.bottom + 1) - scaled(word.top));
        const QPainterPath letters = textOutline(QString::fromLatin1(word.text), Serif, QFont::Bold);
        painter.fillPath(fittedInto(letters, rows, Qt::AlignLeft), bgr(Lettering));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void drawSocketName(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath name = textOutline(QStringLiteral("SOCKET 7"), Serif, QFont::Bold);
    painter.fillPath(fittedInto(name, innerArea(scaled(SocketNameBox), 0.5), Qt::AlignHCenter), bgr(SocketName));
    painter.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace

QImage socketPicture()
{
    QImage picture(Width, Height, QImage::Format_RGB32);
    picture.fill(bgr(Field));
    {
        QPainter painter(&picture);
        drawBodyShadow(painter);
        drawTabs(painter);
        drawOutlined(painter, scaled(SocketBody), Cream);
        drawLever(painter);
        drawChip(painter);
        drawSocketName(painter);
    }
    return picture;
}
