// The guide page: the window's lists and what each entry shows, recorded by picking it in the
// window; the board's picture and each pin's fill region, from the program's own drawing; all
// filled into the page template of the web/ resources.
#include "htmlexport.h"

#include "commandline.h"
#include "mainwindow.h"
#include "outputfile.h"
#include "velmorconfig.h"

#include "jumpers/selectorcatalogue.h"
#include "layout/board.h"
#include "layout/boardpainter.h"
#include "layout/boardwidget.h"
#include "layout/catalogues.h"
#include "layout/pictures.h"
#include "layout/window.h"

#include <QBuffer>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRegularExpression>

#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

/// Something of the window the page could not repeat exactly; ends the writing with its reason.
class PageError : public std::runtime_error
{
public:
    explicit PageError(const QString &reason)
        : std::runtime_error(reason.toStdString())
    {
    }
};

/// A list of the window as the page offers it: its key in the page's address, and the words
/// that name its entries there (the command line's); without words an entry goes by position.
struct PageList {
    const Selector &(*selector)();
    const char *key;
    QStringList (*words)();
};

// In the order the page shows them.
// clang-format off
const PageList PageLists[] = {
    {cpuSelector,   "cpu",   nullptr},
    {powerSelector, "power", powerWords},
    {sdramSelector, "sdram", sdramWords},
};
// clang-format on

/// The separator of the parts of the positions sentence ("JP7 1-2, JP8 1-2, ...").
constexpr QLatin1StringView PartSeparator(", ");

/// What the window shows for one selection: a slot per pin of the pin catalogue (its fill as
/// "rrggbb"), then a slot per part of the positions sentence.
using View = QStringList;

/// A list as found in the window.
struct ListState {
    const PageList *page;
    QComboBox *combo;
    int defaultIndex;
};

/// The choice of one entry in every list, as a list of positions, and its number among all
/// choices (mixed radix, the last list fastest).
using Selection = std::vector<int>;

int combinationOf(const Selection &selection, const std::vector<ListState> &lists)
{
    int combination = 0;
    for (std::size_t i = 0; i < lists.size(); ++i)
        combination = combination * lists[i].combo->count() + selection[i];
    return combination;
}

Selection selectionOf(int combination, const std::vector<ListState> &lists)
{
    Selection selection(lists.size());
    for (std::size_t i = lists.size(); i-- > 0;) {
        selection[i] = combination % lists[i].combo->count();
        combination /= lists[i].combo->count();
    }
    return selection;
}

Selection defaultSelection(const std::vector<ListState> &lists)
{
    Selection selection;
    for (const ListState &list : lists)
        selection.push_back(list.defaultIndex);
    return selection;
}

QString colorText(Color color)
{
    return QColor(toRgb(color)).name().mid(1);
}

std::vector<ListState> findLists(MainWindow &window)
{
    std::vector<ListState> lists;
    for (const PageList &page : PageLists) {
        auto *combo = window.findChild<QComboBox *>(QString::fromLatin1(page.selector().list));
        if (!combo || combo->count() == 0 || combo->currentIndex() < 0)
            throw PageError(QStringLiteral("the window has no filled list %1").arg(QLatin1String(page.selector().list)));
        if (page.words && page.words().size() != combo->count())
            throw PageError(QStringLiteral("the list %1 has %2 entries, but there are %3 words for them")
                                .arg(QLatin1String(page.selector().list)).arg(combo->count()).arg(page.words().size()));
        lists.push_back({&page, combo, combo->currentIndex()});
    }
    return lists;
}

/// The positions sentence as the window's board tells a screen reader.
QString positionsSentence(MainWindow &window)
{
    const auto *board = window.findChild<BoardWidget *>();
    if (!board)
        throw PageError(QStringLiteral("the window has no board"));
    return board->accessibleDescription();
}

View readView(MainWindow &window)
{
    View view;
    for (const ShapeRow &pin : pinCatalogue())
        view << colorText(window.board().fillColor(pin.name));
    view += positionsSentence(window).split(PartSeparator);
    return view;
}

/// What the window shows for every selection, by combination. Picks through the window as a
/// user does, and leaves it with the default selection again.
std::vector<View> recordViews(MainWindow &window, const std::vector<ListState> &lists)
{
    int total = 1;
    for (const ListState &list : lists)
        total *= list.combo->count();
    std::vector<View> views;
    views.reserve(static_cast<std::size_t>(total));
    for (int combination = 0; combination < total; ++combination) {
        const Selection selection = selectionOf(combination, lists);
        for (std::size_t i = 0; i < lists.size(); ++i)
            window.select(lists[i].page->selector(), selection[i]); // runs the list's Click
        views.push_back(readView(window));
        if (views.back().size() != views.front().size())
            throw PageError(QStringLiteral("the positions sentence changes its number of parts"));
    }
    for (const ListState &list : lists)
        window.select(list.page->selector(), list.defaultIndex);
    return views;
}

/// For each slot of a view, the list whose entry decides it, or -1 when none changes it. The
/// page builds a view from these owners alone, so every recorded view is checked to be exactly
/// that: each slot decided by one list at most, whatever the other lists hold.
std::vector<int> slotOwners(const std::vector<View> &views, const std::vector<ListState> &lists)
{
    const Selection defaults = defaultSelection(lists);
    const View &base = views[static_cast<std::size_t>(combinationOf(defaults, lists))];
    const auto viewWith = [&](std::size_t list, int entry) -> const View & {
        Selection s = defaults;
        s[list] = entry;
        return views[static_cast<std::size_t>(combinationOf(s, lists))];
    };
    std::vector<int> owners(static_cast<std::size_t>(base.size()), -1);
    for (std::size_t list = 0; list < lists.size(); ++list) {
        for (int entry = 0; entry < lists[list].combo->count(); ++entry) {
            for (qsizetype slot = 0; slot < base.size(); ++slot) {
                if (viewWith(list, entry)[slot] != base[slot])
                    owners[static_cast<std::size_t>(slot)] = static_cast<int>(list);
            }
        }
    }
    for (std::size_t c = 0; c < views.size(); ++c) {
        const Selection selection = selectionOf(static_cast<int>(c), lists);
        for (qsizetype slot = 0; slot < base.size(); ++slot) {
            const int owner = owners[static_cast<std::size_t>(slot)];
            const QString &expected = owner < 0 ? base[slot] : viewWith(static_cast<std::size_t>(owner), selection[static_cast<std::size_t>(owner)])[slot];
            if (views[c][slot] != expected)
                throw PageError(QStringLiteral("what the window shows for one list depends on another list"));
        }
    }
    return owners;
}

/// The board with the fills the window shows now.
Board boardAsShown(const MainWindow &window)
{
    Board board;
    for (const ShapeRow &pin : pinCatalogue())
        board.setFillColor(pin.name, window.board().fillColor(pin.name));
    return board;
}

QImage drawBoard(const Board &board, int ratio)
{
    QImage frame(ClientSize * ratio, QImage::Format_RGB32);
    frame.setDevicePixelRatio(ratio);
    paintBoard(frame, board, QRect(QPoint(), ClientSize), backgroundPicture());
    return frame;
}

/// The rectangles that cover the set pixels of a mask exactly: the runs of each row, a run that
/// stands under the same run of the row above extending its rectangle.
QList<QRect> rectanglesOf(const std::vector<bool> &mask, const QRect &box)
{
    QList<QRect> rects;
    std::map<std::pair<int, int>, qsizetype> open; // run (from, to) of the row above -> rectangle
    for (int y = 0; y < box.height(); ++y) {
        std::map<std::pair<int, int>, qsizetype> runs;
        for (int x = 0; x < box.width();) {
            if (!mask[static_cast<std::size_t>(y * box.width() + x)]) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < box.width() && mask[static_cast<std::size_t>(y * box.width() + x)])
                ++x;
            const auto above = open.find({from, x});
            if (above != open.end()) {
                rects[above->second].setBottom(box.top() + y);
                runs[{from, x}] = above->second;
            } else {
                rects << QRect(box.left() + from, box.top() + y, x - from, 1);
                runs[{from, x}] = rects.size() - 1;
            }
        }
        open = std::move(runs);
    }
    return rects;
}

/// The device pixels of frame that show the pin's fill: those that change, all to the new
/// color, when the pin's fill alone changes. The frame and board are left as they were.
QList<QRect> fillRegion(Board &board, QImage &frame, const char *pin)
{
    const BoardElement *element = board.find(pin);
    if (!element)
        throw PageError(QStringLiteral("the board has no pin %1").arg(QLatin1String(pin)));
    const int ratio = qRound(frame.devicePixelRatio());
    const QRect box = QRect(element->bounds.topLeft() * ratio, element->bounds.size() * ratio).intersected(frame.rect());
    const QImage before = frame.copy(box);
    const Color fill = board.fillColor(pin);
    const Color probe = fill == 0x00FF00 ? 0xFF00FF : 0x00FF00;
    board.setFillColor(pin, probe);
    paintBoard(frame, board, element->bounds, backgroundPicture());
    const QImage probed = frame.copy(box);
    board.setFillColor(pin, fill);
    paintBoard(frame, board, element->bounds, backgroundPicture());

    std::vector<bool> mask(static_cast<std::size_t>(box.width() * box.height()));
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x) {
            if (probed.pixel(x, y) == before.pixel(x, y))
                continue;
            if (probed.pixel(x, y) != toRgb(probe))
                throw PageError(QStringLiteral("the pin %1 is drawn with blended edges at %2x").arg(QLatin1String(pin)).arg(ratio));
            mask[static_cast<std::size_t>(y * box.width() + x)] = true;
        }
    }
    const QList<QRect> rects = rectanglesOf(mask, box);
    if (rects.isEmpty())
        throw PageError(QStringLiteral("the pin %1 does not show its fill").arg(QLatin1String(pin)));
    return rects;
}

QString pngDataUri(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", 0); // 0: the smallest file
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

/// The board's picture at 1x and 2x, and each pin's fill region at both, as the page draws them.
struct Pictures {
    QString uri[2];
    QJsonArray pins;
};

Pictures drawPictures(const MainWindow &window)
{
    Board board = boardAsShown(window);
    Pictures pictures;
    std::vector<QJsonArray> regions(pinCatalogue().size(), QJsonArray());
    for (int ratio : {1, 2}) {
        QImage frame = drawBoard(board, ratio);
        pictures.uri[ratio - 1] = pngDataUri(frame);
        for (std::size_t i = 0; i < pinCatalogue().size(); ++i) {
            QJsonArray rects;
            for (const QRect &r : fillRegion(board, frame, pinCatalogue()[i].name))
                rects.append(QJsonArray{r.x(), r.y(), r.width(), r.height()});
            regions[i].append(rects);
        }
    }
    for (std::size_t i = 0; i < pinCatalogue().size(); ++i)
        pictures.pins.append(QJsonObject{{QStringLiteral("name"), QLatin1String(pinCatalogue()[i].name)},
                                         {QStringLiteral("regions"), regions[i]}});
    return pictures;
}

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
