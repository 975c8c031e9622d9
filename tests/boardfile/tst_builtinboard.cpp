// The board's description file, as the program carries it, read back and held against the board the
// program draws and sets: every element, list entry, jumper position and setting, row by row. Until
// the board is made from its description, this is what keeps the two from drifting apart.
#include "boardfile/boardreader.h"

#include "boarddata/builtinboard.h"
#include "boarddata/catalogues.h"
#include "boarddata/window.h"
#include "jumpers/cpujumpertable.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperblocks.h"
#include "jumpers/powersdramtables.h"
#include "jumpers/selection.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/fonts.h"

#include <QtTest>

#include <algorithm>

namespace {

const BoardReading &builtin()
{
    static const BoardReading reading =
        readBoardDescriptionBytes(builtinBoardDescription(), QString::fromLatin1(BuiltinBoardFileName));
    return reading;
}

const DrawingElement *element(const char *name, int index)
{
    const auto &elements = builtin().description.elements;
    const auto it = std::find_if(elements.begin(), elements.end(), [&](const DrawingElement &e) {
        return e.name == QLatin1String(name) && e.index.value_or(-1) == index;
    });
    return it == elements.end() ? nullptr : &*it;
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
    void initTestCase() { installFontSubstitutes(); }
    void readsSound();
    void window();
    void labels();
    void shapes();
    void linesAndPicture();
    void blocks();
    void lists();
    void buttons();
    void settings();
};

void TestBuiltinBoard::readsSound()
{
    QVERIFY2(builtin().sound(), qPrintable(problemLines(builtin()).join(u'\n')));
    const std::size_t drawn = labelCatalogue().size() + outlineShapeCatalogue().size() + pinCatalogue().size()
        + lineCatalogue().size() + imageCatalogue().size();
    QCOMPARE(builtin().description.elements.size(), drawn);
}

void TestBuiltinBoard::window()
{
    const BoardWindow &w = builtin().description.window;
    QCOMPARE(w.name, QString::fromLatin1(WindowCaption));
    QCOMPARE(w.clientSize, ClientSize);
    QCOMPARE(w.background, WindowBackColor);
    QCOMPARE(w.units, Units::Twips);
    QVERIFY(!w.picture);
}

void TestBuiltinBoard::labels()
{
    const auto &fonts = builtin().description.fonts;
    for (const LabelRow &row : labelCatalogue()) {
        const DrawingElement *e = element(row.name, -1);
        QVERIFY2(e, row.name);
        const auto *label = std::get_if<LabelDrawing>(&e->drawing);
        QVERIFY2(label, row.name);
        QCOMPARE(e->rank.value_or(-1), row.rank);
        QCOMPARE(label->text, QString::fromLatin1(row.caption));
        QCOMPARE(label->tip.value_or(QString()), QString::fromLatin1(row.toolTip));
        QCOMPARE(twips(label->box), QRect(row.left, row.top, row.width, row.height));
        QCOMPARE(label->color, row.textColor);
        QCOMPARE(label->back, row.backColor);
        QCOMPARE(label->wrap, bool(row.flags & WordWrap));
        QCOMPARE(label->border, bool(row.flags & Border));
        QCOMPARE(label->opaque, bool(row.flags & Opaque));
        QCOMPARE(label->align == TextAlign::Centre, bool(row.flags & Centre));
        // The font the file names is the one the caption is drawn in: family, size at 96 dpi, weight.
        const auto font =
            std::find_if(fonts.begin(), fonts.end(), [&](const BoardFont &f) { return f.id == label->font; });
        QVERIFY2(font != fonts.end(), row.name);
        const QFont &drawn = captionFont(row.font);
        QCOMPARE(QFont::substitute(font->family), drawn.family().toLower());
        QCOMPARE(font->lineHeight.value_or(-1), captionLineHeight(row.font));
        QCOMPARE(qRound(font->points * 96 / 72), drawn.pixelSize());
        static const QFont::Weight Weights[] = {QFont::Normal, QFont::DemiBold, QFont::Bold};
        QCOMPARE(Weights[int(font->weight)], drawn.weight());
    }
}

void TestBuiltinBoard::shapes()
{
    for (const auto catalogue : {outlineShapeCatalogue(), pinCatalogue()}) {
        for (const ShapeRow &row : catalogue) {
            const DrawingElement *e = element(row.name, row.index);
            QVERIFY2(e, row.name);
            const auto *shape = std::get_if<ShapeDrawing>(&e->drawing);
            QVERIFY2(shape, row.name);
            QCOMPARE(e->rank.value_or(-1), row.rank);
            QCOMPARE(twips(shape->box), QRect(row.left, row.top, row.width, row.height));
            QCOMPARE(shape->figure, row.kind);
            QCOMPARE(shape->fill, row.fillStyle);
            QCOMPARE(shape->fillColor, row.fillColor);
            QCOMPARE(shape->borderColor, row.borderColor);
            QCOMPARE(shape->borderWidth, row.borderWidth);
            QCOMPARE(shape->opaque, row.opaque);
            QCOMPARE(shape->back, row.backColor);
            QCOMPARE(shape->mode, row.drawMode);
        }
    }
}

void TestBuiltinBoard::linesAndPicture()
{
    for (const LineRow &row : lineCatalogue()) {
        const DrawingElement *e = element(row.name, row.index);
        QVERIFY2(e, row.name);
        const auto *line = std::get_if<LineDrawing>(&e->drawing);
        QVERIFY2(line, row.name);
        QCOMPARE(e->rank.value_or(-1), row.rank);
        QCOMPARE(line->from.twips.value_or(QPoint()), QPoint(row.x1, row.y1));
        QCOMPARE(line->to.twips.value_or(QPoint()), QPoint(row.x2, row.y2));
        QCOMPARE(line->color, row.color);
        QCOMPARE(line->style, row.style);
    }
    for (const ImageRow &row : imageCatalogue()) {
        const DrawingElement *e = element(row.name, -1);
        QVERIFY2(e, row.name);
        const auto *image = std::get_if<ImageDrawing>(&e->drawing);
        QVERIFY2(image, row.name);
        QCOMPARE(e->rank.value_or(-1), row.rank);
        QCOMPARE(twips(image->box), QRect(row.left, row.top, row.width, row.height));
        QCOMPARE(image->picture.written, QStringLiteral("builtin:socket"));
    }
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
    for (const ThreePinBlock &b : cpuBlocks())
        three(b);
    expected << QStringLiteral("JP3");
    QStringList jp3;
    for (const Jp3Position &p : jp3Positions())
        jp3 << QString::fromLatin1(p.pins[0]) << QString::fromLatin1(p.pins[1]);
    pins << jp3;
    three(jp11());
    three(jp10());

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
