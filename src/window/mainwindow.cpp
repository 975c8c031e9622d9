// The main window: creation from the board's rows, its lists, the Print and Exit commands, the event
// routing, and the pins set by the settings panel or a click on a jumper block.
#include "mainwindow.h"

#include "boardhints.h"
#include "capmove.h"
#include "controlkeys.h"
#include "failureguard.h"
#include "meaningpanel.h"
#include "settingspanel.h"
#include "startup.h"
#include "windowloss.h"
#include "windowplacement.h"

#include "accessibility/accessibleinterfaces.h"
#include "accessibility/announcer.h"
#include "boarddata/catalogues.h"
#include "boarddata/window.h"
#include "boardrows/elementerror.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperprocedures.h"
#include "jumpers/jumperwords.h"
#include "jumpers/powersdramtables.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "layout/pictures.h"
#include "printing/printing.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cassert>
#include <string>
#include <vector>

namespace {

constexpr int ItemCodeRole = Qt::UserRole;

QPointer<MainWindow> &globalWindow()
{
    static QPointer<MainWindow> window;
    return window;
}

void setColors(QWidget *w, const ControlRow &row)
{
    QPalette palette = w->palette();
    const QColor background = toQColor(row.background);
    const QColor text = toQColor(row.text);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Button, background);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::WindowText, text);
    w->setPalette(palette);
}

/// The Print command: the main window, reached through the global reference, on paper. The page is
/// painted later, once the print system has answered, inside the same guard as the click.
void printClick(const FailureReport &report)
{
    MainWindow &window = mainWindow();
    printOnDefaultPrinter(window, window.board(),
                          [report](const std::function<void()> &step) { runGuarded(report, step); });
}

/// The Exit command.
void exitClick()
{
    QCoreApplication::exit(0);
}

} // namespace

MainWindow::MainWindow(FailureReport report)
    : m_report(std::move(report))
{
    setObjectName(QStringLiteral("VELMOR"));
    setWindowTitle(QString::fromUtf8(windowCaption()));
    // An ordinary window, which task bars and window switchers list, with the look of the guide's
    // frame: a title bar with a close button only, and a fixed size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(::windowIcon());
    setFont(windowFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(windowBackColor()));
    setPalette(palette);
    setFixedSize(clientSize());
    setGeometry(QRect(ClientTopLeft, clientSize()));
    setAccessibleDescription(QStringLiteral("F6 goes to the board and back; there the arrow keys step through the "
                                            "captions, each with its explanation, and Escape returns."));
    installAccessibleInterfaces();

    // Every picture is reached now, so one the program lacks stops the start-up with a message
    // rather than failing later in a paint.
    for (const BoardElement &e : m_board.elements()) {
        if (e.kind == ElementKind::Image)
            picture(e.image->picture);
    }
    m_boardWidget = std::make_unique<BoardWidget>(m_board, boardBackground(), this);
    m_boardWidget->setGeometry(rect());
    m_boardWidget->setAccessibleName(QStringLiteral("Jumper settings"));
    m_boardWidget->installEventFilter(this);
    createControls();
    connectClicks();
    createPanelAction();
    createBoardAction();
    m_announcer = new Announcer(this);
    m_lossWatch = std::make_unique<WindowLossWatch>(*this);
    QCoreApplication::instance()->installNativeEventFilter(m_lossWatch.get());
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    // Highest rank first, so the control with the lower rank lies on top.
    const auto rows = controlCatalogue();
    std::vector<const ControlRow *> byTab;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const ControlRow &row = *it;
        QWidget *w = nullptr;
        if (row.kind == ControlKind::List) {
            auto *combo = new QComboBox(this);
            // On this platform a screen reader names a list by the label it is "labelled by";
            // the caption is painted, so an unseen label carries the name.
            auto *label = new QLabel(QString::fromLatin1(row.accessibleName), this);
            label->setBuddy(combo);
            label->hide();
            addTypeAhead(combo);
            dropLateKeys(combo);
            w = combo;
        } else {
            auto *button = new QPushButton(QString::fromLatin1(row.caption), this);
            addEnterPress(button);
            w = button;
        }
        w->setObjectName(QString::fromLatin1(row.name));
        w->setAccessibleName(QString::fromLatin1(row.accessibleName));
        w->setFont(controlFont(row.fontPixels, row.bold));
        setColors(w, row);
        w->setGeometry(pixelBox(row.left, row.top, row.width, row.height));
        w->setFocusPolicy(Qt::StrongFocus);
        byTab.push_back(&row);
    }
    std::sort(byTab.begin(), byTab.end(), [](auto *a, auto *b) { return a->tabIndex < b->tabIndex; });
    for (std::size_t i = 1; i < byTab.size(); ++i) {
        setTabOrder(findChild<QWidget *>(QString::fromLatin1(byTab[i - 1]->name)),
                    findChild<QWidget *>(QString::fromLatin1(byTab[i]->name)));
    }
    findChild<QWidget *>(QString::fromLatin1(byTab.front()->name))->setFocus();
}

void MainWindow::connectClicks()
{
    // Each of the five Click events runs inside the guard, so no error leaves a slot.
    for (const Selector &selector : selectors()) {
        const auto clickList = [this, &selector] { runGuarded(m_report, [&] { pick(selector); }); };
        connect(list(selector.list), &QComboBox::activated, this, clickList);
    }
    connect(button("CMDPRINT"), &QPushButton::clicked, this,
            [this] { runGuarded(m_report, [this] { printClick(m_report); }); });
    connect(button("CMDEXIT"), &QPushButton::clicked, this, [this] { runGuarded(m_report, exitClick); });
}

void MainWindow::load()
{
    loadWindow(*this);
}

void MainWindow::select(const Selector &selector, int position)
{
    setListIndex(selector.list, position);
}

QImage MainWindow::windowImage()
{
    return grab().toImage();
}

void MainWindow::setFillColor(const char *element, Color color)
{
    m_board.setFillColor(element, color);
}

void MainWindow::click(const Selector &selector)
{
    setListJumpers(*this, selector);
    afterPinsChange();
}

void MainWindow::pick(const Selector &selector)
{
    const QStringList before = blockPositionTexts(pinColorsOf(m_board));
    click(selector);
    // The list speaks its new entry only if told: on this platform a reader hears nothing of a
    // closed list's change. The positions follow in the same sentence, which a reader would cut
    // short if a second one followed at once.
    const QString changed = changedPositionsText(before, blockPositionTexts(pinColorsOf(m_board)));
    m_announcer->announce(list(selector.list)->currentText().trimmed() + QStringLiteral(". ")
                          + (changed.isEmpty() ? QStringLiteral("Jumpers unchanged") : changed));
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_panel || !m_panel->isVisible())
        return QWidget::mousePressEvent(event);
    runGuarded(m_report, [&] { moveCapAt(m_boardWidget->mapFrom(this, event->position().toPoint())); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The guide's only window: closing it ends the program, as the Exit command does, whether
    // or not the toolkit counts it as the last window.
    QWidget::closeEvent(event);
    QCoreApplication::exit(0);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_boardWidget.get() || event->type() != QEvent::ToolTip)
        return QWidget::eventFilter(watched, event);
    const auto *help = static_cast<QHelpEvent *>(event);
    if (!m_boardWidget->toolTipAt(help->pos()).isEmpty())
        return false; // the caption's own tool tip
    const BoardHint hint = boardHintAt(m_board, help->pos());
    if (hint.text.isEmpty())
        return false; // nothing to tell: the board hides any tool tip
    // As a paragraph, which the tool tip wraps to a readable width.
    QToolTip::showText(help->globalPos(), QStringLiteral("<p>%1</p>").arg(hint.text.toHtmlEscaped()),
                       m_boardWidget.get(), hint.box);
    return true;
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The fixed place, unless the window would reach past the screen there (a dense screen, a
    // small one): then as near to it as fits. The frame counts as far as the desktop has told it.
    if (event->spontaneous())
        return;
    const QRect frame = frameGeometry();
    const QPoint place = placedInside(frame, screen()->availableGeometry());
    if (place != frame.topLeft())
        move(place);
}

// The lists and buttons found by name, and the list operations of the Load event and the jumper
// procedures.

QComboBox *MainWindow::list(const char *name) const
{
    auto *combo = findChild<QComboBox *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (!combo)
        throw ElementError(name, "reaching the list", "the window has no list of that name");
    return combo;
}

QPushButton *MainWindow::button(const char *name) const
{
    auto *button = findChild<QPushButton *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (!button)
        throw ElementError(name, "reaching the button", "the window has no button of that name");
    return button;
}

void MainWindow::addItem(const char *name, const char *text)
{
    list(name)->addItem(QString::fromLatin1(text));
}

int MainWindow::newIndex(const char *name)
{
    return list(name)->count() - 1;
}

void MainWindow::setItemData(const char *name, int index, std::int32_t itemCode)
{
    QComboBox *combo = list(name);
    if (index < 0 || index >= combo->count())
        throw ElementError(name, "setting the item data at index " + std::to_string(index), "invalid index");
    combo->setItemData(index, itemCode, ItemCodeRole);
}

std::int32_t MainWindow::itemData(const char *name, int index)
{
    QComboBox *combo = list(name);
    if (index < 0 || index >= combo->count())
        throw ElementError(name, "reading the item data at index " + std::to_string(index), "invalid index");
    return combo->itemData(index, ItemCodeRole).toInt();
}

int MainWindow::listIndex(const char *name)
{
    return list(name)->currentIndex();
}

void MainWindow::setListIndex(const char *name, int index)
{
    QComboBox *combo = list(name);
    if (index < -1 || index >= combo->count())
        throw ElementError(name, "selecting index " + std::to_string(index), "invalid index");
    combo->setCurrentIndex(index);
    // A selection made by the program raises the Click event at once, as a user's pick does.
    const Selector *selector = findSelector(name);
    assert(selector && "every list of the window has a selector");
    click(*selector);
}

// Pins set outside the lists' Click events: the settings panel, a cap moved by a click, and the
// lists made to show the entries that give the pins.

void MainWindow::afterPinsChange()
{
    // A screen reader reads the positions the pins now show.
    m_boardWidget->setAccessibleDescription(jumperPositionsText(pinColorsOf(m_board)));
    emit pinsChanged();
}

void MainWindow::createPanelAction()
{
    // F2 works in the panel as in the window: it opens the panel, or brings it forward.
    m_panelAction = new QAction(QStringLiteral("Jumper settings panel"), this);
    m_panelAction->setShortcut(Qt::Key_F2);
    m_panelAction->setShortcutContext(Qt::ApplicationShortcut);
    // A board without meanings has no panel: its entry shows greyed.
    m_panelAction->setEnabled(boardHasCpuSettings() || !boardInUse().meanings.empty());
    addAction(m_panelAction);
    connect(m_panelAction, &QAction::triggered, this,
            [this] { runGuarded(m_report, [this] { openSettingsPanel(); }); });
    // One menu for the whole run: a screen reader knows its entry by the action, and an action
    // shown in a menu that is gone would read as nothing.
    m_boardMenu = new QMenu(this);
    m_boardMenu->setFont(windowFont());
    m_boardMenu->addAction(m_panelAction);
    m_boardWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_boardWidget.get(), &QWidget::customContextMenuRequested, this, &MainWindow::showBoardMenu);
}

void MainWindow::createBoardAction()
{
    // F6 takes the keyboard to the board, whose captions are otherwise reached by the pointer
    // only, and back; the Tab chain of the lists and buttons stays as it is.
    auto *boardAction = new QAction(QStringLiteral("Board captions"), this);
    boardAction->setShortcut(Qt::Key_F6);
    boardAction->setShortcutContext(Qt::WindowShortcut);
    addAction(boardAction);
    connect(boardAction, &QAction::triggered, this, [this] {
        if (m_boardWidget->hasFocus())
            m_boardWidget->giveFocusBack();
        else
            m_boardWidget->takeFocus(focusWidget());
    });
}

void MainWindow::showBoardMenu(const QPoint &pos)
{
    // Opened from the keyboard (the board has the focus then) the menu starts on its entry, which
    // a screen reader then says; a click opens it with nothing marked, as before.
    if (m_boardWidget->hasFocus())
        QTimer::singleShot(0, m_boardMenu, [this] { m_boardMenu->setActiveAction(m_panelAction); });
    m_boardMenu->exec(m_boardWidget->mapToGlobal(pos));
}

void MainWindow::openSettingsPanel()
{
    if (!boardHasCpuSettings()) {
        if (boardInUse().meanings.empty())
            return;
        if (!m_meaningPanel) {
            m_meaningPanel = std::make_unique<MeaningPanel>(*this, m_board, m_report);
            connect(m_meaningPanel.get(), &MeaningPanel::pinsChosen, this,
                    [this](const auto &fills) { setPins(fills); });
            connect(this, &MainWindow::pinsChanged, m_meaningPanel.get(), &MeaningPanel::refresh);
            connect(m_meaningPanel.get(), &MeaningPanel::announcement, m_announcer, &Announcer::announce);
        }
        m_meaningPanel->present();
        return;
    }
    if (!m_panel) {
        m_panel = std::make_unique<SettingsPanel>(*this, m_board, m_report);
        connect(m_panel.get(), &SettingsPanel::pinsChosen, this, [this](const auto &fills) { setPins(fills); });
        connect(this, &MainWindow::pinsChanged, m_panel.get(), &SettingsPanel::refresh);
        // The panel's choices are told by the window's status line: a reader gives a sentence
        // from inside a dialog with the whole dialog read out before it.
        connect(m_panel.get(), &SettingsPanel::announcement, m_announcer, &Announcer::announce);
    }
    m_panel->present();
}

void MainWindow::moveCapAt(const QPoint &pixel)
{
    const std::vector<PinFill> move = capMoveAt(m_board, pixel);
    if (move.empty())
        return;
    const QStringList before = blockPositionTexts(pinColorsOf(m_board));
    setPins(move);
    m_announcer->announce(changedPositionsText(before, blockPositionTexts(pinColorsOf(m_board))));
}

void MainWindow::setPins(std::span<const PinFill> fills)
{
    for (const PinFill &fill : fills)
        setFillColor(fill.pin, fill.color);
    showEntriesShown();
    afterPinsChange();
}

void MainWindow::showEntriesShown()
{
    // Setting the index of each list itself, not through setListIndex(): that is the program's
    // choice of an entry and would run the Click, which sets the pins from the entry.
    for (const Selector &selector : selectors()) {
        QComboBox *combo = list(selector.list);
        combo->setCurrentIndex(entryShown(selector, pinColorsOf(m_board), combo->currentIndex()));
    }
}

void MainWindow::showCpuSettings(const CpuSettings &settings)
{
    // As the panel sets a block: the same writes, then the lists show what the pins stand for.
    setPins(cpuPinFills(settings));
}

MainWindow &mainWindow()
{
    auto &window = globalWindow();
    if (!window)
        window = new MainWindow;
    return *window;
}

void releaseMainWindow()
{
    delete globalWindow().data();
}
