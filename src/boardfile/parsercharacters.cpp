// A scan of a description's characters by where they stand: between keys and values, in a bare
// value, in a comment, or in one of the four kinds of strings, as TOML tells them apart.
#include "parsercharacters.h"

#include "boardrows/showntext.h"

#include <vector>

namespace {

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

/// The scan's state: where the character at hand stands. Only the parser's questions matter
/// here, not whether the text is valid TOML: the parser reports that itself.
class CharacterScan
{
public:
    explicit CharacterScan(std::string_view text)
        : m_text(text)
    {
    }

    std::optional<BoardProblem> run();

private:
    enum class In { Text, BareValue, Comment, Basic, Literal, MultiBasic, MultiLiteral };

    /// Each returns a problem for a character the parser would mishandle, and may set m_step.
    std::optional<QString> text(char32_t c);
    std::optional<QString> bareValue(char32_t c);
    std::optional<QString> multiBasic(char32_t c);
    void openString(char32_t quote);
    void closeBracket(char32_t c);

    std::string_view m_text;
    std::size_t m_at = 0;
    std::size_t m_step = 1;
    In m_in = In::Text;
    bool m_expectValue = false;  // after "=", or after "[" or "," in an array
    std::vector<char> m_nesting; // the arrays ('[') and inline tables ('{') a value is in
    bool m_escaped = false;      // in a basic string, after a backslash
    bool m_joining = false;      // after a line-ending backslash: blanks and line breaks are skipped
};

void CharacterScan::openString(char32_t quote)
{
    const bool multi = quotesAt(m_text, m_at, char(quote)) >= 3;
    m_in = quote == U'"' ? (multi ? In::MultiBasic : In::Basic) : (multi ? In::MultiLiteral : In::Literal);
    m_step = multi ? 3 : 1;
    m_expectValue = false;
}

void CharacterScan::closeBracket(char32_t c)
{
    if (!m_nesting.empty() && m_nesting.back() == (c == U']' ? '[' : '{'))
        m_nesting.pop_back();
    m_expectValue = false;
}

std::optional<QString> CharacterScan::text(char32_t c)
{
    // TOML allows only ASCII between keys and values; the parser asks of each there whether it
    // is a blank.
    if (c >= 0x80)
        return QStringLiteral("the character %1 may stand only in a quoted string or a comment").arg(named(c));
    if (c == U'#') {
        m_in = In::Comment;
    } else if (c == U'"' || c == U'\'') {
        openString(c);
    } else if (c == U']' || c == U'}') {
        closeBracket(c);
    } else if (isBlankOrBreak(c)) {
        return std::nullopt;
    } else if (m_expectValue && c == U'[') {
        m_nesting.push_back('[');
    } else if (m_expectValue && c == U'{') {
        m_nesting.push_back('{');
        m_expectValue = false;
    } else if (m_expectValue) {
        // A number, date, boolean or anything else unquoted: the parser reads ahead through it,
        // quotes included, to the next blank, bracket, comma or comment.
        m_in = In::BareValue;
        m_expectValue = false;
    } else if (c == U'=') {
        m_expectValue = true;
    } else if (c == U',') {
        m_expectValue = !m_nesting.empty() && m_nesting.back() == '[';
    }
    return std::nullopt;
}

std::optional<QString> CharacterScan::bareValue(char32_t c)
{
    if (c >= 0x80)
        return QStringLiteral("an unquoted value may not hold the character %1; quote the value as a string")
            .arg(named(c));
    if (isBlankOrBreak(c) || c == U',' || c == U']' || c == U'}' || c == U'#') {
        m_in = In::Text;
        return text(c);
    }
    return std::nullopt;
}

std::optional<QString> CharacterScan::multiBasic(char32_t c)
{
    if (m_joining && isBlankOrBreak(c))
        return std::nullopt;
    if (m_joining && c >= 0x80)
        return QStringLiteral("a line joined by a line-ending backslash may not start with %1; write it as an "
                              "escape, \\u%2")
            .arg(named(c), hex(c));
    m_joining = false;
    if (m_escaped) {
        m_escaped = false;
        if (c >= 0x80)
            return QStringLiteral("a backslash followed by %1 is no escape; write a backslash as \\\\").arg(named(c));
        m_joining = isBlankOrBreak(c);
    } else if (c == U'\\') {
        m_escaped = true;
    } else if (c == U'"' && quotesAt(m_text, m_at, '"') >= 3) {
        // Up to two quotes more belong to the string's text.
        m_step = std::min<std::size_t>(quotesAt(m_text, m_at, '"'), 5);
        m_in = In::Text;
    }
    return std::nullopt;
}

std::optional<BoardProblem> CharacterScan::run()
{
    int line = 1;
    int column = 1;
    // A byte-order mark at the start is the parser's to skip.
    m_at = m_text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (m_at < m_text.size()) {
        const auto [c, length] = decode(m_text, m_at);
        // Not UTF-8: the parser stops there with its own message, before reading further.
        if (length == 0)
            return std::nullopt;
        m_step = length;
        std::optional<QString> problem;
        switch (m_in) {
        case In::Text:
            problem = text(c);
            break;
        case In::BareValue:
            problem = bareValue(c);
            break;
        case In::Comment:
            if (c == U'\n')
                m_in = In::Text;
            break;
        case In::Basic:
            if (m_escaped)
                m_escaped = false;
            else if (c == U'\\')
                m_escaped = true;
            else if (c == U'"' || c == U'\n')
                m_in = In::Text;
            break;
        case In::Literal:
            if (c == U'\'' || c == U'\n')
                m_in = In::Text;
            break;
        case In::MultiBasic:
            problem = multiBasic(c);
            break;
        case In::MultiLiteral:
            if (c == U'\'' && quotesAt(m_text, m_at, '\'') >= 3) {
                m_step = std::min<std::size_t>(quotesAt(m_text, m_at, '\''), 5);
                m_in = In::Text;
            }
            break;
        }
        if (problem)
            return BoardProblem{line, column, QStringLiteral("not valid TOML: ") + *problem};
        // Columns count characters, as the parser counts them; a run of quotes is ASCII.
        if (c == U'\n')
            ++line, column = 1;
        else
            column += m_step == length ? 1 : int(m_step);
        m_at += m_step;
    }
    return std::nullopt;
}

} // namespace

std::optional<BoardProblem> findMishandledCharacter(std::string_view text)
{
    return CharacterScan(text).run();
}
