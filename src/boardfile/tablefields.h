// The keys of one table of a description, read with their types and limits checked: every
// problem goes to the reading's list, with the place of the value (or of the table) it is about.
#pragma once

#include "boarddescription.h"
#include "boardreader.h"

#include <toml++/toml.h>

#include <QString>

#include <initializer_list>
#include <optional>
#include <string_view>

/// Where a node of the parsed file stands.
SourcePlace placeOf(const toml::source_region &region);

/// Text from the file as a message repeats it: quoted, escaped and shortened.
QString inQuotes(std::string_view text);

/// The nearest of the known words to word, or an empty string when none is near.
QString nearestWord(std::string_view word, std::initializer_list<std::string_view> known);

/// How many characters (code points) UTF-8 text has.
qsizetype characterCount(std::string_view utf8);

/// What type a node is, as a message names it: "a string", "an integer", ...
QString typeName(const toml::node &node);

/// Adds a problem to problems.
void addProblem(QList<BoardProblem> &problems, SourcePlace place, const QString &message);

enum class Need { Optional, Required };

/// One table's keys. The constructor reports every key not in known, with the nearest known
/// key; the readers report a missing required key, a wrong type and a value out of its range.
class TableFields
{
public:
    TableFields(const toml::table &table, QString what, QList<BoardProblem> &problems,
                std::initializer_list<std::string_view> known);

    /// How messages name the table: `[board]`, `label "CPU1"`, ...
    const QString &what() const { return m_what; }
    const toml::table &table() const { return m_table; }
    SourcePlace place() const { return ::placeOf(m_table.source()); }
    /// The place of the key's value, or of the table when the key is not there.
    SourcePlace placeOf(std::string_view key) const;
    bool has(std::string_view key) const { return m_table.get(key) != nullptr; }
    void problem(std::string_view key, const QString &message) const;

    std::optional<QString> text(std::string_view key, Need need, qsizetype minChars, qsizetype maxChars) const;
    std::optional<qint64> integer(std::string_view key, Need need, qint64 min, qint64 max) const;
    /// A float or an integer.
    std::optional<double> number(std::string_view key, Need need, double min, double max) const;
    std::optional<bool> flag(std::string_view key) const;
    std::optional<Color> colour(std::string_view key) const;
    /// The position of the value among words, which the message lists when it is none of them.
    std::optional<int> choice(std::string_view key, Need need, std::initializer_list<std::string_view> words) const;
    /// form says what the array holds, for the messages ("[left, top, width, height]").
    const toml::array *array(std::string_view key, Need need, const char *form) const;
    const toml::table *subtable(std::string_view key, Need need, const char *form) const;

private:
    /// The key's node when it has type; otherwise nullptr, with a problem if it is there or needed.
    const toml::node *node(std::string_view key, Need need, toml::node_type type, const QString &form) const;

    const toml::table &m_table;
    QString m_what;
    QList<BoardProblem> &m_problems;
};
