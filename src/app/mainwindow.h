// The one window of the guide: the board drawing with its lists and buttons, and its six events.
#pragma once

#include "jumpers/jumperwindow.h"
#include "layout/board.h"

#include <QWidget>

class BoardWidget;
class QComboBox;
class QPushButton;

class MainWindow : public QWidget, public JumperWindow
{
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    /// The Load event: fills the lists and selects their defaults. Run once, before show().
    void load();

    /// The client area as it shows now: drawing, lists and buttons.
    QImage windowImage();

    const Board &board() const { return m_board; }

    // The window as the jumper procedures and the Load event see it.
    void addItem(const char *list, const char *text) override;
    int newIndex(const char *list) override;
    void setItemData(const char *list, int index, std::int32_t itemCode) override;
    std::int32_t itemData(const char *list, int index) override;
    int listIndex(const char *list) override;
    void setListIndex(const char *list, int index) override;
    void setFillColor(const char *element, Color color) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    QComboBox *list(const char *name) const;
    void click(const char *list);

    // The Click events.
    void cpuClick();
    void powerClick();
    void sdramClick();
    void printClick();
    void exitClick();

    Board m_board;
    BoardWidget *m_boardWidget = nullptr;
};

/// The global reference to the main window; creates the window when there is none yet.
MainWindow &mainWindow();

/// Destroys the main window, if any (at the end of the program).
void releaseMainWindow();
