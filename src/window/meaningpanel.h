// The settings panel of a described board: a list for each meaning of its blocks (bus clock,
// multiplier, ...), the positions each reads, the board's readings, and the entries its lists show.
#pragma once

#include "failureguard.h"

#include "jumpers/jumperpositions.h"

#include <QDialog>

#include <vector>

class Board;
class QComboBox;
class QLabel;

/// Non-modal, beside the window. Each list offers its meaning's values and shows no entry while
/// the pins give none; choosing a value asks for the pins of its blocks (pinsChosen). Closing it
/// only hides it.
class MeaningPanel : public QDialog
{
    Q_OBJECT

public:
    MeaningPanel(QWidget &window, const Board &board, FailureReport report);

    /// Shows the panel beside the window when it is hidden, then brings it forward with the focus.
    void present();

    /// Reads the board afresh: each meaning's value and positions, and each reading.
    void refresh();

signals:
    /// A value was chosen: these fills set its blocks, block by block, pin 1 first.
    void pinsChosen(const std::vector<PinFill> &fills);

    /// A choice was made: the value, the positions that changed, and each reading, e.g.
    /// "66 MHz. JP5 2-3. Memory clock: 66 MHz".
    void announcement(const QString &sentence);

private:
    struct MeaningRowWidgets {
        QComboBox *list;
        QLabel *positions;
    };

    QWidget &m_window;
    const Board &m_board;
    FailureReport m_report;
    std::vector<MeaningRowWidgets> m_meanings;
    std::vector<QLabel *> m_readings;
};
