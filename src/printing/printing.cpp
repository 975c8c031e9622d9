// Print: the window painted on a printer's page, and on the default printer's through a print
// request; the page size and margins of every printed or exported page.
#include "printing.h"

#include "printrequest.h"

#include "boarddata/window.h"
#include "layout/boardpainter.h"
#include "layout/boardwidget.h"
#include "layout/canvas.h"
#include "layout/elementcache.h"
#include "layout/pictures.h"

#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

/// The least paper left on each side of a page.
constexpr qreal MarginMillimeters = 10;
/// The window's layout: 96 pixels an inch, 15 twips a pixel.
constexpr qreal LayoutDpi = 96;
/// The finest the board's picture is made for paper, in dots per inch: a one-pixel line is then
/// a few dots wide, a caption's stroke edges fall on single dots, and the picture of a page
/// holds some 2200 x 2200 pixels (20 MB); a finer one would cost four times that.
constexpr qreal BoardDpi = 300;

/// Where the client area lands on the page: scaled to fit the printable area and centred.
QRectF pageTarget(const QRect &page)
{
    QSizeF size = clientSize();
    size.scale(page.size(), Qt::KeepAspectRatio);
    return QRectF(QPointF(page.x() + (page.width() - size.width()) / 2, page.y() + (page.height() - size.height()) / 2),
                  size);
}

/// The board drawn for a page on which a client-area pixel takes scale dots of a printer of the
/// resolution given (dots per inch).
QImage boardForPage(const Board &board, qreal scale, qreal resolution)
{
    const qreal dpi = std::min(resolution, BoardDpi);
    const qreal ratio = scale * dpi / resolution;
    // A line is as wide on paper as on the screen the board was laid out for, in whole dots of
    // the picture, while the picture is magnified to fit the page: a one-pixel line stays thin
    // (and never grows wider than the magnified pixel).
    const qreal lineWidth = std::min(1.0, std::max(1.0, std::round(dpi / LayoutDpi)) / ratio);
    const QRect client(QPoint(), clientSize());
    QImage image = canvasImage(devicePixels(client, ratio).size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    BoardPainter(board, lineWidth).paint(image, {&client, 1}, boardBackground());
    return image;
}

/// Draws child in its place on the painter's page as the toolkit draws a widget on a printer:
/// into a picture of the page's own dots, which then goes on the page. (Drawn straight onto a
/// PDF writer's page instead, the lists and buttons would lose their frames.)
void paintChild(QPainter &painter, QWidget &child)
{
    const QTransform toPage = QTransform::fromTranslate(child.x(), child.y()) * painter.worldTransform();
    const QPaintDevice &page = *painter.device();
    const QRect dots =
        toPage.mapRect(QRectF(child.rect())).toAlignedRect().intersected(QRect(0, 0, page.width(), page.height()));
    if (dots.isEmpty())
        return;
    QImage picture = canvasImage(dots.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter picturePainter(&picture);
    picturePainter.setRenderHints(painter.renderHints());
    picturePainter.setTransform(toPage * QTransform::fromTranslate(-dots.x(), -dots.y()));
    child.render(&picturePainter, QPoint(), QRegion(), QWidget::DrawChildren);
    picturePainter.end();
    painter.save();
    painter.resetTransform();
    painter.drawImage(dots.topLeft(), picture);
    painter.restore();
}

/// Paints the client area into target (device pixels) on a printer of the resolution given.
void paintWindow(QPainter &painter, QWidget &window, const Board &board, const QRectF &target, qreal resolution)
{
    const qreal scale = target.width() / clientSize().width();
    const QImage picture = boardForPage(board, scale, resolution);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(), clientSize()));
    // Lossless, so the pins' flat colors and the sharp edges reach paper unblurred.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRectF(QPointF(), QSizeF(picture.size()) / picture.devicePixelRatio()), picture,
                      QRectF(picture.rect()));
    // The lists and buttons over the board, in the order they lie on top of one another. The
    // toolkit draws them at the page's own dots, its letters and lines at its resolution. The
    // settings panel is a window of its own, not part of the page.
    for (QWidget *child : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden() && !child->isWindow() && !qobject_cast<BoardWidget *>(child))
            paintChild(painter, *child);
    }
    painter.restore();
}

} // namespace

QPageSize pageSizeOf(const QLocale &locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

QPageSize localPageSize()
{
    return pageSizeOf(QLocale::system());
}

void setPage(QPrinter &printer, const QPageSize &size)
{
    if (size.isValid())
        printer.setPageSize(size);
    // The printer's own least margins come with the page size.
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    printer.setPageMargins(
        QMarginsF(std::max(least.left(), MarginMillimeters), std::max(least.top(), MarginMillimeters),
                  std::max(least.right(), MarginMillimeters), std::max(least.bottom(), MarginMillimeters)),
        QPageLayout::Millimeter);
}

void paintPage(QPainter &painter, QWidget &window, const Board &board, qreal resolution)
{
    paintWindow(painter, window, board, pageTarget(painter.viewport()), resolution);
}

QString printWindow(QPrinter &printer, QWidget &window, const Board &board)
{
    QPainter painter;
    if (const QString problem = paintPrinterPage(painter, printer, window, board); !problem.isEmpty())
        return problem;
    return endPrinterPage(painter, printer);
}

QString paintPrinterPage(QPainter &painter, QPrinter &printer, QWidget &window, const Board &board)
{
    if (!painter.begin(&printer))
        return QStringLiteral("the printer \"%1\" could not start the job").arg(printer.printerName());
    paintPage(painter, window, board, printer.resolution());
    return {};
}

QString endPrinterPage(QPainter &painter, QPrinter &printer)
{
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QStringLiteral("the printer \"%1\" reported an error").arg(printer.printerName());
    return {};
}

void printOnDefaultPrinter(QWidget &window, const Board &board, const PrintStepRunner &runStep)
{
    PrintRequest::start(window, board, runStep);
}

bool printRequestOutstanding()
{
    return PrintRequest::outstanding();
}
