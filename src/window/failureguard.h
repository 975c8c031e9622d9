// The guard every event handler runs in: an error that leaves a handler is reported to the user
// and ends the program.
#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <new>

/// What becomes of an error that leaves a handler, given its message.
using FailureReport = std::function<void(const QString &message)>;

/// The program's report: shows the message (stderr and, when there is a screen, a message box)
/// and ends the program with status 1.
[[noreturn]] void reportAndEnd(const QString &message);

/// Runs work; an exception that leaves it goes to report. Qt must never see an exception leave a
/// slot, so every handler and the start-up run inside this.
template<typename Work>
void runGuarded(const FailureReport &report, Work &&work)
{
    try {
        work();
    } catch (const std::bad_alloc &) {
        report(QStringLiteral("out of memory"));
    } catch (const std::exception &e) {
        report(QString::fromUtf8(e.what()));
    }
}

/// Runs work under the program's own report.
template<typename Work>
void runGuarded(Work &&work)
{
    runGuarded(reportAndEnd, std::forward<Work>(work));
}
