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
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int UndocumentedStatus = 1;
constexpr int UsageStatus = 2;
constexpr int NoDisplayStatus = 2;

constexpr int OutputStatus = 2; // an output the program could not write

/// Where the toolkit's messages go once velmor has looked at them: its own default handler.
QtMessageHandler passOnTo = nullptr;

/// The one toolkit notice left out: with XDG_RUNTIME_DIR unset, the toolkit says which folder it
/// uses instead. Nothing of the guide uses that folder (the toolkit only looks there for the
/// marker file of a sandbox), so the notice tells the user nothing to act on.
bool isHarmlessNotice(const QString &message)
{
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

void leaveOutHarmlessNotice(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!isHarmlessNotice(message))
        passOnTo(type, context, message);
}

/// Puts the notice filter in front of the toolkit's default handler (in place of any other).
void installNoticeFilter()
{
    qInstallMessageHandler(nullptr);
    passOnTo = qInstallMessageHandler(leaveOutHarmlessNotice); // the default handler
}

/// A message the toolkit gave while opening the display, held back until it is known whether
/// it could.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage> &heldMessages()
{
    static std::vector<HeldMessage> messages;
    return messages;
}

/// The display a platform plugin of the toolkit connects to, with the variable that names it:
/// the display ":1" named by DISPLAY (X11).
QString displayOf(const QString &plugin)
{
    if (plugin.startsWith(QLatin1String("wayland"))) {
        const QByteArray name = qgetenv("WAYLAND_DISPLAY");
        QString display = name.isEmpty()
            ? QStringLiteral("the display \"wayland-0\" (Wayland's default, as WAYLAND_DISPLAY is not set)")
            : QStringLiteral("the display \"%1\" named by WAYLAND_DISPLAY (Wayland)").arg(QString::fromLocal8Bit(name));
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && !name.startsWith('/'))
            display += QStringLiteral(", whose socket lies in XDG_RUNTIME_DIR, which is not set");
        return display;
    }
    if (plugin == QLatin1String("xcb")) {
        const QByteArray name = qgetenv("DISPLAY");
        return name.isEmpty() ? QStringLiteral("the display of X11 (DISPLAY is not set)")
                              : QStringLiteral("the display \"%1\" named by DISPLAY (X11)").arg(QString::fromLocal8Bit(name));
    }
    return QStringLiteral("the display of the platform \"%1\" named by QT_QPA_PLATFORM").arg(plugin);
}

/// The one line that replaces the toolkit's account of a display it could not open: which
/// display, and by which variable it was named.
QString displayFailure(const QString &fatalMessage)
{
    static const QRegularExpression failedPlugin(QStringLiteral("Could not load the Qt platform plugin \"([^\"]+)\""));
    QStringList displays;
    for (const HeldMessage &held : heldMessages()) {
        const QRegularExpressionMatch match = failedPlugin.match(held.text);
        if (match.hasMatch())
            displays << displayOf(match.captured(1));
    }
    if (displays.isEmpty())
        return QStringLiteral("cannot open the display: %1").arg(fatalMessage.section(u'\n', 0, 0));
    return QStringLiteral("cannot open %1").arg(displays.join(QStringLiteral(" nor ")));
}

/// While the toolkit opens the display: holds its messages back. When it gives up (a fatal
/// message), says in one line which display could not be opened and ends quietly instead of
/// aborting with a core dump and the toolkit's own account of it.
void startupMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages().push_back({type, QByteArray(context.category), message});
        return;
    }
    std::fprintf(stderr, "velmor: %s\n", qPrintable(displayFailure(message)));
    std::fflush(stderr);
    std::_Exit(NoDisplayStatus);
}

/// After the display is open: passes on the messages held back while opening it.
void releaseHeldMessages()
{
    installNoticeFilter();
    for (const HeldMessage &held : heldMessages()) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        leaveOutHarmlessNotice(held.type, context, held.text);
    }
    heldMessages().clear();
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

/// Writes text to standard output and makes sure it went out. A reader that has gone away (a
/// closed pipe, as in velmor --list | head -1) has taken what it wanted: that is no failure,
/// nothing is said and the status is 0. Returns the exit status.
int writeStandardOutput(const QString &text)
{
    // Otherwise a closed pipe would end the program with SIGPIPE (status 141), which a shell
    // running with pipefail takes for a failure.
    std::signal(SIGPIPE, SIG_IGN);
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size())
        && std::fflush(stdout) == 0) {
        return 0;
    }
    const int error = errno;
    if (error == EPIPE)
        return 0;
    std::fprintf(stderr, "velmor: cannot write to standard output: %s\n",
                 error ? std::strerror(error) : "the output was cut short");
    return OutputStatus;
}

/// Points a closed standard stream at /dev/null, so that no file the program opens takes its
/// number, where a message meant for the stream would land in the file.
void keepStandardStreamsOpen()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", O_RDWR); // takes the lowest free number, which is fd
    }
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
    // While the pictures are still decoding: the window's first paint would load them otherwise.
    loadWindowFonts();
}

int runExport(int argc, char *argv[], const Invocation &invocation)
{
    keepStandardStreamsOpen();
    forgetMissingTempFolder();
    // The image is drawn off screen: no display is needed, and none is opened.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::future<QStringList> missingFontCheck = startMissingFontCheck();
    installNoticeFilter();
    QApplication app(argc, argv);
    const PictureDecodingThread pictures;
    installFonts(missingFontCheck);
    QString problem;
    runGuarded([&] { problem = exportWindowImage(invocation); });
    releaseMainWindow();
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "velmor: %s\n", qPrintable(problem));
        return OutputStatus;
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
    releaseHeldMessages();
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
    QByteArrayList arguments; // as bytes: a file name need not be valid text
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.invocation) {
        std::fprintf(stderr, "velmor: %s\n", qPrintable(parsed.error));
        printText(usageText(), stderr);
        return UsageStatus;
    }
    switch (parsed.invocation->mode) {
    case Invocation::Mode::Help:
        return writeStandardOutput(helpText());
    case Invocation::Mode::Version:
        return writeStandardOutput(QStringLiteral("velmor " VELMOR_VERSION "\n"));
    case Invocation::Mode::List:
        return writeStandardOutput(jumperGuide(parsed.invocation->format));
    case Invocation::Mode::Export:
        return runExport(argc, argv, *parsed.invocation);
    case Invocation::Mode::Identify: {
        const Identification identification = identifyJumpers(parsed.invocation->reading);
        if (const int status = writeStandardOutput(identification.report); status != 0)
            return status;
        return identification.documented ? 0 : UndocumentedStatus;
    }
    case Invocation::Mode::Window:
        break;
    }
    return runWindow(argc, argv);
}
