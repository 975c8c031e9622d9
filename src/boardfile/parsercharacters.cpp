// A scan of a description's characters by where they stand: outside strings, in a comment, or in
// one of the four kinds of strings, as TOML tells them apart.
#include "parsercharacters.h"

#include "boarddata/showntext.h"

namespace {

enum class In { Text, Comment, Basic, Literal, MultiBasic, MultiLiteral };

/// The character at text[i] and its length in bytes; length 0 when it is not UTF-8.
std::pair<char32_t, std::size_t> decode(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || i + length > text.size())
        return {0, 0};
    char32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return {0, 0};
        c = (c << 6) | (next & 0x3F);
    }
    return {c, length};
}

/// How many of the quote character stand from text[i] on.
std::size_t quotesAt(std::string_view text, std::size_t i, char quote)
{
    std::size_t n = 0;
    while (i + n < text.size() && text[i + n] == quote)
        ++n;
    return n;
}

bool isBlankOrBreak(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n';
}

QString hex(char32_t c)
{
    return QString::number(uint(c), 16).toUpper().rightJustified(4, u'0');
}

QString named(char32_t c)
{
    return QStringLiteral("'%1' (U+%2)").arg(shownText(QString::fromUcs4(&c, 1)), hex(c));
}

} // namespace

std::optional<BoardProblem> findMishandledCharacter(std::string_view text)
{
    In in = In::Text;
    bool escaped = false; // in a multi-line basic string, after a backslash
    bool joining = false; // after a line-ending backslash: blanks and line breaks are skipped
    int line = 1;
    int column = 1;
    // A byte-order mark at the start is the parser's to skip.
    std::size_t i = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (i < text.size()) {
        const auto [c, length] = decode(text, i);
        if (length == 0)
            return std::nullopt;
        const auto refuse = [&](const QString &message) {
            return BoardProblem{line, column, QStringLiteral("not valid TOML: ") + message};
        };
        std::size_t step = length;
        switch (in) {
        case In::Text:
            if (c >= 0x80)
                return refuse(
                    QStringLiteral("the character %1 may stand only in a quoted string or a comment").arg(named(c)));
            if (c == U'#')
                in = In::Comment;
            else if (c == U'"' || c == U'\'') {
                const bool multi = quotesAt(text, i, char(c)) >= 3;
                in = c == U'"' ? (multi ? In::MultiBasic : In::Basic) : (multi ? In::MultiLiteral : In::Literal);
                step = multi ? 3 : 1;
            }
            break;
        case In::Comment:
            if (c == U'\n')
                in = In::Text;
            break;
        case In::Basic:
            if (escaped)
                escaped = false;
            else if (c == U'\\')
                escaped = true;
            else if (c == U'"' || c == U'\n')
                in = In::Text;
            break;
        case In::Literal:
            if (c == U'\'' || c == U'\n')
                in = In::Text;
            break;
        case In::MultiBasic:
            if (joining && isBlankOrBreak(c))
                break;
            if (joining && c >= 0x80)
                return refuse(QStringLiteral("a line joined by a line-ending backslash may not start with %1; write "
                                             "it as an escape, \\u%2")
                                  .arg(named(c), hex(c)));
            joining = false;
            if (escaped) {
                escaped = false;
                if (c >= 0x80)
                    return refuse(QStringLiteral("a backslash followed by %1 is no escape; write a backslash as \\\\")
                                      .arg(named(c)));
                joining = isBlankOrBreak(c);
            } else if (c == U'\\') {
                escaped = true;
            } else if (c == U'"' && quotesAt(text, i, '"') >= 3) {
                // Up to two quotes more belong to the string's text.
                step = std::min<std::size_t>(quotesAt(text, i, '"'), 5);
                in = In::Text;
            }
            break;
        case In::MultiLiteral:
            if (c == U'\'' && quotesAt(text, i, '\'') >= 3) {
                step = std::min<std::size_t>(quotesAt(text, i, '\''), 5);
                in = In::Text;
            }
            break;
        }
        // Columns count characters, as the parser counts them; a run of quotes is ASCII.
        if (c == U'\n')
            ++line, column = 1;
        else
            column += step == length ? 1 : int(step);
        i += step;
    }
    return std::nullopt;
}
