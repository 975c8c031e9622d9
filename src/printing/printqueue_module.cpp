// The scheduler, the print queue and the fate of the last job, asked of the print queue module,
// which links CUPS and is loaded on the first question so that the program starts without CUPS.
#include "printqueue.h"
#include "printqueuemodule.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace {

using QueueIsStoppedFunction = int (*)(const char *, const char *);
using LastJobRefusalFunction = int (*)(char *, size_t);
using SchedulerUnreachableFunction = int (*)(char *, size_t, char *, size_t);
using QueueExistsFunction = int (*)(const char *);

struct PrintQueueModule {
    QueueIsStoppedFunction queueIsStopped = nullptr;
    LastJobRefusalFunction lastJobRefusal = nullptr;
    SchedulerUnreachableFunction schedulerUnreachable = nullptr;
    QueueExistsFunction queueExists = nullptr;
};

/// CUPS's status texts and paths are short; a longer one is cut, which still names it.
constexpr std::size_t TextSize = 1024;

/// Where the module may be, in the order tried: the one built with this program while its build
/// tree is there (the tests run from another folder), the executable's folder (the build tree),
/// the installed one seen from the executable's folder, whatever the prefix, and the configured one.
QStringList modulePaths()
{
    const QString fileName = QStringLiteral(VELMOR_PRINTQUEUE_FILE_NAME);
    QStringList paths;
    if (QFileInfo::exists(QStringLiteral(VELMOR_PRINTQUEUE_BUILD_PATH)))
        paths << QStringLiteral(VELMOR_PRINTQUEUE_BUILD_PATH);
    if (QCoreApplication::instance()) {
        const QString programDir = QCoreApplication::applicationDirPath();
        paths << programDir + u'/' + fileName;
        paths << programDir + QStringLiteral("/" VELMOR_PRINTQUEUE_RELATIVE_DIR "/") + fileName;
    }
    paths << QStringLiteral(VELMOR_PRINTQUEUE_INSTALL_DIR "/") + fileName;
    return paths;
}

/// The module's functions, all null when no module loads or one lacks them.
PrintQueueModule loadModule()
{
    for (const QString &path : modulePaths()) {
        if (!QFileInfo::exists(path))
            continue;
        // Never unloaded: the library stays for the rest of the run, as does CUPS's state in it.
        QLibrary library(path);
        PrintQueueModule module;
        module.queueIsStopped = reinterpret_cast<QueueIsStoppedFunction>(library.resolve("velmor_queue_is_stopped"));
        module.lastJobRefusal = reinterpret_cast<LastJobRefusalFunction>(library.resolve("velmor_last_job_refusal"));
        module.schedulerUnreachable =
            reinterpret_cast<SchedulerUnreachableFunction>(library.resolve("velmor_scheduler_unreachable"));
        module.queueExists = reinterpret_cast<QueueExistsFunction>(library.resolve("velmor_queue_exists"));
        if (module.queueIsStopped && module.lastJobRefusal && module.schedulerUnreachable && module.queueExists)
            return module;
    }
    return {};
}

const PrintQueueModule &module()
{
    // Loaded once, by whichever thread asks first (the printing thread may be the one).
    static const PrintQueueModule loaded = loadModule();
    return loaded;
}

} // namespace

bool printQueueAnswers()
{
    return module().queueIsStopped != nullptr;
}

bool queueIsStopped(const QString &queue)
{
    if (!printQueueAnswers())
        return false;
    const QByteArray name = queue.section(u'/', 0, 0).toLocal8Bit();
    const QByteArray instance = queue.section(u'/', 1).toLocal8Bit();
    return module().queueIsStopped(name.constData(), instance.isEmpty() ? nullptr : instance.constData()) != 0;
}

QString lastJobRefusal()
{
    if (!printQueueAnswers())
        return {};
    char buffer[TextSize] = {};
    if (module().lastJobRefusal(buffer, sizeof buffer) == 0)
        return {};
    QString reason = QString::fromUtf8(buffer).trimmed();
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason;
}

std::optional<UnreachableScheduler> unreachableScheduler()
{
    if (!printQueueAnswers())
        return std::nullopt;
    char address[TextSize] = {};
    char reason[TextSize] = {};
    if (module().schedulerUnreachable(address, sizeof address, reason, sizeof reason) == 0)
        return std::nullopt;
    return UnreachableScheduler{QString::fromUtf8(address), QString::fromUtf8(reason)};
}

std::optional<EnvironmentDefault> environmentDefault()
{
    if (!printQueueAnswers())
        return std::nullopt;
    // A variable that is set counts even when empty, as CUPS reads them.
    if (qEnvironmentVariableIsSet("LPDEST"))
        return EnvironmentDefault{QStringLiteral("LPDEST"), qEnvironmentVariable("LPDEST")};
    const QString printer = qEnvironmentVariable("PRINTER");
    if (!qEnvironmentVariableIsSet("PRINTER") || printer == u"lp")
        return std::nullopt;
    return EnvironmentDefault{QStringLiteral("PRINTER"), printer};
}

std::optional<bool> queueExists(const QString &queue)
{
    if (!printQueueAnswers())
        return std::nullopt;
    return module().queueExists(queue.section(u'/', 0, 0).toLocal8Bit().constData()) != 0;
}
