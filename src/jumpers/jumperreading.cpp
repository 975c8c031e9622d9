// Reading jumper positions from text (the board's sentence and the short form), and the report of
// what they stand for.
#include "jumperreading.h"

#include "jumperblocks.h"
#include "jumperwords.h"
#include "powersdramtables.h"
#include "selectorcatalogue.h"

#include "boardrows/showntext.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

/// The slot a three-pin block's position goes to in a reading, or null for another name.
std::optional<Position> *threePinSlot(JumperReading &reading, const QString &name)
{
    const auto blocks = cpuBlocks();
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        if (name.compare(QLatin1String(blocks[b].name), Qt::CaseInsensitive) == 0)
            return b < 3 ? &reading.cpu.busClock[b] : &reading.cpu.multiplier[b - 3];
    }
    if (name.compare(QLatin1String(jp11().name), Qt::CaseInsensitive) == 0)
        return &reading.power;
    if (name.compare(QLatin1String(jp10().name), Qt::CaseInsensitive) == 0)
        return &reading.sdram;
    return nullptr;
}

std::optional<Position> positionOf(const QString &token)
{
    for (Position p : {Position::OneTwo, Position::TwoThree}) {
        if (token == positionText(p))
            return p;
    }
    return std::nullopt;
}

std::optional<Contact> contactOf(const QString &token)
{
    for (Contact c : {Contact::Open, Contact::Closed}) {
        if (token.compare(contactText(c), Qt::CaseInsensitive) == 0)
            return c;
    }
    return std::nullopt;
}

/// The index of a JP3 position letter, A to D in any case; -1 for anything else.
int letterIndex(QChar letter)
{
    const auto jp3 = jp3Positions();
    for (std::size_t i = 0; i < jp3.size(); ++i) {
        if (QString(letter).compare(QLatin1String(jp3[i].letter), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

bool isLetters(const QString &token)
{
    return !token.isEmpty() && std::all_of(token.begin(), token.end(), [](QChar c) { return letterIndex(c) >= 0; });
}

/// Walks the tokens of a text block by block, filling a reading.
class ReadingParser
{
public:
    explicit ReadingParser(const QString &text)
        : m_tokens(text.split(QRegularExpression(QStringLiteral("[\\s,=]+")), Qt::SkipEmptyParts))
    {
    }

    ParsedReading parse()
    {
        if (m_tokens.isEmpty())
            return {std::nullopt, QStringLiteral("the text names no jumper block")};
        QString error;
        while (error.isEmpty() && m_at < m_tokens.size())
            error = block();
        if (!error.isEmpty())
            return {std::nullopt, error};
        return {m_reading, {}};
    }

private:
    bool atEnd() const { return m_at >= m_tokens.size(); }
    QString next() const { return atEnd() ? QString() : m_tokens[m_at]; }
    QString after() const { return m_at + 1 < m_tokens.size() ? m_tokens[m_at + 1] : QString(); }

    /// Whether the tokens from i read "not set": the board's sentence for pins that show no
    /// position, which gives the block no position here either.
    bool notSetAt(qsizetype i) const
    {
        return i + 1 < m_tokens.size() && m_tokens[i].compare(QLatin1String("not"), Qt::CaseInsensitive) == 0
            && m_tokens[i + 1].compare(QLatin1String("set"), Qt::CaseInsensitive) == 0;
    }

    /// Whether the next tokens are a JP3 letter with its position: open, closed or not set.
    bool letterWithContact() const
    {
        return next().size() == 1 && isLetters(next()) && (contactOf(after()) || notSetAt(m_at + 1));
    }

    /// One block name and its positions.
    QString block()
    {
        const QString name = m_tokens[m_at++].toUpper();
        if (m_seen.contains(name))
            return QStringLiteral("%1 is given twice").arg(shownText(name));
        m_seen << name;
        if (name == QLatin1String("JP3"))
            return jp3();
        std::optional<Position> *slot = threePinSlot(m_reading, name);
        if (!slot)
            return QStringLiteral("\"%1\" is not one of the blocks JP3 to JP11").arg(shownText(m_tokens[m_at - 1]));
        if (notSetAt(m_at)) {
            m_at += 2;
            return {};
        }
        const auto position = positionOf(next());
        if (!position) {
            return atEnd() ? QStringLiteral("%1 needs a position, 1-2 or 2-3").arg(name)
                           : QStringLiteral("%1 takes 1-2 or 2-3, not \"%2\"").arg(name, shownText(next()));
        }
        *slot = position;
        ++m_at;
        return {};
    }

    /// JP3's positions: letters with open or closed, the closed letters alone, or "none".
    QString jp3()
    {
        if (next().compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) {
            ++m_at;
            m_reading.cpu.voltage.fill(Contact::Open);
            return {};
        }
        if (letterWithContact())
            return jp3Contacts();
        if (isLetters(next()))
            return jp3Closed();
        return atEnd() ? QStringLiteral("JP3 needs its positions: A to D open or closed, the closed ones, or none")
                       : QStringLiteral("JP3 takes A to D open or closed, the closed ones, or none, not \"%1\"")
                             .arg(shownText(next()));
    }

    /// The long form: "A open B closed C open D open", any positions, each once.
    QString jp3Contacts()
    {
        auto &voltage = m_reading.cpu.voltage;
        std::array<bool, 4> seen{};
        while (letterWithContact()) {
            const auto i = static_cast<std::size_t>(letterIndex(next().front()));
            if (seen[i])
                return QStringLiteral("JP3 %1 is given twice").arg(next().toUpper());
            seen[i] = true;
            voltage[i] = contactOf(after());
            m_at += voltage[i] ? 2 : 3; // "not set" is two words
        }
        if (next().size() == 1 && isLetters(next()))
            return QStringLiteral("JP3 %1 needs open or closed").arg(next().toUpper());
        return {};
    }

    /// The short form: the closed positions, "B", "ACD" or "A C D"; the others are open.
    QString jp3Closed()
    {
        auto &voltage = m_reading.cpu.voltage;
        for (; isLetters(next()); ++m_at) {
            for (QChar letter : next()) {
                const auto i = static_cast<std::size_t>(letterIndex(letter));
                if (voltage[i])
                    return QStringLiteral("JP3 %1 is given twice").arg(letter.toUpper());
                voltage[i] = Contact::Closed;
            }
        }
        for (auto &contact : voltage)
            contact = contact.value_or(Contact::Open);
        return {};
    }

    QStringList m_tokens;
    qsizetype m_at = 0;
    QStringList m_seen;
    JumperReading m_reading;
};

} // namespace

ParsedReading parseJumperReading(const QString &text)
{
    return ReadingParser(text).parse();
}

// The identification report: what jumper positions read from text stand for, line by line.
namespace {

/// The names of a group's blocks: JP7 to JP9 (first 0) or JP4 to JP6 (first 3), or JP3 A to D.
QStringList groupNames(std::size_t first)
{
    QStringList names;
    for (std::size_t b = first; b < first + 3; ++b)
        names << QString::fromLatin1(cpuBlocks()[b].name);
    return names;
}

QStringList jp3Names()
{
    QStringList names;
    for (const Jp3Position &p : jp3Positions())
        names << QStringLiteral("JP3 ") + QString::fromLatin1(p.letter);
    return names;
}

QString blockValueText(Position p)
{
    return positionText(p);
}

QString blockValueText(Contact c)
{
    return contactText(c);
}

/// Parts joined by commas, each without a block name the part before already names: "JP7 2-3,
/// JP8 2-3", "JP3 A closed, B closed", "JP3 C, D".
QString joinedParts(const QStringList &parts)
{
    QString out;
    QString previousBlock;
    for (const QString &part : parts) {
        const QString block = part.section(u' ', 0, 0);
        if (!out.isEmpty())
            out += QStringLiteral(", ");
        out += block == previousBlock ? part.section(u' ', 1) : part;
        previousBlock = block;
    }
    return out;
}

/// What one group of blocks stands for, as the report gives it: the meaning's text, "not
/// given" (naming the blocks left out when only some are), or its positions named as undocumented.
template<typename T, std::size_t N, typename Meaning>
QString groupValue(const std::array<std::optional<T>, N> &blocks, const QStringList &names, const char *kind,
                   Meaning meaning, bool *documented)
{
    QStringList missing;
    QStringList given;
    for (std::size_t i = 0; i < N; ++i) {
        const QString &name = names[static_cast<qsizetype>(i)];
        if (blocks[i])
            given << name + u' ' + blockValueText(*blocks[i]);
        else
            missing << name;
    }
    if (missing.size() == static_cast<qsizetype>(N))
        return QStringLiteral("not given");
    if (!missing.isEmpty())
        return QStringLiteral("not given (%1 left out)").arg(joinedParts(missing));
    if (const auto text = meaning(*allRead(blocks)))
        return *text;
    *documented = false;
    return joinedParts(given) + QStringLiteral(": not a documented %1 setting").arg(QLatin1String(kind));
}

/// The text of the list entry whose case sets the block to this position, without its blanks.
QString boardChoiceText(const BoardJumper &jumper, Position position)
{
    if (const auto entry = entryGiving(jumper, position))
        return QString::fromLatin1(jumper.selector.entries[static_cast<std::size_t>(*entry)].text).trimmed();
    return QStringLiteral("no entry sets %1 to %2").arg(QLatin1String(jumper.block.name), positionText(position));
}

/// The lines of the report, the value of each standing after its label.
class Report
{
public:
    void add(const QString &label, const QString &value)
    {
        m_text += (label + u':').leftJustified(LabelWidth) + value + u'\n';
    }
    void addMore(const QString &value) { m_text += QString(LabelWidth, u' ') + value + u'\n'; }
    QString text() const { return m_text; }

private:
    static constexpr int LabelWidth = 14;
    QString m_text;
};

/// The report lines of the CPU's three groups; false when a group given in full is undocumented.
bool reportCpuBlocks(Report &report, const CpuBlockReading &cpu)
{
    bool documented = true;
    const auto bus = allRead(cpu.busClock) ? busClockOf(*allRead(cpu.busClock)) : std::nullopt;
    const auto multiplier = allRead(cpu.multiplier) ? multiplierOf(*allRead(cpu.multiplier)) : std::nullopt;
    const auto busClockValue = [](const std::array<Position, 3> &p) -> std::optional<QString> {
        if (const auto s = busClockOf(p))
            return busClockText(s->megahertz);
        return std::nullopt;
    };
    const auto multiplierValue = [](const std::array<Position, 3> &p) -> std::optional<QString> {
        if (const auto s = multiplierOf(p))
            return multiplierText(s->tenths);
        return std::nullopt;
    };
    const auto voltageValue = [](const std::array<Contact, 4> &c) -> std::optional<QString> {
        if (const auto s = voltageOf(c))
            return voltageText(s->centivolts);
        return std::nullopt;
    };
    report.add(QStringLiteral("Bus clock"),
               groupValue(cpu.busClock, groupNames(0), "bus clock", busClockValue, &documented));
    report.add(QStringLiteral("Multiplier"),
               groupValue(cpu.multiplier, groupNames(3), "multiplier", multiplierValue, &documented));
    report.add(QStringLiteral("CPU clock"),
               bus && multiplier ? cpuClockText(bus->megahertz, multiplier->tenths, matchingCpuEntries(cpu))
                                 : QStringLiteral("not known"));
    report.add(QStringLiteral("Core voltage"),
               groupValue(cpu.voltage, jp3Names(), "voltage", voltageValue, &documented));
    return documented;
}

void reportCpuEntries(Report &report, const CpuBlockReading &cpu)
{
    const QList<int> entries = matchingCpuEntries(cpu);
    if (entries.isEmpty()) {
        const bool all = allRead(cpu.busClock) && allRead(cpu.multiplier) && allRead(cpu.voltage);
        report.add(QStringLiteral("CPU entries"),
                   all ? QStringLiteral("none in the list") : QStringLiteral("not known (not every CPU block given)"));
        return;
    }
    const auto texts = cpuSelector().entries;
    for (int position : entries) {
        const QString entry = QStringLiteral("%1 \"%2\"")
                                  .arg(position)
                                  .arg(QString::fromLatin1(texts[static_cast<std::size_t>(position)].text));
        if (position == entries.front())
            report.add(QStringLiteral("CPU entries"), entry);
        else
            report.addMore(entry);
    }
}

} // namespace

Identification identifyJumpers(const JumperReading &reading)
{
    Report report;
    const bool documented = reportCpuBlocks(report, reading.cpu);
    report.add(QStringLiteral("Power supply"),
               reading.power ? boardChoiceText(powerJumper(), *reading.power) : QStringLiteral("not given"));
    report.add(QStringLiteral("SDRAM clock"),
               reading.sdram ? boardChoiceText(sdramJumper(), *reading.sdram) : QStringLiteral("not given"));
    reportCpuEntries(report, reading.cpu);
    return {report.text(), documented};
}
