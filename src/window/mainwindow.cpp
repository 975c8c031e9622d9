// The main window: creation from the catalogues, the Print and Exit commands, and the event routing.
#include "mainwindow.h"

#include "controlkeys.h"
#include "failureguard.h"
#include "settingspanel.h"
#include "startup.h"
#include "windowloss.h"
#include "windowplacement.h"

#include "jumpers/selectorcatalogue.h"
#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "layout/pictures.h"
#include "layout/window.h"
#include "printing/printing.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <vector>

namespace {

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

/// The Print command: the main window, reached through the global reference, on paper.
void printClick()
{
    printOnDefaultPrinter(mainWindow(), mainWindow().board());
}

/// The Exit command.
void exitClick()
{
    QCoreApplication::exit(0);
}

} // namespace

MainWindow::MainWindow()
{
    setObjectName(QStringLiteral("VELMOR"));
    setWindowTitle(QString::fromLatin1(WindowCaption));
    // An ordinary window, which task bars and window switchers list, with the look of the guide's
    // frame: a title bar with a close button only, and a fixed size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowIcon(::windowIcon());
    setFont(windowFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(TitleBarText));
    setPalette(palette);
    setFixedSize(ClientSize);
    setGeometry(QRect(ClientTopLeft, ClientSize));

    // Every picture is decoded now, so one that does not decode stops the start-up with a
    // message rather than failing later in a paint.
    for (const BoardElement &e : m_board.elements()) {
        if (e.kind == ElementKind::Image)
            picture(e.image->picture);
    }
    m_boardWidget = std::make_unique<BoardWidget>(m_board, backgroundPicture(), this);
    m_boardWidget->setGeometry(rect());
    m_boardWidget->setAccessibleName(QStringLiteral("Jumper settings"));
    createControls();
    connectClicks();
    createPanelAction();
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
        const auto clickList = [this, &selector] { runGuarded([&] { click(selector); }); };
        connect(list(selector.list), &QComboBox::activated, this, clickList);
    }
    connect(button("CMDPRINT"), &QPushButton::clicked, this, [] { runGuarded(printClick); });
    connect(button("CMDEXIT"), &QPushButton::clicked, this, [] { runGuarded(exitClick); });
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
    selector.procedure(*this);
    pinsChanged();
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_panel || !m_panel->isVisible())
        return QWidget::mousePressEvent(event);
    runGuarded([&] { moveCapAt(m_boardWidget->mapFrom(this, event->position().toPoint())); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The guide's only window: closing it ends the program, as the Exit command does, whether
    // or not the toolkit counts it as the last window.
    QWidget::closeEvent(event);
    QCoreApplication::exit(0);
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
