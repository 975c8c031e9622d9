// The program's entry: the command line, the platform, then the window through its global
// reference, its Load event, and the event loop.
#include "boardoption.h"
#include "commandline.h"
#include "exitstatus.h"
#include "outofmemory.h"
#include "scalefactor.h"
#include "standardstreams.h"
#include "startupmessages.h"
#include "velmorconfig.h"

#include "boarddata/builtinboard.h"
#include "boardfile/boardreader.h"
#include "boardrows/showntext.h"
#include "export/outputfile.h"
#include "export/windowexport.h"
#include "jumpers/boardidentification.h"
#include "jumpers/cpusettings.h"
#include "layout/fonts.h"
#include "printing/printing.h"
#include "window/failureguard.h"
#include "window/firstframeexitforbenchmarks.h"
#include "window/mainwindow.h"

#include <QApplication>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <sys/stat.h>

namespace {

/// One line of the program's own on stderr.
void tell(const QString &line)
{
    std::fprintf(stderr, "velmor: %s\n", qPrintable(line));
}

bool platformNeedsDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.isEmpty() || platform.startsWith("xcb");
}

/// A TMPDIR that names no folder makes the toolkit's temporary folder the empty path, and so its
/// fallback runtime folder "/runtime-USER", at the root of the file system. The export needs no
/// temporary folder of its own; without TMPDIR the toolkit takes /tmp as usual.
void forgetMissingTempFolder()
{
    const QByteArray folder = qgetenv("TMPDIR");
    struct stat st {};
    if (!folder.isEmpty() && (::stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode)))
        qunsetenv("TMPDIR");
}

/// Installs the substitutes, names each font the check found missing, and loads the window's
/// fonts, which needs the font configuration the check has loaded.
void installFonts(std::future<QStringList> &missingFontCheck)
{
    installFontSubstitutes();
    for (const QString &family : missingFontCheck.get())
        std::fprintf(stderr, "velmor: the font \"%s\" is not installed; captions are drawn in a fallback font.\n",
                     qPrintable(family));
    // Before the window exists: its first paint would load them otherwise.
    loadWindowFonts();
}

/// Says why the program cannot start under the memory limit, if it cannot; false then.
bool enoughMemoryToStart()
{
    const QString tooLow = memoryLimitTooLow();
    if (tooLow.isEmpty())
        return true;
    tell(tooLow);
    return false;
}

/// --check-board: the description's problems on stderr, one a line, or its summary on stdout.
/// No toolkit application is made: nothing here needs a display.
int checkBoard(const QByteArray &path)
{
    // A picture decoder's complaint about a broken file would only repeat the check's own line.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const BoardReading reading = readBoardDescription(QFile::decodeName(path));
    if (reading.sound())
        return writeStandardOutput(soundSummary(reading) + u'\n');
    for (const QString &line : problemLines(reading))
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    return BoardProblemStatus;
}

/// Why an invocation cannot be run on a board a description file gives, or nothing.
QString refusedWithBoardFile(const Invocation &inv)
{
    switch (inv.mode) {
    case Invocation::Mode::CheckBoard:
        return QStringLiteral("--board is not used with --check-board, which checks the file it names");
    case Invocation::Mode::PrintBoard:
        return QStringLiteral("--board is not used with --print-board, which writes the built-in board");
    default:
        break;
    }
    return {};
}

int runExport(int argc, char *argv[], const ExportRequest &request)
{
    if (!enoughMemoryToStart())
        return OutputStatus;
    if (const ScaleCheck scale = checkExportScale(); scale.refused) {
        tell(scale.said);
        return ScaleStatus;
    }
    endWhenMemoryRunsOut(QStringLiteral("%1 was not written").arg(shownText(request.path)), OutputStatus);
    removeUnfinishedFileOnSignals();
    keepStandardStreamsOpen();
    forgetMissingTempFolder();
    // The image is drawn off screen: no display is needed, and none is opened.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::future<QStringList> missingFontCheck = startMissingFontCheck();
    installNoticeFilter();
    QApplication app(argc, argv);
    installFonts(missingFontCheck);
    // No window is shown: a failure is told on stderr, never in a message box nobody can close.
    QString problem;
    try {
        problem = exportWindowImage(request);
    } catch (const std::bad_alloc &) {
        endForLackOfMemory();
    } catch (const std::exception &e) {
        problem = QStringLiteral("cannot write %1: %2").arg(shownText(request.path), QString::fromUtf8(e.what()));
    }
    releaseMainWindow();
    if (!problem.isEmpty()) {
        tell(problem);
        return OutputStatus;
    }
    return 0;
}

int runWindow(int argc, char *argv[], bool openPanel)
{
    if (platformNeedsDisplay() && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "velmor: cannot open the display: DISPLAY is not set. "
                     "Start velmor from a graphical desktop session.\n");
        return NoDisplayStatus;
    }
    if (!enoughMemoryToStart())
        return NoMemoryStatus;
    endWhenMemoryRunsOut(QStringLiteral("the guide cannot go on"), EXIT_FAILURE);
    const ScaleCheck scale = checkWindowScale();
    if (!scale.said.isEmpty())
        tell(scale.said);
    // The font configuration loads on a worker while the toolkit starts.
    std::future<QStringList> missingFontCheck = startMissingFontCheck();
    qInstallMessageHandler(startupMessageHandler);
    QApplication app(argc, argv);
    releaseHeldMessages();
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMOR_APP_ID)); // ties the window to its menu entry
    installFonts(missingFontCheck);

    QString tooLarge;
    runGuarded([&] {
        MainWindow &window = mainWindow();
        window.load();
        if (scale.large)
            tooLarge = windowFitsScreen(window, scale);
        if (!tooLarge.isEmpty())
            return;
        exitAfterFirstFrameForBenchmarks(window);
        window.show();
        if (openPanel)
            window.openSettingsPanel();
    });
    if (!tooLarge.isEmpty()) {
        tell(tooLarge);
        releaseMainWindow();
        return ScaleStatus;
    }
    const int status = app.exec();
    // A PRINT may still wait on the print system, for minutes: the program ends without it, as
    // ending the usual way would tear down the print support under the waiting worker.
    if (printRequestOutstanding()) {
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(status);
    }
    releaseMainWindow();
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    // A write past the file size limit fails with EFBIG and is reported, wherever it happens (an
    // exported file, the standard output of --list): the program never dies of the limit half way
    // through a file, leaving it behind half written.
    std::signal(SIGXFSZ, SIG_IGN);
    QByteArrayList arguments; // as bytes: a file name need not be valid text
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const BoardOption board = takeBoardOption(arguments);
    if (!board.error.isEmpty()) {
        tell(board.error);
        printText(usageText(), stderr);
        return UsageStatus;
    }
    if (board.file && !useBoardFile(*board.file))
        return BoardProblemStatus;
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.invocation) {
        tell(parsed.error);
        printText(usageText(), stderr);
        return UsageStatus;
    }
    if (board.file) {
        if (const QString refused = refusedWithBoardFile(*parsed.invocation); !refused.isEmpty()) {
            tell(refused);
            return UsageStatus;
        }
    }
    switch (parsed.invocation->mode) {
    case Invocation::Mode::Help:
        return writeStandardOutput(helpText());
    case Invocation::Mode::Version:
        return writeStandardOutput(QStringLiteral("velmor " VELMOR_VERSION "\n"));
    case Invocation::Mode::List:
        return writeStandardOutput(jumperGuide(parsed.invocation->format));
    case Invocation::Mode::Export:
        return runExport(argc, argv, parsed.invocation->exportRequest);
    case Invocation::Mode::Identify: {
        if (!boardHasCpuSettings()) {
            const BoardIdentification identification = identifyBoardPositions(parsed.invocation->identifyText);
            if (!identification.error.isEmpty()) {
                tell(identification.error);
                return UsageStatus;
            }
            if (const int status = writeStandardOutput(identification.report); status != 0)
                return status;
            return identification.documented ? 0 : UndocumentedStatus;
        }
        const Identification identification = identifyJumpers(parsed.invocation->reading);
        if (const int status = writeStandardOutput(identification.report); status != 0)
            return status;
        return identification.documented ? 0 : UndocumentedStatus;
    }
    case Invocation::Mode::CheckBoard:
        return checkBoard(parsed.invocation->boardFile);
    case Invocation::Mode::PrintBoard:
        return writeStandardOutput(QString::fromUtf8(builtinBoardDescription()));
    case Invocation::Mode::Window:
        break;
    }
    return runWindow(argc, argv, parsed.invocation->openPanel);
}
