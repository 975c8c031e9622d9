// Typed, range-checked reading of one table's keys, and the wording shared by every message.
#include "tablefields.h"

#include "boardrows/showntext.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace {

/// Longer words are never a typing slip of a known key (the longest is 12 characters), and
/// comparing them would cost time in proportion to their length.
constexpr std::size_t LongestSuggested = 40;

std::size_t editDistance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

QString joinedWords(std::initializer_list<std::string_view> words)
{
    QStringList list;
    for (std::string_view word : words)
        list << QString::fromUtf8(word.data(), qsizetype(word.size()));
    return list.join(QStringLiteral(", "));
}

QString keyName(std::string_view key)
{
    return QString::fromUtf8(key.data(), qsizetype(key.size()));
}

} // namespace

SourcePlace placeOf(const toml::source_region &region)
{
    return {int(region.begin.line), int(region.begin.column)};
}

QString inQuotes(std::string_view text)
{
    // Only the ends show in a message; a megabyte of text is not turned into characters for that.
    constexpr std::size_t Kept = 200;
    QString whole;
    if (text.size() <= 2 * Kept) {
        whole = QString::fromUtf8(text.data(), qsizetype(text.size()));
    } else {
        whole = QString::fromUtf8(text.data(), Kept) + QStringLiteral("...")
            + QString::fromUtf8(text.data() + text.size() - Kept, Kept);
    }
    return u'"' + shownText(whole) + u'"';
}

QString nearestWord(std::string_view word, std::initializer_list<std::string_view> known)
{
    if (word.size() > LongestSuggested)
        return {};
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    std::string_view best;
    std::size_t bestDistance = 0;
    for (std::string_view candidate : known) {
        const std::size_t distance = editDistance(lower, candidate);
        if (best.empty() || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    // A third of the word may be wrong, and at least two letters: "colour" finds "color".
    if (best.empty() || bestDistance > std::max<std::size_t>(2, word.size() / 3))
        return {};
    return keyName(best);
}

qsizetype characterCount(std::string_view utf8)
{
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

QString typeName(const toml::node &node)
{
    switch (node.type()) {
    case toml::node_type::table:
        return QStringLiteral("a table");
    case toml::node_type::array:
        return QStringLiteral("an array");
    case toml::node_type::string:
        return QStringLiteral("a string");
    case toml::node_type::integer:
        return QStringLiteral("an integer");
    case toml::node_type::floating_point:
        return QStringLiteral("a float");
    case toml::node_type::boolean:
        return QStringLiteral("a boolean");
    case toml::node_type::date:
    case toml::node_type::time:
    case toml::node_type::date_time:
        return QStringLiteral("a date or time");
    case toml::node_type::none:
        break;
    }
    return QStringLiteral("nothing");
}

void addProblem(QList<BoardProblem> &problems, SourcePlace place, const QString &message)
{
    problems.append({place.line, place.column, message});
}

TableFields::TableFields(const toml::table &table, QString what, QList<BoardProblem> &problems,
                         std::initializer_list<std::string_view> known)
    : m_table(table)
    , m_what(std::move(what))
    , m_problems(problems)
{
    for (auto &&[key, value] : table) {
        if (std::find(known.begin(), known.end(), key.str()) != known.end())
            continue;
        const QString nearest = nearestWord(key.str(), known);
        const QString hint = nearest.isEmpty() ? QStringLiteral("the keys here are %1").arg(joinedWords(known))
                                               : QStringLiteral("did you mean \"%1\"?").arg(nearest);
        addProblem(m_problems, ::placeOf(key.source()),
                   QStringLiteral("unknown key %1 in %2; %3").arg(inQuotes(key.str()), m_what, hint));
    }
}

SourcePlace TableFields::placeOf(std::string_view key) const
{
    const toml::node *value = m_table.get(key);
    return value ? ::placeOf(value->source()) : place();
}

void TableFields::problem(std::string_view key, const QString &message) const
{
    addProblem(m_problems, placeOf(key), message);
}

const toml::node *TableFields::node(std::string_view key, Need need, toml::node_type type, const QString &form) const
{
    const toml::node *value = m_table.get(key);
    if (!value) {
        if (need == Need::Required)
            addProblem(m_problems, place(),
                       QStringLiteral("%1 has no \"%2\"; add %2 = %3").arg(m_what, keyName(key), form));
        return nullptr;
    }
    if (value->type() == type)
        return value;
    problem(key, QStringLiteral("\"%1\" of %2 is %3; it must be %4").arg(keyName(key), m_what, typeName(*value), form));
    return nullptr;
}

std::optional<QString> TableFields::text(std::string_view key, Need need, qsizetype minChars, qsizetype maxChars) const
{
    const toml::node *value = node(key, need, toml::node_type::string, QStringLiteral("\"...\""));
    if (!value)
        return std::nullopt;
    const std::string &s = value->as_string()->get();
    const qsizetype count = characterCount(s);
    if (count < minChars) {
        problem(
            key,
            QStringLiteral("\"%1\" of %2 is empty; give it 1-%3 characters").arg(keyName(key), m_what).arg(maxChars));
        return std::nullopt;
    }
    if (count > maxChars) {
        problem(key,
                QStringLiteral("\"%1\" of %2 has %3 characters; at most %4 are allowed")
                    .arg(keyName(key), m_what)
                    .arg(count)
                    .arg(maxChars));
        return std::nullopt;
    }
    return QString::fromStdString(s);
}

std::optional<qint64> TableFields::integer(std::string_view key, Need need, qint64 min, qint64 max) const
{
    const QString form = QStringLiteral("an integer %1-%2").arg(min).arg(max);
    const toml::node *value = node(key, need, toml::node_type::integer, form);
    if (!value)
        return std::nullopt;
    const qint64 n = value->as_integer()->get();
    if (n < min || n > max) {
        problem(
            key,
            QStringLiteral("\"%1\" of %2 is %3; it must be %4-%5").arg(keyName(key), m_what).arg(n).arg(min).arg(max));
        return std::nullopt;
    }
    return n;
}

std::optional<double> TableFields::number(std::string_view key, Need need, double min, double max) const
{
    const toml::node *value = m_table.get(key);
    const QString form =
        QStringLiteral("a number from %1 to %2").arg(QString::number(min, 'g', 12), QString::number(max, 'g', 12));
    double n = 0;
    // An integer is a number too: "points = 8" means 8.0.
    if (value && value->is_integer()) {
        n = double(value->as_integer()->get());
    } else {
        value = node(key, need, toml::node_type::floating_point, form);
        if (!value)
            return std::nullopt;
        n = value->as_floating_point()->get();
    }
    // NaN fails both comparisons, so it is refused too.
    if (!(n >= min && n <= max)) {
        problem(key, QStringLiteral("\"%1\" of %2 is %3; it must be %4").arg(keyName(key), m_what).arg(n).arg(form));
        return std::nullopt;
    }
    return n;
}

std::optional<bool> TableFields::flag(std::string_view key) const
{
    const toml::node *value = node(key, Need::Optional, toml::node_type::boolean, QStringLiteral("true or false"));
    return value ? std::optional<bool>(value->as_boolean()->get()) : std::nullopt;
}

std::optional<Color> TableFields::colour(std::string_view key) const
{
    const QString form = QStringLiteral("a colour, \"#RRGGBB\" or \"system-N\" (N 0-24)");
    const toml::node *value = node(key, Need::Optional, toml::node_type::string, form);
    if (!value)
        return std::nullopt;
    const QString s = QString::fromStdString(value->as_string()->get());
    static const QRegularExpression Rgb(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
    static const QRegularExpression System(QStringLiteral("^system-([0-9]{1,2})$"));
    if (const QRegularExpressionMatch m = Rgb.match(s); m.hasMatch()) {
        const uint rgb = m.captured(1).toUInt(nullptr, 16);
        // Stored as the drawing stores colours: 0xBBGGRR.
        return Color(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
    }
    if (const QRegularExpressionMatch m = System.match(s); m.hasMatch() && m.captured(1).toInt() <= 24)
        return systemColor(m.captured(1).toInt());
    problem(key,
            QStringLiteral("\"%1\" of %2 is %3; it must be %4")
                .arg(keyName(key), m_what, inQuotes(value->as_string()->get()), form));
    return std::nullopt;
}

std::optional<int> TableFields::choice(std::string_view key, Need need,
                                       std::initializer_list<std::string_view> words) const
{
    const QString form = QStringLiteral("one of %1").arg(joinedWords(words));
    const toml::node *value = node(key, need, toml::node_type::string, QStringLiteral("\"...\" (%1)").arg(form));
    if (!value)
        return std::nullopt;
    const std::string &s = value->as_string()->get();
    const auto found = std::find(words.begin(), words.end(), s);
    if (found != words.end())
        return int(found - words.begin());
    const QString nearest = nearestWord(s, words);
    problem(key,
            QStringLiteral("\"%1\" of %2 is %3; it must be %4%5")
                .arg(keyName(key), m_what, inQuotes(s), form,
                     nearest.isEmpty() ? QString() : QStringLiteral(" (did you mean \"%1\"?)").arg(nearest)));
    return std::nullopt;
}

const toml::array *TableFields::array(std::string_view key, Need need, const char *form) const
{
    const toml::node *value = node(key, need, toml::node_type::array, QString::fromUtf8(form));
    return value ? value->as_array() : nullptr;
}

const toml::table *TableFields::subtable(std::string_view key, Need need, const char *form) const
{
    const toml::node *value = node(key, need, toml::node_type::table, QString::fromUtf8(form));
    return value ? value->as_table() : nullptr;
}
