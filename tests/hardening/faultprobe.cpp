// Runs one fault through the program's own failure path (the default reporter: stderr, a
// message box, the end of the process) and closes the message box as a user would, writing its
// text to stderr first.
//
//   faultprobe failing-write                      the fifth pin write of a CPU pick fails
//   faultprobe undecodable-picture PATH FOLDER    the built-in picture PATH does not decode;
//                                                 its broken copy is written into FOLDER
//
// Status 1 is the failure path's own; 3 means the fault went unreported.
#include "hardening.h"

#include "boarddata/elementerror.h"
#include "layout/fonts.h"
#include "layout/pictures.h"
#include "layout/picturesfortests.h"
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

int undecodablePicture(const char *resourcePath, const char *folder)
{
    const QByteArray copy = writeUndecodableCopy(resourcePath, QDir(QString::fromLocal8Bit(folder))).toLocal8Bit();
    if (copy.isEmpty()) {
        std::fprintf(stderr, "faultprobe: cannot write a broken copy of %s into %s\n", resourcePath, folder);
        return 2;
    }
    const PictureSourceForTests brokenData(resourcePath, copy.constData());
    // The start-up of the program's entry, pictures decoded ahead on a thread as there, then a
    // moment of its event loop for the first paint.
    const PictureDecodingThread decoding;
    runGuarded([] {
        MainWindow &window = mainWindow();
        window.load();
        window.show();
    });
    QTimer::singleShot(2000, [] { QCoreApplication::exit(Unreported); });
    const int status = QCoreApplication::exec();
    releaseMainWindow();
    return status == Unreported ? unreported("a picture did not decode") : status;
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
    if (argc == 4 && std::strcmp(argv[1], "undecodable-picture") == 0)
        return undecodablePicture(argv[2], argv[3]);
    std::fprintf(stderr, "usage: faultprobe failing-write | undecodable-picture PATH FOLDER\n");
    return 2;
}
