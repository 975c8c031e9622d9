// Runs one fault through the program's own failure path (the default reporter: stderr, a
// message box, the end of the process) and closes the message box as a user would, writing its
// text to stderr first.
//
//   faultprobe failing-write                      the fifth pin write of a CPU pick fails
//
// Status 1 is the failure path's own; 3 means the fault went unreported.
#include "hardening.h"

#include "boardrows/elementerror.h"
#include "layout/fonts.h"
#include "window/failureguard.h"
#include "window/mainwindow.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int Unreported = 3;

int unreported(const char *fault)
{
    std::fprintf(stderr, "faultprobe: %s, yet nothing was reported\n", fault);
    return Unreported;
}

int failingWrite()
{
    FailingWindow window;
    window.load();
    window.show();
    window.failAtWrite = 4; // from row 21 to row 1 the fifth write, V2JP8, fails
    // As a user's pick: from the event loop, through the list's handler and its guard.
    QTimer::singleShot(0, &window, [&window] {
        pick(window, "CBOCPU", 0);
        QCoreApplication::exit(Unreported);
    });
    return QCoreApplication::exec() == Unreported ? unreported("a pin write failed") : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutes();
    const MessageBoxCloser closer([](const QString &text) {
        std::fprintf(stderr, "faultprobe: message box: %s\n", qPrintable(QString(text).replace(u'\n', u' ')));
        std::fflush(stderr);
    });
    if (argc == 2 && std::strcmp(argv[1], "failing-write") == 0)
        return failingWrite();
    std::fprintf(stderr, "usage: faultprobe failing-write\n");
    return 2;
}
