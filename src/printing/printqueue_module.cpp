// The print queue's state and the fate of the last job, asked of the print queue module, which
// links CUPS and is loaded on the first question so that the program starts without CUPS.
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

struct PrintQueueModule {
    QueueIsStoppedFunction queueIsStopped = nullptr;
    LastJobRefusalFunction lastJobRefusal = nullptr;
};

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

/// The module's functions, both null when no module loads or one lacks them.
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
        if (module.queueIsStopped && module.lastJobRefusal)
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
    // CUPS's status texts are short; a longer one is cut, which still names the refusal.
    char buffer[1024] = {};
    if (module().lastJobRefusal(buffer, sizeof buffer) == 0)
        return {};
    QString reason = QString::fromUtf8(buffer).trimmed();
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason;
}
