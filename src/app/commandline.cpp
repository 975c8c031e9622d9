// Parsing the command line, and the headless export of the window's image or the guide page.
#include "commandline.h"

#include "htmlexport.h"
#include "mainwindow.h"
#include "printing.h"

#include "jumpers/meaningsetting.h"
#include "jumpers/selectorcatalogue.h"

#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

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
    QStringList candidates;
    for (int i : matches)
        candidates << QStringLiteral("%1 \"%2\"").arg(i).arg(QString::fromLatin1(entries[static_cast<std::size_t>(i)].text));
    *error = matches.isEmpty()
        ? QStringLiteral("--cpu \"%1\": no CPU entry contains it (see velmor --list)").arg(value)
        : QStringLiteral("--cpu \"%1\" is ambiguous: %2").arg(value, candidates.join(QStringLiteral(", ")));
    return std::nullopt;
}

/// The position of the entry named by one of the given choices (case-insensitive).
std::optional<int> findChoice(const QString &option, const QString &value, const QStringList &choices, QString *error)
{
    for (int i = 0; i < choices.size(); ++i) {
        if (value.compare(choices[i], Qt::CaseInsensitive) == 0)
            return i;
    }
    *error = QStringLiteral("%1 %2: choose %3").arg(option, value, choices.join(QStringLiteral(" or ")));
    return std::nullopt;
}

std::optional<GuideFormat> findFormat(const QString &value, QString *error)
{
    if (value == QLatin1String("text"))
        return GuideFormat::Text;
    if (value == QLatin1String("markdown"))
        return GuideFormat::Markdown;
    if (value == QLatin1String("csv"))
        return GuideFormat::Csv;
    *error = QStringLiteral("--format %1: choose text, markdown or csv").arg(value);
    return std::nullopt;
}

bool isPdf(const QString &path)
{
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

bool isPng(const QString &path)
{
    return path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
}

bool isHtml(const QString &path)
{
    return path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
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

bool isMeaningOption(const QString &option)
{
    return option == QLatin1String("--bus") || option == QLatin1String("--multiplier") || option == QLatin1String("--voltage");
}

/// Takes the value of --bus, --multiplier or --voltage into the invocation; returns the reason
/// when it names no documented setting.
QString takeMeaning(Invocation &inv, const QString &option, const QString &value)
{
    QString error;
    if (option == QLatin1String("--bus")) {
        inv.busClock = findMeaning(option, value, busClockSettings(), &BusClockSetting::megahertz,
                                   {"MHz", 0, "bus clock", busClockText}, &error);
    } else if (option == QLatin1String("--multiplier")) {
        inv.multiplier = findMeaning(option, value, multiplierSettings(), &MultiplierSetting::tenths,
                                     {"x", 1, "multiplier", multiplierText}, &error);
    } else {
        inv.voltage = findMeaning(option, value, voltageSettings(), &VoltageSetting::centivolts,
                                  {"V", 2, "core voltage", voltageText}, &error);
    }
    return error;
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

/// Checks that the options given belong to the mode chosen.
QString checkCombination(const Invocation &inv, const QStringList &given)
{
    const auto only = [&](const QString &option, Invocation::Mode mode, const char *modeName) -> QString {
        if (given.contains(option) && inv.mode != mode)
            return QStringLiteral("%1 is only used with %2").arg(option, QLatin1String(modeName));
        return {};
    };
    for (const QString &problem : {only(QStringLiteral("--format"), Invocation::Mode::List, "--list"),
                                   only(QStringLiteral("--cpu"), Invocation::Mode::Export, "--export"),
                                   only(QStringLiteral("--power"), Invocation::Mode::Export, "--export"),
                                   only(QStringLiteral("--sdram"), Invocation::Mode::Export, "--export"),
                                   only(QStringLiteral("--bus"), Invocation::Mode::Export, "--export"),
                                   only(QStringLiteral("--multiplier"), Invocation::Mode::Export, "--export"),
                                   only(QStringLiteral("--voltage"), Invocation::Mode::Export, "--export"),
                                   checkMeanings(inv, given)}) {
        if (!problem.isEmpty())
            return problem;
    }
    if (inv.mode == Invocation::Mode::Export && !isPdf(inv.exportPath) && !isPng(inv.exportPath) && !isHtml(inv.exportPath))
        return QStringLiteral("--export %1: the file name must end in .png, .pdf or .html").arg(inv.exportPath);
    return {};
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
        "       velmor --identify TEXT       what jumper positions stand for\n"
        "       velmor --help | --version\n")
        + meaningValuesText()
        + QStringLiteral(
            "TEXT gives blocks and positions, \"JP7=1-2 JP8=1-2 JP9=1-2 JP4=1-2 JP5=2-3 JP6=1-2 JP3=B JP11=1-2 JP10=2-3\"\n"
            "(JP3 names its closed positions, or none), or is the sentence the board reads to a screen reader.\n"
            "examples: velmor --export k6-300.png --bus 66 --multiplier 4.5 --voltage 2.2\n"
            "          velmor --identify \"JP7=1-2 JP8=1-2 JP9=1-2 JP4=1-2 JP5=2-3 JP6=1-2 JP3=B\"\n");
}

ParsedArguments parseArguments(const QStringList &arguments)
{
    Invocation inv;
    QStringList given;
    const auto setMode = [&](Invocation::Mode mode, const QString &option) -> QString {
        if (inv.mode != Invocation::Mode::Window && inv.mode != mode)
            return QStringLiteral("%1 cannot be combined with %2").arg(option, given.front());
        inv.mode = mode;
        return {};
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString arg = arguments[i];
        const QString option = arg.section(u'=', 0, 0);
        const bool takesValue = option == QLatin1String("--export") || option == QLatin1String("--format")
            || option == QLatin1String("--cpu") || option == QLatin1String("--power") || option == QLatin1String("--sdram")
            || isMeaningOption(option) || option == QLatin1String("--identify");
        QString value;
        if (takesValue) {
            if (arg.contains(u'='))
                value = arg.section(u'=', 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            else
                return {std::nullopt, QStringLiteral("%1 needs a value").arg(option)};
        } else if (arg.contains(u'=')) {
            return {std::nullopt, QStringLiteral("%1 takes no value").arg(option)};
        }
        if (given.contains(option))
            return {std::nullopt, QStringLiteral("%1 is given twice").arg(option)};
        QString error;
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            error = setMode(Invocation::Mode::Help, option);
        } else if (option == QLatin1String("--version")) {
            error = setMode(Invocation::Mode::Version, option);
        } else if (option == QLatin1String("--list")) {
            error = setMode(Invocation::Mode::List, option);
        } else if (option == QLatin1String("--export")) {
            error = setMode(Invocation::Mode::Export, option);
            inv.exportPath = value;
        } else if (option == QLatin1String("--identify")) {
            error = setMode(Invocation::Mode::Identify, option);
            const ParsedReading parsed = parseJumperReading(value);
            if (parsed.reading)
                inv.reading = *parsed.reading;
            else if (error.isEmpty())
                error = QStringLiteral("--identify: %1").arg(parsed.error);
        } else if (isMeaningOption(option)) {
            error = takeMeaning(inv, option, value);
        } else if (option == QLatin1String("--format")) {
            if (const auto f = findFormat(value, &error))
                inv.format = *f;
        } else if (option == QLatin1String("--cpu")) {
            inv.cpuPosition = findCpu(value, &error).value_or(-1);
        } else if (option == QLatin1String("--power")) {
            inv.powerPosition = findChoice(option, value, powerWords(), &error).value_or(-1);
        } else if (option == QLatin1String("--sdram")) {
            inv.sdramPosition = findChoice(option, value, sdramWords(), &error).value_or(-1);
        } else {
            error = arg.startsWith(u'-') ? QStringLiteral("unknown option %1").arg(arg)
                                         : QStringLiteral("unexpected argument %1").arg(arg);
        }
        if (!error.isEmpty())
            return {std::nullopt, error};
        given << option;
    }
    if (!given.isEmpty() && inv.mode == Invocation::Mode::Window)
        return {std::nullopt, QStringLiteral("%1 needs --list or --export").arg(given.front())};
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
    const QImage image = window.windowImage();

    QByteArray contents;
    if (isPdf(inv.exportPath)) {
        QTemporaryDir scratch;
        const QString pdf = scratch.filePath(QStringLiteral("page.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (const QString problem = printImage(printer, image); !problem.isEmpty())
            return problem;
        QFile file(pdf);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("the page could not be made");
        contents = file.readAll();
    }

    QSaveFile out(inv.exportPath);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1: %2").arg(inv.exportPath, out.errorString());
    const bool written = isPdf(inv.exportPath) ? out.write(contents) == contents.size() : image.save(&out, "PNG");
    if (!written || !out.commit())
        return QStringLiteral("cannot write %1: %2").arg(inv.exportPath, out.errorString());
    return {};
}
