// The board's description file, as the program carries it, read back: the rows made of it at start
// are those the build made of it, and it is held against the jumper knowledge the program sets the
// board with: every list entry, jumper position and setting, row by row.
#include "boardfile/boardreader.h"
#include "boardfile/describedrows.h"

#include "boarddata/builtinboard.h"
#include "boarddata/catalogues.h"
#include "jumpers/cpujumpertable.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperblocks.h"
#include "jumpers/powersdramtables.h"
#include "jumpers/selection.h"
#include "jumpers/selectorcatalogue.h"

#include <QtTest>

#include <algorithm>

namespace {

const BoardReading &builtin()
{
    static const BoardReading reading =
        readBoardDescriptionBytes(builtinBoardDescription(), QString::fromLatin1(BuiltinBoardFileName));
    return reading;
}

QByteArray text(const char *s)
{
    return QByteArray(s);
}

// Each row as the list of its fields, so that two rows compare field by field and a difference
// names the element.
QList<QVariant> fields(const FontRow &f)
{
    return {text(f.family), f.pixelSize, f.weight, f.lineHeight};
}

QList<QVariant> fields(const LabelRow &l)
{
    return {l.rank,  text(l.name), text(l.caption), text(l.toolTip), l.left,  l.top,
            l.width, l.height,     l.textColor,     l.font,          l.flags, l.backColor};
}

QList<QVariant> fields(const ShapeRow &s)
{
    return {s.rank,        text(s.name), s.left,           s.top,           s.width,
            s.height,      int(s.kind),  int(s.fillStyle), s.fillColor,     s.borderColor,
            s.borderWidth, s.opaque,     s.backColor,      int(s.drawMode), s.index};
}

QList<QVariant> fields(const LineRow &l)
{
    return {l.rank, text(l.name), l.x1, l.y1, l.x2, l.y2, l.color, int(l.style), l.index};
}

QList<QVariant> fields(const ImageRow &i)
{
    return {i.rank, text(i.name), i.left, i.top, i.width, i.height, text(i.picture)};
}

QList<QVariant> fields(const ControlRow &c)
{
    return {c.rank,       text(c.name), int(c.kind),  c.left, c.top,      c.width,         c.height,
            c.fontPixels, c.bold,       c.background, c.text, c.tabIndex, text(c.caption), text(c.accessibleName)};
}

template<typename Row>
void compareRows(std::span<const Row> read, std::span<const Row> carried)
{
    QCOMPARE(read.size(), carried.size());
    for (std::size_t i = 0; i < read.size(); ++i)
        QCOMPARE(fields(read[i]), fields(carried[i]));
}

QRect twips(const DescribedBox &box)
{
    return box.twips.value_or(QRect());
}

QString positionWord(Position p)
{
    return p == Position::OneTwo ? QStringLiteral("1-2") : QStringLiteral("2-3");
}

/// JP3 as a header position: its closed pairs joined by +, or "open".
QString contactsWord(const std::array<Contact, 4> &contacts)
{
    QStringList closed;
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        if (contacts[i] == Contact::Closed)
            closed << QString::fromLatin1(jp3Positions()[i].letter);
    }
    return closed.isEmpty() ? QStringLiteral("open") : closed.join(u'+');
}

QStringList cpuWords(int code)
{
    const auto row = findCpuJumperRow(code);
    if (!row)
        return {};
    QStringList words;
    for (Position p : cpuBlockPositions(*row))
        words << positionWord(p);
    return words << contactsWord(jp3Contacts(*row));
}

/// A list or button as described against its row of the window's controls: what a screen reader
/// calls it, box, stacking rank, tab index, font and colours.
template<typename Control>
void compareControl(const Control &described, const ControlRow &control)
{
    QCOMPARE(described.label, QString::fromLatin1(control.accessibleName));
    QCOMPARE(twips(described.box), QRect(control.left, control.top, control.width, control.height));
    QCOMPARE(described.rank.value_or(-1), control.rank);
    QCOMPARE(described.tab.value_or(-1), control.tabIndex);
    QCOMPARE(described.fontPixels, control.fontPixels);
    QCOMPARE(described.bold, control.bold);
    QCOMPARE(described.background, control.background);
    QCOMPARE(described.textColor, control.text);
}

} // namespace

class TestBuiltinBoard : public QObject
{
    Q_OBJECT
private slots:
    void readsSound();
    void rowsAsCarried();
    void blocks();
    void lists();
    void buttons();
    void settings();
};

void TestBuiltinBoard::readsSound()
{
    QVERIFY2(builtin().sound(), qPrintable(problemLines(builtin()).join(u'\n')));
    const BoardRows &b = builtinBoardRows();
    QCOMPARE(builtin().description.elements.size(),
             b.labels.size() + b.pins.size() + b.shapes.size() + b.lines.size() + b.images.size());
}

void TestBuiltinBoard::rowsAsCarried()
{
    // A description read at start gives the rows the build made of the same file: --board of
    // the built-in description shows the board exactly as the program's own.
    const DescribedRows described(builtin().description);
    const BoardRows &read = described.rows();
    const BoardRows &carried = builtinBoardRows();
    QCOMPARE(text(read.caption), text(carried.caption));
    QCOMPARE(QSize(read.clientWidth, read.clientHeight), QSize(carried.clientWidth, carried.clientHeight));
    QCOMPARE(read.background, carried.background);
    QCOMPARE(text(read.backgroundPicture), text(carried.backgroundPicture));
    QCOMPARE(text(carried.backgroundPicture), QByteArray(":/pictures/background.gif"));
    compareRows(read.fonts, carried.fonts);
    compareRows(read.labels, carried.labels);
    compareRows(read.pins, carried.pins);
    compareRows(read.shapes, carried.shapes);
    compareRows(read.lines, carried.lines);
    compareRows(read.images, carried.images);
    compareRows(read.controls, carried.controls);
}

void TestBuiltinBoard::blocks()
{
    QStringList expected;
    QList<QStringList> pins;
    const auto three = [&](const ThreePinBlock &b) {
        expected << QString::fromLatin1(b.name);
        pins << QStringList{QString::fromLatin1(b.pins[0]), QString::fromLatin1(b.pins[1]),
                            QString::fromLatin1(b.pins[2])};
    };
    // In the order of the board's pins: JP7 to JP11, JP4 to JP6, JP3, then JP1, which no list sets.
    for (const ThreePinBlock &b : cpuBlocks().first(3))
        three(b);
    three(jp10());
    three(jp11());
    for (const ThreePinBlock &b : cpuBlocks().last(3))
        three(b);
    expected << QStringLiteral("JP3");
    QStringList jp3;
    for (const Jp3Position &p : jp3Positions())
        jp3 << QString::fromLatin1(p.pins[0]) << QString::fromLatin1(p.pins[1]);
    pins << jp3;
    expected << QStringLiteral("JP1");
    pins << QStringList{"Shape47", "Shape48", "Shape49"};

    const auto &blocks = builtin().description.blocks;
    QCOMPARE(qsizetype(blocks.size()), expected.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        QCOMPARE(blocks[i].name, expected[qsizetype(i)]);
        QCOMPARE(blocks[i].pins, pins[qsizetype(i)]);
        QCOMPARE(blocks[i].kind, blocks[i].name == QLatin1String("JP3") ? BlockKind::Header : BlockKind::ThreePin);
    }
}

void TestBuiltinBoard::lists()
{
    const auto &lists = builtin().description.lists;
    QCOMPARE(lists.size(), selectors().size());
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const Selector &selector = selectors()[i];
        const ListDescription &list = lists[i];
        const ControlRow &control = controlRow(selector.list);
        QCOMPARE(list.name, QString::fromLatin1(selector.list));
        compareControl(list, control);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(list.defaultEntry, selector.defaultPosition);
        QCOMPARE(list.entries.size(), selector.entries.size());
        for (std::size_t e = 0; e < list.entries.size(); ++e) {
            const SelectorEntry &entry = selector.entries[e];
            const ListEntryDescription &described = list.entries[e];
            QCOMPARE(described.text, QString::fromLatin1(entry.text));
            QCOMPARE(described.code.value_or(-1), entry.itemCode);
            QCOMPARE(described.word, QString::fromLatin1(entry.word ? entry.word : ""));
            // The positions each entry sets are those its item code selects in the jumper tables.
            const int code = selectionCode(selector.list, entry.itemCode);
            QStringList sets;
            if (&selector == &cpuSelector()) {
                sets = cpuWords(code);
            } else {
                const BoardJumper &jumper = &selector == &powerSelector() ? powerJumper() : sdramJumper();
                sets << positionWord(findBoardJumperRow(jumper, code)->position);
            }
            QVERIFY2(described.positions == sets, qPrintable(described.text));
        }
    }
}

void TestBuiltinBoard::buttons()
{
    const auto &buttons = builtin().description.buttons;
    QCOMPARE(buttons.size(), std::size_t(2));
    for (const ButtonDescription &button : buttons) {
        const auto controls = controlCatalogue();
        const auto it = std::find_if(controls.begin(), controls.end(),
                                     [&](const ControlRow &c) { return button.name == QLatin1String(c.name); });
        QVERIFY2(it != controls.end(), qPrintable(button.name));
        const ControlRow &control = *it;
        QCOMPARE(control.kind, ControlKind::Button);
        QCOMPARE(button.role, button.name == QLatin1String("CMDEXIT") ? ButtonRole::Exit : ButtonRole::Print);
        QCOMPARE(button.caption, QString::fromLatin1(control.caption));
        compareControl(button, control);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestBuiltinBoard::settings()
{
    const auto &meanings = builtin().description.meanings;
    QCOMPARE(meanings.size(), std::size_t(3));
    const auto check = [](const MeaningDescription &meaning, auto settings, auto valueOf, auto textOf, auto wordsOf) {
        QCOMPARE(meaning.values.size(), settings.size());
        for (std::size_t i = 0; i < settings.size(); ++i) {
            QCOMPARE(meaning.values[i].value, valueOf(settings[i]));
            QCOMPARE(meaning.values[i].text, textOf(settings[i]));
            QCOMPARE(meaning.values[i].positions, wordsOf(settings[i]));
        }
    };
    const auto threeWords = [](const auto &setting) {
        QStringList words;
        for (Position p : setting.positions)
            words << positionWord(p);
        return words;
    };
    check(
        meanings[0], busClockSettings(), [](const BusClockSetting &s) { return double(s.megahertz); },
        [](const BusClockSetting &s) { return busClockText(s.megahertz); }, threeWords);
    check(
        meanings[1], multiplierSettings(), [](const MultiplierSetting &s) { return s.tenths / 10.0; },
        [](const MultiplierSetting &s) { return multiplierText(s.tenths); }, threeWords);
    check(
        meanings[2], voltageSettings(), [](const VoltageSetting &s) { return s.centivolts / 100.0; },
        [](const VoltageSetting &s) { return voltageText(s.centivolts); },
        [](const VoltageSetting &s) { return QStringList{contactsWord(s.contacts)}; });
    QCOMPARE(meanings[0].blocks, (QStringList{"JP7", "JP8", "JP9"}));
    QCOMPARE(meanings[1].blocks, (QStringList{"JP4", "JP5", "JP6"}));
    QCOMPARE(meanings[2].blocks, QStringList{"JP3"});
    // The CPU clock is their product, from the bus clock the name stands for.
    const auto &readings = builtin().description.readings;
    QCOMPARE(readings.size(), std::size_t(1));
    QCOMPARE(readings[0].product, (QStringList{"busclock", "multiplier"}));
    for (const MeaningValue &bus : meanings[0].values) {
        for (const MeaningValue &multiplier : meanings[1].values) {
            const int figure = int(bus.amount.value_or(bus.value) * multiplier.value + 1e-3);
            QCOMPARE(figure, cpuClockMegahertz(int(bus.value), qRound(multiplier.value * 10)));
        }
    }
}

QTEST_MAIN(TestBuiltinBoard)
#include "tst_builtinboard.moc"
