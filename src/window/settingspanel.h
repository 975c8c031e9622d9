// The jumper settings panel: a companion of the window that reads what the board's CPU, power-
// supply and SDRAM-clock blocks mean, and sets a block by bus clock, multiplier or core voltage.
#pragma once

#include "failureguard.h"

#include "jumpers/jumperpositions.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class Board;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

/// The captions of the panel's lists and readings, an '&' before a list's access key. The guide
/// page repeats the panel and shows them without it.
namespace PanelCaption {
inline constexpr char BusClock[] = "&Bus clock";
inline constexpr char Multiplier[] = "&Multiplier";
inline constexpr char CoreVoltage[] = "Core &voltage";
inline constexpr char CpuClock[] = "CPU clock";
inline constexpr char PowerSupply[] = "Power supply";
inline constexpr char SdramClock[] = "SDRAM clock";
inline constexpr char CpuEntries[] = "CPU";
} // namespace PanelCaption

/// The panel's last lines: what the board's pin colours mean, and where to learn more.
inline constexpr char PanelLegend[] = "On the board, a grey pin is covered by a jumper cap, a white one is "
                                      "left open.\nRest the pointer on a block for its position and pin 1.";

/// What every settings panel is: the dialog's name, title and name for a screen reader, non-modal,
/// hidden (not ending the program) when closed, in the window's font.
void setUpPanelDialog(QDialog &panel);

/// Brings a panel that is showing forward, with the focus; false when it is hidden.
bool bringForward(QDialog &panel);

/// A list of a panel in the panel's font, named for a screen reader by its caption (an '&' before
/// its access key), which labels it in the row's first column; the list is as wide as its values.
QComboBox *addPanelList(QDialog &panel, QGridLayout &grid, int row, const QString &caption, const QString &name);

/// A line of plain text in a panel, in its lists' font.
QLabel *newPanelText(QDialog &panel);

/// A panel's Close button, at the right of the row; Enter on a list does not press it, and it only
/// hides the panel.
QPushButton *addCloseButton(QDialog &panel, QGridLayout &grid, int row);

/// Non-modal, beside the window where it leaves the jumper blocks in sight. Each of its three lists offers the
/// documented values only and shows no entry while the board's pins document none; choosing a value asks for that
/// block's pins (pinsChosen). Closing it (Escape, its close button) only hides it.
class SettingsPanel : public QDialog
{
    Q_OBJECT

public:
    /// Stands beside window and reads board; an error in its handlers goes to report. The window
    /// owns the panel.
    SettingsPanel(QWidget &window, const Board &board, FailureReport report);

    /// Shows the panel beside the window when it is hidden, then brings it forward with the focus.
    void present();

    /// Reads the board afresh: the lists, the positions under them, the CPU clock, the power-
    /// supply and SDRAM-clock settings, and the CPU entries with exactly these jumpers.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    /// A value was chosen: these fills set its blocks, in the order the CPU procedure writes them.
    void pinsChosen(const std::vector<PinFill> &fills);

    /// A choice was made and its blocks set: the sentence that tells a screen reader the value,
    /// the positions that changed, the CPU clock and the CPU entries, e.g. "95 MHz. JP7 2-3. CPU
    /// clock: 285 MHz. CPU: no listed CPU".
    void announcement(const QString &sentence);

private:
    void createRows();
    QPushButton *createCloseButton();
    QComboBox *addList(int row, const QString &caption, const QString &name);
    QLabel *addReading(int row, const QString &caption, const QString &name);
    void fillLists();
    void connectLists();
    void placeBesideWindow();
    /// Raises announcement() for the value just chosen in list, with the positions that changed
    /// since positionsBefore.
    void announceChoice(QComboBox *list, const QStringList &positionsBefore);

    QWidget &m_window;
    const Board &m_board;
    FailureReport m_report;
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
