// The window icon: a red checkered disc on a black square with "VELMOR" across its middle.
#include "artwork.h"

#include <QPainter>
#include <QPainterPath>

#include <iterator>
#include <string>

namespace {

constexpr int Size = 32;

// The standard 16-color palette, in its usual order.
// clang-format off
constexpr QRgb StandardPalette[] = {
    qRgb(  0,   0,   0), qRgb(128,   0,   0), qRgb(  0, 128,   0), qRgb(128, 128,   0),
    qRgb(  0,   0, 128), qRgb(128,   0, 128), qRgb(  0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255,   0,   0), qRgb(  0, 255,   0), qRgb(255, 255,   0),
    qRgb(  0,   0, 255), qRgb(255,   0, 255), qRgb(  0, 255, 255), qRgb(255, 255, 255),
};
// clang-format on
static_assert(std::size(StandardPalette) == 16);

// Palette entries the icon uses.
constexpr uchar Black = 0;
constexpr uchar DarkRed = 1;
constexpr uchar BrightRed = 9;
constexpr uchar White = 15;

// The disc stays a pixel clear of the square's edges, so all four corners are black.
constexpr double DiscRadius = 14.6;

// Letters of the lettering, five rows each, '#' for a lit pixel.
struct Glyph {
    char letter;
    const char *rows[5];
};

// clang-format off
constexpr Glyph Letters[] = {
    {'V', {"#.#",   "#.#",   "#.#",   "#.#",   ".#."}},
    {'E', {"###",   "#..",   "##.",   "#..",   "###"}},
    {'L', {"#..",   "#..",   "#..",   "#..",   "###"}},
    {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
    {'O', {"###",   "#.#",   "#.#",   "#.#",   "###"}},
    {'R', {"##.",   "#.#",   "##.",   "#.#",   "#.#"}},
};
// clang-format on
static_assert(std::size(Letters) == 6);

constexpr int glyphWidth(const Glyph &glyph)
{
    return static_cast<int>(std::char_traits<char>::length(glyph.rows[0]));
}

void drawDisc(QImage &icon)
{
    const double centre = Size / 2.0;
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const double dx = x + 0.5 - centre;
            const double dy = y + 0.5 - centre;
            const bool inDisc = dx * dx + dy * dy <= DiscRadius * DiscRadius;
            icon.setPixel(x, y, !inDisc ? Black : (x + y) % 2 == 0 ? BrightRed : DarkRed);
        }
    }
}

/// Writes the letters side by side, one pixel apart, centred across the middle.
void drawLettering(QImage &icon)
{
    int width = -1;
    for (const Glyph &glyph : Letters)
        width += glyphWidth(glyph) + 1;
    int left = (Size - width) / 2;
    const int top = (Size - 5) / 2;
    for (const Glyph &glyph : Letters) {
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < glyphWidth(glyph); ++column)
                if (glyph.rows[row][column] == '#')
                    icon.setPixel(left + column, top + row, White);
        left += glyphWidth(glyph) + 1;
    }
}

} // namespace

QImage iconPicture()
{
    QImage icon(Size, Size, QImage::Format_Indexed8);
    icon.setColorTable(QList<QRgb>(std::begin(StandardPalette), std::end(StandardPalette)));
    drawDisc(icon);
    drawLettering(icon);
    return icon;
}

QImage themeIcon(int size)
{
    const int cell = size / Size; // the pixels of one pixel of the window icon
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    const double centre = size / 2.0;
    disc.addEllipse(QPointF(centre, centre), DiscRadius * cell, DiscRadius * cell);
    painter.setClipPath(disc);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x)
            painter.fillRect(x * cell, y * cell, cell, cell,
                             QColor(StandardPalette[(x + y) % 2 == 0 ? BrightRed : DarkRed]));
    }
    // The lettering as on the window icon, each of its pixels a square.
    painter.setClipping(false);
    QImage letters(Size, Size, QImage::Format_Indexed8);
    letters.setColorTable(QList<QRgb>(std::begin(StandardPalette), std::end(StandardPalette)));
    letters.fill(Black);
    drawLettering(letters);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            if (letters.pixelIndex(x, y) == White)
                painter.fillRect(x * cell, y * cell, cell, cell, QColor(StandardPalette[White]));
        }
    }
    painter.end();
    return icon;
}
