// The board drawing as a widget: paints the changed areas and shows the captions' tool tips.
#pragma once

#include "board.h"
#include "boardpainter.h"

#include <QImage>
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

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showToolTipAt(const QPoint &pos, const QPoint &globalPos);
    void markStale(const QRect &area);
    void bringFrameUpToDate();

    Board &m_board;
    BoardPainter m_painter;
    QImage m_background;
    QImage m_frame;                      ///< the whole drawing, kept between paints
    std::vector<QRect> m_stale;          ///< where m_frame does not yet show the board as it is
    std::vector<QRect> m_neighbourhoods; ///< every box that changed so far, gathered by nearness
    std::vector<QRect> m_requested;      ///< neighbourhoods the toolkit was asked to repaint
};
