// A whole session as memory checkers run it: start-up as the program's entry does it, picks
// spread over the three lists, then EXIT. Prints how many picks it made. With "print" after the
// number of picks it presses PRINT after the picks, and EXIT once PRINT's message shows; when the
// print system (CUPS_SERVER) leaves PRINT unanswered, the message says so after the window's
// time for an answer, and the session ends, as the program's entry then does, while the print
// worker still waits.
#include "hardening.h"

#include "jumpers/selectorcatalogue.h"
#include "layout/fonts.h"
#include "printing/printing.h"
#include "window/failureguard.h"
#include "window/mainwindow.h"

#include <QPushButton>

#include <cstdio>
#include <cstdlib>

namespace {

/// Pick number i: the lists in turn, each walking its entries with a stride prime to its
/// length, so every CPU entry comes up within 44 turns.
void pickNumber(MainWindow &window, int i)
{
    const Selector *const selectors[] = {&cpuSelector(), &powerSelector(), &sdramSelector()};
    const Selector &selector = *selectors[i % 3];
    const int count = static_cast<int>(selector.entries.size());
    pick(window, selector.list, (selector.defaultPosition + 5 * (i / 3 + 1)) % count);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int picks = argc > 1 ? std::atoi(argv[1]) : 200;
    enum class Print { No, Yes, Pressed } print = argc > 2 && qstrcmp(argv[2], "print") == 0 ? Print::Yes : Print::No;
    installFontSubstitutes();
    runGuarded([] {
        MainWindow &window = mainWindow();
        window.load();
        window.show();
    });
    // One pick a tick, slower than the window's repaint timer, so each pick is drawn as a user's is.
    int done = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, &app, [&] {
        MainWindow &window = mainWindow();
        if (done == picks && print == Print::Yes) {
            print = Print::Pressed;
            window.findChild<QPushButton *>(QStringLiteral("CMDPRINT"))->click();
            return;
        }
        // The ticks go on inside the message box's own event loop, which EXIT ends as well.
        if (print == Print::Pressed && !QApplication::activeModalWidget())
            return;
        if (done == picks) {
            ticks.stop();
            window.findChild<QPushButton *>(QStringLiteral("CMDEXIT"))->click();
            return;
        }
        pickNumber(window, done++);
    });
    ticks.start(10);
    const int status = app.exec();
    std::printf("picksession: %d picks, then EXIT with status %d\n", done, status);
    if (printRequestOutstanding()) {
        // The worker may wait on the print system for minutes, and the print support it runs in
        // would be torn down under it: the session ends without waiting, as the program does.
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(status);
    }
    releaseMainWindow();
    return status;
}
