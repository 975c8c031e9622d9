// Running out of memory: one line and a status, at once, whichever thread finds out.
#include "outofmemory.h"

#include "export/outputfile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <optional>

#include <sys/resource.h>
#include <unistd.h>

namespace {

/// The line to write, made beforehand: when memory has run out there is none to make it.
char lastWords[512] = "velmor: out of memory\n";
int endStatus = EXIT_FAILURE;
std::terminate_handler otherEnding = nullptr;

/// The address-space limit (ulimit -v) in bytes; none when there is none.
std::optional<rlim_t> memoryLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    return limit.rlim_cur;
}

/// The memory limit in words, when there is one: it is the usual reason.
QString limitInWords()
{
    const std::optional<rlim_t> limit = memoryLimit();
    return limit ? QStringLiteral(" (the memory limit, ulimit -v, is %1 MB)").arg(*limit >> 20) : QString();
}

void endOnUncaughtOutOfMemory()
{
    // A failed allocation thrown through code that cannot pass it on ends here.
    if (const std::exception_ptr thrown = std::current_exception()) {
        try {
            std::rethrow_exception(thrown);
        } catch (const std::bad_alloc &) {
            endForLackOfMemory();
        } catch (...) {
        }
    }
    otherEnding(); // the runtime's own account of anything else
    std::abort();
}

} // namespace

QString memoryLimitTooLow()
{
    const std::optional<rlim_t> limit = memoryLimit();
    if (!limit || *limit >= LeastMemoryLimit)
        return {};
    return QStringLiteral("the memory limit, ulimit -v, is %1 MB; velmor needs at least %2 MB to start")
        .arg(*limit >> 20)
        .arg(LeastMemoryLimit >> 20);
}

void endWhenMemoryRunsOut(const QString &outcome, int status)
{
    const QByteArray line = QStringLiteral("velmor: out of memory: %1%2").arg(outcome, limitInWords()).toLocal8Bit();
    const std::size_t size = std::min(std::size_t(line.size()), sizeof lastWords - 2);
    std::memcpy(lastWords, line.constData(), size);
    lastWords[size] = '\n';
    lastWords[size + 1] = '\0';
    endStatus = status;
    std::set_new_handler(endForLackOfMemory);
    if (!otherEnding)
        otherEnding = std::set_terminate(endOnUncaughtOutOfMemory);
}

bool saysMemoryRanOut(const QString &toolkitMessage)
{
    return toolkitMessage.startsWith(QLatin1String("QImage: out of memory"))
        || toolkitMessage.startsWith(QLatin1String("QThread::start: Thread creation error"));
}

void endForLackOfMemory()
{
    removeUnfinishedFile();
    const std::size_t size = std::strlen(lastWords);
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, lastWords, size);
    std::_Exit(endStatus);
}
