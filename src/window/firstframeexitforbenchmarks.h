// For the start-up benchmark only: a window that ends the program right after its first frame.
// Header only, so the bare baseline window of bench/ shares it without linking the guide's shell.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

/// The environment variable bench/run.sh sets to 1 while it measures the start to the first frame.
inline constexpr const char *FirstFrameExitVariable = "VELMOR_BENCH_EXIT_AFTER_FIRST_FRAME";

/// When FirstFrameExitVariable is 1, ends the event loop with status 0 once window has been
/// painted (its children are painted in the same pass); otherwise does nothing.
inline void exitAfterFirstFrameForBenchmarks(QWidget &window)
{
    if (qEnvironmentVariableIntValue(FirstFrameExitVariable) != 1)
        return;
    class FirstFrameExit : public QObject
    {
    public:
        using QObject::QObject;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            // Queued, so the paint pass under way ends first.
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
            return QObject::eventFilter(watched, event);
        }
    };
    window.installEventFilter(new FirstFrameExit(&window));
}
