// The guide page's HTML fragments, made from the window, its board and the page's record.
#include "pagefragments.h"

#include "pagedata.h"
#include "pageerror.h"

#include "boarddata/catalogues.h"
#include "boarddata/window.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperblocks.h"
#include "jumpers/jumperpositions.h"
#include "jumpers/jumperwords.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/board.h"

#include <algorithm>

namespace {

QRect pinBox(const Board &board, const char *pin)
{
    const BoardElement *element = board.find(pin);
    if (!element)
        throw PageError(QStringLiteral("the board has no pin %1").arg(QLatin1String(pin)));
    return element->bounds;
}

/// A three-pin block as the drawing shows it: its box, whether its pins stand one above the
/// other, and the end of the row or column where pin 1 is.
struct BlockPlace {
    QString name;
    QRect box;
    bool upright;
    QString pinOneEnd;
};

/// A three-pin block from its first and last pin.
BlockPlace placeOf(const Board &board, const char *name, std::span<const char *const> pins)
{
    const QPoint one = pinBox(board, pins.front()).center();
    const QPoint three = pinBox(board, pins.back()).center();
    const bool upright = qAbs(one.y() - three.y()) > qAbs(one.x() - three.x());
    const char *end = upright ? (one.y() > three.y() ? "bottom" : "top") : (one.x() < three.x() ? "left" : "right");
    QRect box;
    for (const char *pin : pins)
        box |= pinBox(board, pin);
    return {QString::fromUtf8(name), box, upright, QLatin1String(end)};
}

BlockPlace placeOf(const Board &board, const ThreePinBlock &block)
{
    return placeOf(board, block.name, block.pins);
}

/// "Pin 1 is the bottom pin of JP7, ... and the left pin of JP4, ...", the blocks in the order
/// given, grouped by the end where pin 1 is.
QString pinOneSentence(const std::vector<BlockPlace> &blocks)
{
    QStringList ends;
    for (const BlockPlace &b : blocks) {
        if (!ends.contains(b.pinOneEnd))
            ends << b.pinOneEnd;
    }
    QStringList parts;
    for (const QString &end : ends) {
        QStringList names;
        for (const BlockPlace &b : blocks) {
            if (b.pinOneEnd == end)
                names << b.name;
        }
        parts << QStringLiteral("the %1 pin of %2").arg(end, spokenList(names));
    }
    return QStringLiteral("Pin 1 is %1: %2 puts the cap on pin 1 and the middle pin, %3 on the middle pin and pin 3.")
        .arg(spokenList(parts), positionText(Position::OneTwo), positionText(Position::TwoThree));
}

/// The blocks that stand side by side, upright ones in a row left to right, flat ones in a
/// column top to bottom: "Columns left to right: JP7, JP8, JP9 and JP10."
QStringList sideBySideSentences(const std::vector<BlockPlace> &blocks)
{
    std::vector<std::vector<BlockPlace>> rows;
    for (const BlockPlace &b : blocks) {
        const auto beside = [&b](const BlockPlace &other) {
            return other.upright == b.upright
                && (b.upright ? b.box.top() <= other.box.bottom() && other.box.top() <= b.box.bottom()
                              : b.box.left() <= other.box.right() && other.box.left() <= b.box.right());
        };
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&beside](const auto &r) { return std::any_of(r.begin(), r.end(), beside); });
        if (row == rows.end())
            rows.push_back({b});
        else
            row->push_back(b);
    }
    QStringList sentences;
    for (auto &row : rows) {
        if (row.size() < 2)
            continue;
        const bool upright = row.front().upright;
        std::sort(row.begin(), row.end(), [upright](const BlockPlace &a, const BlockPlace &b) {
            return upright ? a.box.left() < b.box.left() : a.box.top() < b.box.top();
        });
        QStringList names;
        for (const BlockPlace &b : row)
            names << b.name;
        sentences << QStringLiteral("%1: %2.").arg(
            QLatin1String(upright ? "Columns left to right" : "Rows top to bottom"), spokenList(names));
    }
    return sentences;
}

/// "JP3's positions A, B, C and D stand left to right, each two pins one above the other."
QString headerSentence(const Board &board, const BlockRow &header)
{
    struct Place {
        QString letter;
        QPoint first, second;
    };
    std::vector<Place> places;
    for (std::size_t pair = 0; pair < header.pairs.size(); ++pair)
        places.push_back({QString::fromUtf8(header.pairs[pair]), pinBox(board, header.pins[2 * pair]).center(),
                          pinBox(board, header.pins[2 * pair + 1]).center()});
    QRect spread;
    for (const Place &p : places)
        spread |= QRect(p.first, QSize(1, 1));
    const bool inRow = spread.width() >= spread.height();
    std::sort(places.begin(), places.end(), [inRow](const Place &a, const Place &b) {
        return inRow ? a.first.x() < b.first.x() : a.first.y() < b.first.y();
    });
    QStringList letters;
    for (const Place &p : places)
        letters << p.letter;
    const Place &any = places.front();
    const bool pairUpright = qAbs(any.first.y() - any.second.y()) > qAbs(any.first.x() - any.second.x());
    return QStringLiteral("%1's positions %2 stand %3, each two pins %4.")
        .arg(QString::fromUtf8(header.name), spokenList(letters),
             QLatin1String(inRow ? "left to right" : "top to bottom"),
             QLatin1String(pairUpright ? "one above the other" : "side by side"));
}

/// "SW1's switches 1 to 4 stand left to right."
QString dipSentence(const Board &board, const BlockRow &dip)
{
    const QPoint first = pinBox(board, dip.pins.front()).center();
    const QPoint last = pinBox(board, dip.pins.back()).center();
    const bool inRow = qAbs(first.x() - last.x()) >= qAbs(first.y() - last.y());
    const char *way = inRow ? (first.x() < last.x() ? "left to right" : "right to left")
                            : (first.y() < last.y() ? "top to bottom" : "bottom to top");
    return QStringLiteral("%1's switches 1 to %2 stand %3.")
        .arg(QString::fromUtf8(dip.name), QString::number(dip.pins.size()), QLatin1String(way));
}

const BlockRow &blockNamed(std::string_view name)
{
    for (const BlockRow &block : boardInUse().blocks) {
        if (name == block.name)
            return block;
    }
    throw PageError(QStringLiteral("the board has no block %1").arg(QString::fromUtf8(name)));
}

/// A list's or a meaning's title inside a sentence: "settings memory", but "CPU type".
QString inSentence(const QString &title)
{
    if (title.size() > 1 && title[1].isUpper())
        return title;
    return title.left(1).toLower() + title.mid(1);
}

/// "the A, the B and the C"
QString theEach(const QStringList &titles)
{
    QStringList each;
    for (const QString &title : titles)
        each << QStringLiteral("the ") + inSentence(title);
    return spokenList(each);
}

/// A pair of pins in a fill, for the legend; the words beside it say what it means.
QString pinPair(Color fill)
{
    return QStringLiteral("<span class=\"pair\" style=\"--fill:%1\" aria-hidden=\"true\"></span>")
        .arg(toQColor(fill).name());
}

} // namespace

QString spokenList(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return items.first(items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + items.last();
}

QString boxStyle(const QRect &r, const QString &prefix)
{
    const auto percent = [](int part, int whole) { return QString::number(100.0 * part / whole, 'g', 8) + u'%'; };
    return QStringLiteral("%1left:%2;%1top:%3;%1width:%4;%1height:%5")
        .arg(prefix, percent(r.x(), clientSize().width()), percent(r.y(), clientSize().height()),
             percent(r.width(), clientSize().width()), percent(r.height(), clientSize().height()));
}

QString fieldsHtml(const std::vector<ListState> &lists)
{
    QString html;
    for (const ListState &list : lists) {
        const QString &key = list.page.key;
        const Selector &selector = *list.page.selector;
        const ControlRow &control = controlRow(selector.list);
        html +=
            QStringLiteral("<div class=\"field\" style=\"%1;--font:%2px\">\n<label for=\"%3\">%4</label>\n<select "
                           "id=\"%3\" name=\"%3\">\n")
                .arg(boxStyle(pixelBox(control.left, control.top, control.width, control.height), QStringLiteral("--")),
                     QString::number(control.fontPixels), key,
                     QString::fromLatin1(control.accessibleName).toHtmlEscaped());
        for (int i = 0; i < list.count; ++i) {
            html += QStringLiteral("<option value=\"%1\"%2>%3</option>\n")
                        .arg(QString::number(i), i == list.defaultIndex ? QStringLiteral(" selected") : QString(),
                             QString::fromLatin1(selector.entries[static_cast<std::size_t>(i)].text).toHtmlEscaped());
        }
        html += QStringLiteral("</select>\n</div>");
        if (&list != &lists.back())
            html += u'\n';
    }
    return html;
}

QString captionsHtml(const Board &board)
{
    QStringList spans;
    const auto &elements = board.elements();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        if (it->kind != ElementKind::Label)
            continue;
        const QString tip = QString::fromLatin1(it->label->toolTip);
        // The script gives a caption with a tip a hit area of its own around the drawn box and
        // takes the focus from caption to caption; one without a tip is ground no hit area takes.
        QString attributes = tip.isEmpty()
            ? QStringLiteral(" aria-hidden=\"true\"")
            : QStringLiteral(" tabindex=\"-1\" role=\"button\" aria-label=\"%1\" data-tip=\"%2\"")
                  .arg(QString::fromLatin1(it->label->caption).simplified().toHtmlEscaped(), tip.toHtmlEscaped());
        spans << QStringLiteral("<span class=\"cap\" data-name=\"%1\" style=\"%2\"%3></span>")
                     .arg(QLatin1String(it->name()), boxStyle(it->bounds, QStringLiteral("--")), attributes);
    }
    return spans.join(u'\n');
}

namespace {

QString settingsHtml(const PageRecord &r)
{
    QString html;
    const std::vector<SettingGroup> &groups = r.panel.groups;
    const Selection digits = defaultDigits(groups);
    for (std::size_t group = 0; group < groups.size(); ++group) {
        const SettingGroup &g = groups[group];
        const QString &key = g.key;
        html += QStringLiteral("<div class=\"meaning\">\n<label for=\"%1\">%2</label>\n<select id=\"%1\" name=\"%1\" "
                               "aria-describedby=\"%1-pins\">\n")
                    .arg(key, g.caption.toHtmlEscaped());
        for (int i = 0; i < g.texts.size(); ++i) {
            html += QStringLiteral("<option value=\"%1\"%2>%3</option>\n")
                        .arg(QString::number(i), i == g.defaultIndex ? QStringLiteral(" selected") : QString(),
                             g.texts[i].toHtmlEscaped());
        }
        html += QStringLiteral("</select>\n<span class=\"pins\" id=\"%1-pins\">%2</span>\n</div>\n")
                    .arg(key, r.settings.positions[group][digits[group]].toHtmlEscaped());
    }
    const int combination = combinationOf(digits, radixOf(groups));
    html += QStringLiteral("<dl class=\"reading\" aria-live=\"polite\">\n");
    for (const PanelReading &reading : r.settings.readings) {
        html += QStringLiteral("<dt>%1</dt>\n<dd id=\"%2\">%3</dd>\n")
                    .arg(reading.caption.toHtmlEscaped(), reading.name, reading.texts[combination].toHtmlEscaped());
    }
    return html + QStringLiteral("</dl>");
}

} // namespace

/// The page's first words: what to choose and what to set, each sentence ending in a blank.
QString introText(const PageRecord &record)
{
    if (boardHasCpuSettings())
        return QStringLiteral("Choose the CPU, the power supply and the SDRAM clock, or set the CPU by its clock, "
                              "multiplier and voltage below\nthe board. ");
    QStringList lists, meanings;
    for (const ListState &list : record.lists)
        lists << QString::fromUtf8(list.page.selector->row->title);
    for (const SettingGroup &group : record.panel.groups)
        meanings << group.caption;
    if (lists.isEmpty() && meanings.isEmpty())
        return {};
    if (meanings.isEmpty())
        return QStringLiteral("Choose %1. ").arg(theEach(lists)).toHtmlEscaped();
    if (lists.isEmpty())
        return QStringLiteral("Set %1 below the board. ").arg(theEach(meanings)).toHtmlEscaped();
    return QStringLiteral("Choose %1, or set %2 below the board. ")
        .arg(theEach(lists), theEach(meanings))
        .toHtmlEscaped();
}

/// The part of the page where the panel's groups are set, closed at first; none without groups.
QString meaningsSection(const PageRecord &record)
{
    if (record.panel.groups.empty())
        return {};
    QString summary = QStringLiteral("Set by clock, multiplier and voltage");
    if (!boardHasCpuSettings()) {
        QStringList captions;
        for (const SettingGroup &group : record.panel.groups)
            captions << inSentence(group.caption);
        summary = QStringLiteral("Set by ") + spokenList(captions);
    }
    return QStringLiteral("<details class=\"meanings\" id=\"meanings\">\n<summary>%1</summary>\n%2\n</details>")
        .arg(summary.toHtmlEscaped(), settingsHtml(record));
}

QString legendHtml(const Board &board)
{
    QStringList items{
        pinPair(JumperOnColor)
            + QStringLiteral("Grey pins: a jumper cap covers them (%1).").arg(contactText(Contact::Closed)),
        pinPair(JumperOffColor) + QStringLiteral("White pins: no cap (%1).").arg(contactText(Contact::Open))};
    std::vector<BlockPlace> blocks;
    QStringList blockItems;
    if (boardHasCpuSettings()) {
        // The program's own board: its CPU blocks in the CPU procedure's order, then JP10 and JP11.
        for (const ThreePinBlock &block : cpuBlocks())
            blocks.push_back(placeOf(board, block));
        blocks.push_back(placeOf(board, jp10()));
        blocks.push_back(placeOf(board, jp11()));
        blockItems << headerSentence(board, blockNamed("JP3"));
    } else {
        for (const BlockRow &block : boardInUse().blocks) {
            if (block.kind == BlockKind::ThreePin)
                blocks.push_back(placeOf(board, block.name, block.pins));
            else if (block.kind == BlockKind::Header)
                blockItems << headerSentence(board, block);
            else if (block.kind == BlockKind::Dip)
                blockItems << dipSentence(board, block);
        }
    }
    if (!blocks.empty())
        items << pinOneSentence(blocks);
    items << sideBySideSentences(blocks) << blockItems;
    if (std::any_of(boardInUse().blocks.begin(), boardInUse().blocks.end(),
                    [](const BlockRow &block) { return block.kind == BlockKind::Dip; }))
        items << QStringLiteral("A switch is on where its pin is grey, off where it is white.");
    QString html;
    for (const QString &item : items)
        html += QStringLiteral("<li>%1</li>\n").arg(item);
    return html.chopped(1);
}
