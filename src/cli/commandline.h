// The command line: the guide as a table, the window's image or the guide page as a file, what
// jumper positions stand for, the check of a board description, help and version.
#pragma once

#include "export/windowexport.h"
#include "jumpers/jumperguide.h"
#include "jumpers/jumperreading.h"

#include <QByteArrayList>
#include <QPageSize>
#include <QString>

#include <optional>

/// What the command line asks for. No argument at all means the window.
struct Invocation {
    enum class Mode { Window, List, Export, Help, Version, Identify, CheckBoard, PrintBoard };
    Mode mode = Mode::Window;
    GuideFormat format = GuideFormat::Text;
    ExportRequest exportRequest; ///< what --export writes
    JumperReading reading;       ///< the positions --identify reads
    QString identifyText;        ///< what --identify reads on a board other than the built-in one
    bool openPanel = false;      ///< --panel: the window opens with its settings panel
    QByteArray boardFile;        ///< the description --check-board checks, as the bytes given
};

/// The arguments (without the program name, as the bytes the program was given) as an
/// invocation, or the reason why not: one line, or for a --cpu text that several entries contain,
/// a line and then up to ten of them, one a line.
struct ParsedArguments {
    std::optional<Invocation> invocation;
    QString error;
};
ParsedArguments parseArguments(const QByteArrayList &arguments);

/// The usage lines printed after a bad argument.
QString usageText();

/// What --help prints: the usage lines, each option with what it does in a line, and where the
/// manual page is.
QString helpText();
