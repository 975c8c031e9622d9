// The program's entry: the platform, then the window through its global reference, its Load
// event, and the event loop.
#include "failureguard.h"
#include "mainwindow.h"

#include "layout/fonts.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

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

} // namespace

int main(int argc, char *argv[])
{
    if (platformNeedsDisplay() && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "velmor: cannot open the display: DISPLAY is not set. "
                             "Start velmor from a graphical desktop session.\n");
        return NoDisplayStatus;
    }
    qInstallMessageHandler(startupMessageHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);

    installFontSubstitutes();
    for (const QString &family : missingFontFamilies())
        std::fprintf(stderr, "velmor: the font \"%s\" is not installed; captions are drawn in a fallback font.\n",
                     qPrintable(family));

    runGuarded([] {
        MainWindow &window = mainWindow();
        window.load();
        window.show();
    });
    const int status = app.exec();
    releaseMainWindow();
    return status;
}
