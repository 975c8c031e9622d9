// The print queue's state and the fate of the last job in a build without CUPS: never known,
// so Print relies on what Qt's print support reports.
#include "printqueue.h"

bool printQueueAnswers()
{
    return false;
}

bool queueIsStopped(const QString &)
{
    return false;
}

QString lastJobRefusal()
{
    return {};
}
