// The bare reference window as a program: starts like the guide and, as the guide does, ends once
// its first frame has been painted when the benchmark asks for that (app/firstframeexitforbenchmarks.h).
#include "baselinewindow.h"

#include "window/firstframeexitforbenchmarks.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BaselineWindow window;
    exitAfterFirstFrameForBenchmarks(window);
    window.show();
    return app.exec();
}
