// The identification report: what jumper positions read from text stand for, line by line.
#include "jumperblocks.h"
#include "jumperreading.h"
#include "jumperwords.h"
#include "powersdramtables.h"
#include "selectorcatalogue.h"

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
