// The guide page: the window's lists as fields, the captions' tool tips, the page's data and
// the board's pictures, all filled into the page template of the web/ resources.
#include "htmlexport.h"

#include "mainwindow.h"
#include "outputfile.h"
#include "pageerror.h"
#include "pagepictures.h"
#include "pagerecording.h"
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

QJsonArray numbers(const std::vector<qsizetype> &values)
{
    QJsonArray array;
    for (qsizetype v : values)
        array.append(v);
    return array;
}

/// One list as the page's data: its key and words, its default, the pins and sentence parts it
/// sets, and what each entry puts there.
QJsonObject listData(const std::vector<ListState> &lists, std::size_t list, const std::vector<View> &views,
                     const std::vector<int> &owners)
{
    const auto pinCount = static_cast<qsizetype>(pinCatalogue().size());
    const OwnedSlots owned = slotsOf(owners, static_cast<int>(list));
    QJsonArray entries;
    for (int entry = 0; entry < lists[list].combo->count(); ++entry) {
        Selection s = defaultSelection(lists);
        s[list] = entry;
        const View &view = views[static_cast<std::size_t>(combinationOf(s, lists))];
        QJsonArray fills, parts;
        for (qsizetype pin : owned.pins)
            fills.append(view[pin]);
        for (qsizetype part : owned.parts)
            parts.append(view[pinCount + part]);
        entries.append(QJsonObject{{QStringLiteral("fills"), fills}, {QStringLiteral("parts"), parts}});
    }
    const PageList &page = *lists[list].page;
    return QJsonObject{{QStringLiteral("key"), QLatin1String(page.key)},
                       {QStringLiteral("words"), page.words ? QJsonValue(QJsonArray::fromStringList(page.words())) : QJsonValue()},
                       {QStringLiteral("default"), lists[list].defaultIndex},
                       {QStringLiteral("pins"), numbers(owned.pins)},
                       {QStringLiteral("parts"), numbers(owned.parts)},
                       {QStringLiteral("entries"), entries}};
}

/// The page's data: its lists, the fills and sentence parts no list changes, and each pin's
/// fill region.
QJsonObject pageData(const std::vector<ListState> &lists, const std::vector<View> &views, const QJsonArray &pins)
{
    const std::vector<int> owners = slotOwners(views, lists);
    const View &base = views[static_cast<std::size_t>(combinationOf(defaultSelection(lists), lists))];
    const auto pinCount = static_cast<qsizetype>(pinCatalogue().size());
    const OwnedSlots fixed = slotsOf(owners, -1);
    QJsonArray fixedFills, fixedParts, pageLists;
    for (qsizetype pin : fixed.pins)
        fixedFills.append(QJsonArray{pin, base[pin]});
    for (qsizetype part : fixed.parts)
        fixedParts.append(QJsonArray{part, base[pinCount + part]});
    for (std::size_t list = 0; list < lists.size(); ++list)
        pageLists.append(listData(lists, list, views, owners));
    return QJsonObject{{QStringLiteral("size"), QJsonArray{ClientSize.width(), ClientSize.height()}},
                       {QStringLiteral("separator"), PartSeparator},
                       {QStringLiteral("lists"), pageLists},
                       {QStringLiteral("pins"), pins},
                       {QStringLiteral("fixed"), QJsonObject{{QStringLiteral("fills"), fixedFills}, {QStringLiteral("parts"), fixedParts}}}};
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

QString pageHtml(MainWindow &window)
{
    const std::vector<ListState> lists = findLists(window);
    const std::vector<View> views = recordViews(window, lists);
    const Pictures pictures = drawPictures(window);
    // In a script element only "</" could end it early; "<\/" reads the same in JSON.
    const QString data = QString::fromUtf8(QJsonDocument(pageData(lists, views, pictures.pins)).toJson(QJsonDocument::Compact))
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
                         {QStringLiteral("fields"), fieldsHtml(lists)},
                         {QStringLiteral("print-box"), boxStyle(print->geometry(), QStringLiteral("--"))},
                         {QStringLiteral("captions"), captionsHtml(window.board())},
                         {QStringLiteral("positions"), positionsSentence(window).toHtmlEscaped()}});
}

} // namespace

QString writeGuidePage(MainWindow &window, const QByteArray &path)
{
    QByteArray page;
    try {
        page = pageHtml(window).toUtf8();
    } catch (const PageError &e) {
        return QStringLiteral("cannot make the page: %1").arg(QString::fromUtf8(e.what()));
    }
    return writeOutputFile(path, page);
}
