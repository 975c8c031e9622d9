// The bare reference window as a program: starts like the guide and, with
// VELMOR_EXIT_AFTER_FIRST_FRAME=1, ends once its first frame has been painted.
#include "baselinewindow.h"

#include <QApplication>
#include <QTimer>

namespace {

class FirstFrameExit : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BaselineWindow window;
    FirstFrameExit firstFrameExit;
    if (qEnvironmentVariableIntValue("VELMOR_EXIT_AFTER_FIRST_FRAME") == 1)
        window.installEventFilter(&firstFrameExit);
    window.show();
    return app.exec();
}
