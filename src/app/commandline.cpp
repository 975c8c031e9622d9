// Parsing the command line, and the headless export of the window's image or the guide page.
#include "commandline.h"

#include "htmlexport.h"
#include "mainwindow.h"
#include "outputfile.h"
#include "printing.h"

#include "jumpers/meaningsetting.h"
#include "jumpers/selectorcatalogue.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>

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
        return QStringLiteral("--cpu \"%1\": no CPU entry contains it (see velmor --list)").arg(value);
    QString error = QStringLiteral("--cpu \"%1\" is ambiguous; %2 CPU entries contain it:").arg(value).arg(matches.size());
    for (int i : matches.mid(0, MaxCandidatesShown))
        error += QStringLiteral("\n  %1 \"%2\"").arg(i).arg(QString::fromLatin1(cpuSelector().entries[std::size_t(i)].text));
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
    *error = QStringLiteral("%1 %2: choose %3").arg(option, value, alternatives(choices));
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
    *error = QStringLiteral("--page-size %1: not a page size (a4, letter, legal, a3, a5, ...)").arg(value);
    return std::nullopt;
}

bool hasSuffix(const QByteArray &path, const char *suffix)
{
    return path.toLower().endsWith(suffix);
}

bool isPdf(const QByteArray &path)
{
    return hasSuffix(path, ".pdf");
}

bool isPng(const QByteArray &path)
{
    return hasSuffix(path, ".png");
}

bool isHtml(const QByteArray &path)
{
    return hasSuffix(path, ".html");
}

/// A decimal with an optional unit after it, in any case and with or without a blank ("100",
/// "100MHz", "100 mhz"; "3", "3.0x"), counted in steps of 10^-decimals: "3.5" with one decimal
/// is 35. None for anything else, or for digits finer than the steps ("3.25" in tenths), as no
/// documented value has them; trailing zeros do not count.
std::optional<int> scaledValue(const QString &value, const QString &unit, int decimals)
{
    QString number = value.trimmed();
    if (number.endsWith(unit, Qt::CaseInsensitive))
        number = number.chopped(unit.size()).trimmed();
    static const QRegularExpression decimal(QStringLiteral("^(\\d{1,4})(?:\\.(\\d*))?$"));
    const auto m = decimal.match(number);
    if (!m.hasMatch())
        return std::nullopt;
    QString fraction = m.captured(2);
    while (fraction.size() > decimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (fraction.size() > decimals)
        return std::nullopt;
    int scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return m.captured(1).toInt() * scale + fraction.leftJustified(decimals, u'0').toInt();
}

/// How a meaning option reads and names its values.
struct MeaningUnit {
    const char *suffix;
    int decimals;
    const char *name;
    QString (*text)(int value);
};

/// The documented setting an option's value names, or none with the documented values listed.
template<typename Setting>
std::optional<Setting> findMeaning(const QString &option, const QString &value, std::span<const Setting> table,
                                   int Setting::*field, const MeaningUnit &unit, QString *error)
{
    const auto scaled = scaledValue(value, QLatin1String(unit.suffix), unit.decimals);
    QStringList choices;
    for (const Setting &setting : table) {
        if (scaled == setting.*field)
            return setting;
        choices << unit.text(setting.*field);
    }
    const QString last = choices.takeLast();
    *error = QStringLiteral("%1 %2: not a documented %3; choose %4 or %5")
                 .arg(option, value, QLatin1String(unit.name), choices.join(QStringLiteral(", ")), last);
    return std::nullopt;
}

/// The documented values of the meaning options, read from their tables.
QString meaningValuesText()
{
    QStringList clocks, multipliers, voltages;
    for (const BusClockSetting &setting : busClockSettings())
        clocks << QString::number(setting.megahertz);
    for (const MultiplierSetting &setting : multiplierSettings())
        multipliers << multiplierText(setting.tenths).chopped(1);
    for (const VoltageSetting &setting : voltageSettings())
        voltages << voltageText(setting.centivolts).chopped(2);
    return QStringLiteral("MHZ is %1; X is %2; V is %3: the documented settings only\n")
        .arg(clocks.join(u'|'), multipliers.join(u'|'), voltages.join(u'|'));
}

/// Checks that the meaning options come all three together and not with a CPU entry.
QString checkMeanings(const Invocation &inv, const QStringList &given)
{
    QStringList missing;
    for (const char *option : {"--bus", "--multiplier", "--voltage"}) {
        if (!given.contains(QLatin1String(option)))
            missing << QLatin1String(option);
    }
    if (missing.size() == 3)
        return {};
    if (!missing.isEmpty())
        return QStringLiteral("--bus, --multiplier and --voltage go together; %1 %2 missing")
            .arg(missing.join(QStringLiteral(" and ")), QLatin1String(missing.size() == 1 ? "is" : "are"));
    if (inv.cpuPosition >= 0)
        return QStringLiteral("--cpu cannot be combined with --bus, --multiplier and --voltage");
    return {};
}

// What each option's value does to the invocation; an empty string, or why the value is wrong.
QString applyExport(Invocation &inv, const QByteArray &value)
{
    inv.exportPath = value;
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
    inv.cpuPosition = findCpu(QString::fromLocal8Bit(value), &error).value_or(-1);
    return error;
}

QString applyPower(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.powerPosition = findChoice(QStringLiteral("--power"), QString::fromLocal8Bit(value), powerWords(), &error).value_or(-1);
    return error;
}

QString applySdram(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.sdramPosition = findChoice(QStringLiteral("--sdram"), QString::fromLocal8Bit(value), sdramWords(), &error).value_or(-1);
    return error;
}

QString applyBus(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.busClock = findMeaning(QStringLiteral("--bus"), QString::fromLocal8Bit(value), busClockSettings(),
                               &BusClockSetting::megahertz, {"MHz", 0, "bus clock", busClockText}, &error);
    return error;
}

QString applyMultiplier(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.multiplier = findMeaning(QStringLiteral("--multiplier"), QString::fromLocal8Bit(value), multiplierSettings(),
                                 &MultiplierSetting::tenths, {"x", 1, "multiplier", multiplierText}, &error);
    return error;
}

QString applyVoltage(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.voltage = findMeaning(QStringLiteral("--voltage"), QString::fromLocal8Bit(value), voltageSettings(),
                              &VoltageSetting::centivolts, {"V", 2, "core voltage", voltageText}, &error);
    return error;
}

QString applyPageSize(Invocation &inv, const QByteArray &value)
{
    QString error;
    inv.pageSize = findPageSize(QString::fromLocal8Bit(value), &error);
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

/// An option: the mode it picks, or (picksMode false) the one mode it is used with.
struct Option {
    const char *name;
    const char *argument; ///< its value as --help shows it; nullptr: the option takes none
    const char *needs;    ///< what its value is, for "--x needs ..."
    Invocation::Mode mode;
    bool picksMode;
    QString (*apply)(Invocation &, const QByteArray &value);
    const char *help;
};

using Mode = Invocation::Mode;
// In the order --help lists them. Each row: name, its value as --help shows it, what the value
// is, the mode, whether it picks that mode, what its value does; then its line in --help.
// clang-format off
constexpr Option Options[] = {
    {"--list",       nullptr,           nullptr,                                           Mode::List,     true,  nullptr,
     "print every choice and its jumper positions as a table"},
    {"--format",     "FORMAT",          "a format: text, markdown or csv",                 Mode::List,     false, applyFormat,
     "the table's format: text (default), markdown or csv"},
    {"--export",     "FILE",            "a file name ending in .png, .pdf or .html",       Mode::Export,   true,  applyExport,
     "write the window to FILE: .png, .pdf or .html"},
    {"--cpu",        "N|TEXT",          "a list position or a part of an entry's text",    Mode::Export,   false, applyCpu,
     "the CPU to export: list position or part of its text"},
    {"--power",      "at|atx",          "at or atx",                                       Mode::Export,   false, applyPower,
     "the power supply to export (default: at)"},
    {"--sdram",      "pc100|non-pc100", "pc100 or non-pc100",                              Mode::Export,   false, applySdram,
     "the SDRAM clock to export (default: pc100)"},
    {"--bus",        "MHZ",             "a bus clock in MHz",                              Mode::Export,   false, applyBus,
     "the bus clock to export, with --multiplier and --voltage"},
    {"--multiplier", "X",               "a multiplier",                                    Mode::Export,   false, applyMultiplier,
     "the multiplier to export, with --bus and --voltage"},
    {"--voltage",    "V",               "a core voltage in volts",                         Mode::Export,   false, applyVoltage,
     "the core voltage to export, with --bus and --multiplier"},
    {"--page-size",  "SIZE",            "a page size: a4, letter, legal, a3, a5, ...",     Mode::Export,   false, applyPageSize,
     "the paper of a PDF export (default: the locale's)"},
    {"--identify",   "TEXT",            "jumper positions, as in \"JP7=1-2 JP8=1-2 ...\"", Mode::Identify, true,  applyIdentify,
     "say what the jumper positions in TEXT stand for"},
    {"--help",       nullptr,           nullptr,                                           Mode::Help,     true,  nullptr,
     "print this help and exit (also -h)"},
    {"--version",    nullptr,           nullptr,                                           Mode::Version,  true,  nullptr,
     "print the program's version and exit"},
};
// clang-format on

const Option *findOption(const QString &name)
{
    const QString canonical = name == QLatin1String("-h") ? QStringLiteral("--help") : name;
    for (const Option &option : Options) {
        if (canonical == QLatin1String(option.name))
            return &option;
    }
    return nullptr;
}

/// The option that picks mode (--list for the table, ...).
const char *optionPicking(Invocation::Mode mode)
{
    for (const Option &option : Options) {
        if (option.picksMode && option.mode == mode)
            return option.name;
    }
    return "";
}

/// Checks that the options given belong to the mode chosen.
QString checkCombination(const Invocation &inv, const QList<const Option *> &given)
{
    QStringList names;
    for (const Option *option : given) {
        if (!option->picksMode && option->mode != inv.mode)
            return QStringLiteral("%1 is only used with %2").arg(QLatin1String(option->name), QLatin1String(optionPicking(option->mode)));
        names << QLatin1String(option->name);
    }
    if (const QString problem = checkMeanings(inv, names); !problem.isEmpty())
        return problem;
    if (inv.mode == Invocation::Mode::Export && !isPdf(inv.exportPath) && !isPng(inv.exportPath) && !isHtml(inv.exportPath))
        return QStringLiteral("--export %1: the file name must end in .png, .pdf or .html").arg(QFile::decodeName(inv.exportPath));
    if (inv.pageSize && !isPdf(inv.exportPath))
        return QStringLiteral("--page-size is only used with a PDF export");
    return {};
}

/// The value of the option at arguments[*i] (after "=", or the next argument, which it then
/// consumes), or why there is none: missing, empty, or the next argument is an option.
std::optional<QByteArray> optionValue(const Option &option, const QByteArrayList &arguments, qsizetype *i, QString *error)
{
    const QByteArray &arg = arguments[*i];
    const QString needs = QStringLiteral("%1 needs %2").arg(QLatin1String(option.name), QLatin1String(option.needs));
    QByteArray value;
    if (arg.contains('=')) {
        value = arg.mid(arg.indexOf('=') + 1);
    } else if (*i + 1 >= arguments.size()) {
        *error = needs;
        return std::nullopt;
    } else if (arguments[*i + 1].startsWith("--")) {
        *error = QStringLiteral("%1, but %2 follows it").arg(needs, QString::fromLocal8Bit(arguments[*i + 1]));
        return std::nullopt;
    } else {
        value = arguments[++*i];
    }
    if (QString::fromLocal8Bit(value).trimmed().isEmpty()) {
        *error = needs + QStringLiteral(", but it is empty");
        return std::nullopt;
    }
    return value;
}

/// The window's image as PNG bytes.
std::optional<QByteArray> pngImage(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return buffer.data();
}

/// The page Print makes of the window, as PDF bytes on paper of pageSize: made in memory, with
/// the margins and resolution the printer of Print would have, and drawn on it as Print draws it.
std::optional<QByteArray> pdfPage(MainWindow &window, const QPageSize &pageSize)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    setPage(printer, pageSize);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(printer.pageLayout());
    writer.setResolution(printer.resolution());
    QPainter painter;
    if (!painter.begin(&writer))
        return std::nullopt;
    paintPage(painter, window, writer.resolution());
    if (!painter.end())
        return std::nullopt;
    return buffer.data();
}

} // namespace

QStringList powerWords()
{
    return {QStringLiteral("at"), QStringLiteral("atx")};
}

QStringList sdramWords()
{
    return {QStringLiteral("pc100"), QStringLiteral("non-pc100")};
}

QString usageText()
{
    return QStringLiteral(
        "usage: velmor                      open the guide window\n"
        "       velmor --list [--format text|markdown|csv]\n"
        "       velmor --export FILE.png|FILE.pdf|FILE.html [--cpu N|TEXT] [--power at|atx] [--sdram pc100|non-pc100]\n"
        "       velmor --export FILE.png|FILE.pdf|FILE.html --bus MHZ --multiplier X --voltage V [--power ...] [--sdram ...]\n"
        "       velmor --export FILE.pdf ... [--page-size a4|letter|legal|...]\n"
        "       velmor --identify TEXT       what jumper positions stand for\n"
        "       velmor --help | --version\n")
        + meaningValuesText()
        + QStringLiteral(
            "TEXT gives blocks and positions, \"JP7=1-2 JP8=1-2 JP9=1-2 JP4=1-2 JP5=2-3 JP6=1-2 JP3=B JP11=1-2 JP10=2-3\"\n"
            "(JP3 names its closed positions, or none), or is the sentence the board reads to a screen reader.\n"
            "examples: velmor --export k6-300.png --bus 66 --multiplier 4.5 --voltage 2.2\n"
            "          velmor --identify \"JP7=1-2 JP8=1-2 JP9=1-2 JP4=1-2 JP5=2-3 JP6=1-2 JP3=B\"\n");
}

QString helpText()
{
    QString text = usageText() + QStringLiteral("\nOptions:\n");
    for (const Option &option : Options) {
        const QString call = option.argument ? QStringLiteral("%1 %2").arg(QLatin1String(option.name), QLatin1String(option.argument))
                                             : QLatin1String(option.name);
        text += QStringLiteral("  %1  %2\n").arg(call, -23).arg(QLatin1String(option.help));
    }
    return text + QStringLiteral("\nThe manual page tells more: man velmor\n");
}

ParsedArguments parseArguments(const QByteArrayList &arguments)
{
    Invocation inv;
    QList<const Option *> given;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString arg = QString::fromLocal8Bit(arguments[i]);
        const Option *option = findOption(arg.section(u'=', 0, 0));
        if (!option) {
            return {std::nullopt, arg.startsWith(u'-') ? QStringLiteral("unknown option %1").arg(arg)
                                                       : QStringLiteral("unexpected argument %1").arg(arg)};
        }
        const QLatin1StringView name(option->name);
        QByteArray value;
        QString error;
        if (option->argument) {
            const auto found = optionValue(*option, arguments, &i, &error);
            if (!found)
                return {std::nullopt, error};
            value = *found;
        } else if (arg.contains(u'=')) {
            return {std::nullopt, QStringLiteral("%1 takes no value").arg(name)};
        }
        if (given.contains(option))
            return {std::nullopt, QStringLiteral("%1 is given twice").arg(name)};
        if (option->picksMode && inv.mode != Invocation::Mode::Window && inv.mode != option->mode)
            return {std::nullopt, QStringLiteral("%1 cannot be combined with %2").arg(name, QLatin1String(optionPicking(inv.mode)))};
        if (option->picksMode)
            inv.mode = option->mode;
        if (option->apply)
            error = option->apply(inv, value);
        if (!error.isEmpty())
            return {std::nullopt, error};
        given << option;
    }
    if (const QString problem = checkCombination(inv, given); !problem.isEmpty())
        return {std::nullopt, problem};
    return {inv, {}};
}

QString exportWindowImage(const Invocation &inv)
{
    MainWindow &window = mainWindow();
    window.load();
    if (inv.busClock) // the three come together
        window.showCpuMeanings({*inv.busClock, *inv.multiplier, *inv.voltage});
    const struct { const Selector &selector; int position; } picks[] = {
        {cpuSelector(), inv.cpuPosition}, {powerSelector(), inv.powerPosition}, {sdramSelector(), inv.sdramPosition}};
    for (const auto &pick : picks) {
        if (pick.position >= 0)
            window.select(pick.selector, pick.position); // runs the list's Click, as a pick does
    }
    if (isHtml(inv.exportPath))
        return writeGuidePage(window, inv.exportPath, inv.busClock ? PageStart::Meanings : PageStart::Lists);
    const std::optional<QByteArray> contents = isPdf(inv.exportPath)
        ? pdfPage(window, inv.pageSize.value_or(localPageSize()))
        : pngImage(window.windowImage());
    if (!contents) {
        return QStringLiteral("cannot write %1: the %2 could not be made")
            .arg(QFile::decodeName(inv.exportPath), isPdf(inv.exportPath) ? QStringLiteral("PDF page") : QStringLiteral("PNG image"));
    }
    return writeOutputFile(inv.exportPath, *contents);
}
