// The guide page's pictures: the board's picture and each pin's fill region, from the
// program's own drawing.
#include "pagepictures.h"

#include "pageerror.h"

#include "boarddata/catalogues.h"
#include "boarddata/window.h"
#include "layout/board.h"
#include "layout/boardpainter.h"
#include "layout/canvas.h"
#include "layout/pictures.h"

#include <QBuffer>
#include <QImage>
#include <QJsonObject>

#include <map>
#include <vector>

namespace {

/// A board of its own with the fills shown, for the probes to change.
Board boardAsShown(const Board &shown)
{
    Board board;
    for (const ShapeRow &pin : pinCatalogue())
        board.setFillColor(pin.name, shown.fillColor(pin.name));
    return board;
}

/// The rectangles that cover the set pixels of a mask exactly: the runs of each row, a run that
/// stands under the same run of the row above extending its rectangle.
QList<QRect> rectanglesOf(const std::vector<bool> &mask, const QRect &box)
{
    QList<QRect> rects;
    std::map<std::pair<int, int>, qsizetype> open; // run (from, to) of the row above -> rectangle
    for (int y = 0; y < box.height(); ++y) {
        std::map<std::pair<int, int>, qsizetype> runs;
        for (int x = 0; x < box.width();) {
            if (!mask[static_cast<std::size_t>(y * box.width() + x)]) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < box.width() && mask[static_cast<std::size_t>(y * box.width() + x)])
                ++x;
            const auto above = open.find({from, x});
            if (above != open.end()) {
                rects[above->second].setBottom(box.top() + y);
                runs[{from, x}] = above->second;
            } else {
                rects << QRect(box.left() + from, box.top() + y, x - from, 1);
                runs[{from, x}] = rects.size() - 1;
            }
        }
        open = std::move(runs);
    }
    return rects;
}

/// The device pixels of frame that show the pin's fill: those that change, all to the new
/// color, when the pin's fill alone changes. The frame and board are left as they were; the
/// painter is the one that drew the frame, and paints the pin's box again as it drew it.
QList<QRect> fillRegion(Board &board, BoardPainter &painter, QImage &frame, const char *pin)
{
    const BoardElement *element = board.find(pin);
    if (!element)
        throw PageError(QStringLiteral("the board has no pin %1").arg(QLatin1String(pin)));
    const int ratio = qRound(frame.devicePixelRatio());
    const QRect box =
        QRect(element->bounds.topLeft() * ratio, element->bounds.size() * ratio).intersected(frame.rect());
    const QImage before = frame.copy(box);
    const Color fill = board.fillColor(pin);
    const Color probe = fill == 0x00FF00 ? 0xFF00FF : 0x00FF00;
    board.setFillColor(pin, probe);
    painter.paint(frame, {&element->bounds, 1}, boardBackground());
    const QImage probed = frame.copy(box);
    board.setFillColor(pin, fill);
    painter.paint(frame, {&element->bounds, 1}, boardBackground());

    std::vector<bool> mask(static_cast<std::size_t>(box.width() * box.height()));
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x) {
            if (probed.pixel(x, y) == before.pixel(x, y))
                continue;
            if (probed.pixel(x, y) != toRgb(probe))
                throw PageError(
                    QStringLiteral("the pin %1 is drawn with blended edges at %2x").arg(QLatin1String(pin)).arg(ratio));
            mask[static_cast<std::size_t>(y * box.width() + x)] = true;
        }
    }
    const QList<QRect> rects = rectanglesOf(mask, box);
    if (rects.isEmpty())
        throw PageError(QStringLiteral("the pin %1 does not show its fill").arg(QLatin1String(pin)));
    return rects;
}

QString pngDataUri(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", 60);
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

} // namespace

Pictures drawPictures(const Board &shown)
{
    Board board = boardAsShown(shown);
    Pictures pictures;
    std::vector<QJsonArray> regions(pinCatalogue().size(), QJsonArray());
    const QRect client(QPoint(), clientSize());
    for (int ratio : {1, 2}) {
        // One painter a ratio, so the background is scaled and each caption laid out once.
        BoardPainter painter(board);
        QImage frame = canvasImage(clientSize() * ratio, QImage::Format_RGB32);
        frame.setDevicePixelRatio(ratio);
        painter.paint(frame, {&client, 1}, boardBackground());
        pictures.uri[ratio - 1] = pngDataUri(frame);
        for (std::size_t i = 0; i < pinCatalogue().size(); ++i) {
            QJsonArray rects;
            for (const QRect &r : fillRegion(board, painter, frame, pinCatalogue()[i].name))
                rects.append(QJsonArray{r.x(), r.y(), r.width(), r.height()});
            regions[i].append(rects);
        }
    }
    for (std::size_t i = 0; i < pinCatalogue().size(); ++i)
        pictures.pins.append(QJsonObject{{QStringLiteral("name"), QLatin1String(pinCatalogue()[i].name)},
                                         {QStringLiteral("regions"), regions[i]}});
    return pictures;
}
