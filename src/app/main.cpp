// The program's entry: the command line, the platform, then the window through its global
// reference, its Load event, and the event loop.
#include "commandline.h"
#include "failureguard.h"
#include "firstframeexitforbenchmarks.h"
#include "mainwindow.h"
#include "velmorconfig.h"

#include "layout/fonts.h"
#include "layout/pictures.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int UndocumentedStatus = 1;
constexpr int UsageStatus = 2;
constexpr int NoDisplayStatus = 2;

/// The platform gives up with a fatal message when it cannot open a display; say which one and
/// end quietly instead of aborting with a core dump.
void startupMessageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return;
    }
    const QByteArray display = qgetenv("DISPLAY");
    std::fprintf(stderr, "velmor: cannot open the display %s: %s\n",
                 display.isEmpty() ? "(DISPLAY is not set)" : ("\"" + display + "\"").constData(),
                 qPrintable(message));
    std::fflush(stderr);
    std::_Exit(NoDisplayStatus);
}

bool platformNeedsDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    return platform.isEmpty() || platform.startsWith("xcb");
}

void printText(const QString &text, FILE *stream)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

/// Installs the substitutes, names each font the check found missing, and loads the window's
/// fonts, which needs the font configuration the check has loaded.
void installFonts(std::future<QStringList> &missingFontCheck)
{
    installFontSubstitutes();
    for (const QString &family : missingFontCheck.get())
        std::fprintf(stderr, "velmor: the font \"%s\" is not installed; captions are drawn in a fallback font.\n",
                     qPrintable(family));
    // While the pictures are still decoding: the window's first paint would load them otherwise.
    loadWindowFonts();
}

int runExport(int argc, char *argv[], const Invocation &invocation)
{
    // The image is drawn off screen: no display is needed, and none is opened.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::future<QStringList> missingFontCheck = startMissingFontCheck();
    QApplication app(argc, argv);
    const PictureDecodingThread pictures;
    installFonts(missingFontCheck);
    QString problem;
    runGuarded([&] { problem = exportWindowImage(invocation); });
    releaseMainWindow();
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "velmor: %s\n", qPrintable(problem));
        return UsageStatus;
    }
    return 0;
}

int runWindow(int argc, char *argv[])
{
    if (platformNeedsDisplay() && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "velmor: cannot open the display: DISPLAY is not set. "
                             "Start velmor from a graphical desktop session.\n");
        return NoDisplayStatus;
    }
    // The font configuration loads on one worker while the toolkit starts; the pictures decode on
    // another, started once the application object exists, through which their decoders are found.
    std::future<QStringList> missingFontCheck = startMissingFontCheck();
    qInstallMessageHandler(startupMessageHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    const PictureDecodingThread pictures;
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMOR_APP_ID)); // ties the window to its menu entry
    installFonts(missingFontCheck);

    runGuarded([&] {
        MainWindow &window = mainWindow();
        window.load();
        exitAfterFirstFrameForBenchmarks(window);
        window.show();
    });
    const int status = app.exec();
    releaseMainWindow();
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.invocation) {
        std::fprintf(stderr, "velmor: %s\n", qPrintable(parsed.error));
        printText(usageText(), stderr);
        return UsageStatus;
    }
    switch (parsed.invocation->mode) {
    case Invocation::Mode::Help:
        printText(usageText(), stdout);
        return 0;
    case Invocation::Mode::Version:
        printText(QStringLiteral("velmor " VELMOR_VERSION "\n"), stdout);
        return 0;
    case Invocation::Mode::List:
        printText(jumperGuide(parsed.invocation->format), stdout);
        return 0;
    case Invocation::Mode::Export:
        return runExport(argc, argv, *parsed.invocation);
    case Invocation::Mode::Identify: {
        const Identification identification = identifyJumpers(parsed.invocation->reading);
        printText(identification.report, stdout);
        return identification.documented ? 0 : UndocumentedStatus;
    }
    case Invocation::Mode::Window:
        break;
    }
    return runWindow(argc, argv);
}
