// Drawing of the four element kinds, with the copy, black and nand draw modes.
#include "boardpainter.h"

#include "fonts.h"
#include "pictures.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <span>

namespace {

/// A pen one pixel of the layout wide: one screen pixel at 96 dpi, more on a denser screen.
QPen pixelPen(Color color)
{
    QPen pen(toQColor(color), 1.0);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

/// The centre line of a one-pixel ring along the inside of r, for stroking with pixelPen().
QRectF strokeRect(const QRect &r)
{
    return QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
}

/// A one-pixel ring along the inside of r, as four filled strips: exact at any scale.
void fillRing(QPainter &p, const QRect &r, const QColor &color)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

qreal cornerRadius(const QRect &figure)
{
    return std::max(1, std::min(figure.width(), figure.height()) / 6);
}

/// The figure a shape draws inside its box, in pixels: squares and circles are centred.
QRect figureRect(const ShapeRow &s)
{
    switch (s.kind) {
    case ShapeKind::Rectangle:
    case ShapeKind::Oval:
    case ShapeKind::RoundedRectangle:
        return pixelBox(s.left, s.top, s.width, s.height);
    case ShapeKind::Square:
    case ShapeKind::Circle:
    case ShapeKind::RoundedSquare: {
        const int side = std::min(s.width, s.height);
        return pixelBox(s.left + (s.width - side) / 2, s.top + (s.height - side) / 2, side, side);
    }
    }
    return {};
}

bool isRounded(ShapeKind kind)
{
    return kind == ShapeKind::RoundedRectangle || kind == ShapeKind::RoundedSquare;
}

bool isElliptic(ShapeKind kind)
{
    return kind == ShapeKind::Oval || kind == ShapeKind::Circle;
}

/// Fills the inside of a figure (outline included; the outline is drawn over it afterwards).
void fillFigure(QPainter &p, const ShapeRow &s, const QRect &figure, const QBrush &brush)
{
    if (!isElliptic(s.kind) && !isRounded(s.kind)) {
        p.fillRect(figure, brush);
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    if (isElliptic(s.kind))
        p.drawEllipse(QRectF(figure));
    else
        p.drawRoundedRect(QRectF(figure), cornerRadius(figure), cornerRadius(figure));
}

/// Draws the outline: rings of one pixel, as many as the border width, centred on the edge.
void outlineFigure(QPainter &p, const ShapeRow &s, const QRect &figure, Color color)
{
    if (isElliptic(s.kind) || isRounded(s.kind)) {
        p.setBrush(Qt::NoBrush);
        p.setPen(pixelPen(color));
    }
    for (int ring = 0; ring < s.borderWidth; ++ring) {
        const int out = s.borderWidth / 2 - ring;
        const QRect r = figure.adjusted(-out, -out, out, out);
        if (isElliptic(s.kind))
            p.drawEllipse(strokeRect(r));
        else if (isRounded(s.kind))
            p.drawRoundedRect(strokeRect(r), cornerRadius(figure), cornerRadius(figure));
        else
            fillRing(p, r, toQColor(color));
    }
}

/// Draws a shape in the copy mode, with the colors given (black mode passes black for all).
void drawShapeCopy(QPainter &p, const ShapeRow &s, Color fill, bool allBlack)
{
    const QRect figure = figureRect(s);
    const auto color = [allBlack](Color c) { return allBlack ? Color{0} : c; };
    const bool plainInside = s.fillStyle == FillStyle::Solid || (s.opaque && s.fillStyle == FillStyle::Transparent);
    if (plainInside && !isElliptic(s.kind) && !isRounded(s.kind) && s.borderWidth > 0) {
        // A rectangle of one color inside its rings (most of all, a pin): the rings cover all
        // from the outermost to the innermost, so two fills leave the same pixels as the fill
        // and the rings one by one.
        const int outer = s.borderWidth / 2;
        const int inner = outer - (s.borderWidth - 1);
        const QRect inside = figure.adjusted(1 - inner, 1 - inner, inner - 1, inner - 1);
        if (inside.width() > 0 && inside.height() > 0) {
            p.fillRect(figure.adjusted(-outer, -outer, outer, outer), toQColor(color(s.borderColor)));
            const Color insideColor = s.fillStyle == FillStyle::Solid ? fill : s.backColor;
            p.fillRect(inside, toQColor(color(insideColor)));
            return;
        }
    }
    if (s.opaque)
        fillFigure(p, s, figure, toQColor(color(s.backColor)));
    switch (s.fillStyle) {
    case FillStyle::Transparent:
        break;
    case FillStyle::Solid:
        fillFigure(p, s, figure, toQColor(color(fill)));
        break;
    case FillStyle::DiagonalCross:
        fillFigure(p, s, figure, QBrush(toQColor(color(fill)), Qt::DiagCrossPattern));
        break;
    }
    outlineFigure(p, s, figure, color(s.borderColor));
}

/// The device pixels of a box of client-area pixels.
QRect devicePixels(const QRect &box, qreal ratio)
{
    return QRect(QPoint(qRound(box.left() * ratio), qRound(box.top() * ratio)),
                 QSize(qRound(box.width() * ratio), qRound(box.height() * ratio)));
}

/// The nand mode: each pixel the shape draws becomes NOT(shape color AND pixel beneath). The
/// shape is drawn alone on a transparent layer first, so the hatch gaps stay untouched.
void drawShapeNand(QImage &frame, const QRect &clip, const ShapeRow &s, const QRect &bounds, Color fill)
{
    // The layer always holds the whole shape: the hatch pattern is laid from the layer's corner,
    // so a layer of the clipped part only would shift it.
    const QRect area = bounds.intersected(QRect(QPoint(), frame.deviceIndependentSize().toSize()));
    if (!area.intersects(clip))
        return;
    const qreal ratio = frame.devicePixelRatio();
    const QRect device = devicePixels(area, ratio);
    QImage layer(device.size(), QImage::Format_ARGB32);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.translate(-area.topLeft());
        drawShapeCopy(lp, s, fill, false);
    }
    const QRect target = device.intersected(devicePixels(clip, ratio)).intersected(frame.rect());
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(layer.constScanLine(y - device.top())) - device.left();
        QRgb *dst = reinterpret_cast<QRgb *>(frame.scanLine(y));
        for (int x = target.left(); x <= target.right(); ++x) {
            if (qAlpha(src[x]) == 0)
                continue;
            dst[x] = 0xFF000000u | (~(src[x] & dst[x]) & 0x00FFFFFFu);
        }
    }
}

void drawLine(QPainter &p, const LineRow &l)
{
    QPen pen = pixelPen(l.color);
    if (l.style == LineStyle::Dotted)
        pen.setDashPattern({1.0, 1.0});
    p.setPen(pen);
    // Through the pixel centres, so the line covers whole pixels at any scale.
    const QPointF centre(0.5, 0.5);
    p.drawLine(QPointF(twipsToPixels(l.x1), twipsToPixels(l.y1)) + centre,
               QPointF(twipsToPixels(l.x2), twipsToPixels(l.y2)) + centre);
}

/// Breaks a caption at blanks: each line takes as many whole words as fit the width.
QStringList wrapCaption(const QString &caption, const QFontMetrics &fm, int width)
{
    QStringList lines;
    QString current;
    for (const QString &word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            lines << current;
            current = word;
        } else {
            current = candidate;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

/// Two rings: shadow above and left, highlight below and right, outside; dark shadow and face
/// inside, so the box looks pressed in.
void drawSunkenBorder(QPainter &p, const QRect &box)
{
    const auto ring = [&p](const QRect &r, Color topLeft, Color bottomRight) {
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), toQColor(bottomRight));
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), toQColor(bottomRight));
        p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), toQColor(topLeft));
        p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), toQColor(topLeft));
    };
    ring(box, 0x808080, 0xFFFFFF);
    ring(box.adjusted(1, 1, -1, -1), 0x000000, 0xC0C0C0);
}

/// Whether two boxes share a pixel; like QRect::intersects(), but inline, for the pass over
/// every element that each painted rectangle makes.
bool meets(const QRect &a, const QRect &b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

/// The pixels inside a shape that it leaves as they are: inside the border of a transparent
/// rectangle; none for any other shape.
QRect untouchedInside(const ShapeRow &s)
{
    if (s.opaque || s.fillStyle != FillStyle::Transparent || (s.kind != ShapeKind::Rectangle && s.kind != ShapeKind::Square))
        return {};
    // The innermost of the rings outlineFigure() draws, and inside it.
    const int out = s.borderWidth / 2 - (s.borderWidth - 1);
    return figureRect(s).adjusted(-out + 1, -out + 1, out - 1, out - 1);
}

/// Where a caption's letters may be drawn: its box with a margin all round for the substitute
/// fonts' letters, which stand up to two pixels wider or taller than the fonts the boxes were
/// measured with (the hook of a "J" reaches left of its line).
constexpr int CaptionMargin = 2;

QRect captionArea(const QRect &box)
{
    return box.adjusted(-CaptionMargin, -CaptionMargin, CaptionMargin, CaptionMargin);
}

/// The box the lines of a caption stand in: inside the border, if it has one.
QRect textBox(const LabelRow &l, const QRect &box)
{
    return (l.flags & Border) ? box.adjusted(2, 2, -2, -2) : box;
}

void drawLabel(QPainter &p, const LabelRow &l, const QRect &box, const BoardPainter::Caption &caption)
{
    if (l.flags & Opaque)
        p.fillRect(box, toQColor(l.backColor));
    if (l.flags & Border)
        drawSunkenBorder(p, box);
    // A caption stays in its place whatever font stands in for the one it was laid out in: a
    // line much too wide is condensed to fit, and nothing reaches past the box and its margin.
    p.save();
    p.setClipRect(captionArea(box), Qt::IntersectClip);
    p.setFont(captionFont(l.font));
    p.setPen(toQColor(l.textColor));
    for (qsizetype i = 0; i < caption.lines.size(); ++i) {
        if (caption.condense[i] == 1.0) {
            p.drawText(caption.origins[i], caption.lines[i]);
            continue;
        }
        p.save();
        p.translate(caption.origins[i]);
        p.scale(caption.condense[i], 1.0);
        p.drawText(QPoint(), caption.lines[i]);
        p.restore();
    }
    p.restore();
}

void drawImage(QPainter &p, const ImageRow &i, const QRect &box)
{
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(box, picture(i.picture));
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

/// Every pixel an element may paint.
QRect drawnBox(const BoardElement &e)
{
    return e.kind == ElementKind::Label ? captionArea(e.bounds) : e.bounds;
}

} // namespace

Color boardBackgroundColor()
{
    return TitleBarText;
}

BoardPainter::BoardPainter(const Board &board)
    : m_board(board)
    , m_captions(board.elements().size())
    , m_untouched(board.elements().size())
    , m_pictures(board.elements().size())
    , m_sprites(board.elements().size())
{
    const auto &elements = board.elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (elements[i].kind == ElementKind::Shape)
            m_untouched[i] = untouchedInside(*elements[i].shape);
    }
}

void BoardPainter::paint(QImage &frame, std::span<const QRect> areas, const QImage &background)
{
    const QRect whole(QPoint(), frame.deviceIndependentSize().toSize());
    QPainter p;
    for (const QRect &area : areas) {
        const QRect clip = area.intersected(whole);
        if (clip.isEmpty())
            continue;
        if (!p.isActive())
            p.begin(&frame);
        paintRect(p, frame, clip, background);
    }
}

void BoardPainter::paintRect(QPainter &p, QImage &frame, const QRect &clip, const QImage &background)
{
    p.setClipRect(clip);
    p.fillRect(clip, toQColor(boardBackgroundColor()));
    if (!background.isNull())
        p.drawImage(clip.topLeft(), background, clip);

    // Painting all of the frame draws every element straight onto it. Painting a part, captions
    // and curved shapes are drawn from copies kept of them, which is faster than laying out the
    // text or tracing the curves again.
    const bool part = clip != QRect(QPoint(), frame.deviceIndependentSize().toSize());
    const auto &elements = m_board.elements();
    for (std::size_t i = elements.size(); i-- > 0;) {
        const BoardElement &e = elements[i];
        if (!reaches(i, clip))
            continue;
        if (e.kind == ElementKind::Shape && e.shape->drawMode == DrawMode::Nand) {
            p.end();
            drawShapeNand(frame, clip, *e.shape, e.bounds, e.fillColor);
            p.begin(&frame);
            p.setClipRect(clip);
        } else if (e.kind == ElementKind::Image) {
            p.drawImage(e.bounds.topLeft(), scaledPicture(i, frame.devicePixelRatio()));
        } else if (part && isCostly(e)) {
            const Sprite &sprite = spriteOf(i, frame.devicePixelRatio());
            p.drawImage(sprite.origin, sprite.image);
        } else {
            drawElement(p, i);
        }
    }
}

void BoardPainter::drawElement(QPainter &p, std::size_t element)
{
    const BoardElement &e = m_board.elements()[element];
    switch (e.kind) {
    case ElementKind::Label:
        drawLabel(p, *e.label, e.bounds, caption(element));
        break;
    case ElementKind::Shape:
        drawShapeCopy(p, *e.shape, e.fillColor, e.shape->drawMode == DrawMode::Black);
        break;
    case ElementKind::Line:
        drawLine(p, *e.line);
        break;
    case ElementKind::Image:
        drawImage(p, *e.image, e.bounds);
        break;
    }
}

bool BoardPainter::isCostly(const BoardElement &e)
{
    // A small shape (a pin) takes a few calls into the painter; one copy is fewer.
    constexpr int SmallShape = 32 * 32;
    return e.kind == ElementKind::Label
        || (e.kind == ElementKind::Shape
            && (isRounded(e.shape->kind) || isElliptic(e.shape->kind) || e.bounds.width() * e.bounds.height() <= SmallShape));
}

const BoardPainter::Sprite &BoardPainter::spriteOf(std::size_t element, qreal ratio)
{
    const BoardElement &e = m_board.elements()[element];
    auto &sprites = m_sprites[element];
    for (const Sprite &s : sprites) {
        if (s.fill == e.fillColor && s.ratio == ratio)
            return s;
    }
    // Drawn as onto the frame: onto a canvas with the frame's corner, in the same place, so not
    // one pixel can come out differently; only the element's own pixels are then cut out. The
    // drawing is not antialiased, so each pixel is either the element's color or untouched.
    QRect reach = drawnBox(e);
    // Pixels left of or above the frame are never shown.
    reach.setLeft(std::max(reach.left(), 0));
    reach.setTop(std::max(reach.top(), 0));
    QImage canvas(QSize(reach.right() + 1, reach.bottom() + 1) * ratio, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio);
    {
        QPainter p(&canvas);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(reach, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setClipRect(reach);
        drawElement(p, element);
    }
    QImage image = canvas.copy(devicePixels(reach, ratio));
    image.setDevicePixelRatio(ratio);
    sprites.push_back({e.fillColor, ratio, reach.topLeft(), std::move(image)});
    return sprites.back();
}

bool BoardPainter::reaches(std::size_t element, const QRect &clip)
{
    return meets(drawnBox(m_board.elements()[element]), clip) && !m_untouched[element].contains(clip);
}

const BoardPainter::Caption &BoardPainter::caption(std::size_t element)
{
    auto &slot = m_captions[element];
    if (slot)
        return *slot;
    const BoardElement &e = m_board.elements()[element];
    const LabelRow &l = *e.label;
    const QRect text = textBox(l, e.bounds);
    const QFontMetrics &fm = captionMetrics(l.font);
    const QString caption = QString::fromLatin1(l.caption);
    Caption c;
    c.lines = (l.flags & WordWrap) ? wrapCaption(caption, fm, text.width()) : QStringList{caption};
    const int lineHeight = captionLineHeight(l.font);
    // The substitute's glyphs are centred on each line of the stored pitch.
    const int baseline = (lineHeight - fm.height()) / 2 + fm.ascent();
    int y = text.top();
    for (const QString &line : std::as_const(c.lines)) {
        const int width = fm.horizontalAdvance(line);
        const bool fits = width <= text.width() + CaptionMargin;
        int x = text.left();
        if ((l.flags & Centre) && fits)
            x += (text.width() - width) / 2;
        c.origins << QPoint(x, y + baseline);
        c.condense << (fits ? 1.0 : qreal(text.width()) / width);
        y += lineHeight;
    }
    return slot.emplace(std::move(c));
}

const QImage &BoardPainter::scaledPicture(std::size_t element, qreal ratio)
{
    QImage &scaled = m_pictures[element];
    if (!scaled.isNull() && scaled.devicePixelRatio() == ratio)
        return scaled;
    // Scaled smoothly onto a canvas whose corner is the frame's, unclipped, and then cut out:
    // the smooth scale of a clipped part of the box comes out slightly different.
    const BoardElement &e = m_board.elements()[element];
    QImage canvas(QSize(e.bounds.right() + 1, e.bounds.bottom() + 1) * ratio, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    {
        QPainter p(&canvas);
        drawImage(p, *e.image, e.bounds);
    }
    scaled = canvas.copy(devicePixels(e.bounds, ratio));
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

void paintBoard(QImage &frame, const Board &board, const QRect &area, const QImage &background)
{
    BoardPainter(board).paint(frame, {&area, 1}, background);
}
