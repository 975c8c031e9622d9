// The board widget: a back buffer of client-area pixels, repainted only where something changed;
// the captions' tool tips, by pointer and by keyboard.
#include "boardwidget.h"

#include "boardpainter.h"
#include "canvas.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
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

/// A tool tip as the board shows it: exactly as stored, blanks included, on one line.
QString toolTipHtml(const QString &tip)
{
    return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(tip.toHtmlEscaped());
}

bool hasToolTip(const BoardElement *caption)
{
    return *caption->label->toolTip != '\0';
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
    for (const BoardElement &e : m_board.elements()) {
        if (e.kind == ElementKind::Label)
            m_captions.push_back(&e);
    }
    std::stable_sort(m_captions.begin(), m_captions.end(), [](const BoardElement *a, const BoardElement *b) {
        return std::pair(a->bounds.top(), a->bounds.left()) < std::pair(b->bounds.top(), b->bounds.left());
    });
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
    // The focus is shown only while the board has it, so the drawing at rest stays as it is.
    if (!hasFocus())
        return;
    QPen pen(palette().color(QPalette::Highlight), 2, Qt::DotLine);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(focusMark());
}

QRect BoardWidget::focusMark() const
{
    if (m_current < 0)
        return rect().adjusted(1, 1, -2, -2);
    return m_captions[std::size_t(m_current)]->bounds.adjusted(-2, -2, 1, 1);
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
    // The platform turns the Menu key into a menu asked for at the pointer; from the keyboard the
    // menu belongs at the caption the keyboard is on.
    if (event->type() == QEvent::ContextMenu && !m_askingForMenu
        && static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        requestMenuAtCaption();
        return true;
    }
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
    // Hidden when the pointer leaves the caption's box.
    QToolTip::showText(globalPos, toolTipHtml(tip), this, m_board.labelAt(pos)->bounds);
}

// The keyboard on the board.

void BoardWidget::takeFocus(QWidget *returnTo)
{
    m_returnFocus = returnTo == this ? nullptr : returnTo;
    setFocus(Qt::ShortcutFocusReason);
}

void BoardWidget::giveFocusBack()
{
    // The next visit starts with the board as a whole again.
    goToCaption(-1);
    QWidget *target = m_returnFocus;
    m_returnFocus = nullptr;
    if (target && target->isVisible() && target->isEnabled()) {
        target->setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget::focusNextPrevChild(true);
}

bool BoardWidget::focusNextPrevChild(bool)
{
    // Tab and Shift+Tab leave the board for where the focus came from: the board has no place
    // in the Tab chain.
    giveFocusBack();
    return true;
}

void BoardWidget::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const int count = int(m_captions.size());
    // The Menu key itself comes here only where the platform makes no menu request of it.
    if (key == Qt::Key_Menu || (modifiers == Qt::ShiftModifier && key == Qt::Key_F10))
        return requestMenuAtCaption();
    if (modifiers != Qt::NoModifier)
        return QWidget::keyPressEvent(event);
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        return stepCaption(m_current, 1);
    case Qt::Key_Left:
    case Qt::Key_Up:
        return stepCaption(m_current < 0 ? count : m_current, -1);
    case Qt::Key_Home:
        return stepCaption(-1, 1);
    case Qt::Key_End:
        return stepCaption(count, -1);
    case Qt::Key_Escape:
        return giveFocusBack();
    default:
        return QWidget::keyPressEvent(event);
    }
}

void BoardWidget::stepCaption(int from, int step)
{
    // Round at either end, so every step lands on a caption and is heard.
    const int count = int(m_captions.size());
    int index = from;
    for (int i = 0; i < count; ++i) {
        index = (index + step + count) % count;
        if (hasToolTip(m_captions[std::size_t(index)]))
            return goToCaption(index);
    }
}

void BoardWidget::goToCaption(int index)
{
    update(focusMark().adjusted(-2, -2, 2, 2));
    m_current = index;
    update(focusMark().adjusted(-2, -2, 2, 2));
    if (index < 0)
        return;
    const BoardElement *caption = m_captions[std::size_t(index)];
    QToolTip::showText(mapToGlobal(caption->bounds.bottomLeft()),
                       toolTipHtml(QString::fromLatin1(caption->label->toolTip)), this, caption->bounds);
    tellCaptionFocus();
}

void BoardWidget::tellCaptionFocus()
{
    // A screen reader follows the focus to the caption, which it reads with its tool tip.
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_current);
    QAccessible::updateAccessibility(&focus);
}

void BoardWidget::requestMenuAtCaption()
{
    const QPoint pos = m_current < 0 ? rect().center() : m_captions[std::size_t(m_current)]->bounds.center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, pos, mapToGlobal(pos));
    m_askingForMenu = true;
    QApplication::sendEvent(this, &menu);
    m_askingForMenu = false;
}

void BoardWidget::focusInEvent(QFocusEvent *event)
{
    update(focusMark().adjusted(-2, -2, 2, 2));
    QWidget::focusInEvent(event);
    // Back from the context menu on a caption: the toolkit tells a reader the board has the
    // focus (after this handler), so the caption is told again once that is done.
    if (event->reason() == Qt::PopupFocusReason && m_current >= 0)
        QTimer::singleShot(0, this, [this] {
            if (hasFocus() && m_current >= 0)
                tellCaptionFocus();
        });
}

void BoardWidget::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason)
        QToolTip::hideText();
    update(focusMark().adjusted(-2, -2, 2, 2));
    QWidget::focusOutEvent(event);
}
