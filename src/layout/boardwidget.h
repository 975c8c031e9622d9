// The board drawing as a widget: paints the changed areas and shows the captions' tool tips.
#pragma once

#include "board.h"

#include <QImage>
#include <QWidget>

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

    Board &m_board;
    QImage m_background;
    QImage m_frame;
};
