// What the print system itself tells about its scheduler, a print queue and the job just handed to
// it, which Qt's print support does not pass on. Each question may wait on the scheduler: ask them
// on a worker thread, never in the window's.
#pragma once

#include <QString>

#include <optional>

/// True when this build asks the print system (CUPS) and its print queue module loads (on the
/// first question); false in a build without it or when the module cannot be loaded, where every
/// answer below is "not known": queueIsStopped() is false, lastJobRefusal() empty, the others
/// nothing.
bool printQueueAnswers();

/// True when the scheduler reports the queue as stopped, so that it would take a job and hold
/// it until someone starts the printer again. The queue may name an instance after a slash
/// ("office/draft"). False also when no scheduler answers or it does not know the queue.
bool queueIsStopped(const QString &queue);

/// Why the print system refused the calling thread's last request, without a closing full
/// stop; empty when that request was granted or nothing is known.
QString lastJobRefusal();

/// Where the scheduler is, and why no connection to it could be made.
struct UnreachableScheduler {
    QString address; ///< the socket's path, or host:port
    QString reason;  ///< the system's words, as "No such file or directory"
};

/// The scheduler when no connection to it can be made; nothing when one is made (it may still not
/// answer on it) or nothing is known.
std::optional<UnreachableScheduler> unreachableScheduler();

/// A default printer named in the environment, and the variable that names it.
struct EnvironmentDefault {
    QString variable; ///< "LPDEST" or "PRINTER"
    QString queue;    ///< as the variable gives it, an instance after a slash included
};

/// The default printer the environment names, as the print system reads it: LPDEST, else PRINTER
/// unless that is "lp" (which the print system passes over); nothing when neither names one or
/// the print system is not asked.
std::optional<EnvironmentDefault> environmentDefault();

/// Whether the scheduler knows the queue (an instance after a slash is left out of the question);
/// nothing when not known. A scheduler that cannot be reached knows no queue.
std::optional<bool> queueExists(const QString &queue);
