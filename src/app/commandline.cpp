// Parsing the command line, and the headless export of the window's image or the guide page.
#include "commandline.h"

#include "htmlexport.h"
#include "mainwindow.h"
#include "printing.h"

#include "jumpers/selectorcatalogue.h"

#include <QFileInfo>
#include <QPrinter>
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
                                   only(QStringLiteral("--sdram"), Invocation::Mode::Export, "--export")}) {
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
        "       velmor --help | --version\n");
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
            || option == QLatin1String("--cpu") || option == QLatin1String("--power") || option == QLatin1String("--sdram");
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
    const struct { const Selector &selector; int position; } picks[] = {
        {cpuSelector(), inv.cpuPosition}, {powerSelector(), inv.powerPosition}, {sdramSelector(), inv.sdramPosition}};
    for (const auto &pick : picks) {
        if (pick.position >= 0)
            window.select(pick.selector, pick.position); // runs the list's Click, as a pick does
    }
    if (isHtml(inv.exportPath))
        return writeGuidePage(window, inv.exportPath);
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
