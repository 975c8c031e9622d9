// The jumper settings panel: its lists and readings, what a choice writes, and where it stands.
#include "settingspanel.h"

#include "accessibleinterfaces.h"
#include "controlkeys.h"

#include "jumpers/cpusettings.h"
#include "jumpers/jumperwords.h"
#include "layout/board.h"
#include "layout/fonts.h"

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

} // namespace

SettingsPanel::SettingsPanel(QWidget &window, const Board &board, FailureReport report)
    : QDialog(&window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_window(window)
    , m_board(board)
    , m_report(std::move(report))
{
    setObjectName(QStringLiteral("settingsPanel"));
    setWindowTitle(QStringLiteral("Jumper settings"));
    setAccessibleName(QStringLiteral("Jumper settings panel"));
    setModal(false);
    // Closing it hides it; the program ends with the window only.
    setAttribute(Qt::WA_QuitOnClose, false);
    // A window takes neither font nor palette from its parent; the panel wears the window's.
    setFont(windowFont());
    setPalette(window.palette());
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
    m_busClock = addList(0, QString::fromLatin1(PanelCaption::BusClock), QStringLiteral("busClock"));
    m_multiplier = addList(1, QString::fromLatin1(PanelCaption::Multiplier), QStringLiteral("multiplier"));
    m_voltage = addList(2, QString::fromLatin1(PanelCaption::CoreVoltage), QStringLiteral("coreVoltage"));
    m_busClockPins = addReading(0, 2, {}, QStringLiteral("busClockPins"));
    m_multiplierPins = addReading(1, 2, {}, QStringLiteral("multiplierPins"));
    m_voltagePins = addReading(2, 2, {}, QStringLiteral("coreVoltagePins"));
    m_cpuClock = addReading(3, 1, QString::fromLatin1(PanelCaption::CpuClock), QStringLiteral("cpuClock"));
    m_powerSupply = addReading(4, 1, QString::fromLatin1(PanelCaption::PowerSupply), QStringLiteral("powerSupply"));
    m_sdramClock = addReading(5, 1, QString::fromLatin1(PanelCaption::SdramClock), QStringLiteral("sdramClock"));
    m_cpuEntries = addReading(6, 1, QString::fromLatin1(PanelCaption::CpuEntries), QStringLiteral("cpuEntries"));

    // The readings keep their room whatever they say, so the panel never changes size under the
    // pointer: the longest statement of positions, and the two entries one set of jumpers gives
    // at most.
    const QFontMetrics metrics(m_voltagePins->font());
    const QString longest =
        QStringLiteral("JP3 A closed, B closed, C closed, D closed: not a documented voltage setting");
    for (QLabel *pins : {m_busClockPins, m_multiplierPins, m_voltagePins})
        pins->setMinimumWidth(metrics.horizontalAdvance(longest));
    m_cpuEntries->setMinimumHeight(2 * metrics.lineSpacing());
    m_cpuEntries->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QPushButton *SettingsPanel::createCloseButton()
{
    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setFont(controlFont(ButtonFontPixels, true));
    close->setAutoDefault(false); // Enter on a list does not close the panel
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    static_cast<QGridLayout *>(layout())->addWidget(close, 7, 0, 1, 3, Qt::AlignRight);
    return close;
}

QComboBox *SettingsPanel::addList(int row, const QString &caption, const QString &name)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    auto *list = new QComboBox(this);
    list->setObjectName(name);
    list->setAccessibleName(QString(caption).remove(u'&'));
    list->setFont(controlFont(ListFontPixels, false));
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(this);
    dropLateKeys(list);
    auto *label = new QLabel(caption, this);
    label->setBuddy(list);
    grid->addWidget(label, row, 0);
    grid->addWidget(list, row, 1);
    return list;
}

QLabel *SettingsPanel::addReading(int row, int column, const QString &caption, const QString &name)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    auto *reading = new QLabel(this);
    reading->setObjectName(name);
    reading->setFont(controlFont(ListFontPixels, false));
    reading->setTextFormat(Qt::PlainText);
    grid->addWidget(reading, row, column, 1, 3 - column);
    if (caption.isEmpty())
        return reading; // beside a list, which carries it as its description too
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
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    refresh();
    placeBesideWindow();
    show();
    activateWindow();
    m_busClock->setFocus();
}

void SettingsPanel::placeBesideWindow()
{
    // Right of the window, else left of it, so the board stays in sight; on a screen too narrow
    // for either, on the side with more room, kept on the screen.
    constexpr int Gap = 8;
    adjustSize();
    const QRect window = m_window.frameGeometry();
    const QRect screen = m_window.screen()->availableGeometry();
    const int right = window.right() + 1 + Gap;
    const int left = window.left() - Gap - width();
    int x = right;
    if (right + width() > screen.right() + 1)
        x = left >= screen.left() || window.left() - screen.left() > screen.right() - window.right() ? left : right;
    move(std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - width())), window.top());
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
