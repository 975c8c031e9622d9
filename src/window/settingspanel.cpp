// The jumper settings panel: its lists and readings, what a choice writes, and where it stands.
#include "settingspanel.h"

#include "blockat.h"
#include "controlkeys.h"
#include "windowplacement.h"

#include "accessibility/accessibleinterfaces.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperwords.h"
#include "layout/board.h"
#include "layout/fonts.h"
#include "layout/pictures.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <optional>

namespace {

// Lists and readings in the font of the window's CPU list, the button in that of its buttons;
// captions in the window's own font.
constexpr int ListFontPixels = 12;
constexpr int ButtonFontPixels = 11;

/// Shows the value in its list (no entry for none) and the positions beside it, which say plainly
/// when no table documents them.
void showSetting(QComboBox *list, std::optional<int> value, QLabel *pins, const QString &positions)
{
    list->setCurrentIndex(value ? list->findData(*value) : -1);
    pins->setText(positions);
    // A screen reader reads the list's value, then the positions that give it. The focused list
    // gets its new description when it next gets the focus: a reader asks for the description
    // afresh each time, while the change itself reaches it (on this platform) as a reference to
    // the list rather than the words, which Orca fails to say. The choice is told in words.
    if (!list->hasFocus())
        list->setAccessibleDescription(positions);
}

/// The pixels of the window's client area that the blocks the panel sets take, JP3 to JP11,
/// with their names and pin-1 marks beside them.
QRect jumperBlocksBox(const Board &board)
{
    constexpr int Names = 12;
    return allBlocksBox(board).adjusted(-Names, -Names, Names, Names);
}

} // namespace

void setUpPanelDialog(QDialog &panel)
{
    panel.setObjectName(QStringLiteral("settingsPanel"));
    panel.setWindowTitle(QStringLiteral("Jumper settings"));
    panel.setAccessibleName(QStringLiteral("Jumper settings panel"));
    panel.setModal(false);
    // Closing it hides it; the program ends with the window only.
    panel.setAttribute(Qt::WA_QuitOnClose, false);
    // A window takes neither font nor palette from its parent; the panel wears the window's.
    panel.setFont(windowFont());
}

bool bringForward(QDialog &panel)
{
    if (!panel.isVisible())
        return false;
    panel.raise();
    panel.activateWindow();
    return true;
}

QComboBox *addPanelList(QDialog &panel, QGridLayout &grid, int row, const QString &caption, const QString &name)
{
    auto *list = new QComboBox(&panel);
    list->setObjectName(name);
    list->setAccessibleName(QString(caption).remove(u'&'));
    list->setFont(controlFont(ListFontPixels, false));
    list->setFocusPolicy(Qt::StrongFocus);
    dropLateKeys(list);
    auto *label = new QLabel(caption, &panel);
    label->setBuddy(list);
    grid.addWidget(label, row, 0);
    grid.addWidget(list, row, 1, Qt::AlignLeft); // as wide as its values, not the column
    return list;
}

QLabel *newPanelText(QDialog &panel)
{
    auto *text = new QLabel(&panel);
    text->setFont(controlFont(ListFontPixels, false));
    text->setTextFormat(Qt::PlainText);
    return text;
}

QPushButton *addCloseButton(QDialog &panel, QGridLayout &grid, int row)
{
    auto *close = new QPushButton(QStringLiteral("&Close"), &panel);
    close->setObjectName(QStringLiteral("close"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setFont(controlFont(ButtonFontPixels, true));
    close->setAutoDefault(false); // Enter on a list does not close the panel
    QObject::connect(close, &QPushButton::clicked, &panel, &QDialog::reject);
    grid.addWidget(close, row, 0, 1, 2, Qt::AlignRight);
    return close;
}

SettingsPanel::SettingsPanel(QWidget &window, const Board &board, FailureReport report)
    : QDialog(&window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_window(window)
    , m_board(board)
    , m_report(std::move(report))
{
    setUpPanelDialog(*this);
    // Its ground is the pale green of the background picture (inside the picture's edge line),
    // which covers the window's own back color.
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, backgroundPicture().pixelColor(2, 2));
    setPalette(palette);
    installAccessibleInterfaces();

    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    createRows();
    QPushButton *close = createCloseButton();
    fillLists();
    connectLists();
    setTabOrder(m_busClock, m_multiplier);
    setTabOrder(m_multiplier, m_voltage);
    setTabOrder(m_voltage, close);
    refresh();
}

void SettingsPanel::createRows()
{
    // Two columns, so the panel is narrow enough to stand beside the board's jumper blocks: the
    // captions, then each list with the positions it gives under it, and the readings.
    m_busClock = addList(0, QString::fromLatin1(PanelCaption::BusClock), QStringLiteral("busClock"));
    m_busClockPins = addReading(1, {}, QStringLiteral("busClockPins"));
    m_multiplier = addList(2, QString::fromLatin1(PanelCaption::Multiplier), QStringLiteral("multiplier"));
    m_multiplierPins = addReading(3, {}, QStringLiteral("multiplierPins"));
    m_voltage = addList(4, QString::fromLatin1(PanelCaption::CoreVoltage), QStringLiteral("coreVoltage"));
    m_voltagePins = addReading(5, {}, QStringLiteral("coreVoltagePins"));
    m_cpuClock = addReading(6, QString::fromLatin1(PanelCaption::CpuClock), QStringLiteral("cpuClock"));
    m_powerSupply = addReading(7, QString::fromLatin1(PanelCaption::PowerSupply), QStringLiteral("powerSupply"));
    m_sdramClock = addReading(8, QString::fromLatin1(PanelCaption::SdramClock), QStringLiteral("sdramClock"));
    m_cpuEntries = addReading(9, QString::fromLatin1(PanelCaption::CpuEntries), QStringLiteral("cpuEntries"));

    // The readings keep their room whatever documented setting they read, so the panel does not
    // change size under the pointer, and no more: the longest positions of a documented setting
    // (an undocumented one widens it while it shows), the two entries one set of jumpers gives
    // at most, and a CPU clock with its words on up to three lines.
    const QFontMetrics metrics(m_voltagePins->font());
    constexpr std::optional<Contact> Closed = Contact::Closed;
    const int readingWidth = metrics.horizontalAdvance(jp3Text({Closed, Closed, Closed, Closed}));
    for (QLabel *pins : {m_busClockPins, m_multiplierPins, m_voltagePins})
        pins->setMinimumWidth(readingWidth);
    m_cpuEntries->setMinimumHeight(2 * metrics.lineSpacing());
    m_cpuClock->setMinimumHeight(3 * metrics.lineSpacing());
    m_cpuClock->setWordWrap(true);
    m_cpuClock->setFixedWidth(readingWidth);

    // What the board's colours mean, where a newcomer reads the settings, and a screen reader too.
    auto *grid = static_cast<QGridLayout *>(layout());
    QLabel *legend = newPanelText(*this);
    legend->setText(QString::fromLatin1(PanelLegend));
    legend->setObjectName(QStringLiteral("legend"));
    legend->setWordWrap(true);
    int captions = 0;
    for (int row = 0; row < grid->rowCount(); ++row) {
        if (QLayoutItem *item = grid->itemAtPosition(row, 0))
            captions = std::max(captions, item->sizeHint().width());
    }
    legend->setFixedWidth(captions + grid->horizontalSpacing() + readingWidth);
    grid->addWidget(legend, 10, 0, 1, 2);
}

QPushButton *SettingsPanel::createCloseButton()
{
    return addCloseButton(*this, *static_cast<QGridLayout *>(layout()), 11);
}

QComboBox *SettingsPanel::addList(int row, const QString &caption, const QString &name)
{
    QComboBox *list = addPanelList(*this, *static_cast<QGridLayout *>(layout()), row, caption, name);
    list->installEventFilter(this);
    return list;
}

QLabel *SettingsPanel::addReading(int row, const QString &caption, const QString &name)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    QLabel *reading = newPanelText(*this);
    reading->setObjectName(name);
    reading->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(reading, row, 1);
    if (caption.isEmpty())
        return reading; // under a list, which carries it as its description too
    // Labelled by its caption, so a screen reader reads "CPU clock" and then the value; the
    // caption stands by the first line of a value of two.
    auto *label = new QLabel(caption, this);
    label->setBuddy(reading);
    grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
    return reading;
}

void SettingsPanel::fillLists()
{
    for (const BusClockSetting &s : busClockSettings())
        m_busClock->addItem(busClockText(s.megahertz), s.megahertz);
    for (const MultiplierSetting &s : multiplierSettings())
        m_multiplier->addItem(multiplierText(s.tenths), s.tenths);
    for (const VoltageSetting &s : voltageSettings())
        m_voltage->addItem(voltageText(s.centivolts), s.centivolts);
}

void SettingsPanel::connectLists()
{
    // A choice sets the block at once, every time, also when the list already showed it.
    const auto choose = [this](QComboBox *list, auto find) {
        connect(list, &QComboBox::activated, this, [this, list, find](int index) {
            runGuarded(m_report, [&] {
                const auto setting = find(list->itemData(index).toInt());
                if (!setting)
                    return;
                const QStringList before = blockPositionTexts(pinColorsOf(m_board));
                emit pinsChosen(settingFills(*setting));
                announceChoice(list, before);
            });
        });
    };
    choose(m_busClock, findBusClock);
    choose(m_multiplier, findMultiplier);
    choose(m_voltage, findVoltage);
}

void SettingsPanel::announceChoice(QComboBox *list, const QStringList &positionsBefore)
{
    // One sentence: a reader cuts one short that another follows at once.
    const SettingsReading reading = readSettings(pinColorsOf(m_board));
    const QString changed = changedPositionsText(positionsBefore, blockPositionTexts(pinColorsOf(m_board)));
    const QStringList parts{
        list->currentText(),
        changed.isEmpty() ? QStringLiteral("Jumpers unchanged") : changed,
        QString::fromLatin1(PanelCaption::CpuClock) + QStringLiteral(": ") + reading.cpuClock,
        QString::fromLatin1(PanelCaption::CpuEntries) + QStringLiteral(": ")
            + QString(reading.cpuEntries).replace(u'\n', QStringLiteral(", ")),
    };
    emit announcement(parts.join(QStringLiteral(". ")));
}

bool SettingsPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The description a list could not take while it had the focus (see showSetting()).
    if (event->type() == QEvent::FocusIn) {
        const std::pair<QComboBox *, QLabel *> rows[] = {
            {m_busClock, m_busClockPins}, {m_multiplier, m_multiplierPins}, {m_voltage, m_voltagePins}};
        for (const auto &[list, pins] : rows) {
            if (watched == list)
                list->setAccessibleDescription(pins->text());
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SettingsPanel::present()
{
    if (bringForward(*this))
        return;
    refresh();
    placeBesideWindow();
    show();
    activateWindow();
    m_busClock->setFocus();
}

void SettingsPanel::placeBesideWindow()
{
    // Where it leaves the blocks it sets in sight, as its choices show on them at once.
    adjustSize();
    const QRect blocks(m_window.mapToGlobal(jumperBlocksBox(m_board).topLeft()), jumperBlocksBox(m_board).size());
    // Its frame is not known before it first shows: the window's stands for it.
    const QMargins frame(m_window.geometry().left() - m_window.frameGeometry().left(),
                         m_window.geometry().top() - m_window.frameGeometry().top(),
                         m_window.frameGeometry().right() - m_window.geometry().right(),
                         m_window.frameGeometry().bottom() - m_window.geometry().bottom());
    const QSize framed = size().grownBy(frame);
    const QPoint place = panelPlace(framed, m_window.frameGeometry(), blocks, m_window.screen()->availableGeometry());
    move(place);
}

void SettingsPanel::refresh()
{
    const SettingsReading reading = readSettings(pinColorsOf(m_board));
    showSetting(m_busClock, reading.megahertz, m_busClockPins, reading.busClockPins);
    showSetting(m_multiplier, reading.tenths, m_multiplierPins, reading.multiplierPins);
    showSetting(m_voltage, reading.centivolts, m_voltagePins, reading.voltagePins);
    m_cpuClock->setText(reading.cpuClock);
    m_cpuEntries->setText(reading.cpuEntries);
    m_powerSupply->setText(reading.powerSupply);
    m_sdramClock->setText(reading.sdramClock);
}
