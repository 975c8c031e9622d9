// The one window of the guide: the board drawing with its lists and buttons, and its six events.
#pragma once

#include "jumpers/jumperwindow.h"
#include "layout/board.h"

#include <QWidget>

#include <memory>

class BoardWidget;
class QComboBox;
class QPushButton;
struct CpuMeanings;
struct Selector;

/// The window. It is the JumperWindow the Load event and the jumper procedures work on, but
/// keeps that interface to itself: its users fill and pick the lists through load() and select().
class MainWindow : public QWidget, private JumperWindow
{
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    /// The Load event: fills the lists and selects their defaults. Run once, before show().
    void load();

    /// Selects the entry at position in the selector's list as the program does: the list's
    /// Click event runs before this returns. Throws ElementError for a position with no entry.
    void select(const Selector &selector, int position);

    /// The client area as it shows now: drawing, lists and buttons.
    QImage windowImage();

    const Board &board() const { return m_board; }

protected:
    void closeEvent(QCloseEvent *event) override;

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

    // The widget paints the board, so it is declared after it and destroyed before it.
    Board m_board;
    std::unique_ptr<BoardWidget> m_boardWidget;

    // Setting the CPU blocks by what they stand for.
public:
    /// Sets the pins of JP7 to JP9, JP4 to JP6 and JP3 to a bus clock, multiplier and core
    /// voltage, through the one fill operation and in the order of the CPU procedure; the CPU
    /// list then shows the first entry whose row gives these positions, or no entry. The list's
    /// Click does not run.
    void showCpuMeanings(const CpuMeanings &meanings);
};

/// The global reference to the main window; creates the window when there is none yet.
MainWindow &mainWindow();

/// Destroys the main window, if any (at the end of the program).
void releaseMainWindow();
