// The board widget: a back buffer of client-area pixels, repainted only where something changed.
#include "boardwidget.h"

#include "boardpainter.h"
#include "canvas.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {

/// Adds box to rects, merged with every rectangle it comes near (and those the merged one then
/// comes near); returns the rectangle it ends up in.
QRect gatherInto(std::vector<QRect> &rects, const QRect &box)
{
    constexpr int Gap = 8;
    QRect merged = box;
    for (auto it = rects.begin(); it != rects.end();) {
        if (!it->adjusted(-Gap, -Gap, Gap, Gap).intersects(merged)) {
            ++it;
            continue;
        }
        merged |= *it;
        rects.erase(it);
        it = rects.begin(); // the grown rectangle may now reach one passed over
    }
    rects.push_back(merged);
    return merged;
}

} // namespace

BoardWidget::BoardWidget(Board &board, const QImage &background, QWidget *parent)
    : QWidget(parent)
    , m_board(board)
    , m_painter(board)
    , m_background(background)
{
    // Not marked opaque although it covers the window: the toolkit would then leave the window
    // out of its repaints, so a repaint of the window would skip the drawing altogether and the
    // window would never see a paint event of its own. The window's share is one plain fill.
    //
    // A changed fill only marks its box; the repaint after the event draws it in stacking order.
    m_board.setRepaintRequest([this](const QRect &area) { markStale(area); });
}

void BoardWidget::markStale(const QRect &area)
{
    // Boxes near one another are gathered into one rectangle, so the pins of a block that changed
    // are redrawn in one pass over the elements rather than one pass each. What else lies there
    // is redrawn as it was.
    gatherInto(m_stale, area);
    // The toolkit is asked to repaint the whole neighbourhood of the changes seen so far (kept
    // from one change to the next: the blocks of pins), once per neighbourhood rather than once
    // per pin, for each request costs more than copying a few more pixels to the screen.
    const QRect neighbourhood = gatherInto(m_neighbourhoods, area);
    if (std::find(m_requested.begin(), m_requested.end(), neighbourhood) != m_requested.end())
        return;
    m_requested.push_back(neighbourhood);
    update(neighbourhood);
}

void BoardWidget::resizeEvent(QResizeEvent *)
{
    m_frame = QImage();
}

void BoardWidget::paintEvent(QPaintEvent *)
{
    bringFrameUpToDate();
    // The frame has the screen's pixels, so it is copied pixel for pixel, from the corner; the
    // toolkit clips the copy to the area being repainted. (Copying rectangle by rectangle would
    // ask for fractional source rectangles at a fractional ratio.)
    QPainter p(this);
    p.drawImage(QPointF(), m_frame);
}

void BoardWidget::bringFrameUpToDate()
{
    // The board is drawn into a buffer of its own because the nand draw mode reads the pixels
    // beneath. The buffer keeps the whole drawing, so a repaint of what did not change (an
    // expose, a list's box closing over the drawing) is a copy, and a changed fill redraws its
    // box only. It has the screen's pixel density, so a dense screen gets sharp lines and letters
    // rather than a magnified picture; at a fractional density it takes in the device pixel that
    // the client area's last pixel covers in part.
    const qreal ratio = devicePixelRatioF();
    if (m_frame.isNull() || m_frame.devicePixelRatio() != ratio) {
        m_frame = canvasImage(devicePixels(rect(), ratio).size(), QImage::Format_RGB32);
        m_frame.setDevicePixelRatio(ratio);
        m_stale = {rect()};
    }
    m_painter.paint(m_frame, m_stale, m_background);
    m_stale.clear();
    m_requested.clear();
}

bool BoardWidget::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    showToolTipAt(help->pos(), help->globalPos());
    return true;
}

QString BoardWidget::toolTipAt(const QPoint &pos) const
{
    const BoardElement *label = m_board.labelAt(pos);
    return label ? QString::fromLatin1(label->label->toolTip) : QString();
}

void BoardWidget::showToolTipAt(const QPoint &pos, const QPoint &globalPos)
{
    const QString tip = toolTipAt(pos);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // Shown exactly as stored, blanks included, on one line; hidden when the pointer leaves the
    // caption's box.
    const QString text = QStringLiteral("<p style='white-space:pre'>%1</p>").arg(tip.toHtmlEscaped());
    QToolTip::showText(globalPos, text, this, m_board.labelAt(pos)->bounds);
}
