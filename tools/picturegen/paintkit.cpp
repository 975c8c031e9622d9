// Drawing helpers shared by the pictures.
#include "paintkit.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTransform>
#include <algorithm>
#include <stdexcept>

namespace {

// Outlines are made at this pixel size and scaled down into their boxes, so the size does not
// limit their precision.
constexpr int OutlineSize = 200;

} // namespace

QColor bgr(std::uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QRectF innerArea(const QRect &box, qreal margin)
{
    return QRectF(box.left(), box.top(), box.width(), box.height()).adjusted(margin, margin, -margin, -margin);
}

QPainterPath textOutline(const QString &text, const char *family, int weight, qreal letterGap)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(OutlineSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    if (QFontInfo(font).family() != font.family())
        throw std::runtime_error(std::string("font family not installed: ") + family);

    // Letters are placed one by one so that the extra gap goes between every pair.
    const QFontMetricsF metrics(font);
    QPainterPath path;
    qreal x = 0;
    for (const QChar letter : text) {
        path.addText(x, 0, font, QString(letter));
        x += metrics.horizontalAdvance(letter) + letterGap;
    }
    return path;
}

QPainterPath spreadOutline(const QString &text, const char *family, int weight, qreal aspect)
{
    const QRectF natural = textOutline(text, family, weight).boundingRect();
    const qreal gaps = std::max<qsizetype>(text.size() - 1, 1);
    const qreal gap = std::max<qreal>(0, (aspect * natural.height() - natural.width()) / gaps);
    return textOutline(text, family, weight, gap);
}

QPainterPath fittedInto(const QPainterPath &path, const QRectF &area, Qt::Alignment alignment)
{
    const QRectF bounds = path.boundingRect();
    const qreal scale = std::min(area.width() / bounds.width(), area.height() / bounds.height());
    const qreal width = bounds.width() * scale;
    const qreal left = alignment & Qt::AlignLeft ? area.left() : area.left() + (area.width() - width) / 2;
    const qreal top = area.top() + (area.height() - bounds.height() * scale) / 2;

    QTransform placement;
    placement.translate(left, top);
    placement.scale(scale, scale);
    placement.translate(-bounds.left(), -bounds.top());
    return placement.map(path);
}
