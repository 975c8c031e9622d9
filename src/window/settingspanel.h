// The jumper settings panel: a companion of the window that reads what the board's CPU, power-
// supply and SDRAM-clock blocks mean, and sets a block by bus clock, multiplier or core voltage.
#pragma once

#include <QDialog>

class MainWindow;
class QComboBox;
class QLabel;
class QPushButton;

/// Non-modal, beside the window. Each of its three lists offers the documented values only and
/// shows no entry while the board's pins document none; choosing a value writes that block's
/// pins through the window. Closing it (Escape, its close button) only hides it.
class SettingsPanel : public QDialog
{
    Q_OBJECT

public:
    /// Reads window.board() and writes through window.setPins(); the window owns the panel.
    explicit SettingsPanel(MainWindow &window);

    /// Shows the panel beside the window when it is hidden, then brings it forward with the focus.
    void present();

    /// Reads the board afresh: the lists, the positions under them, the CPU clock, the power-
    /// supply and SDRAM-clock settings, and the CPU entries with exactly these jumpers.
    void refresh();

private:
    void createRows();
    QPushButton *createCloseButton();
    QComboBox *addList(int row, const QString &caption, const QString &name);
    QLabel *addReading(int row, int column, const QString &caption, const QString &name);
    void fillLists();
    void connectLists();
    void placeBesideWindow();
    void refreshCpuBlocks();
    void refreshBoardJumpers();

    MainWindow &m_window;
    QComboBox *m_busClock = nullptr;
    QComboBox *m_multiplier = nullptr;
    QComboBox *m_voltage = nullptr;
    QLabel *m_busClockPins = nullptr;
    QLabel *m_multiplierPins = nullptr;
    QLabel *m_voltagePins = nullptr;
    QLabel *m_cpuClock = nullptr;
    QLabel *m_powerSupply = nullptr;
    QLabel *m_sdramClock = nullptr;
    QLabel *m_cpuEntries = nullptr;
};
