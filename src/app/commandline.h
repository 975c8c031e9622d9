// The command line: the guide as a table, the window's image or the guide page as a file, what
// jumper positions stand for, help and version.
#pragma once

#include "jumpers/jumperguide.h"
#include "jumpers/jumperreading.h"

#include <QByteArrayList>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>

/// What the command line asks for. No argument at all means the window.
struct Invocation {
    enum class Mode { Window, List, Export, Help, Version, Identify };
    Mode mode = Mode::Window;
    GuideFormat format = GuideFormat::Text;
    QByteArray exportPath;  ///< the file name's bytes as given, which need not be valid text
    int cpuPosition = -1;   ///< -1: the default entry
    int powerPosition = -1; ///< -1: the default entry
    int sdramPosition = -1; ///< -1: the default entry
    // The CPU blocks set by what they stand for instead of by a CPU entry: all three or none.
    std::optional<BusClockSetting> busClock;
    std::optional<MultiplierSetting> multiplier;
    std::optional<VoltageSetting> voltage;
    JumperReading reading; ///< the positions --identify reads
    std::optional<QPageSize> pageSize; ///< of a PDF; none: the locale's
};

/// The arguments (without the program name, as the bytes the program was given) as an
/// invocation, or the reason why not: one line, or for a --cpu text that several entries contain,
/// a line and then up to ten of them, one a line.
struct ParsedArguments {
    std::optional<Invocation> invocation;
    QString error;
};
ParsedArguments parseArguments(const QByteArrayList &arguments);

/// The words --power and --sdram take, one per entry of their list, in list order.
QStringList powerWords();
QStringList sdramWords();

/// The usage lines printed after a bad argument.
QString usageText();

/// What --help prints: the usage lines, each option with what it does in a line, and where the
/// manual page is.
QString helpText();

/// Writes the window's image with the invocation's selection to its export path, headless: a
/// PNG as the window shows it, a PDF page as Print makes it (on the page size asked for, or else
/// the locale's), or the whole guide as one web page that opens with that selection. The file is
/// written whole or not at all, and only over a regular file (writeOutputFile()). Returns an
/// empty string, or the reason it failed.
QString exportWindowImage(const Invocation &invocation);
