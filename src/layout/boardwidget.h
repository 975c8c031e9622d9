// The board drawing as a widget: paints the changed areas, shows the captions' tool tips, and lets
// the keyboard step through the captions.
#pragma once

#include "board.h"
#include "boardpainter.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <vector>

class BoardWidget : public QWidget
{
    Q_OBJECT

public:
    /// Draws board over background; the board must outlive the widget.
    BoardWidget(Board &board, const QImage &background, QWidget *parent = nullptr);

    /// The tool tip of the caption on top at a point, exactly as stored; empty for none.
    QString toolTipAt(const QPoint &pos) const;

    /// Every caption, in reading order: by its top edge, then its left one. A screen reader knows
    /// them as the board's children in this order.
    const std::vector<const BoardElement *> &captions() const { return m_captions; }

    /// The caption the keyboard is on, as an index into captions(); -1 before the first step.
    int currentCaption() const { return m_current; }

    /// Gives the board the keyboard focus, to be given back to returnTo (when there is one) as the
    /// board lets it go. The board is in no Tab chain and a click does not focus it: only this
    /// does. With the focus, the arrow keys step through the captions that have a tool tip (Right
    /// and Down to the next, Left and Up to the one before, round at either end; Home and End to
    /// the first and last), each shown with its tool tip, marked and told to a screen reader;
    /// Shift+F10 and the Menu key ask for the context menu at the caption; Escape, Tab and
    /// Shift+Tab let the focus go.
    void takeFocus(QWidget *returnTo);

    /// Lets the focus go back where takeFocus() took it from (else on along the Tab chain); the
    /// next visit starts before the first caption again.
    void giveFocusBack();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void showToolTipAt(const QPoint &pos, const QPoint &globalPos);
    void markStale(const QRect &area);
    void bringFrameUpToDate();
    /// Goes to the next caption with a tool tip after from (before it for a negative step).
    void stepCaption(int from, int step);
    void goToCaption(int index);
    void requestMenuAtCaption();
    void tellCaptionFocus();
    QRect focusMark() const;

    Board &m_board;
    BoardPainter m_painter;
    QImage m_background;
    QImage m_frame;                      ///< the whole drawing, kept between paints
    std::vector<QRect> m_stale;          ///< where m_frame does not yet show the board as it is
    std::vector<QRect> m_neighbourhoods; ///< every box that changed so far, gathered by nearness
    std::vector<QRect> m_requested;      ///< neighbourhoods the toolkit was asked to repaint
    std::vector<const BoardElement *> m_captions;
    int m_current = -1;
    bool m_askingForMenu = false; ///< while the board sends itself the menu request at a caption
    QPointer<QWidget> m_returnFocus;
};
