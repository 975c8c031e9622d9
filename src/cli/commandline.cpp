// Parsing the command line: the table of options, the checks of which options go together, and
// the usage and help text.
#include "commandline.h"

#include "optionvalues.h"
#include "settingoptions.h"

#include "boarddata/catalogues.h"
#include "boardrows/showntext.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperpositions.h"
#include "jumpers/jumperwords.h"
#include "jumpers/selectorcatalogue.h"

#include <QFile>

#include <cmath>

namespace {

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
    {"--list",        nullptr,           nullptr,                                            Mode::List,       true,  nullptr,
     "print every choice and its jumper positions as a table"},
    {"--format",      "FORMAT",          "a format: text, markdown or csv",                  Mode::List,       false, applyFormat,
     "the table's format: text (default), markdown or csv"},
    {"--export",      "FILE",            "a file name ending in .png, .pdf or .html",        Mode::Export,     true,  applyExport,
     "write the window to FILE: .png, .pdf or .html"},
    {"--cpu",         "N|TEXT",          "a list position or a part of an entry's text",     Mode::Export,     false, applyCpu,
     "the CPU to export: list position or part of its text"},
    {"--power",       "at|atx",          "at or atx",                                        Mode::Export,     false, applyPower,
     "the power supply to export (default: at)"},
    {"--sdram",       "pc100|non-pc100", "pc100 or non-pc100",                               Mode::Export,     false, applySdram,
     "the SDRAM clock to export (default: pc100)"},
    {"--bus",         "MHZ",             "a bus clock in MHz",                               Mode::Export,     false, applyBus,
     "the bus clock to export, with --multiplier and --voltage"},
    {"--multiplier",  "X",               "a multiplier",                                     Mode::Export,     false, applyMultiplier,
     "the multiplier to export, with --bus and --voltage"},
    {"--voltage",     "V",               "a core voltage in volts",                          Mode::Export,     false, applyVoltage,
     "the core voltage to export, with --bus and --multiplier"},
    {"--page-size",   "SIZE",            "a page size: a4, letter, legal, a3, a5, ...",      Mode::Export,     false, applyPageSize,
     "the paper of a PDF export (default: the locale's)"},
    {"--identify",    "TEXT",            "jumper positions, as in \"JP7=1-2 JP8=1-2 ...\"",  Mode::Identify,   true,  applyIdentify,
     "say what the jumper positions in TEXT stand for"},
    {"--board",       "FILE",            "a board description file",                         Mode::Window,     false, nullptr,
     "show the board FILE describes, in the window and with --list, --export, --identify"},
    {"--check-board", "FILE",            "a board description file",                         Mode::CheckBoard, true,  applyCheckBoard,
     "check the board description FILE and say what is wrong"},
    {"--print-board", nullptr,           nullptr,                                            Mode::PrintBoard, true,  nullptr,
     "write the board's description file to standard output"},
    {"--panel",       nullptr,           nullptr,                                            Mode::Window,     false, applyPanel,
     "open the window with its jumper settings panel"},
    {"--help",        nullptr,           nullptr,                                            Mode::Help,       true,  nullptr,
     "print this help and exit (also -h)"},
    {"--version",     nullptr,           nullptr,                                            Mode::Version,    true,  nullptr,
     "print the program's version and exit"},
};
// clang-format on

/// The options written for the built-in board's lists and settings, which another board does not have.
bool forBuiltinBoard(const Option &option)
{
    return option.apply == applyCpu || option.apply == applyPower || option.apply == applySdram
        || option.apply == applyBus || option.apply == applyMultiplier || option.apply == applyVoltage;
}

const Option *findOption(const QString &name)
{
    const QString canonical = name == QLatin1String("-h") ? QStringLiteral("--help") : name;
    for (const Option &option : Options) {
        if (canonical == QLatin1String(option.name) && (boardHasCpuSettings() || !forBuiltinBoard(option)))
            return &option;
    }
    return nullptr;
}

/// The list of the board in use that an option names by the list's own option ("--cmos" for a
/// list whose option is "cmos"), or null.
const Selector *listOfOption(const QString &name)
{
    for (const Selector &selector : selectors()) {
        if (selector.row->option && name == QStringLiteral("--") + QString::fromUtf8(selector.row->option))
            return &selector;
    }
    return nullptr;
}

/// The meaning of the board in use that an option names by the meaning's own option, or null.
const MeaningRow *meaningOfOption(const QString &name)
{
    for (const MeaningRow &meaning : boardInUse().meanings) {
        if (meaning.option && name == QStringLiteral("--") + QString::fromUtf8(meaning.option))
            return &meaning;
    }
    return nullptr;
}

/// The value an option's value names: its number ("66", "66.0") or its text ("66 MHz"), capitals aside.
const ValueRow *valueOf(const MeaningRow &meaning, const QString &written)
{
    bool number = false;
    const double asked = written.toDouble(&number);
    for (const ValueRow &v : meaning.values) {
        if ((number && std::abs(v.value - asked) < 1e-9)
            || written.compare(QString::fromUtf8(v.text), Qt::CaseInsensitive) == 0)
            return &v;
    }
    return nullptr;
}

/// The list position an option's value picks: an entry's word (capitals aside) or a list position.
std::optional<int> entryOfValue(const Selector &selector, const QString &value)
{
    for (std::size_t i = 0; i < selector.entries.size(); ++i) {
        const char *word = selector.entries[i].word;
        if (word && value.compare(QString::fromUtf8(word), Qt::CaseInsensitive) == 0)
            return int(i);
    }
    bool number = false;
    const int position = value.toInt(&number);
    if (number && position >= 0 && std::size_t(position) < selector.entries.size())
        return position;
    return std::nullopt;
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
        if (!option->picksMode && option->mode != inv.mode) {
            return option->mode == Mode::Window
                ? QStringLiteral("%1 is only used to open the window").arg(QLatin1String(option->name))
                : QStringLiteral("%1 is only used with %2")
                      .arg(QLatin1String(option->name), QLatin1String(optionPicking(option->mode)));
        }
        names << QLatin1String(option->name);
    }
    if (const QString problem = checkSettings(inv, names); !problem.isEmpty())
        return problem;
    if (inv.mode == Invocation::Mode::Export && !isPdf(inv.exportRequest.path) && !isPng(inv.exportRequest.path)
        && !isHtml(inv.exportRequest.path))
        return QStringLiteral("--export %1: the file name must end in .png, .pdf or .html")
            .arg(shownText(inv.exportRequest.path));
    if (inv.exportRequest.pageSize && !isPdf(inv.exportRequest.path))
        return QStringLiteral("--page-size is only used with a PDF export");
    return {};
}

/// The value of the option at arguments[*i] (after "=", or the next argument, which it then
/// consumes), or why there is none: missing, empty, or the next argument is an option.
std::optional<QByteArray> optionValue(const Option &option, const QByteArrayList &arguments, qsizetype *i,
                                      QString *error)
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
        *error = QStringLiteral("%1, but %2 follows it").arg(needs, shownText(arguments[*i + 1]));
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

} // namespace

/// The usage of a described board: its own lists' and meanings' options, with their words.
QString describedBoardUsage()
{
    QStringList options;
    for (const Selector &selector : selectors()) {
        if (selector.row->option)
            options << QStringLiteral("--%1 %2").arg(QString::fromUtf8(selector.row->option),
                                                     entryWords(selector).join(u'|'));
    }
    for (const MeaningRow &meaning : boardInUse().meanings) {
        if (!meaning.option)
            continue;
        QStringList values;
        for (const ValueRow &v : meaning.values)
            values << valueWord(v.value);
        options << QStringLiteral("--%1 %2").arg(QString::fromUtf8(meaning.option), values.join(u'|'));
    }
    return QStringLiteral("usage: velmor --board FILE [--panel]        open the window on the board FILE describes\n"
                          "       velmor --board FILE --list [--format text|markdown|csv]\n"
                          "       velmor --board FILE --export OUT.png|OUT.pdf|OUT.html [OPTION VALUE]...\n"
                          "       velmor --board FILE --export OUT.pdf ... [--page-size a4|letter|legal|...]\n"
                          "       velmor --board FILE --identify \"BLOCK=POSITION ...\"\n")
        + (options.isEmpty() ? QString()
                             : QStringLiteral("this board's options: %1\n").arg(options.join(QStringLiteral(", "))));
}

QString usageText()
{
    if (!boardHasCpuSettings())
        return describedBoardUsage();
    return QStringLiteral("usage: velmor [--panel]            open the guide window (with its settings panel)\n"
                          "       velmor --list [--format text|markdown|csv]\n"
                          "       velmor --export FILE.png|FILE.pdf|FILE.html [--cpu N|TEXT] [--power at|atx] [--sdram "
                          "pc100|non-pc100]\n"
                          "       velmor --export FILE.png|FILE.pdf|FILE.html --bus MHZ --multiplier X --voltage V "
                          "[--power ...] [--sdram ...]\n"
                          "       velmor --export FILE.pdf ... [--page-size a4|letter|legal|...]\n"
                          "       velmor --identify TEXT       what jumper positions stand for\n"
                          "       velmor --check-board FILE    check a board description file\n"
                          "       velmor --board FILE ...      the same for the board FILE describes\n"
                          "       velmor --help | --version\n")
        + (boardHasCpuSettings() ? settingValuesText() : QString())
        + QStringLiteral(
               "TEXT gives blocks and positions, \"JP7=1-2 JP8=1-2 JP9=1-2 JP4=1-2 JP5=2-3 JP6=1-2 JP3=B JP11=1-2 "
               "JP10=2-3\"\n"
               "(JP3 names its closed positions, or none), or is the sentence the board reads to a screen reader.\n"
               "examples: velmor --export k6-300.png --bus 66 --multiplier 4.5 --voltage 2.2\n"
               "          velmor --identify \"JP7=1-2 JP8=1-2 JP9=1-2 JP4=1-2 JP5=2-3 JP6=1-2 JP3=B\"\n");
}

QString helpText()
{
    QString text = usageText() + QStringLiteral("\nOptions:\n");
    for (const Option &option : Options) {
        const QString call = option.argument
            ? QStringLiteral("%1 %2").arg(QLatin1String(option.name), QLatin1String(option.argument))
            : QLatin1String(option.name);
        text += QStringLiteral("  %1  %2\n").arg(call, -23).arg(QLatin1String(option.help));
    }
    return text
        + QStringLiteral("\nIn the window:\n"
                         "  F2                       the jumper settings panel: bus clock, multiplier and\n"
                         "                           core voltage (also on the board's right-click menu)\n"
                         "  F6                       the board: the arrow keys step through its captions,\n"
                         "                           each with its explanation; Shift+F10 or the Menu key\n"
                         "                           opens its menu; Escape, Tab or F6 goes back\n"
                         "  pointer on the board     a caption's explanation; on a jumper block, its\n"
                         "                           position and what grey, white and pin 1 mean\n"
                         "\nThe manual page tells more: man velmor\n");
}

ParsedArguments parseArguments(const QByteArrayList &arguments)
{
    Invocation inv;
    QList<const Option *> given;
    QString boardOption; // the first option naming a list or meaning of a described board, which needs --export
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString arg = QString::fromLocal8Bit(arguments[i]);
        const Option *option = findOption(arg.section(u'=', 0, 0));
        if (const Selector *selector = option ? nullptr : listOfOption(arg.section(u'=', 0, 0))) {
            const QByteArray name = arg.section(u'=', 0, 0).toUtf8();
            const QByteArray needs = "a word of its list: " + entryWords(*selector).join(QStringLiteral(", ")).toUtf8();
            const Option asked{name.constData(), "WORD", needs.constData(), Mode::Export, false, nullptr, nullptr};
            QString error;
            const auto value = optionValue(asked, arguments, &i, &error);
            if (!value)
                return {std::nullopt, error};
            const auto position = entryOfValue(*selector, QString::fromLocal8Bit(*value));
            if (!position)
                return {std::nullopt,
                        QStringLiteral("%1 %2: %3 needs %4")
                            .arg(QString::fromUtf8(name), shownText(*value), QString::fromUtf8(name),
                                 QString::fromUtf8(needs))};
            for (const auto &pick : inv.exportRequest.listPicks) {
                if (pick.first == selector->list)
                    return {std::nullopt, QStringLiteral("%1 is given twice").arg(QString::fromUtf8(name))};
            }
            inv.exportRequest.listPicks.emplace_back(selector->list, *position);
            if (boardOption.isEmpty())
                boardOption = QString::fromUtf8(name);
            continue;
        }
        if (const MeaningRow *meaning = option ? nullptr : meaningOfOption(arg.section(u'=', 0, 0))) {
            const QByteArray name = arg.section(u'=', 0, 0).toUtf8();
            QStringList values;
            for (const ValueRow &v : meaning->values)
                values << valueWord(v.value);
            const QByteArray needs = "one of " + values.join(QStringLiteral(", ")).toUtf8();
            const Option asked{name.constData(), "VALUE", needs.constData(), Mode::Export, false, nullptr, nullptr};
            QString error;
            const auto value = optionValue(asked, arguments, &i, &error);
            if (!value)
                return {std::nullopt, error};
            const ValueRow *chosen = valueOf(*meaning, QString::fromLocal8Bit(*value));
            if (!chosen)
                return {std::nullopt,
                        QStringLiteral("%1 %2: %1 needs %3")
                            .arg(QString::fromUtf8(name), shownText(*value), QString::fromUtf8(needs))};
            const auto fills = meaningFills(*meaning, *chosen);
            inv.exportRequest.meaningFills.insert(inv.exportRequest.meaningFills.end(), fills.begin(), fills.end());
            if (boardOption.isEmpty())
                boardOption = QString::fromUtf8(name);
            continue;
        }
        if (!option) {
            return {std::nullopt,
                    arg.startsWith(u'-') ? QStringLiteral("unknown option %1").arg(shownText(arguments[i]))
                                         : QStringLiteral("unexpected argument %1").arg(shownText(arguments[i]))};
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
            return {std::nullopt,
                    QStringLiteral("%1 cannot be combined with %2").arg(name, QLatin1String(optionPicking(inv.mode)))};
        if (option->picksMode)
            inv.mode = option->mode;
        // Another board's positions are read when its meanings, readings and lists are at hand.
        if (option->apply == applyIdentify && !boardHasCpuSettings())
            inv.identifyText = QString::fromLocal8Bit(value);
        else if (option->apply)
            error = option->apply(inv, value);
        if (!error.isEmpty())
            return {std::nullopt, error};
        given << option;
    }
    if (!boardOption.isEmpty() && inv.mode != Mode::Export)
        return {std::nullopt, QStringLiteral("%1 is only used with --export").arg(boardOption)};
    if (const QString problem = checkCombination(inv, given); !problem.isEmpty())
        return {std::nullopt, problem};
    return {inv, {}};
}
