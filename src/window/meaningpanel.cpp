// The settings panel of a described board, made from its meanings and readings.
#include "meaningpanel.h"

#include "blockat.h"
#include "settingspanel.h"
#include "windowplacement.h"

#include "accessibility/accessibleinterfaces.h"
#include "boarddata/catalogues.h"
#include "jumpers/jumperwords.h"
#include "layout/board.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>


namespace {

constexpr int LegendWidth = 260;

} // namespace

MeaningPanel::MeaningPanel(QWidget &window, const Board &board, FailureReport report)
    : QDialog(&window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_window(window)
    , m_board(board)
    , m_report(std::move(report))
{
    setUpPanelDialog(*this);
    installAccessibleInterfaces();
    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    int row = 0;
    for (const MeaningRow &meaning : boardInUse().meanings) {
        QComboBox *list =
            addPanelList(*this, *grid, row++, QString::fromUtf8(meaning.label), QString::fromUtf8(meaning.name));
        for (const ValueRow &v : meaning.values)
            list->addItem(QString::fromUtf8(v.text));
        QLabel *positions = newPanelText(*this);
        grid->addWidget(positions, row++, 1);
        m_meanings.push_back({list, positions});
        connect(list, &QComboBox::activated, this, [this, &meaning, list](int index) {
            runGuarded(m_report, [&] {
                const QStringList before = blockPositionTexts(pinColorsOf(m_board));
                emit pinsChosen(meaningFills(meaning, meaning.values[std::size_t(index)]));
                const QString changed = changedPositionsText(before, blockPositionTexts(pinColorsOf(m_board)));
                QStringList parts{list->currentText(),
                                  changed.isEmpty() ? QStringLiteral("Jumpers unchanged") : changed};
                for (const ReadingRow &reading : boardInUse().readings)
                    parts << QString::fromUtf8(reading.label) + QStringLiteral(": ")
                            + readingFigureText(pinColorsOf(m_board), reading);
                emit announcement(parts.join(QStringLiteral(". ")));
            });
        });
    }
    for (const ReadingRow &reading : boardInUse().readings) {
        QLabel *value = newPanelText(*this);
        auto *caption = new QLabel(QString::fromUtf8(reading.label), this);
        caption->setBuddy(value);
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row++, 1);
        m_readings.push_back(value);
    }
    // What the board's colours mean, where a newcomer reads the settings; wide enough that the
    // panel's title shows whole.
    QLabel *legend = newPanelText(*this);
    legend->setText(QStringLiteral(
        "On the board, a grey pin is covered by a jumper cap (a switch is on), a white one is left open."));
    legend->setObjectName(QStringLiteral("legend"));
    legend->setWordWrap(true);
    legend->setFixedWidth(LegendWidth);
    grid->addWidget(legend, row++, 0, 1, 2);
    addCloseButton(*this, *grid, row);
    refresh();
}

void MeaningPanel::present()
{
    if (bringForward(*this))
        return;
    refresh();
    adjustSize();
    // Right of the window where it fits, else where the screen has room; the board's blocks
    // stay in sight.
    const QRect client(m_window.mapToGlobal(QPoint()), m_window.size());
    move(panelPlace(frameSize(), m_window.frameGeometry(), client, m_window.screen()->availableGeometry()));
    show();
    activateWindow();
    if (!m_meanings.empty())
        m_meanings.front().list->setFocus();
}

void MeaningPanel::refresh()
{
    const PinColors pins = pinColorsOf(m_board);
    const auto meanings = boardInUse().meanings;
    for (std::size_t i = 0; i < meanings.size(); ++i) {
        const ValueRow *value = meaningValueShown(pins, meanings[i]);
        m_meanings[i].list->setCurrentIndex(value ? int(value - meanings[i].values.data()) : -1);
        m_meanings[i].positions->setText(meaningPositionsText(pins, meanings[i]));
        m_meanings[i].list->setAccessibleDescription(m_meanings[i].positions->text());
    }
    const auto readings = boardInUse().readings;
    for (std::size_t i = 0; i < readings.size(); ++i)
        m_readings[i]->setText(readingFigureText(pins, readings[i]));
}
