// The values of the options that pick entries and files (--export, --format, --cpu, --power,
// --sdram, --page-size and --identify): how each is read and what it does to the invocation.
#include "optionvalues.h"

#include "boardrows/showntext.h"
#include "jumpers/selectorcatalogue.h"

namespace {

constexpr int MaxCandidatesShown = 10;

/// "a, b or c".
QString alternatives(const QStringList &words)
{
    if (words.size() < 2)
        return words.join(QString());
    return words.mid(0, words.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") + words.last();
}

/// Why a --cpu text names no single entry: none contains it, or several do (shown one a line).
QString cpuMismatch(const QString &value, const QList<int> &matches)
{
    if (matches.isEmpty())
        return QStringLiteral("--cpu \"%1\": no CPU entry contains it (see velmor --list)").arg(shownText(value));
    QString error = QStringLiteral("--cpu \"%1\" is ambiguous; %2 CPU entries contain it:")
                        .arg(shownText(value))
                        .arg(matches.size());
    for (int i : matches.mid(0, MaxCandidatesShown))
        error +=
            QStringLiteral("\n  %1 \"%2\"").arg(i).arg(QString::fromLatin1(cpuSelector().entries[std::size_t(i)].text));
    if (matches.size() > MaxCandidatesShown)
        error += QStringLiteral("\n  and %1 more (see velmor --list)").arg(matches.size() - MaxCandidatesShown);
    return error;
}

/// The position of the CPU entry a --cpu value names: a list position, or a case-insensitive
/// part of one entry's text (an entry whose whole text matches wins over partial matches).
std::optional<int> findCpu(const QString &value, QString *error)
{
    const auto entries = cpuSelector().entries;
    bool isNumber = false;
    const int position = value.toInt(&isNumber);
    if (isNumber) {
        if (position >= 0 && position < static_cast<int>(entries.size()))
            return position;
        *error = QStringLiteral("--cpu %1: there is no list position %1 (0 to %2)").arg(value).arg(entries.size() - 1);
        return std::nullopt;
    }
    QList<int> matches;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const QString text = QString::fromLatin1(entries[static_cast<std::size_t>(i)].text);
        if (text.trimmed().compare(value.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
        if (text.contains(value, Qt::CaseInsensitive))
            matches << i;
    }
    if (matches.size() == 1)
        return matches.front();
    *error = cpuMismatch(value, matches);
    return std::nullopt;
}

/// The position of the entry named by one of the given choices (case-insensitive).
std::optional<int> findChoice(const QString &option, const QString &value, const QStringList &choices, QString *error)
{
    for (int i = 0; i < choices.size(); ++i) {
        if (value.compare(choices[i], Qt::CaseInsensitive) == 0)
            return i;
    }
    *error = QStringLiteral("%1 %2: choose %3").arg(option, shownText(value), alternatives(choices));
    return std::nullopt;
}

QStringList formatWords()
{
    return {QStringLiteral("text"), QStringLiteral("markdown"), QStringLiteral("csv")};
}

/// The standard page size a --page-size value names by its short name ("a4", "letter", "legal";
/// any case).
std::optional<QPageSize> findPageSize(const QString &value, QString *error)
{
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto pageSize = static_cast<QPageSize::PageSizeId>(id);
        if (pageSize != QPageSize::Custom && QPageSize::key(pageSize).compare(value, Qt::CaseInsensitive) == 0)
            return QPageSize(pageSize);
    }
    *error = QStringLiteral("--page-size %1: not a page size (a4, letter, legal, a3, a5, ...)").arg(shownText(value));
    return std::nullopt;
}

} // namespace

// What each option's value does to the invocation; an empty string, or why the value is wrong.
QString applyExport(Invocation &inv, const QByteArray &value)
{
    inv.exportRequest.path = value;
    return {};
}

QString applyFormat(Invocation &inv, const QByteArray &value)
{
    static constexpr GuideFormat Formats[] = {GuideFormat::Text, GuideFormat::Markdown, GuideFormat::Csv};
    QString error;
    if (const auto f = findChoice(QStringLiteral("--format"), QString::fromLocal8Bit(value), formatWords(), &error))
        inv.format = Formats[*f];
    return error;
}

QString applyCpu(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.exportRequest.cpuPosition = findCpu(QString::fromLocal8Bit(value), &error).value_or(-1);
    return error;
}

QString applyPower(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.exportRequest.powerPosition =
        findChoice(QStringLiteral("--power"), QString::fromLocal8Bit(value), entryWords(powerSelector()), &error)
            .value_or(-1);
    return error;
}

QString applySdram(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.exportRequest.sdramPosition =
        findChoice(QStringLiteral("--sdram"), QString::fromLocal8Bit(value), entryWords(sdramSelector()), &error)
            .value_or(-1);
    return error;
}

QString applyPageSize(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.exportRequest.pageSize = findPageSize(QString::fromLocal8Bit(value), &error);
    return error;
}

QString applyIdentify(Invocation &inv, const QByteArray &value)
{
    const ParsedReading parsed = parseJumperReading(QString::fromLocal8Bit(value));
    if (!parsed.reading)
        return QStringLiteral("--identify: %1").arg(parsed.error);
    inv.reading = *parsed.reading;
    return {};
}

QString applyPanel(Invocation &inv, const QByteArray &)
{
    inv.openPanel = true;
    return {};
}

QString applyCheckBoard(Invocation &inv, const QByteArray &value)
{
    inv.boardFile = value;
    return {};
}
