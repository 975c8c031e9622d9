// The guard every event handler runs in: an error that leaves a handler is reported to the user
// and ends the program.
#pragma once

#include <QString>

#include <exception>

/// Shows the message (stderr and, when there is a screen, a message box) and ends the program
/// with status 1. Only a test may have it do otherwise (failureguardfortests.h).
void reportFailure(const QString &message);

/// Runs work; an exception that leaves it goes to reportFailure(). Qt must never see an
/// exception leave a slot, so every handler and the start-up run inside this.
template<typename Work>
void runGuarded(Work &&work)
{
    try {
        work();
    } catch (const std::exception &e) {
        reportFailure(QString::fromUtf8(e.what()));
    }
}
