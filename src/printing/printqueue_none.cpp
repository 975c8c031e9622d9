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

std::optional<UnreachableScheduler> unreachableScheduler()
{
    return std::nullopt;
}

std::optional<EnvironmentDefault> environmentDefault()
{
    // Without CUPS the print support reads neither variable.
    return std::nullopt;
}

std::optional<bool> queueExists(const QString &)
{
    return std::nullopt;
}
