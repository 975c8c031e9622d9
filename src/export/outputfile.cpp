// Writing an exported file through a new file beside it that replaces the old one when whole.
#include "outputfile.h"

#include "boardrows/showntext.h"

#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

/// What a node that is not a regular file is, in words.
QLatin1StringView kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QLatin1StringView("a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QLatin1StringView("a device");
    if (S_ISFIFO(mode))
        return QLatin1StringView("a named pipe");
    if (S_ISSOCK(mode))
        return QLatin1StringView("a socket");
    return QLatin1StringView("a special file");
}

/// What a replaced file keeps: its owner, group and permissions.
struct Keeps {
    uid_t owner;
    gid_t group;
    mode_t permissions;
};

/// The regular file the bytes replace, with what it keeps; none for a file not there yet.
struct Target {
    QByteArray path;
    std::optional<Keeps> keeps;
};

/// The regular file at path, which the bytes may replace only where the user could write it in
/// place: replacing is writing it, not only writing the folder it stands in (where a world-writable
/// folder would let anyone replace anyone's file).
std::optional<Target> replaceable(const QByteArray &path, const struct stat &st, QString *reason)
{
    if (::access(path.constData(), W_OK) != 0) {
        *reason = systemReason(errno);
        return std::nullopt;
    }
    return Target{path, Keeps{st.st_uid, st.st_gid, mode_t(st.st_mode & 07777)}};
}

/// The file path names, following links, or the reason it must not be written.
std::optional<Target> findTarget(const QByteArray &path, QString *reason)
{
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        if (errno == ENOENT)
            return Target{path, std::nullopt}; // a missing folder shows when the new file is made
        *reason = systemReason(errno);
        return std::nullopt;
    }
    if (S_ISREG(st.st_mode))
        return replaceable(path, st, reason);
    if (!S_ISLNK(st.st_mode)) {
        *reason = QStringLiteral("it is %1, not a regular file").arg(kindOf(st.st_mode));
        return std::nullopt;
    }
    // The file at the end of the links is replaced, so every link stays as it is. Like cp, never
    // write through a link to nothing: the name it gives may not be what the user meant.
    char *resolved = ::realpath(path.constData(), nullptr);
    if (!resolved) {
        *reason = errno == ENOENT ? QStringLiteral("it is a symbolic link to a file that does not exist")
                                  : systemReason(errno);
        return std::nullopt;
    }
    const QByteArray real(resolved);
    std::free(resolved);
    if (::stat(real.constData(), &st) != 0) {
        *reason = systemReason(errno);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        *reason = QStringLiteral("it leads to %1, not a regular file").arg(kindOf(st.st_mode));
        return std::nullopt;
    }
    return replaceable(real, st, reason);
}

/// The folder a file stands in, opened to name files in it: names relative to it keep short,
/// however long the path to it is, so any path the system takes can be written.
struct Folder {
    int fd = -1;
    QByteArray fileName; ///< the target's name inside it
    ~Folder()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

/// Opens the folder of target; false with errno set if it cannot be.
bool openFolderOf(const QByteArray &target, Folder *folder)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray path = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
    folder->fileName = target.mid(slash + 1);
    folder->fd = ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return folder->fd >= 0;
}

/// The new file while it may exist, for removeUnfinishedFile(), which may run in a signal handler
/// on any thread: the folder's descriptor and the name in it, set before the file is made and
/// cleared once it has replaced the old one or is gone. Removing the name when no such file is
/// there does nothing: the name is random, and nobody else makes files of that name.
struct UnfinishedFile {
    std::atomic<int> folderFd{-1};
    char name[32] = {};
};
UnfinishedFile unfinished;
static_assert(std::atomic<int>::is_always_lock_free, "read in a signal handler");

void forgetUnfinishedFile()
{
    unfinished.folderFd.store(-1);
}

/// Creates a new, empty file in the folder, with the permissions a new file gets there. Returns
/// its descriptor and sets *name (relative to the folder), or -1 with errno set.
int createIn(const Folder &folder, QByteArray *name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = ".velmor-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        forgetUnfinishedFile();
        std::memcpy(unfinished.name, name->constData(), std::size_t(name->size()) + 1);
        unfinished.folderFd.store(folder.fd);
        const int fd = ::openat(folder.fd, name->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO; // no progress and no reason: do not spin
            return false;
        }
        next += written;
        left -= written;
    }
    return true;
}

/// Gives the new file the owner, group and permissions of the file it replaces, the permissions
/// last, as a change of owner clears the set-user and set-group bits. Returns 0, or the error
/// number: a user who may write a file of someone else's cannot make the new one theirs, and
/// then the file is not replaced.
int keep(int fd, const Keeps &keeps)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    if ((st.st_uid != keeps.owner || st.st_gid != keeps.group) && ::fchown(fd, keeps.owner, keeps.group) != 0)
        return errno;
    return ::fchmod(fd, keeps.permissions) != 0 ? errno : 0;
}

/// Fills the new file, gives it what the file it replaces keeps, makes it reach the disk and
/// closes it. Returns 0, or the error number of the first step that failed.
int fill(int fd, const QByteArray &contents, const std::optional<Keeps> &keeps)
{
    int error = keeps ? keep(fd, *keeps) : 0;
    if (!error && !writeAll(fd, contents))
        error = errno;
    // A file system that cannot sync (EINVAL) has nothing further to report.
    if (!error && ::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    if (::close(fd) != 0 && !error) // a network file system may report a lost write only here
        error = errno;
    return error;
}

} // namespace

QString writeOutputFile(const QByteArray &path, const QByteArray &contents)
{
    const auto failure = [&path](const QString &reason) {
        return QStringLiteral("cannot write %1: %2").arg(shownText(path), reason);
    };
    QString reason;
    const std::optional<Target> target = findTarget(path, &reason);
    if (!target)
        return failure(reason);
    Folder folder;
    if (!openFolderOf(target->path, &folder))
        return failure(systemReason(errno));
    QByteArray temporary;
    const int fd = createIn(folder, &temporary);
    const auto forget = qScopeGuard(forgetUnfinishedFile); // before the folder closes
    if (fd < 0)
        return failure(systemReason(errno));
    int error = fill(fd, contents, target->keeps);
    if (!error && ::renameat(folder.fd, temporary.constData(), folder.fd, folder.fileName.constData()) != 0)
        error = errno;
    if (!error)
        return {};
    ::unlinkat(folder.fd, temporary.constData(), 0);
    return failure(systemReason(error));
}

void removeUnfinishedFile()
{
    const int folderFd = unfinished.folderFd.load();
    if (folderFd >= 0) {
        const int savedErrno = errno;
        ::unlinkat(folderFd, unfinished.name, 0);
        errno = savedErrno;
    }
}

namespace {

void removeUnfinishedFileAndDie(int signal)
{
    removeUnfinishedFile();
    // The handler was reset to the default as it started (SA_RESETHAND): the signal, raised again,
    // ends the program once this returns, as if it had never been caught.
    ::raise(signal);
}

} // namespace

void removeUnfinishedFileOnSignals()
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current {};
        // A signal the user's shell set to be ignored (nohup, a background job) stays ignored.
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction removing {};
        removing.sa_handler = removeUnfinishedFileAndDie;
        removing.sa_flags = SA_RESETHAND;
        sigemptyset(&removing.sa_mask);
        ::sigaction(signal, &removing, nullptr);
    }
}
