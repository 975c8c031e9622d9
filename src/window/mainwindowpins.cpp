// The main window's pins set outside the lists' Click events: the jumper settings panel with its
// F2 action and the board's context menu, a cap moved by a click, and the lists made to show the
// entries that give the pins.
#include "boardblocks.h"
#include "failureguard.h"
#include "mainwindow.h"
#include "settingspanel.h"

#include "jumpers/blockmeanings.h"
#include "jumpers/boardjumpertables.h"
#include "jumpers/jumperguide.h"
#include "jumpers/meaningsetting.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/boardwidget.h"
#include "layout/fonts.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

#include <vector>

void MainWindow::pinsChanged()
{
    // A screen reader reads the positions the pins now show.
    m_boardWidget->setAccessibleDescription(jumperPositionsText(m_board));
    if (m_panel)
        m_panel->refresh();
}

void MainWindow::createPanelAction()
{
    // F2 works in the panel as in the window: it opens the panel, or brings it forward.
    m_panelAction = new QAction(QStringLiteral("Jumper settings panel"), this);
    m_panelAction->setShortcut(Qt::Key_F2);
    m_panelAction->setShortcutContext(Qt::ApplicationShortcut);
    addAction(m_panelAction);
    connect(m_panelAction, &QAction::triggered, this, [this] { runGuarded([this] { openSettingsPanel(); }); });
    m_boardWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_boardWidget.get(), &QWidget::customContextMenuRequested, this, &MainWindow::showBoardMenu);
}

void MainWindow::showBoardMenu(const QPoint &pos)
{
    QMenu menu(this);
    menu.setFont(windowFont());
    menu.addAction(m_panelAction);
    menu.exec(m_boardWidget->mapToGlobal(pos));
}

void MainWindow::openSettingsPanel()
{
    if (!m_panel)
        m_panel = std::make_unique<SettingsPanel>(*this);
    m_panel->present();
}

void MainWindow::moveCapAt(const QPoint &pixel)
{
    const std::vector<PinFill> move = capMoveAt(m_board, pixel);
    if (!move.empty())
        setPins(move);
}

void MainWindow::setPins(std::span<const PinFill> fills)
{
    for (const PinFill &fill : fills)
        setFillColor(fill.pin, fill.color);
    showMatchingCpuEntry();
    showMatchingEntry(powerJumper());
    showMatchingEntry(sdramJumper());
    pinsChanged();
}

void MainWindow::showMatchingCpuEntry()
{
    const QList<int> matching = matchingCpuEntries(readCpuBlocks(m_board));
    QComboBox *cpu = list(cpuSelector().list);
    if (matching.contains(cpu->currentIndex()))
        return;
    // Setting the index of the list itself, not through setListIndex(): that is the program's
    // choice of an entry and would run the Click, which sets the pins from the entry.
    cpu->setCurrentIndex(matching.isEmpty() ? -1 : matching.front());
}

void MainWindow::showMatchingEntry(const BoardJumper &jumper)
{
    const auto entry = entryShownBy(m_board, jumper);
    list(jumper.selector.list)->setCurrentIndex(entry.value_or(-1));
}

void MainWindow::showCpuMeanings(const CpuMeanings &meanings)
{
    // As the panel sets a block: the same writes, then the lists show what the pins stand for.
    setPins(cpuPinFills(meanings));
}
