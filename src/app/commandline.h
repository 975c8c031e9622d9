// The command line: the guide as a table, the window's image or the guide page as a file, help
// and version.
#pragma once

#include "jumpers/jumperguide.h"

#include <QString>
#include <QStringList>

#include <optional>

/// What the command line asks for. No argument at all means the window.
struct Invocation {
    enum class Mode { Window, List, Export, Help, Version };
    Mode mode = Mode::Window;
    GuideFormat format = GuideFormat::Text;
    QString exportPath;
    int cpuPosition = -1;   ///< -1: the default entry
    int powerPosition = -1; ///< -1: the default entry
    int sdramPosition = -1; ///< -1: the default entry
};

/// The arguments (without the program name) as an invocation, or a one-line reason why not.
struct ParsedArguments {
    std::optional<Invocation> invocation;
    QString error;
};
ParsedArguments parseArguments(const QStringList &arguments);

/// The words --power and --sdram take, one per entry of their list, in list order.
QStringList powerWords();
QStringList sdramWords();

/// The usage text printed by --help and after a bad argument.
QString usageText();

/// Writes the window's image with the invocation's selection to its export path, headless: a
/// PNG as the window shows it, a PDF page as Print makes it, or the whole guide as one web page
/// that opens with that selection. Writes to a temporary file first, so an error leaves nothing
/// partial. Returns an empty string, or the reason it failed.
QString exportWindowImage(const Invocation &invocation);
