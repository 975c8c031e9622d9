// The guide page: the window's lists as fields, the captions' tool tips, the page's data and
// the board's pictures, all filled into the page template of the web/ resources.
#include "htmlexport.h"

#include "mainwindow.h"
#include "outputfile.h"
#include "pageerror.h"
#include "pagemeanings.h"
#include "pagepictures.h"
#include "pagerecording.h"
#include "settingspanel.h"
#include "velmorconfig.h"

#include "layout/board.h"
#include "layout/catalogues.h"
#include "layout/window.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRegularExpression>

#include <map>
#include <vector>

namespace {

/// A box of client-area pixels as percentages of the board, so it scales with the board; the
/// properties take the prefix given ("--" for the custom properties of the wide layout).
QString boxStyle(const QRect &r, const QString &prefix = {})
{
    const auto percent = [](int part, int whole) { return QString::number(100.0 * part / whole, 'g', 8) + u'%'; };
    return QStringLiteral("%1left:%2;%1top:%3;%1width:%4;%1height:%5")
        .arg(prefix, percent(r.x(), ClientSize.width()), percent(r.y(), ClientSize.height()),
             percent(r.width(), ClientSize.width()), percent(r.height(), ClientSize.height()));
}

/// The three lists as labelled selects with the window's entries, in its order, and its
/// default selected.
QString fieldsHtml(const std::vector<ListState> &lists)
{
    QString html;
    for (const ListState &list : lists) {
        const QString key = QLatin1String(list.page->key);
        const QFont font = list.combo->font();
        const QString size = font.pixelSize() > 0 ? QString::number(font.pixelSize()) + QStringLiteral("px")
                                                  : QString::number(font.pointSizeF()) + QStringLiteral("pt");
        html += QStringLiteral("<div class=\"field\" style=\"%1;--font:%2\">\n<label for=\"%3\">%4</label>\n<select id=\"%3\" name=\"%3\">\n")
                    .arg(boxStyle(list.combo->geometry(), QStringLiteral("--")), size, key, list.combo->accessibleName().toHtmlEscaped());
        for (int i = 0; i < list.combo->count(); ++i) {
            html += QStringLiteral("<option value=\"%1\"%2>%3</option>\n")
                        .arg(QString::number(i), i == list.defaultIndex ? QStringLiteral(" selected") : QString(),
                             list.combo->itemText(i).toHtmlEscaped());
        }
        html += QStringLiteral("</select>\n</div>");
        if (&list != &lists.back())
            html += u'\n';
    }
    return html;
}

/// A transparent box over every caption, the one with the lowest rank on top, as the window's
/// tool tips find them; a caption with a tip can take the focus and shows the tip exactly as
/// stored.
QString captionsHtml(const Board &board)
{
    QStringList spans;
    const auto &elements = board.elements();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        if (it->kind != ElementKind::Label)
            continue;
        const QString tip = QString::fromLatin1(it->label->toolTip);
        QString attributes = tip.isEmpty()
            ? QStringLiteral(" aria-hidden=\"true\"")
            : QStringLiteral(" tabindex=\"0\" role=\"button\" aria-label=\"%1\" data-tip=\"%2\"")
                  .arg(QString::fromLatin1(it->label->caption).simplified().toHtmlEscaped(), tip.toHtmlEscaped());
        spans << QStringLiteral("<span class=\"cap\" data-name=\"%1\" style=\"%2\"%3></span>")
                     .arg(QLatin1String(it->name()), boxStyle(it->bounds), attributes);
    }
    return spans.join(u'\n');
}

/// The slots (pins, then parts of the sentence) that one owner decides, as pin and part numbers.
struct OwnedSlots {
    std::vector<qsizetype> pins;
    std::vector<qsizetype> parts;
};

OwnedSlots slotsOf(const std::vector<int> &owners, int owner)
{
    const auto pinCount = static_cast<qsizetype>(pinCatalogue().size());
    OwnedSlots owned;
    for (qsizetype slot = 0; slot < static_cast<qsizetype>(owners.size()); ++slot) {
        if (owners[static_cast<std::size_t>(slot)] == owner)
            (slot < pinCount ? owned.pins : owned.parts).push_back(slot < pinCount ? slot : slot - pinCount);
    }
    return owned;
}

template<typename T>
QJsonArray numbers(const std::vector<T> &values)
{
    QJsonArray array;
    for (T v : values)
        array.append(v);
    return array;
}

/// What a view puts in the slots one owner decides: "fills" of its pins and "parts" of the
/// sentence.
QJsonObject ownedView(const View &view, const OwnedSlots &owned)
{
    const auto pinCount = static_cast<qsizetype>(pinCatalogue().size());
    QJsonArray fills, parts;
    for (qsizetype pin : owned.pins)
        fills.append(view[pin]);
    for (qsizetype part : owned.parts)
        parts.append(view[pinCount + part]);
    return QJsonObject{{QStringLiteral("fills"), fills}, {QStringLiteral("parts"), parts}};
}

/// What the page records of the window and its settings panel.
struct PageRecord {
    std::vector<ListState> lists;
    std::vector<View> views;
    std::vector<MeaningGroup> groups;
    MeaningRecord meanings;
    std::vector<int> owners; ///< per slot: a list, the number of lists plus a group, or -1
};

/// Who decides each slot: a list of the window, a group of the panel (numbered after the lists),
/// or none (-1). The groups take the CPU list's slots, as its entries stand for their values (the
/// recording checked that); no slot may be set by a group and by another list too.
std::vector<int> pageOwners(const PageRecord &r)
{
    std::vector<int> owners = slotOwners(r.views, radixOf(r.lists), baseSelection(r.lists));
    const std::vector<int> groupOwners = slotOwners(r.meanings.views, radixOf(r.groups), defaultSelection(r.groups));
    const int cpu = static_cast<int>(cpuList(r.lists));
    for (std::size_t slot = 0; slot < owners.size(); ++slot) {
        if (groupOwners[slot] < 0)
            continue;
        if (owners[slot] >= 0 && owners[slot] != cpu)
            throw PageError(QStringLiteral("a list and the settings panel set the same pin"));
        owners[slot] = static_cast<int>(r.lists.size()) + groupOwners[slot];
    }
    return owners;
}

/// One list as the page's data: its key and words, its default (-1 for none), the pins and
/// sentence parts it sets, and what each entry puts there; a CPU entry also gives the value it
/// stands for in each group of the panel.
QJsonObject listData(const PageRecord &r, std::size_t list)
{
    const OwnedSlots owned = slotsOf(r.owners, static_cast<int>(list));
    const bool isCpu = list == cpuList(r.lists);
    QJsonArray entries;
    for (int entry = 0; entry < r.lists[list].combo->count(); ++entry) {
        Selection s = baseSelection(r.lists);
        s[list] = entry;
        QJsonObject data = ownedView(r.views[static_cast<std::size_t>(combinationOf(s, radixOf(r.lists)))], owned);
        if (isCpu)
            data.insert(QStringLiteral("meanings"), numbers(r.meanings.cpuEntries[static_cast<std::size_t>(entry)]));
        entries.append(data);
    }
    const PageList &page = *r.lists[list].page;
    return QJsonObject{{QStringLiteral("key"), QLatin1String(page.key)},
                       {QStringLiteral("words"), page.words ? QJsonValue(QJsonArray::fromStringList(page.words())) : QJsonValue()},
                       {QStringLiteral("default"), r.lists[list].defaultIndex},
                       {QStringLiteral("pins"), numbers(owned.pins)},
                       {QStringLiteral("parts"), numbers(owned.parts)},
                       {QStringLiteral("entries"), entries}};
}

/// One group of the panel as the page's data, like a list's: its key, its default, the pins and
/// sentence parts it sets, and per value the word of the address, what it puts there and the
/// panel's reading of its pins.
QJsonObject groupData(const PageRecord &r, std::size_t group)
{
    const OwnedSlots owned = slotsOf(r.owners, static_cast<int>(r.lists.size() + group));
    const MeaningGroup &g = r.groups[group];
    QJsonArray values;
    for (int value = 0; value < g.values.size(); ++value) {
        Selection s = defaultSelection(r.groups);
        s[group] = value;
        QJsonObject data = ownedView(r.meanings.views[static_cast<std::size_t>(combinationOf(s, radixOf(r.groups)))], owned);
        data.insert(QStringLiteral("word"), meaningWord(g, value));
        data.insert(QStringLiteral("positions"), r.meanings.positions[group][value]);
        values.append(data);
    }
    return QJsonObject{{QStringLiteral("key"), QLatin1String(g.page->key)},
                       {QStringLiteral("default"), g.defaultIndex},
                       {QStringLiteral("pins"), numbers(owned.pins)},
                       {QStringLiteral("parts"), numbers(owned.parts)},
                       {QStringLiteral("values"), values}};
}

/// The panel as the page's data: the CPU list, whose entries stand for values; whether the
/// default view was set by values; the groups; and the panel's readings by combination.
QJsonObject meaningsData(const PageRecord &r, PageStart start)
{
    QJsonArray groups, readings;
    for (std::size_t group = 0; group < r.groups.size(); ++group)
        groups.append(groupData(r, group));
    for (const PanelReading &reading : r.meanings.readings)
        readings.append(QJsonObject{{QStringLiteral("name"), reading.name}, {QStringLiteral("texts"), QJsonArray::fromStringList(reading.texts)}});
    const std::size_t cpu = cpuList(r.lists);
    return QJsonObject{{QStringLiteral("list"), static_cast<int>(cpu)},
                       {QStringLiteral("byMeanings"), start == PageStart::Meanings || r.lists[cpu].defaultIndex < 0},
                       {QStringLiteral("groups"), groups},
                       {QStringLiteral("readings"), readings}};
}

/// The page's data: its lists, the panel's groups and readings, the fills and sentence parts
/// nothing changes, and each pin's fill region.
QJsonObject pageData(const PageRecord &r, PageStart start, const QJsonArray &pins)
{
    const View &base = r.views[static_cast<std::size_t>(combinationOf(baseSelection(r.lists), radixOf(r.lists)))];
    const auto pinCount = static_cast<qsizetype>(pinCatalogue().size());
    const OwnedSlots fixed = slotsOf(r.owners, -1);
    QJsonArray fixedFills, fixedParts, pageLists;
    for (qsizetype pin : fixed.pins)
        fixedFills.append(QJsonArray{pin, base[pin]});
    for (qsizetype part : fixed.parts)
        fixedParts.append(QJsonArray{part, base[pinCount + part]});
    for (std::size_t list = 0; list < r.lists.size(); ++list)
        pageLists.append(listData(r, list));
    return QJsonObject{{QStringLiteral("size"), QJsonArray{ClientSize.width(), ClientSize.height()}},
                       {QStringLiteral("separator"), PartSeparator},
                       {QStringLiteral("lists"), pageLists},
                       {QStringLiteral("meanings"), meaningsData(r, start)},
                       {QStringLiteral("pins"), pins},
                       {QStringLiteral("fixed"), QJsonObject{{QStringLiteral("fills"), fixedFills}, {QStringLiteral("parts"), fixedParts}}}};
}

/// The panel's groups as labelled selects of their documented values, each described by the
/// panel's reading of its pins, then the panel's readings, all as the default view shows them.
QString meaningsHtml(const PageRecord &r)
{
    QString html;
    for (std::size_t group = 0; group < r.groups.size(); ++group) {
        const MeaningGroup &g = r.groups[group];
        const QString key = QLatin1String(g.page->key);
        html += QStringLiteral("<div class=\"meaning\">\n<label for=\"%1\">%2</label>\n<select id=\"%1\" name=\"%1\" aria-describedby=\"%1-pins\">\n")
                    .arg(key, g.caption.toHtmlEscaped());
        for (int i = 0; i < g.texts.size(); ++i) {
            html += QStringLiteral("<option value=\"%1\"%2>%3</option>\n")
                        .arg(QString::number(i), i == g.defaultIndex ? QStringLiteral(" selected") : QString(),
                             g.texts[i].toHtmlEscaped());
        }
        html += QStringLiteral("</select>\n<span class=\"pins\" id=\"%1-pins\">%2</span>\n</div>\n")
                    .arg(key, r.meanings.positions[group][g.defaultIndex].toHtmlEscaped());
    }
    const int combination = combinationOf(defaultSelection(r.groups), radixOf(r.groups));
    html += QStringLiteral("<dl class=\"reading\" aria-live=\"polite\">\n");
    for (const PanelReading &reading : r.meanings.readings) {
        html += QStringLiteral("<dt>%1</dt>\n<dd id=\"%2\">%3</dd>\n")
                    .arg(reading.caption.toHtmlEscaped(), reading.name, reading.texts[combination].toHtmlEscaped());
    }
    return html + QStringLiteral("</dl>");
}

QString resourceText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PageError(QStringLiteral("the page template %1 is missing").arg(path));
    return QString::fromUtf8(file.readAll());
}

/// The template with every {{name}} replaced in one pass, so no value is read as a placeholder.
QString fillTemplate(const QString &page, const std::map<QString, QString> &values)
{
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{([a-z0-9-]+)\\}\\}"));
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : placeholder.globalMatch(page)) {
        const auto value = values.find(m.captured(1));
        if (value == values.end())
            throw PageError(QStringLiteral("the page template has an unknown placeholder %1").arg(m.captured(0)));
        out += QStringView(page).mid(from, m.capturedStart() - from);
        out += value->second;
        from = m.capturedEnd();
    }
    out += QStringView(page).mid(from);
    return out;
}

/// Records every list's entries, then every value of the panel's groups, and leaves the window
/// as it was.
PageRecord recordPage(MainWindow &window)
{
    PageRecord r;
    r.lists = findLists(window);
    SettingsPanel panel(window); // reads the pins the window shows now: the page's default
    r.groups = findMeanings(panel);
    r.views = recordViews(window, r.lists);
    r.meanings = recordMeanings(window, panel, r.lists, r.groups);
    r.owners = pageOwners(r);
    return r;
}

QString pageHtml(MainWindow &window, PageStart start)
{
    const PageRecord record = recordPage(window);
    const Pictures pictures = drawPictures(window);
    // In a script element only "</" could end it early; "<\/" reads the same in JSON.
    const QString data = QString::fromUtf8(QJsonDocument(pageData(record, start, pictures.pins)).toJson(QJsonDocument::Compact))
                             .replace(QStringLiteral("</"), QStringLiteral("<\\/"));
    const QString script = resourceText(QStringLiteral(":/web/guide.js"));
    const auto *print = window.findChild<QPushButton *>(QStringLiteral("CMDPRINT"));
    if (!print)
        throw PageError(QStringLiteral("the window has no print button"));
    const QByteArray scriptHash = QCryptographicHash::hash(script.toUtf8(), QCryptographicHash::Sha256).toBase64();
    return fillTemplate(resourceText(QStringLiteral(":/web/guide.html")),
                        {{QStringLiteral("title"), QStringLiteral("%1 jumper settings").arg(QLatin1String(WindowCaption))},
                         {QStringLiteral("version"), QStringLiteral(VELMOR_VERSION)},
                         {QStringLiteral("style"), resourceText(QStringLiteral(":/web/guide.css"))},
                         {QStringLiteral("script"), script},
                         {QStringLiteral("script-hash"), QStringLiteral("sha256-") + QString::fromLatin1(scriptHash)},
                         {QStringLiteral("data"), data},
                         {QStringLiteral("width"), QString::number(ClientSize.width())},
                         {QStringLiteral("height"), QString::number(ClientSize.height())},
                         {QStringLiteral("picture-1x"), pictures.uri[0]},
                         {QStringLiteral("picture-2x"), pictures.uri[1]},
                         {QStringLiteral("fields"), fieldsHtml(record.lists)},
                         {QStringLiteral("meanings"), meaningsHtml(record)},
                         {QStringLiteral("print-box"), boxStyle(print->geometry(), QStringLiteral("--"))},
                         {QStringLiteral("captions"), captionsHtml(window.board())},
                         {QStringLiteral("positions"), positionsSentence(window).toHtmlEscaped()}});
}

} // namespace

QString writeGuidePage(MainWindow &window, const QByteArray &path, PageStart start)
{
    QByteArray page;
    try {
        page = pageHtml(window, start).toUtf8();
    } catch (const PageError &e) {
        return QStringLiteral("cannot make the page: %1").arg(QString::fromUtf8(e.what()));
    }
    return writeOutputFile(path, page);
}
