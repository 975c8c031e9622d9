// What the print system itself tells about a print queue and about the job just handed to it,
// which Qt's print support does not pass on.
#pragma once

#include <QString>

/// True when this build asks the print system (CUPS) and its print queue module loads (on the
/// first question); false in a build without it or when the module cannot be loaded, where every
/// answer below is "not known": queueIsStopped() is false and lastJobRefusal() empty.
bool printQueueAnswers();

/// True when the scheduler reports the queue as stopped, so that it would take a job and hold
/// it until someone starts the printer again. The queue may name an instance after a slash
/// ("office/draft"). False also when no scheduler answers or it does not know the queue.
bool queueIsStopped(const QString &queue);

/// Why the print system refused the calling thread's last request, without a closing full
/// stop; empty when that request was granted or nothing is known.
QString lastJobRefusal();
