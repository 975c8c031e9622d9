// The board-guide background: a pale field in a light-blue frame with the board's model name,
// the maker's banner and the title line, reduced to a fixed 256-color palette.
#include "artwork.h"
#include "backgroundlayout.h"
#include "paintkit.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <cassert>
#include <limits>

namespace {

// Colors, 0xBBGGRR.
constexpr std::uint32_t FieldColor = 0xEFF7E7;
constexpr std::uint32_t FrameColor = 0xE7DEA5;
constexpr std::uint32_t NameColor = 0x188C52;
constexpr std::uint32_t TitleColor = 0x21B55A;
constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t Yellow = 0x00FFFF;
constexpr std::uint32_t LetterShade = 0xA8A8A8; // foot of the banner letters' faces
constexpr std::uint32_t LetterEdge = 0x808080;  // thin line around each banner letter
constexpr std::uint32_t NearShadow = 0x202020;
constexpr std::uint32_t FarShadow = 0x606060;

constexpr const char *Serif = "Liberation Serif";

// The version (major.minor) and the release date come from the build (CMakeLists.txt), which
// gives the program the same ones.
constexpr const char *TitleLine = "VELMOR Jumper Guide   Version " VELMOR_SHORT_VERSION "   " VELMOR_RELEASE_DATE;

/// Key colors first, so they keep their exact values; then the blends that antialiased letter
/// edges make with what lies beneath them; then greys up to 256 entries.
QList<QRgb> backgroundPalette()
{
    QList<QRgb> palette;
    for (const std::uint32_t key : {FieldColor, FrameColor, NameColor, TitleColor, Yellow})
        palette.append(bgr(key).rgb());

    const auto addBlends = [&palette](std::uint32_t from, std::uint32_t to, int steps) {
        const QColor a = bgr(from);
        const QColor b = bgr(to);
        for (int i = 1; i < steps; ++i)
            palette.append(qRgb((a.red() * (steps - i) + b.red() * i) / steps,
                                (a.green() * (steps - i) + b.green() * i) / steps,
                                (a.blue() * (steps - i) + b.blue() * i) / steps));
    };
    addBlends(FieldColor, NameColor, 16);
    addBlends(FieldColor, TitleColor, 16);
    addBlends(White, Yellow, 8);
    addBlends(LetterShade, Yellow, 8);

    const int greys = 256 - int(palette.size());
    for (int i = 0; i < greys; ++i) {
        const int level = i * 255 / (greys - 1);
        palette.append(qRgb(level, level, level));
    }
    assert(palette.size() == 256 && "the global color table has 256 entries");
    return palette;
}

int nearestEntry(QRgb color, const QList<QRgb> &palette)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(color) - qRed(palette[i]);
        const int dg = qGreen(color) - qGreen(palette[i]);
        const int db = qBlue(color) - qBlue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

/// Each pixel becomes the nearest palette entry, the first of equals; no dithering, so a
/// color that is in the palette stays exactly as drawn.
QImage quantised(const QImage &image, const QList<QRgb> &palette)
{
    QImage indexed(image.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    QHash<QRgb, uchar> known;
    for (int y = 0; y < image.height(); ++y) {
        const auto *source = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uchar *target = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb color = source[x] | 0xFF000000u;
            auto entry = known.find(color);
            if (entry == known.end())
                entry = known.insert(color, uchar(nearestEntry(color, palette)));
            target[x] = *entry;
        }
    }
    return indexed;
}

void drawFrame(QPainter &painter)
{
    const QColor frame = bgr(FrameColor);
    painter.fillRect(0, 0, BackgroundWidth, 1, frame);
    painter.fillRect(0, BackgroundHeight - 1, BackgroundWidth, 1, frame);
    painter.fillRect(0, 0, 1, BackgroundHeight, frame);
    painter.fillRect(BackgroundWidth - 1, 0, 1, BackgroundHeight, frame);
}

/// The model name turned a quarter turn clockwise, so it reads from top to bottom.
void drawModelName(QPainter &painter)
{
    const QRectF area = innerArea(NameBox, 1);
    const qreal length = 0.92 * area.height() / area.width();
    const QPainterPath across = spreadOutline(QStringLiteral("P5VELMOR"), Serif, QFont::Bold, length);
    const QPainterPath down = QTransform().rotate(90).map(across);
    painter.fillPath(fittedInto(down, area, Qt::AlignHCenter), bgr(NameColor));
}

/// Embossed capitals on a white strip: a two-step dark shadow below and to the right, faces
/// shading from white to grey, and a small yellow glint at the upper left of every letter.
void drawBanner(QPainter &painter)
{
    painter.fillRect(BannerBox, bgr(White));

    // The faces leave room for the shadow at the right and bottom.
    const QRectF area = innerArea(BannerBox, 2).adjusted(0, 0, -2, -2);
    const QPainterPath spread = spreadOutline(QStringLiteral("VELMOR"), Serif, QFont::Bold, 17);
    const QPainterPath letters = fittedInto(spread, area, Qt::AlignHCenter);

    painter.fillPath(letters.translated(2, 2), bgr(FarShadow));
    painter.fillPath(letters.translated(1, 1), bgr(NearShadow));

    const QRectF bounds = letters.boundingRect();
    QLinearGradient face(bounds.topLeft(), bounds.bottomLeft());
    face.setColorAt(0.0, bgr(White));
    face.setColorAt(1.0, bgr(LetterShade));
    painter.fillPath(letters, face);
    painter.strokePath(letters, QPen(bgr(LetterEdge), 0.6));

    painter.save();
    painter.setClipPath(letters);
    painter.setBrush(bgr(Yellow));
    painter.setPen(Qt::NoPen);
    for (const QPolygonF &letter : letters.toFillPolygons()) {
        const QRectF box = letter.boundingRect();
        painter.drawEllipse(QPointF(box.left() + 2.5, box.top() + 2.5), 2.0, 2.0);
    }
    painter.restore();
}

void drawTitle(QPainter &painter)
{
    const QPainterPath title = textOutline(QString::fromLatin1(TitleLine), Serif, QFont::Normal);
    painter.fillPath(fittedInto(title, innerArea(TitleBox, 1), Qt::AlignHCenter), bgr(TitleColor));
}

} // namespace

QImage backgroundPicture()
{
    QImage canvas(BackgroundWidth, BackgroundHeight, QImage::Format_RGB32);
    canvas.fill(bgr(FieldColor));
    {
        QPainter painter(&canvas);
        drawFrame(painter);
        painter.setRenderHint(QPainter::Antialiasing);
        drawModelName(painter);
        drawBanner(painter);
        drawTitle(painter);
    }
    return quantised(canvas, backgroundPalette());
}
