// Reading a board description: the TOML parsed, each table read into the board with its types,
// limits and names checked, then every name another part refers to looked up.
#include "boardreader.h"

#include "parsercharacters.h"
#include "picturecheck.h"
#include "tablefields.h"

#include "boardrows/showntext.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <functional>

namespace {

// The limits of a description, each named in the message that refuses more.
constexpr int MaxElements = 4000;
constexpr int MaxBlocks = 256;
constexpr int MaxLists = 16;
constexpr int MaxEntries = 1000;
constexpr int MaxMeanings = 16;
constexpr int MaxValues = 256;
constexpr int MaxGroupBlocks = 64;
constexpr int MaxPairs = 32;
constexpr int MaxSwitches = 16;
/// Far beyond any client area in twips (4096 pixels are 61440 twips), and small enough that
/// sums of coordinates never overflow.
constexpr qint64 MaxCoordinate = 1000000;

/// The program's own options, which a list or meaning cannot take for its own.
constexpr const char *ReservedOptions[] = {"list", "format",  "export",      "page-size",   "identify", "panel",
                                           "help", "version", "check-board", "print-board", "board"};

const QRegularExpression &namePattern()
{
    static const QRegularExpression Pattern(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,39}$"));
    return Pattern;
}

const QRegularExpression &blockNamePattern()
{
    static const QRegularExpression Pattern(QStringLiteral("^[A-Za-z0-9_]{1,10}$"));
    return Pattern;
}

const QRegularExpression &optionPattern()
{
    static const QRegularExpression Pattern(QStringLiteral("^[a-z][a-z0-9-]{0,29}$"));
    return Pattern;
}

const QRegularExpression &wordPattern()
{
    static const QRegularExpression Pattern(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._+-]{0,39}$"));
    return Pattern;
}

QString plural(qsizetype count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

/// How messages name a table before its name is checked: `label "CPU1"`, or `[[label]]` without one.
QString describe(const toml::table &table, const char *kind)
{
    if (const auto name = table["name"].value<std::string>())
        return QStringLiteral("%1 %2").arg(QLatin1String(kind), inQuotes(*name));
    return QStringLiteral("[[%1]]").arg(QLatin1String(kind));
}

/// How messages name an entry or value: by its text, or by its number counted from 1.
QString describeItem(const toml::table &table, const char *kind, qsizetype number, const QString &parent)
{
    if (const auto text = table["text"].value<std::string>())
        return QStringLiteral("%1 %2 of %3").arg(QLatin1String(kind), inQuotes(*text), parent);
    return QStringLiteral("%1 %2 of %3").arg(QLatin1String(kind)).arg(number + 1).arg(parent);
}

int twipsToPixels(qint64 twips)
{
    // Rounded to the nearer pixel, as the board drawing rounds.
    return int((twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

class DescriptionReader
{
public:
    DescriptionReader(QList<BoardProblem> &problems, QDir folder)
        : m_problems(problems)
        , m_folder(std::move(folder))
    {
    }

    BoardDescription read(const toml::table &root);

private:
    void problem(SourcePlace place, const QString &message) { addProblem(m_problems, place, message); }

    /// Calls read for each table of the array of tables key ([[key]]).
    qsizetype forEachTable(const toml::table &parent, std::string_view key, const QString &parentWhat,
                           const std::function<void(const toml::table &, qsizetype)> &read);
    /// Reports the item at limit (the first too many) when there are more than limit.
    void checkCount(qsizetype count, int limit, SourcePlace firstTooMany, const QString &whose, const char *items);

    std::optional<QString> name(const TableFields &f, const QRegularExpression &pattern, const char *rule);
    std::optional<DescribedBox> box(const TableFields &f, std::string_view key, Need need);
    std::optional<DescribedPoint> point(const TableFields &f, std::string_view key, Need need);
    std::optional<std::vector<qint64>> integers(const TableFields &f, std::string_view key, Need need, int count,
                                                const char *form);
    std::optional<PictureReference> picture(const TableFields &f, std::string_view key, Need need);
    std::optional<QStringList> strings(const TableFields &f, std::string_view key, Need need, int min, int max,
                                       const char *items);
    void checkInside(SourcePlace place, const QString &what, QRect pixels, const char *part);

    void readWindow(const toml::table &root);
    void readFonts(const toml::table &root);
    void readElements(const toml::table &root);
    void readCommon(const TableFields &f, DrawingElement &element);
    void readLabel(const toml::table &table);
    void readShape(const toml::table &table);
    void readLine(const toml::table &table);
    void readImage(const toml::table &table);
    void readBlock(const toml::table &table);
    void checkBlockPins(const TableFields &f, const JumperBlockDescription &block);
    void readList(const toml::table &table);
    void readButton(const toml::table &table);
    /// What a list and a button both have: box, font, colours, tab index and rank.
    template<typename Control>
    void readControl(const TableFields &f, Control &control);
    void readMeaning(const toml::table &table);
    ListEntryDescription readEntry(const toml::table &table, const QString &what, const ListDescription &list,
                                   bool blocksKnown, QHash<QString, SourcePlace> &words);
    MeaningValue readValue(const toml::table &table, const QString &what, const MeaningDescription &meaning,
                           bool blocksKnown, QHash<double, SourcePlace> &values, QHash<QString, SourcePlace> &settings);
    void readReading(const toml::table &table);
    void readNote(const toml::table &table);
    std::optional<QString> option(const TableFields &f);
    std::optional<QStringList> groupBlocks(const TableFields &f);
    QStringList positions(const TableFields &f, const QStringList &blocks, const char *group);

    void checkElementNames();
    void checkReferences();
    const JumperBlockDescription *findBlock(const QString &name) const;
    const DrawingElement *findElement(const QString &name) const;

    QList<BoardProblem> &m_problems;
    QDir m_folder;
    BoardDescription m_board;
    bool m_clientKnown = false;
    /// Blocks whose kind, pairs or switches are wrong: their positions are not checked, since
    /// every one would be reported again for the same fault.
    QSet<QString> m_unsettledBlocks;
    // Names looked up by position in the board, so that a file of many references stays quick.
    QHash<QString, std::size_t> m_elementAt;
    QHash<QString, std::size_t> m_blockAt;
    QSet<QString> m_meaningNames;
    /// Each picture is checked once, however many images name it.
    QHash<QString, PictureCheck> m_pictures;
    QHash<QString, SourcePlace> m_optionPlaces;
};

qsizetype DescriptionReader::forEachTable(const toml::table &parent, std::string_view key, const QString &parentWhat,
                                          const std::function<void(const toml::table &, qsizetype)> &read)
{
    const toml::node *node = parent.get(key);
    if (!node)
        return 0;
    const QString name = QString::fromUtf8(key.data(), qsizetype(key.size()));
    const toml::array *array = node->as_array();
    if (!array) {
        problem(placeOf(node->source()),
                QStringLiteral("\"%1\" in %2 is %3; write each as a table [[%4]]")
                    .arg(name, parentWhat, typeName(*node), name));
        return 0;
    }
    qsizetype count = 0;
    for (const toml::node &item : *array) {
        if (const toml::table *table = item.as_table()) {
            read(*table, count++);
            continue;
        }
        problem(placeOf(item.source()),
                QStringLiteral("an item of \"%1\" in %2 is %3; each must be a table")
                    .arg(name, parentWhat, typeName(item)));
    }
    return count;
}

void DescriptionReader::checkCount(qsizetype count, int limit, SourcePlace firstTooMany, const QString &whose,
                                   const char *items)
{
    if (count > limit)
        problem(firstTooMany,
                QStringLiteral("%1 has %2 %3; at most %4 are allowed")
                    .arg(whose)
                    .arg(count)
                    .arg(QLatin1String(items))
                    .arg(limit));
}

std::optional<QString> DescriptionReader::name(const TableFields &f, const QRegularExpression &pattern,
                                               const char *rule)
{
    const std::optional<QString> text = f.text("name", Need::Required, 0, 1000000);
    if (!text)
        return std::nullopt;
    if (pattern.match(*text).hasMatch())
        return text;
    f.problem("name", QStringLiteral("the name of %1 must be %2").arg(f.what(), QLatin1String(rule)));
    return std::nullopt;
}

std::optional<std::vector<qint64>> DescriptionReader::integers(const TableFields &f, std::string_view key, Need need,
                                                               int count, const char *form)
{
    const toml::array *array = f.array(key, need, form);
    if (!array)
        return std::nullopt;
    const QString keyName = QString::fromUtf8(key.data(), qsizetype(key.size()));
    std::vector<qint64> values;
    for (const toml::node &item : *array) {
        if (!item.is_integer())
            break;
        values.push_back(item.as_integer()->get());
    }
    if (qsizetype(values.size()) != count || qsizetype(array->size()) != count) {
        f.problem(key,
                  QStringLiteral("\"%1\" of %2 must be %3 integers %4")
                      .arg(keyName, f.what())
                      .arg(count)
                      .arg(QLatin1String(form)));
        return std::nullopt;
    }
    for (qint64 v : values) {
        if (v < 0 || v > MaxCoordinate) {
            f.problem(key,
                      QStringLiteral("\"%1\" of %2 holds %3; every value of %4 is 0-%5")
                          .arg(keyName, f.what())
                          .arg(v)
                          .arg(QLatin1String(form))
                          .arg(MaxCoordinate));
            return std::nullopt;
        }
    }
    return values;
}

std::optional<DescribedBox> DescriptionReader::box(const TableFields &f, std::string_view key, Need need)
{
    const auto v = integers(f, key, need, 4, "[left, top, width, height]");
    if (!v)
        return std::nullopt;
    const QRect given{int(v->at(0)), int(v->at(1)), int(v->at(2)), int(v->at(3))};
    if (m_board.window.units == Units::Pixels)
        return DescribedBox{given, std::nullopt};
    // Edges rounded, so neighbouring boxes stay flush.
    const int left = twipsToPixels((*v)[0]);
    const int top = twipsToPixels((*v)[1]);
    const QRect pixels(left, top, twipsToPixels((*v)[0] + (*v)[2]) - left, twipsToPixels((*v)[1] + (*v)[3]) - top);
    return DescribedBox{pixels, given};
}

std::optional<DescribedPoint> DescriptionReader::point(const TableFields &f, std::string_view key, Need need)
{
    const auto v = integers(f, key, need, 2, "[x, y]");
    if (!v)
        return std::nullopt;
    const QPoint given{int(v->at(0)), int(v->at(1))};
    if (m_board.window.units == Units::Pixels)
        return DescribedPoint{given, std::nullopt};
    return DescribedPoint{QPoint(twipsToPixels((*v)[0]), twipsToPixels((*v)[1])), given};
}

std::optional<PictureReference> DescriptionReader::picture(const TableFields &f, std::string_view key, Need need)
{
    const std::optional<QString> written = f.text(key, need, 0, 1000);
    if (!written)
        return std::nullopt;
    auto known = m_pictures.constFind(*written);
    if (known == m_pictures.constEnd())
        known = m_pictures.insert(*written, checkPicture(*written, m_folder));
    const PictureCheck &check = *known;
    if (!check.picture)
        f.problem(
            key,
            QStringLiteral("the picture %1 of %2 %3").arg(inQuotes(written->toStdString()), f.what(), check.problem));
    return check.picture;
}

std::optional<QStringList> DescriptionReader::strings(const TableFields &f, std::string_view key, Need need, int min,
                                                      int max, const char *items)
{
    const toml::array *array = f.array(key, need, "[\"...\", ...]");
    if (!array)
        return std::nullopt;
    const QString keyName = QString::fromUtf8(key.data(), qsizetype(key.size()));
    QStringList list;
    for (const toml::node &item : *array) {
        if (!item.is_string()) {
            problem(placeOf(item.source()),
                    QStringLiteral("an item of \"%1\" of %2 is %3; each must be a string")
                        .arg(keyName, f.what(), typeName(item)));
            return std::nullopt;
        }
        list << QString::fromStdString(item.as_string()->get());
    }
    if (list.size() < min || list.size() > max) {
        f.problem(key,
                  QStringLiteral("\"%1\" of %2 has %3 %4; %5-%6 are allowed")
                      .arg(keyName, f.what())
                      .arg(list.size())
                      .arg(QLatin1String(items))
                      .arg(min)
                      .arg(max));
        return std::nullopt;
    }
    return list;
}

void DescriptionReader::checkInside(SourcePlace place, const QString &what, QRect pixels, const char *part)
{
    if (!m_clientKnown)
        return;
    const QSize client = m_board.window.clientSize;
    QStringList reach, moves;
    const auto right = qint64(pixels.x()) + pixels.width();
    const auto bottom = qint64(pixels.y()) + pixels.height();
    if (pixels.x() < 0)
        reach << QStringLiteral("x %1").arg(pixels.x()), moves << QStringLiteral("right");
    if (right > client.width())
        reach << QStringLiteral("x %1").arg(right), moves << QStringLiteral("left");
    if (pixels.y() < 0)
        reach << QStringLiteral("y %1").arg(pixels.y()), moves << QStringLiteral("down");
    if (bottom > client.height())
        reach << QStringLiteral("y %1").arg(bottom), moves << QStringLiteral("up");
    if (reach.isEmpty())
        return;
    problem(place,
            QStringLiteral("%1 lies outside the client area (%2x%3): its %4 %5; move it %6 or enlarge client-size")
                .arg(what)
                .arg(client.width())
                .arg(client.height())
                .arg(QLatin1String(part), reach.join(QStringLiteral(" and ")), moves.join(QStringLiteral(" and "))));
}

void DescriptionReader::readWindow(const toml::table &root)
{
    const toml::node *node = root.get("board");
    if (!node || !node->is_table()) {
        problem(node ? placeOf(node->source()) : SourcePlace{1, 1},
                QStringLiteral("the description has no [board] table; add one with name, version and client-size"));
        return;
    }
    const TableFields f(*node->as_table(), QStringLiteral("[board]"), m_problems,
                        {"name", "version", "client-size", "background", "units", "picture", "picture-box"});
    BoardWindow &w = m_board.window;
    w.name = f.text("name", Need::Required, 1, 40).value_or(QString());
    w.version = f.text("version", Need::Required, 1, 20).value_or(QString());
    if (const auto units = f.choice("units", Need::Optional, {"pixels", "twips"}))
        w.units = *units == 0 ? Units::Pixels : Units::Twips;
    if (const toml::array *size = f.array("client-size", Need::Required, "[width, height]")) {
        const bool pair = size->size() == 2 && (*size)[0].is_integer() && (*size)[1].is_integer();
        const qint64 width = pair ? (*size)[0].as_integer()->get() : 0;
        const qint64 height = pair ? (*size)[1].as_integer()->get() : 0;
        if (!pair)
            f.problem("client-size", QStringLiteral("\"client-size\" of [board] must be 2 integers [width, height]"));
        else if (width < 64 || width > 4096 || height < 64 || height > 4096)
            f.problem("client-size",
                      QStringLiteral("\"client-size\" of [board] is %1x%2 pixels; each must be 64-4096")
                          .arg(width)
                          .arg(height));
        else
            w.clientSize = QSize(int(width), int(height)), m_clientKnown = true;
    }
    w.background = f.colour("background").value_or(w.background);
    w.picture = picture(f, "picture", Need::Optional);
    w.pictureBox.pixels = QRect(QPoint(0, 0), w.clientSize);
    if (const auto pictureBox = box(f, "picture-box", Need::Optional)) {
        w.pictureBox = *pictureBox;
        checkInside(f.placeOf("picture-box"), QStringLiteral("the picture-box of [board]"), pictureBox->pixels,
                    "box reaches");
    }
}

void DescriptionReader::readFonts(const toml::table &root)
{
    m_board.fonts.push_back({QStringLiteral("default"), QStringLiteral("MS Serif"), 6, FontWeight::Normal, {}});
    const toml::node *node = root.get("fonts");
    if (!node)
        return;
    const toml::table *fonts = node->as_table();
    if (!fonts) {
        problem(placeOf(node->source()),
                QStringLiteral("\"fonts\" is %1; write each font as a table [fonts.ID]").arg(typeName(*node)));
        return;
    }
    for (auto &&[key, value] : *fonts) {
        const QString id = QString::fromStdString(std::string(key.str()));
        const QString what = QStringLiteral("font %1").arg(inQuotes(key.str()));
        if (!namePattern().match(id).hasMatch())
            problem(placeOf(key.source()),
                    QStringLiteral("the font ID %1 is not a name: a letter, then up to 39 "
                                   "letters, digits or _")
                        .arg(inQuotes(key.str())));
        const toml::table *table = value.as_table();
        if (!table) {
            problem(placeOf(value.source()),
                    QStringLiteral("%1 is %2; it must be a table [fonts.%3] with family and points")
                        .arg(what, typeName(value), shownText(id)));
            continue;
        }
        const TableFields f(*table, what, m_problems, {"family", "points", "weight", "line-height"});
        BoardFont font{id,
                       f.text("family", Need::Required, 1, 60).value_or(QString()),
                       f.number("points", Need::Required, 4, 72).value_or(6),
                       FontWeight::Normal,
                       {}};
        if (const auto weight = f.choice("weight", Need::Optional, {"normal", "demibold", "bold"}))
            font.weight = FontWeight(*weight);
        if (const auto height = f.integer("line-height", Need::Optional, 1, 200))
            font.lineHeight = int(*height);
        // A font named "default" takes the place of the built-in one.
        if (id == QLatin1String("default"))
            m_board.fonts.front() = font;
        else
            m_board.fonts.push_back(font);
    }
}

void DescriptionReader::readCommon(const TableFields &f, DrawingElement &element)
{
    element.name = name(f, namePattern(), "a letter, then up to 39 letters, digits or _").value_or(QString());
    element.place = f.place();
    if (const auto index = f.integer("index", Need::Optional, 0, 99))
        element.index = int(*index);
    if (const auto rank = f.integer("rank", Need::Optional, 0, 9999))
        element.rank = int(*rank);
}

void DescriptionReader::readLabel(const toml::table &table)
{
    const TableFields f(
        table, describe(table, "label"), m_problems,
        {"name", "index", "rank", "text", "tip", "box", "color", "font", "align", "wrap", "border", "opaque", "back"});
    DrawingElement element;
    readCommon(f, element);
    LabelDrawing label;
    label.text = f.text("text", Need::Required, 0, 500).value_or(QString());
    label.tip = f.text("tip", Need::Optional, 0, 500);
    if (const auto b = box(f, "box", Need::Required)) {
        label.box = *b;
        checkInside(f.placeOf("box"), f.what(), b->pixels, "box reaches");
    }
    label.color = f.colour("color").value_or(label.color);
    label.font = f.text("font", Need::Optional, 1, 40).value_or(label.font);
    if (const auto align = f.choice("align", Need::Optional, {"left", "centre"}))
        label.align = TextAlign(*align);
    label.wrap = f.flag("wrap").value_or(false);
    label.border = f.flag("border").value_or(false);
    label.opaque = f.flag("opaque").value_or(false);
    label.back = f.colour("back").value_or(label.back);
    element.drawing = label;
    m_board.elements.push_back(element);
}

void DescriptionReader::readShape(const toml::table &table)
{
    const TableFields f(table, describe(table, "shape"), m_problems,
                        {"name", "index", "rank", "box", "figure", "fill", "fill-color", "border-color", "border-width",
                         "opaque", "back", "mode"});
    DrawingElement element;
    readCommon(f, element);
    ShapeDrawing shape;
    if (const auto b = box(f, "box", Need::Required)) {
        shape.box = *b;
        checkInside(f.placeOf("box"), f.what(), b->pixels, "box reaches");
    }
    if (const auto figure = f.choice("figure", Need::Optional,
                                     {"rectangle", "square", "oval", "circle", "rounded-rectangle", "rounded-square"}))
        shape.figure = ShapeKind(*figure);
    if (const auto fill = f.choice("fill", Need::Optional, {"transparent", "solid", "diagonal-cross"}))
        shape.fill = FillStyle(*fill);
    shape.fillColor = f.colour("fill-color").value_or(shape.fillColor);
    shape.borderColor = f.colour("border-color").value_or(shape.borderColor);
    shape.borderWidth = int(f.integer("border-width", Need::Optional, 0, 10).value_or(1));
    shape.opaque = f.flag("opaque").value_or(false);
    shape.back = f.colour("back").value_or(shape.back);
    if (const auto mode = f.choice("mode", Need::Optional, {"copy", "black", "nand"}))
        shape.mode = DrawMode(*mode);
    element.drawing = shape;
    m_board.elements.push_back(element);
}

void DescriptionReader::readLine(const toml::table &table)
{
    const TableFields f(table, describe(table, "line"), m_problems,
                        {"name", "index", "rank", "from", "to", "color", "style"});
    DrawingElement element;
    readCommon(f, element);
    LineDrawing line;
    for (const char *end : {"from", "to"}) {
        if (const auto p = point(f, end, Need::Required)) {
            (end[0] == 'f' ? line.from : line.to) = *p;
            checkInside(f.placeOf(end), f.what(), QRect(p->pixels, QSize(0, 0)), "end reaches");
        }
    }
    line.color = f.colour("color").value_or(line.color);
    if (const auto style = f.choice("style", Need::Optional, {"solid", "dotted"}))
        line.style = LineStyle(*style);
    element.drawing = line;
    m_board.elements.push_back(element);
}

void DescriptionReader::readImage(const toml::table &table)
{
    const TableFields f(table, describe(table, "image"), m_problems, {"name", "index", "rank", "box", "picture"});
    DrawingElement element;
    readCommon(f, element);
    ImageDrawing image;
    if (const auto b = box(f, "box", Need::Required)) {
        image.box = *b;
        checkInside(f.placeOf("box"), f.what(), b->pixels, "box reaches");
    }
    image.picture = picture(f, "picture", Need::Required).value_or(PictureReference{});
    element.drawing = image;
    m_board.elements.push_back(element);
}

void DescriptionReader::readElements(const toml::table &root)
{
    const QString top = QStringLiteral("the description");
    forEachTable(root, "label", top, [this](const toml::table &t, qsizetype) { readLabel(t); });
    forEachTable(root, "shape", top, [this](const toml::table &t, qsizetype) { readShape(t); });
    forEachTable(root, "line", top, [this](const toml::table &t, qsizetype) { readLine(t); });
    forEachTable(root, "image", top, [this](const toml::table &t, qsizetype) { readImage(t); });
    // In the order of the file: of two elements without a rank, the later lies on top.
    std::stable_sort(m_board.elements.begin(), m_board.elements.end(), [](const auto &a, const auto &b) {
        return std::pair(a.place.line, a.place.column) < std::pair(b.place.line, b.place.column);
    });
    if (qsizetype(m_board.elements.size()) > MaxElements)
        checkCount(qsizetype(m_board.elements.size()), MaxElements, m_board.elements[MaxElements].place, top,
                   "drawing elements");
}

/// What the positions of the block are, for a message about one it does not have.
QString positionsOf(const JumperBlockDescription &block)
{
    switch (block.kind) {
    case BlockKind::TwoPin:
        return QStringLiteral("a two-pin block is \"open\" or \"closed\"");
    case BlockKind::ThreePin:
        return QStringLiteral("a three-pin block is at \"1-2\" or \"2-3\"");
    case BlockKind::Header:
        return QStringLiteral("its positions are \"open\" or the closed pairs of %1 in that order, joined by + "
                              "(\"%2\")")
            .arg(block.pairs.join(QStringLiteral(", ")), block.pairs.mid(0, 2).join(u'+'));
    case BlockKind::Dip:
        return QStringLiteral("its positions are %1 words on or off, one a switch, joined by commas (\"%2\")")
            .arg(block.switches)
            .arg(QStringList(block.switches, QStringLiteral("on")).join(u','));
    }
    return {};
}

void DescriptionReader::readBlock(const toml::table &table)
{
    const TableFields f(table, describe(table, "block"), m_problems,
                        {"name", "kind", "at", "direction", "pitch", "pin-size", "pairs", "switches", "pins", "mark",
                         "note", "warning"});
    JumperBlockDescription block;
    block.place = f.place();
    block.name = name(f, blockNamePattern(), "1-10 letters, digits or _").value_or(QString());
    const auto kind = f.choice("kind", Need::Required, {"two-pin", "three-pin", "header", "dip"});
    block.kind = BlockKind(kind.value_or(0));
    const bool header = kind && block.kind == BlockKind::Header;
    const bool dip = kind && block.kind == BlockKind::Dip;
    if (header)
        block.pairs = strings(f, "pairs", Need::Required, 1, MaxPairs, "pair letters").value_or(QStringList());
    else if (kind && f.has("pairs"))
        f.problem("pairs", QStringLiteral("%1 is no header; only a header has pairs").arg(f.what()));
    for (const QString &pair : std::as_const(block.pairs)) {
        if (!blockNamePattern().match(pair).hasMatch() || pair == QLatin1String("open")
            || block.pairs.count(pair) > 1) {
            f.problem("pairs",
                      QStringLiteral("the pair %1 of %2 is not a pair name: 1-10 letters, digits or _, each "
                                     "once, and not \"open\"")
                          .arg(inQuotes(pair.toStdString()), f.what()));
            block.pairs.clear();
            break;
        }
    }
    if (dip)
        block.switches = int(f.integer("switches", Need::Required, 1, MaxSwitches).value_or(0));
    else if (kind && f.has("switches"))
        f.problem("switches", QStringLiteral("%1 is no dip block; only a dip block has switches").arg(f.what()));
    if (const auto pins = strings(f, "pins", Need::Optional, 1, 2 * MaxPairs, "shape names"))
        block.pins = *pins;
    const bool drawn = !f.has("pins");
    if (!drawn && (f.has("at") || f.has("direction")))
        f.problem("at",
                  QStringLiteral("%1 has both pins and at/direction; give the shapes of its pins or where to "
                                 "draw them, not both")
                      .arg(f.what()));
    block.at = point(f, "at", drawn ? Need::Required : Need::Optional);
    if (const auto direction =
            f.choice("direction", drawn ? Need::Required : Need::Optional, {"up", "down", "left", "right"}))
        block.direction = PinDirection(*direction);
    block.pitch = int(f.integer("pitch", Need::Optional, 4, 40).value_or(5));
    block.pinSize = int(f.integer("pin-size", Need::Optional, 3, 20).value_or(6));
    if (const auto mark = f.text("mark", Need::Optional, 1, 40)) {
        block.mark = *mark == QLatin1String("dot") ? PinMark::Dot
            : *mark == QLatin1String("none")       ? PinMark::None
                                                   : PinMark::Label;
        if (block.mark == PinMark::Label)
            block.markLabel = *mark;
    }
    block.note = f.text("note", Need::Optional, 0, 500).value_or(QString());
    block.warning = f.text("warning", Need::Optional, 0, 500).value_or(QString());
    if (kind && drawn)
        checkBlockPins(f, block);
    if (!kind || (header && block.pairs.isEmpty()) || (dip && block.switches == 0))
        m_unsettledBlocks.insert(block.name);
    m_board.blocks.push_back(block);
}

/// The pins a block draws must lie inside the client area: pin 1 at "at", each next one (a
/// header's next pair, a dip block's next switch) a pitch further in its direction, and a
/// header's second row one pitch across.
void DescriptionReader::checkBlockPins(const TableFields &f, const JumperBlockDescription &block)
{
    const std::vector<QPoint> offsets = drawnPinOffsets(block);
    if (offsets.empty())
        return;
    QRect extent;
    for (const QPoint &offset : offsets)
        extent |= QRect(block.at->pixels + offset, QSize(block.pinSize, block.pinSize));
    checkInside(f.placeOf("at"), f.what(), extent, "pins reach");
}

std::optional<QString> DescriptionReader::option(const TableFields &f)
{
    const auto option = f.text("option", Need::Optional, 1, 30);
    if (!option)
        return std::nullopt;
    if (!optionPattern().match(*option).hasMatch()) {
        f.problem("option",
                  QStringLiteral("the option %1 of %2 is not an option name: a lower-case letter, then up "
                                 "to 29 lower-case letters, digits or -")
                      .arg(inQuotes(option->toStdString()), f.what()));
        return std::nullopt;
    }
    for (const char *reserved : ReservedOptions) {
        if (*option == QLatin1String(reserved)) {
            f.problem("option",
                      QStringLiteral("the option %1 of %2 is one of the program's own (--%3); choose another")
                          .arg(inQuotes(option->toStdString()), f.what(), *option));
            return std::nullopt;
        }
    }
    if (const auto first = m_optionPlaces.constFind(*option); first != m_optionPlaces.constEnd()) {
        f.problem("option",
                  QStringLiteral("the option %1 of %2 is taken already (at line %3); each list and meaning "
                                 "needs an option of its own")
                      .arg(inQuotes(option->toStdString()), f.what())
                      .arg(first->line));
        return std::nullopt;
    }
    m_optionPlaces.insert(*option, f.placeOf("option"));
    return option;
}

/// The blocks a list or meaning sets: each a block of the board, each once.
std::optional<QStringList> DescriptionReader::groupBlocks(const TableFields &f)
{
    auto blocks = strings(f, "blocks", Need::Required, 1, MaxGroupBlocks, "block names");
    if (!blocks)
        return std::nullopt;
    bool known = true;
    for (qsizetype i = 0; i < blocks->size(); ++i) {
        const QString &block = blocks->at(i);
        if (blocks->indexOf(block) < i) {
            f.problem("blocks",
                      QStringLiteral("%1 names block %2 twice in its blocks; name each once")
                          .arg(f.what(), inQuotes(block.toStdString())));
            known = false;
        } else if (!findBlock(block)) {
            f.problem("blocks",
                      QStringLiteral("%1 names block %2, which no [[block]] has; add it or correct the name")
                          .arg(f.what(), inQuotes(block.toStdString())));
            known = false;
        }
    }
    return known ? blocks : std::nullopt;
}

/// The positions the "sets" table of an entry or value gives, one for each of the group's blocks.
QStringList DescriptionReader::positions(const TableFields &f, const QStringList &blocks, const char *group)
{
    const toml::table *sets = f.subtable("sets", Need::Required, "{ BLOCK = \"POSITION\", ... }");
    if (!sets)
        return {};
    const QString every = blocks.join(QStringLiteral(", "));
    if (sets->empty()) {
        f.problem("sets",
                  QStringLiteral("%1 sets no positions; give each block of the %2 one: %3")
                      .arg(f.what(), QLatin1String(group), every));
        return {};
    }
    QStringList result(blocks.size());
    bool whole = true;
    for (auto &&[key, value] : *sets) {
        const QString blockName = QString::fromStdString(std::string(key.str()));
        const qsizetype at = blocks.indexOf(blockName);
        if (at < 0) {
            problem(placeOf(key.source()),
                    QStringLiteral("%1 sets block %2, which is not one of the %3's blocks (%4)")
                        .arg(f.what(), inQuotes(key.str()), QLatin1String(group), every));
            whole = false;
            continue;
        }
        const JumperBlockDescription *block = findBlock(blockName);
        const auto position = value.value<std::string>();
        if (!position) {
            problem(placeOf(value.source()),
                    QStringLiteral("the position of %1 in %2 is %3; it must be a string")
                        .arg(blockName, f.what(), typeName(value)));
            whole = false;
            continue;
        }
        const QString text = QString::fromStdString(*position);
        if (!m_unsettledBlocks.contains(blockName) && !writtenPosition(*block, text)) {
            problem(placeOf(value.source()),
                    QStringLiteral("block %1 has no position %2 (in %3); %4")
                        .arg(inQuotes(key.str()), inQuotes(*position), f.what(), positionsOf(*block)));
            whole = false;
            continue;
        }
        result[at] = text;
    }
    QStringList missing;
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        if (result[i].isNull() && !sets->get(blocks[i].toStdString()))
            missing << blocks[i];
    }
    if (!missing.isEmpty()) {
        f.problem("sets",
                  QStringLiteral("%1 leaves out %2; give every block of the %3 a position (%4)")
                      .arg(f.what(), missing.join(QStringLiteral(", ")), QLatin1String(group), every));
        whole = false;
    }
    return whole ? result : QStringList();
}

template<typename Control>
void DescriptionReader::readControl(const TableFields &f, Control &control)
{
    if (const auto b = box(f, "box", Need::Required)) {
        control.box = *b;
        checkInside(f.placeOf("box"), f.what(), b->pixels, "box reaches");
    }
    control.fontPixels = int(f.integer("font-pixels", Need::Optional, 6, 48).value_or(11));
    control.bold = f.flag("bold").value_or(false);
    control.background = f.colour("background").value_or(control.background);
    control.textColor = f.colour("text-color").value_or(control.textColor);
    if (const auto tab = f.integer("tab", Need::Optional, 0, 999))
        control.tab = int(*tab);
    if (const auto rank = f.integer("rank", Need::Optional, 0, 9999))
        control.rank = int(*rank);
}

void DescriptionReader::readButton(const toml::table &table)
{
    const TableFields f(
        table, describe(table, "button"), m_problems,
        {"name", "role", "caption", "label", "box", "font-pixels", "bold", "background", "text-color", "tab", "rank"});
    ButtonDescription button;
    button.place = f.place();
    button.name = name(f, namePattern(), "a letter, then up to 39 letters, digits or _").value_or(QString());
    if (const auto role = f.choice("role", Need::Required, {"exit", "print"})) {
        button.role = ButtonRole(*role);
        // A window has one way out and one way to paper; a second would only confuse.
        for (const ButtonDescription &earlier : m_board.buttons) {
            if (earlier.role == button.role)
                f.problem("role",
                          QStringLiteral("%1 has the role of the button %2 at line %3; give each role to one "
                                         "button only")
                              .arg(f.what(), inQuotes(earlier.name.toStdString()))
                              .arg(earlier.place.line));
        }
    }
    button.caption = f.text("caption", Need::Required, 1, 40).value_or(QString());
    button.label = f.text("label", Need::Required, 1, 60).value_or(QString());
    readControl(f, button);
    m_board.buttons.push_back(button);
}

void DescriptionReader::readList(const toml::table &table)
{
    const TableFields f(table, describe(table, "list"), m_problems,
                        {"name", "label", "title", "box", "font-pixels", "bold", "background", "text-color", "tab",
                         "rank", "option", "blocks", "default", "entry"});
    ListDescription list;
    list.place = f.place();
    list.name = name(f, namePattern(), "a letter, then up to 39 letters, digits or _").value_or(QString());
    list.label = f.text("label", Need::Required, 1, 60).value_or(QString());
    list.title = f.text("title", Need::Optional, 1, 60).value_or(list.label);
    readControl(f, list);
    list.option = option(f).value_or(QString());
    const auto blocks = groupBlocks(f);
    list.blocks = blocks.value_or(QStringList());
    if (!f.has("entry"))
        f.problem("entry", QStringLiteral("%1 has no entries; add at least one [[list.entry]]").arg(f.what()));
    QHash<QString, SourcePlace> words;
    const qsizetype count = forEachTable(table, "entry", f.what(), [&](const toml::table &t, qsizetype number) {
        list.entries.push_back(
            readEntry(t, describeItem(t, "entry", number, f.what()), list, blocks.has_value(), words));
        if (number == MaxEntries)
            checkCount(table["entry"].as_array()->size(), MaxEntries, list.entries.back().place, f.what(), "entries");
    });
    if (count == 0 && f.has("entry"))
        f.problem("entry", QStringLiteral("%1 has no entries; add at least one [[list.entry]]").arg(f.what()));
    // The list chooses an entry's positions by its code's hundreds: entries whose codes share
    // them are one choice and must set the same positions.
    QHash<int, std::size_t> byHundreds; // the first entry of each hundred
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const ListEntryDescription &e = list.entries[i];
        const int hundreds = e.codeAt(i) / 100;
        const auto seen = byHundreds.constFind(hundreds);
        if (seen == byHundreds.constEnd()) {
            byHundreds.insert(hundreds, i);
            continue;
        }
        const ListEntryDescription *first = &list.entries[*seen];
        if (first->positions != e.positions) {
            problem(e.place,
                    QStringLiteral("entry %1 of %2 has the code %3, which the list reads as the choice of entry %4 "
                                   "(code %5: codes are read in hundreds), but sets other positions; give it a "
                                   "code of another hundred")
                        .arg(inQuotes(e.text.toStdString()), f.what())
                        .arg(e.codeAt(i))
                        .arg(inQuotes(first->text.toStdString()))
                        .arg(first->codeAt(*seen)));
        }
    }
    if (const auto def = f.integer("default", Need::Optional, 0, MaxEntries - 1)) {
        if (*def >= count && count > 0)
            f.problem("default",
                      QStringLiteral("\"default\" of %1 is %2, but its entries are numbered 0-%3")
                          .arg(f.what())
                          .arg(*def)
                          .arg(count - 1));
        else
            list.defaultEntry = int(*def);
    }
    m_board.lists.push_back(list);
}

ListEntryDescription DescriptionReader::readEntry(const toml::table &table, const QString &what,
                                                  const ListDescription &list, bool blocksKnown,
                                                  QHash<QString, SourcePlace> &words)
{
    const TableFields e(table, what, m_problems, {"text", "code", "word", "sets"});
    ListEntryDescription entry;
    entry.place = e.place();
    entry.text = e.text("text", Need::Required, 1, 200).value_or(QString());
    // The list keeps the code in 16 bits when it picks the entry's positions.
    if (const auto code = e.integer("code", Need::Optional, 0, 32767))
        entry.code = int(*code);
    if (const auto word = e.text("word", Need::Optional, 1, 40)) {
        const QString folded = word->toLower();
        if (!wordPattern().match(*word).hasMatch())
            e.problem("word",
                      QStringLiteral("the word %1 of %2 cannot be typed as one word: use letters, digits "
                                     "and . _ + - only, starting with a letter or digit")
                          .arg(inQuotes(word->toStdString()), what));
        else if (words.contains(folded))
            e.problem("word",
                      QStringLiteral("the word %1 of %2 names an earlier entry too (line %3); give each "
                                     "entry its own word (capitals do not count)")
                          .arg(inQuotes(word->toStdString()), what)
                          .arg(words.value(folded).line));
        else
            words.insert(folded, e.placeOf("word")), entry.word = *word;
    }
    if (blocksKnown)
        entry.positions = positions(e, list.blocks, "list");
    return entry;
}

MeaningValue DescriptionReader::readValue(const toml::table &table, const QString &what,
                                          const MeaningDescription &meaning, bool blocksKnown,
                                          QHash<double, SourcePlace> &values, QHash<QString, SourcePlace> &settings)
{
    const TableFields v(table, what, m_problems, {"value", "text", "amount", "sets"});
    MeaningValue value;
    value.place = v.place();
    if (const auto number = v.number("value", Need::Required, -1e9, 1e9)) {
        value.value = *number;
        if (values.contains(*number))
            v.problem("value",
                      QStringLiteral("%1 repeats the value %2 of line %3; each value stands once")
                          .arg(what)
                          .arg(*number)
                          .arg(values.value(*number).line));
        else
            values.insert(*number, v.placeOf("value"));
    }
    value.text = v.text("text", Need::Required, 1, 40).value_or(QString());
    value.amount = v.number("amount", Need::Optional, -1e9, 1e9);
    if (blocksKnown)
        value.positions = positions(v, meaning.blocks, "meaning");
    if (value.positions.isEmpty())
        return value;
    const QString setting = value.positions.join(u' ');
    if (settings.contains(setting))
        v.problem("sets",
                  QStringLiteral("%1 has the same positions as the value of line %2; each value needs "
                                 "positions of its own")
                      .arg(what)
                      .arg(settings.value(setting).line));
    else
        settings.insert(setting, v.placeOf("sets"));
    return value;
}

void DescriptionReader::readMeaning(const toml::table &table)
{
    const TableFields f(table, describe(table, "meaning"), m_problems, {"name", "label", "option", "blocks", "value"});
    MeaningDescription meaning;
    meaning.place = f.place();
    meaning.name = name(f, namePattern(), "a letter, then up to 39 letters, digits or _ (busclock, not bus-clock)")
                       .value_or(QString());
    meaning.label = f.text("label", Need::Required, 1, 60).value_or(QString());
    meaning.option = option(f).value_or(QString());
    const auto blocks = groupBlocks(f);
    meaning.blocks = blocks.value_or(QStringList());
    if (!f.has("value"))
        f.problem("value", QStringLiteral("%1 has no values; add at least one [[meaning.value]]").arg(f.what()));
    QHash<double, SourcePlace> values;
    QHash<QString, SourcePlace> settings;
    const qsizetype count = forEachTable(table, "value", f.what(), [&](const toml::table &t, qsizetype number) {
        meaning.values.push_back(
            readValue(t, describeItem(t, "value", number, f.what()), meaning, blocks.has_value(), values, settings));
        if (number == MaxValues)
            checkCount(table["value"].as_array()->size(), MaxValues, meaning.values.back().place, f.what(), "values");
    });
    if (count == 0 && f.has("value"))
        f.problem("value", QStringLiteral("%1 has no values; add at least one [[meaning.value]]").arg(f.what()));
    m_board.meanings.push_back(meaning);
}

void DescriptionReader::readReading(const toml::table &table)
{
    const TableFields f(table, QStringLiteral("[[reading]]"), m_problems, {"label", "product", "unit"});
    ReadingDescription reading;
    reading.place = f.place();
    reading.label = f.text("label", Need::Required, 1, 60).value_or(QString());
    reading.product = strings(f, "product", Need::Required, 1, MaxMeanings, "meaning names").value_or(QStringList());
    reading.unit = f.text("unit", Need::Optional, 0, 20).value_or(QString());
    for (const QString &name : std::as_const(reading.product)) {
        if (!m_meaningNames.contains(name))
            f.problem("product",
                      QStringLiteral("the reading %1 multiplies the meaning %2, which no [[meaning]] has")
                          .arg(inQuotes(reading.label.toStdString()), inQuotes(name.toStdString())));
    }
    m_board.readings.push_back(reading);
}

void DescriptionReader::readNote(const toml::table &table)
{
    const TableFields f(table, QStringLiteral("[[note]]"), m_problems, {"on", "text", "warning"});
    NoteDescription note;
    note.place = f.place();
    note.on = f.text("on", Need::Required, 1, 40).value_or(QString());
    note.text = f.text("text", Need::Required, 1, 500).value_or(QString());
    note.warning = f.flag("warning").value_or(false);
    if (!note.on.isEmpty() && !findBlock(note.on)) {
        const DrawingElement *element = findElement(note.on);
        if (!element || !std::holds_alternative<LabelDrawing>(element->drawing))
            f.problem("on",
                      QStringLiteral("the note is on %1, which is no label or block; name one of them")
                          .arg(inQuotes(note.on.toStdString())));
    }
    m_board.notes.push_back(note);
}

const JumperBlockDescription *DescriptionReader::findBlock(const QString &name) const
{
    const auto at = m_blockAt.constFind(name);
    return at == m_blockAt.constEnd() ? nullptr : &m_board.blocks[*at];
}

const DrawingElement *DescriptionReader::findElement(const QString &name) const
{
    const auto at = m_elementAt.constFind(name);
    return at == m_elementAt.constEnd() ? nullptr : &m_board.elements[*at];
}

/// Drawing elements and lists share one namespace; two elements may share a name only when
/// each has an index, a different one.
void DescriptionReader::checkElementNames()
{
    struct Named {
        QString name;
        std::optional<int> index;
        SourcePlace place;
        const char *kind;
    };
    std::vector<Named> named;
    for (const DrawingElement &e : m_board.elements) {
        static constexpr const char *Kinds[] = {"label", "shape", "line", "image"};
        named.push_back({e.name, e.index, e.place, Kinds[e.drawing.index()]});
    }
    for (const ListDescription &l : m_board.lists)
        named.push_back({l.name, std::nullopt, l.place, "list"});
    for (const ButtonDescription &b : m_board.buttons)
        named.push_back({b.name, std::nullopt, b.place, "button"});
    QHash<QString, const Named *> first;
    QSet<std::pair<QString, int>> indexed;
    for (const Named &n : named) {
        if (n.name.isEmpty())
            continue;
        const Named *earlier = first.value(n.name);
        if (!earlier) {
            first.insert(n.name, &n);
        } else if (!n.index || !earlier->index) {
            problem(n.place,
                    QStringLiteral("the name %1 of this %2 is taken by the %3 at line %4; give each its own "
                                   "name, or each an index")
                        .arg(inQuotes(n.name.toStdString()), QLatin1String(n.kind), QLatin1String(earlier->kind))
                        .arg(earlier->place.line));
            continue;
        }
        if (n.index && indexed.contains({n.name, *n.index}))
            problem(n.place,
                    QStringLiteral("the name %1 with index %2 is taken by an earlier %3; give each a "
                                   "different index")
                        .arg(inQuotes(n.name.toStdString()))
                        .arg(*n.index)
                        .arg(QLatin1String(n.kind)));
        if (n.index)
            indexed.insert({n.name, *n.index});
    }
    QHash<QString, SourcePlace> blockPlaces;
    for (const JumperBlockDescription &b : m_board.blocks) {
        if (b.name.isEmpty())
            continue;
        if (blockPlaces.contains(b.name))
            problem(b.place,
                    QStringLiteral("the block name %1 is taken by the block at line %2; give each block its "
                                   "own name")
                        .arg(inQuotes(b.name.toStdString()))
                        .arg(blockPlaces.value(b.name).line));
        else
            blockPlaces.insert(b.name, b.place);
    }
    QHash<QString, SourcePlace> meaningPlaces;
    for (const MeaningDescription &m : m_board.meanings) {
        if (m.name.isEmpty())
            continue;
        if (meaningPlaces.contains(m.name))
            problem(m.place,
                    QStringLiteral("the meaning name %1 is taken by the meaning at line %2; give each its "
                                   "own name")
                        .arg(inQuotes(m.name.toStdString()))
                        .arg(meaningPlaces.value(m.name).line));
        else
            meaningPlaces.insert(m.name, m.place);
    }
}

/// Fonts of labels, shapes that are pins, and labels that mark pin 1.
void DescriptionReader::checkReferences()
{
    QHash<QString, int> nameCount;
    for (const DrawingElement &e : m_board.elements)
        ++nameCount[e.name];
    for (const DrawingElement &e : m_board.elements) {
        const auto *label = std::get_if<LabelDrawing>(&e.drawing);
        if (!label)
            continue;
        const bool known = std::any_of(m_board.fonts.begin(), m_board.fonts.end(),
                                       [&](const BoardFont &font) { return font.id == label->font; });
        if (!known)
            problem(
                e.place,
                QStringLiteral("label %1 uses font %2, which no [fonts.%3] defines")
                    .arg(inQuotes(e.name.toStdString()), inQuotes(label->font.toStdString()), shownText(label->font)));
    }
    QHash<QString, QString> pinOwners;
    for (const JumperBlockDescription &b : m_board.blocks) {
        const QString what = QStringLiteral("block %1").arg(inQuotes(b.name.toStdString()));
        if (!b.pins.isEmpty()) {
            const qsizetype needed = b.kind == BlockKind::TwoPin ? 2
                : b.kind == BlockKind::ThreePin                  ? 3
                : b.kind == BlockKind::Header                    ? 2 * b.pairs.size()
                                                                 : b.switches;
            if (b.pins.size() != needed)
                problem(b.place,
                        QStringLiteral("%1 names %2; it needs %3, pin 1 first")
                            .arg(what, plural(b.pins.size(), "pin", "pins"), plural(needed, "pin", "pins")));
        }
        for (const QString &pin : b.pins) {
            const DrawingElement *shape = findElement(pin);
            if (!shape || !std::holds_alternative<ShapeDrawing>(shape->drawing))
                problem(b.place,
                        QStringLiteral("%1 names the pin %2, which is no [[shape]]; name the shapes of its pins")
                            .arg(what, inQuotes(pin.toStdString())));
            else if (nameCount.value(pin) > 1)
                problem(b.place,
                        QStringLiteral("%1 names the pin %2, which several shapes share; a pin needs a name of "
                                       "its own")
                            .arg(what, inQuotes(pin.toStdString())));
            else if (pinOwners.contains(pin))
                problem(b.place,
                        QStringLiteral("%1 names the pin %2, which is a pin of block %3 already")
                            .arg(what, inQuotes(pin.toStdString()), inQuotes(pinOwners.value(pin).toStdString())));
            else
                pinOwners.insert(pin, b.name);
        }
        if (b.mark == PinMark::Label) {
            const DrawingElement *label = findElement(b.markLabel);
            if (!label || !std::holds_alternative<LabelDrawing>(label->drawing))
                problem(b.place,
                        QStringLiteral("%1 is marked by %2, which is no [[label]]; name a label, or \"dot\" or "
                                       "\"none\"")
                            .arg(what, inQuotes(b.markLabel.toStdString())));
        }
    }
}

BoardDescription DescriptionReader::read(const toml::table &root)
{
    const TableFields top(root, QStringLiteral("the description"), m_problems,
                          {"format", "board", "fonts", "label", "shape", "line", "image", "block", "list", "button",
                           "meaning", "reading", "note"});
    if (const toml::node *format = root.get("format"); !format)
        problem({1, 1}, QStringLiteral("the description has no \"format\"; add format = 1 as its first line"));
    else if (format->value<qint64>() != 1)
        problem(placeOf(format->source()),
                QStringLiteral("\"format\" is %1; this program reads format 1")
                    .arg(format->is_integer() ? QString::number(*format->value<qint64>()) : typeName(*format)));
    readWindow(root);
    readFonts(root);
    readElements(root);
    for (std::size_t i = 0; i < m_board.elements.size(); ++i)
        m_elementAt.insert(m_board.elements[i].name, std::min(i, m_elementAt.value(m_board.elements[i].name, i)));
    const QString described = QStringLiteral("the description");
    std::optional<SourcePlace> tooMany;
    const qsizetype blocks = forEachTable(root, "block", described, [&](const toml::table &t, qsizetype n) {
        if (n == MaxBlocks)
            tooMany = placeOf(t.source());
        readBlock(t);
    });
    if (tooMany)
        checkCount(blocks, MaxBlocks, *tooMany, described, "blocks"), tooMany.reset();
    for (std::size_t i = 0; i < m_board.blocks.size(); ++i)
        m_blockAt.insert(m_board.blocks[i].name, std::min(i, m_blockAt.value(m_board.blocks[i].name, i)));
    const qsizetype lists = forEachTable(root, "list", described, [&](const toml::table &t, qsizetype n) {
        if (n == MaxLists)
            tooMany = placeOf(t.source());
        readList(t);
    });
    if (tooMany)
        checkCount(lists, MaxLists, *tooMany, described, "lists"), tooMany.reset();
    forEachTable(root, "button", described, [this](const toml::table &t, qsizetype) { readButton(t); });
    const qsizetype meanings = forEachTable(root, "meaning", described, [&](const toml::table &t, qsizetype n) {
        if (n == MaxMeanings)
            tooMany = placeOf(t.source());
        readMeaning(t);
    });
    if (tooMany)
        checkCount(meanings, MaxMeanings, *tooMany, described, "meanings");
    for (const MeaningDescription &meaning : m_board.meanings)
        m_meaningNames.insert(meaning.name);
    forEachTable(root, "reading", described, [this](const toml::table &t, qsizetype) { readReading(t); });
    forEachTable(root, "note", described, [this](const toml::table &t, qsizetype) { readNote(t); });
    checkElementNames();
    checkReferences();
    return m_board;
}

BoardProblem fileProblem(int line, const QString &message)
{
    return {line, line == 0 ? 0 : 1, message};
}

} // namespace

BoardReading readBoardDescriptionBytes(const QByteArray &bytes, const QString &fileName)
{
    BoardReading reading{fileName, {}, {}};
    if (bytes.size() > MaxDescriptionBytes) {
        reading.problems << fileProblem(1,
                                        QStringLiteral("the file has %1 bytes; a board description has at most "
                                                       "1 MiB (%2 bytes)")
                                            .arg(bytes.size())
                                            .arg(MaxDescriptionBytes));
        return reading;
    }
    if (auto mishandled = findMishandledCharacter(std::string_view(bytes.constData(), std::size_t(bytes.size())))) {
        reading.problems << *mishandled;
        return reading;
    }
    toml::table root;
    try {
        root = toml::parse(std::string_view(bytes.constData(), std::size_t(bytes.size())), fileName.toStdString());
    } catch (const toml::parse_error &error) {
        const SourcePlace place = placeOf(error.source());
        reading.problems << BoardProblem{
            place.line, place.column, QStringLiteral("not valid TOML: %1").arg(QString::fromUtf8(error.description()))};
        return reading;
    }
    DescriptionReader reader(reading.problems, QFileInfo(fileName).absoluteDir());
    reading.description = reader.read(root);
    std::stable_sort(reading.problems.begin(), reading.problems.end(),
                     [](const BoardProblem &a, const BoardProblem &b) {
                         return std::pair(a.line, a.column) < std::pair(b.line, b.column);
                     });
    return reading;
}

BoardReading readBoardDescription(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {path, {}, {fileProblem(0, QStringLiteral("cannot be read: there is no such file"))}};
    // A pipe or a device could hold the check up forever.
    if (!info.isFile())
        return {path, {}, {fileProblem(0, QStringLiteral("cannot be read: it is not a regular file"))}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {path, {}, {fileProblem(0, QStringLiteral("cannot be read: %1").arg(file.errorString()))}};
    if (file.size() > MaxDescriptionBytes)
        return {path,
                {},
                {fileProblem(1,
                             QStringLiteral("the file has %1 bytes; a board description has at most "
                                            "1 MiB (%2 bytes)")
                                 .arg(file.size())
                                 .arg(MaxDescriptionBytes))}};
    // One byte more than allowed tells a file that grew since its size was read.
    return readBoardDescriptionBytes(file.read(MaxDescriptionBytes + 1), path);
}

QStringList problemLines(const BoardReading &reading)
{
    QStringList lines;
    for (const BoardProblem &p : reading.problems) {
        if (lines.size() == MaxProblemsShown)
            break;
        lines << (p.line == 0
                      ? QStringLiteral("%1: %2").arg(reading.fileName, p.message)
                      : QStringLiteral("%1:%2:%3: %4").arg(reading.fileName).arg(p.line).arg(p.column).arg(p.message));
    }
    if (const qsizetype more = reading.problems.size() - MaxProblemsShown; more > 0)
        lines << QStringLiteral("%1: %2 more %3 not shown; correct these and check again")
                     .arg(reading.fileName)
                     .arg(more)
                     .arg(QLatin1String(more == 1 ? "problem" : "problems"));
    return lines;
}

QString soundSummary(const BoardReading &reading)
{
    const BoardDescription &d = reading.description;
    qsizetype entries = 0;
    for (const ListDescription &list : d.lists)
        entries += qsizetype(list.entries.size());
    return QStringLiteral("%1: sound: %2 version %3, %4, %5 (%6), %7, %8")
        .arg(reading.fileName, inQuotes(d.window.name.toStdString()), shownText(d.window.version),
             plural(qsizetype(d.blocks.size()), "block", "blocks"), plural(qsizetype(d.lists.size()), "list", "lists"),
             plural(entries, "entry", "entries"), plural(qsizetype(d.meanings.size()), "meaning", "meanings"),
             plural(qsizetype(d.elements.size()), "drawing element", "drawing elements"));
}
