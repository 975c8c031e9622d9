// The one window of the guide: the board drawing with its lists and buttons, and its six events.
#pragma once

#include "failureguard.h"

#include "jumpers/jumperpositions.h"
#include "jumpers/jumperwindow.h"
#include "layout/board.h"

#include <QWidget>

#include <memory>
#include <span>

class Announcer;
class BoardWidget;
class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class MeaningPanel;
class SettingsPanel;
class WindowLossWatch;
struct CpuSettings;
struct Selector;

/// The window. It is the JumperWindow the Load event and the jumper procedures work on, but
/// keeps that interface to itself: its users fill and pick the lists through load() and select().
class MainWindow : public QWidget, private JumperWindow
{
    Q_OBJECT

public:
    /// An error that leaves one of the window's handlers goes to report.
    explicit MainWindow(FailureReport report = reportAndEnd);
    ~MainWindow() override;

    /// The Load event: fills the lists and selects their defaults. Run once, before show().
    void load();

    /// Selects the entry at position in the selector's list as the program does: the list's
    /// Click event runs before this returns. Throws ElementError for a position with no entry.
    void select(const Selector &selector, int position);

    /// The client area as it shows now: drawing, lists and buttons.
    QImage windowImage();

    const Board &board() const { return m_board; }

    /// Opens the jumper settings panel beside the window, or brings it forward with the focus
    /// (F2, or the entry of the board's context menu). While it is open, a click on a jumper
    /// block moves that block's cap.
    void openSettingsPanel();

    /// Writes the fills in order through the window's one pin write, as a jumper procedure does,
    /// then makes each list show the entry that gives the pins its blocks now show (none when no
    /// entry does) without raising a Click, and brings the panel's reading up to date. A failed
    /// write throws ElementError; pins written before it keep their new fill.
    void setPins(std::span<const PinFill> fills);

    /// Sets the pins of JP7 to JP9, JP4 to JP6 and JP3 to a bus clock, multiplier and core
    /// voltage as setPins() does, in the order of the CPU procedure: the CPU list then shows the
    /// entry whose row gives these positions, or no entry, and its Click does not run.
    void showCpuSettings(const CpuSettings &settings);

    /// Makes each list show the entry whose case gives exactly the pins of its blocks: the entry
    /// shown, when it is one of several that do; else the first in list order; no entry (index
    /// -1) when none does. Raises no Click, so no pin changes.
    void showEntriesShown();

signals:
    /// The pins changed: after a list's Click, a choice in the panel or a moved cap.
    void pinsChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    /// Keeps the window on the screen: see placedInside().
    void showEvent(QShowEvent *event) override;
    /// While the panel is open, a left click on a pin of JP3 to JP11 moves its block's cap.
    void mousePressEvent(QMouseEvent *event) override;
    /// Where the board has no caption under the pointer, it gives a hint: see boardHintAt().
    bool eventFilter(QObject *watched, QEvent *event) override;

    /// The one write of the jumper procedures. A subclass may refuse a write by throwing
    /// ElementError before calling this, to stand in for a pin that cannot be set.
    void setFillColor(const char *element, Color color) override;

private:
    // The lists as the Load event and the jumper procedures see them.
    void addItem(const char *list, const char *text) override;
    int newIndex(const char *list) override;
    void setItemData(const char *list, int index, std::int32_t itemCode) override;
    std::int32_t itemData(const char *list, int index) override;
    int listIndex(const char *list) override;
    void setListIndex(const char *list, int index) override;

    void createControls();
    void connectClicks();
    QComboBox *list(const char *name) const;
    QPushButton *button(const char *name) const;

    /// The Click event of a list: runs the list's jumper procedure.
    void click(const Selector &selector);
    /// A pick in a list by the user: its Click, then the entry and the positions it changed told
    /// to a screen reader.
    void pick(const Selector &selector);

    void createPanelAction();
    void createBoardAction();
    void showBoardMenu(const QPoint &pos);
    void moveCapAt(const QPoint &pixel);
    /// What follows every change of pins: the board's description, then pinsChanged().
    void afterPinsChange();

    // The widget paints the board, so it is declared after it and destroyed before it; the panel
    // reads both, so it goes first.
    FailureReport m_report;
    Board m_board;
    std::unique_ptr<BoardWidget> m_boardWidget;
    std::unique_ptr<WindowLossWatch> m_lossWatch;
    QAction *m_panelAction = nullptr;
    QMenu *m_boardMenu = nullptr;           ///< the board's context menu, a child of the window
    Announcer *m_announcer = nullptr;       ///< a child of the window, which deletes it
    std::unique_ptr<SettingsPanel> m_panel; ///< made when first opened
    /// The panel of a described board without the built-in board's settings, made from its meanings.
    std::unique_ptr<MeaningPanel> m_meaningPanel;
};

/// The global reference to the main window; creates the window when there is none yet.
MainWindow &mainWindow();

/// Destroys the main window, if any (at the end of the program).
void releaseMainWindow();
