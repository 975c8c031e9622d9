// The board widget: a back buffer of client-area pixels, repainted only where something changed.
#include "boardwidget.h"

#include "boardpainter.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

BoardWidget::BoardWidget(Board &board, const QImage &background, QWidget *parent)
    : QWidget(parent)
    , m_board(board)
    , m_background(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A changed fill only marks its box; the repaint after the event draws it in stacking order.
    m_board.setRepaintRequest([this](const QRect &area) { update(area); });
}

void BoardWidget::resizeEvent(QResizeEvent *)
{
    m_frame = QImage();
}

void BoardWidget::paintEvent(QPaintEvent *event)
{
    // The board is drawn into a buffer of its own because the nand draw mode reads the pixels
    // beneath; the buffer is then copied to the screen. It has the screen's pixel density, so a
    // dense screen gets sharp lines and letters rather than a magnified picture.
    const qreal ratio = devicePixelRatioF();
    if (m_frame.isNull() || m_frame.devicePixelRatio() != ratio) {
        m_frame = QImage(size() * ratio, QImage::Format_RGB32);
        m_frame.setDevicePixelRatio(ratio);
    }
    QPainter p(this);
    for (const QRect &r : event->region()) {
        paintBoard(m_frame, m_board, r, m_background);
        p.drawImage(QRectF(r), m_frame, QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio));
    }
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
