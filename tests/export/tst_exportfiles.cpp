// What --export does to the file system: the one file it names, written whole or not at all,
// never a device, pipe or socket in its place, under exactly the name given; each run as the real
// program.
#include "velmorprocess.h"

#include "hardening/sanitizers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

/// The names in folder exactly as stored (bytes, not text), sorted.
QList<QByteArray> entriesOf(const QString &folder)
{
    QList<QByteArray> names;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

/// What sits at path, without following a link: its kind, and for a link where it leads.
QString nodeAt(const QString &path)
{
    struct stat st {};
    const QByteArray bytes = QFile::encodeName(path);
    if (::lstat(bytes.constData(), &st) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("link to ") + QFile::symLinkTarget(path);
    if (S_ISREG(st.st_mode))
        return QStringLiteral("file of %1 bytes").arg(st.st_size);
    if (S_ISCHR(st.st_mode))
        return QStringLiteral("device %1,%2").arg(major(st.st_rdev)).arg(minor(st.st_rdev));
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("named pipe");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("socket");
    return S_ISDIR(st.st_mode) ? QStringLiteral("folder") : QStringLiteral("other");
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Whether the bytes are a whole file of the kind the name's suffix asks for: each format's
/// last bytes are written last, so a cut-off file lacks them.
bool isWhole(const QString &name, const QByteArray &bytes)
{
    if (name.endsWith(QLatin1String(".png")))
        return bytes.startsWith("\x89PNG") && bytes.endsWith(QByteArray("IEND\xae\x42\x60\x82", 8));
    if (name.endsWith(QLatin1String(".pdf")))
        return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
    return bytes.startsWith("<!DOCTYPE html>") && bytes.trimmed().endsWith("</html>");
}

/// Makes a socket node at path, as a server listening there would leave it.
bool makeSocket(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, bytes.constData(), std::size_t(bytes.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

/// Runs an export inside folder with the file name given relative to it.
Run exportIn(const QString &folder, const QString &file, const std::function<void()> &inChild = {})
{
    return velmor(
        {QStringLiteral("--export"), file}, [&](QProcess &p) { p.setWorkingDirectory(folder); }, inChild);
}

/// The user and group "nobody", whom the tests of someone else's files act as.
constexpr uid_t Nobody = 65534;
constexpr gid_t NoGroup = 65534;

/// Why this test cannot act as another user: not run as root, or a folder on the program's path
/// that other users cannot pass. Empty when it can.
QString whyNotAsAnotherUser()
{
    if (::geteuid() != 0)
        return QStringLiteral("acting as another user needs root");
    for (QString folder = QFileInfo(QStringLiteral(VELMOR_BINARY)).absolutePath(); folder != QLatin1String("/");
         folder = QFileInfo(folder).absolutePath()) {
        struct stat st {};
        if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !(st.st_mode & S_IXOTH))
            return QStringLiteral("other users cannot reach the program through %1").arg(folder);
    }
    return {};
}

} // namespace

class TestExportFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
    void replacesARegularFileThroughItsLinks_data();
    void replacesARegularFileThroughItsLinks();
    void failedWriteLeavesTheOldFile_data();
    void failedWriteLeavesTheOldFile();
    void keepsTheNameAsItsBytes();
    void takesTheLongestPathTheSystemTakes();
    void refusesAFileTheUserCannotWrite_data();
    void refusesAFileTheUserCannotWrite();
    void replacedFileKeepsItsOwnerGroupAndMode();
    void exportIsQuietAndLeavesNoScratch_data();
    void exportIsQuietAndLeavesNoScratch();
    void runningOutOfMemoryIsOneLine_data();
    void runningOutOfMemoryIsOneLine();
    void signalLeavesNoNewFile_data();
    void signalLeavesNoNewFile();

private:
    QMap<QString, qsizetype> m_sizes; // of a whole export, by suffix
};

void TestExportFiles::initTestCase()
{
    QTemporaryDir dir;
    for (const QString &file :
         {QStringLiteral("board.png"), QStringLiteral("board.pdf"), QStringLiteral("board.html")}) {
        const Run run = exportIn(dir.path(), file);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QByteArray bytes = contentsOf(dir.filePath(file));
        QVERIFY2(isWhole(file, bytes), qPrintable(file));
        m_sizes[file.section(u'.', -1)] = bytes.size();
    }
}

void TestExportFiles::refusesWhatIsNotARegularFile_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("reason");
    QTest::newRow("named pipe") << "named pipe"
                                << "it is a named pipe, not a regular file";
    QTest::newRow("socket") << "socket"
                            << "it is a socket, not a regular file";
    QTest::newRow("device") << "device"
                            << "it is a device, not a regular file";
    QTest::newRow("link to a device") << "link to a device"
                                      << "it leads to a device, not a regular file";
    QTest::newRow("link to a named pipe") << "link to a named pipe"
                                          << "it leads to a named pipe, not a regular file";
    QTest::newRow("link to nothing") << "link to nothing"
                                     << "it is a symbolic link to a file that does not exist";
    QTest::newRow("folder") << "folder"
                            << "it is a folder, not a regular file";
    QTest::newRow("in a missing folder") << "missing folder"
                                         << "No such file or directory";
}

void TestExportFiles::refusesWhatIsNotARegularFile()
{
    QFETCH(QString, node);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString other = dir.filePath(QStringLiteral("other"));
    QString file = QStringLiteral("board.png");
    const QByteArray path = QFile::encodeName(dir.filePath(file));
    // A device node of our own, never one of /dev: a program that fails this row replaces it.
    const auto makeDevice = [](const QByteArray &at) {
        if (::geteuid() != 0)
            return false;
        return ::mknod(at.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    };
    if (node == QLatin1String("named pipe")) {
        QVERIFY(::mkfifo(path.constData(), 0644) == 0);
    } else if (node == QLatin1String("socket")) {
        QVERIFY(makeSocket(dir.filePath(file)));
    } else if (node == QLatin1String("device")) {
        if (!makeDevice(path))
            QSKIP("making a device node takes root");
    } else if (node == QLatin1String("link to a device")) {
        // Without root, /dev/null itself: the folder /dev is not ours to replace anything in.
        const QString device = makeDevice(QFile::encodeName(other)) ? other : QStringLiteral("/dev/null");
        QVERIFY(QFile::link(device, dir.filePath(file)));
    } else if (node == QLatin1String("link to a named pipe")) {
        QVERIFY(::mkfifo(QFile::encodeName(other).constData(), 0644) == 0);
        QVERIFY(QFile::link(QStringLiteral("other"), dir.filePath(file)));
    } else if (node == QLatin1String("link to nothing")) {
        QVERIFY(QFile::link(QStringLiteral("other"), dir.filePath(file)));
    } else if (node == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(file));
    } else {
        file = QStringLiteral("missing/board.png");
    }
    const QList<QByteArray> before = entriesOf(dir.path());
    const QString nodeBefore = nodeAt(dir.filePath(file));
    const QString otherBefore = nodeAt(other);

    const Run run = exportIn(dir.path(), file);
    QCOMPARE(run.status, 2);
    QCOMPARE(linesOf(run.err), QStringList{QStringLiteral("velmor: cannot write %1: %2").arg(file, reason)});
    QCOMPARE(nodeAt(dir.filePath(file)), nodeBefore);
    QCOMPARE(nodeAt(other), otherBefore);
    QCOMPARE(entriesOf(dir.path()), before);
}

void TestExportFiles::replacesARegularFileThroughItsLinks_data()
{
    QTest::addColumn<QStringList>("links"); // each links to the next; the last to the file
    QTest::newRow("the file itself") << QStringList();
    QTest::newRow("a link to the file") << QStringList{QStringLiteral("board.png")};
    QTest::newRow("a link to a link in another folder")
        << QStringList{QStringLiteral("board.png"), QStringLiteral("sub/middle.png")};
}

void TestExportFiles::replacesARegularFileThroughItsLinks()
{
    QFETCH(QStringList, links);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub/real")));
    const QString target = links.isEmpty() ? dir.filePath(QStringLiteral("board.png"))
                                           : dir.filePath(QStringLiteral("sub/real/board.png"));
    {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
    }
    QVERIFY(::chmod(QFile::encodeName(target).constData(), 0640) == 0);
    for (qsizetype i = 0; i < links.size(); ++i)
        QVERIFY(QFile::link(i + 1 < links.size() ? dir.filePath(links[i + 1]) : target, dir.filePath(links[i])));
    QStringList linksBefore;
    for (const QString &link : links)
        linksBefore << nodeAt(dir.filePath(link));

    const Run run = exportIn(dir.path(), QStringLiteral("board.png"));
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY(isWhole(QStringLiteral("board.png"), contentsOf(target)));
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(target).constData(), &st) == 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640)); // the file keeps who may read it
    QStringList linksAfter;
    for (const QString &link : links)
        linksAfter << nodeAt(dir.filePath(link));
    QCOMPARE(linksAfter, linksBefore);
    QCOMPARE(entriesOf(dir.filePath(QStringLiteral("sub/real"))).size(), links.isEmpty() ? 0 : 1);
}

void TestExportFiles::failedWriteLeavesTheOldFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("where"); // the part of the file that no longer fits
    for (const char *file : {"board.png", "board.pdf", "board.html"}) {
        for (const char *where : {"first byte", "middle", "last byte"}) {
            if (qstrcmp(file, "board.html") != 0 || qstrcmp(where, "middle") == 0)
                QTest::addRow("%s, the limit at the %s", file, where)
                    << QString::fromLatin1(file) << QString::fromLatin1(where);
        }
    }
}

void TestExportFiles::failedWriteLeavesTheOldFile()
{
    QFETCH(QString, file);
    QFETCH(QString, where);
    const qsizetype size = m_sizes.value(file.section(u'.', -1));
    const rlim_t limit = where == QLatin1String("first byte") ? 0
        : where == QLatin1String("middle")                    ? rlim_t(size / 2)
                                                              : rlim_t(size - 1);
    QTemporaryDir dir;
    {
        QFile old(dir.filePath(file));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
    }
    // The file size limit stands for a full disk or a quota: a write past it fails part way.
    const Run run = exportIn(dir.path(), file, [limit] {
        const rlimit fileSize{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &fileSize);
    });
    QCOMPARE(run.status, 2);
    QCOMPARE(linesOf(run.err), QStringList{QStringLiteral("velmor: cannot write %1: File too large").arg(file)});
    QCOMPARE(contentsOf(dir.filePath(file)), QByteArray("old contents"));
    QCOMPARE(entriesOf(dir.path()), QList<QByteArray>{QFile::encodeName(file)});
}

void TestExportFiles::keepsTheNameAsItsBytes()
{
    QTemporaryDir dir;
    // The shell makes the bytes: QProcess passes arguments as text, and these are not text.
    const Run run = velmor({}, [&](QProcess &p) {
        p.setWorkingDirectory(dir.path());
        p.setProgram(QStringLiteral("/bin/sh"));
        p.setArguments({QStringLiteral("-c"), QStringLiteral(R"sh(exec "$0" --export "$(printf 'bad\377\376.png')")sh"),
                        QStringLiteral(VELMOR_BINARY)});
    });
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QCOMPARE(entriesOf(dir.path()), QList<QByteArray>{QByteArray("bad\xff\xfe.png")});
}

void TestExportFiles::takesTheLongestPathTheSystemTakes()
{
    // 4088 bytes, under the system's 4096 (PATH_MAX with its end byte), a short name deep in
    // folders: the temporary file, whose name is longer than "b.png", must not make the path any
    // longer than the one given.
    constexpr qsizetype Length = 4088;
    const QByteArray name = "/b.png";
    QTemporaryDir dir;
    QByteArray path = QFile::encodeName(dir.path());
    while (path.size() < Length - name.size()) {
        const qsizetype left = Length - name.size() - path.size() - 1;
        path += '/' + QByteArray(left > 255 + 201 ? 200 : std::min<qsizetype>(left, 255), 'd');
        QVERIFY2(::mkdir(path.constData(), 0700) == 0, std::strerror(errno));
    }
    path += name;
    QCOMPARE(path.size(), Length);
    const Run run = velmor({QStringLiteral("--export"), QFile::decodeName(path)});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY(contentsOf(QFile::decodeName(path)).startsWith("\x89PNG"));
    QCOMPARE(entriesOf(QFile::decodeName(path.left(path.lastIndexOf('/')))), QList<QByteArray>{"b.png"});
}

void TestExportFiles::refusesAFileTheUserCannotWrite_data()
{
    QTest::addColumn<uid_t>("fileOwner");
    QTest::addColumn<int>("fileMode");
    // The shell's > refuses both; replacing them would need no more than a writable folder.
    QTest::newRow("one's own file, write-protected") << Nobody << 0444;
    QTest::newRow("someone else's file in a folder anyone may write") << uid_t(0) << 0644;
}

void TestExportFiles::refusesAFileTheUserCannotWrite()
{
    QFETCH(uid_t, fileOwner);
    QFETCH(int, fileMode);
    if (const QString why = whyNotAsAnotherUser(); !why.isEmpty())
        QSKIP(qPrintable(why));
    QTemporaryDir dir;
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0); // no sticky bit
    const QByteArray file = QFile::encodeName(dir.filePath(QStringLiteral("board.png")));
    {
        QFile old(QString::fromLocal8Bit(file));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
    }
    QVERIFY(::chown(file.constData(), fileOwner, fileOwner) == 0 && ::chmod(file.constData(), mode_t(fileMode)) == 0);
    const Run run = velmor(
        {QStringLiteral("--export"), QStringLiteral("board.png")},
        [&](QProcess &p) {
            p.setWorkingDirectory(dir.path());
            QProcessEnvironment env = p.processEnvironment();
            env.insert(QStringLiteral("HOME"), dir.path());
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
            p.setProcessEnvironment(env);
        },
        [] {
            ::setgroups(0, nullptr);
            if (::setgid(NoGroup) != 0 || ::setuid(Nobody) != 0)
                ::_exit(125);
        });
    QCOMPARE(run.status, 2);
    QVERIFY2(linesOf(run.err).contains(QStringLiteral("velmor: cannot write board.png: Permission denied")),
             qPrintable(run.err));
    QCOMPARE(contentsOf(QString::fromLocal8Bit(file)), QByteArray("old contents"));
    struct stat st {};
    QVERIFY(::stat(file.constData(), &st) == 0);
    QCOMPARE(st.st_uid, fileOwner);
    QCOMPARE(int(st.st_mode & 07777), fileMode);
    QCOMPARE(entriesOf(dir.path()), QList<QByteArray>{QByteArray("board.png")});
}

void TestExportFiles::replacedFileKeepsItsOwnerGroupAndMode()
{
    if (::geteuid() != 0)
        QSKIP("giving a file to another user needs root");
    QTemporaryDir dir;
    const QByteArray file = QFile::encodeName(dir.filePath(QStringLiteral("board.png")));
    {
        QFile old(QString::fromLocal8Bit(file));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
    }
    QVERIFY(::chown(file.constData(), Nobody, NoGroup) == 0 && ::chmod(file.constData(), 0640) == 0);
    const Run run = exportIn(dir.path(), QStringLiteral("board.png"));
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY(contentsOf(QString::fromLocal8Bit(file)).startsWith("\x89PNG"));
    struct stat st {};
    QVERIFY(::stat(file.constData(), &st) == 0);
    QCOMPARE(st.st_uid, Nobody);
    QCOMPARE(st.st_gid, NoGroup);
    QCOMPARE(int(st.st_mode & 07777), 0640);
}

void TestExportFiles::exportIsQuietAndLeavesNoScratch_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("tmpdir"); // empty: as the test runs
    QTest::newRow("PNG, no XDG_RUNTIME_DIR") << "board.png" << QString();
    QTest::newRow("PDF, no XDG_RUNTIME_DIR") << "board.pdf" << QString();
    QTest::newRow("PDF, TMPDIR a missing folder") << "board.pdf"
                                                  << "/nonexistent/velmor-tmp";
    QTest::newRow("PNG, TMPDIR a missing folder") << "board.png"
                                                  << "/nonexistent/velmor-tmp";
}

void TestExportFiles::exportIsQuietAndLeavesNoScratch()
{
    QFETCH(QString, file);
    QFETCH(QString, tmpdir);
    // With TMPDIR unusable the toolkit would put its fallback runtime folder at the root.
    const QString strayRuntime = QStringLiteral("/runtime-") + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name);
    const bool strayBefore = QFileInfo::exists(strayRuntime);
    QTemporaryDir dir;
    const Run run = velmor({QStringLiteral("--export"), file}, [&](QProcess &p) {
        p.setWorkingDirectory(dir.path());
        QProcessEnvironment env = p.processEnvironment();
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        if (!tmpdir.isEmpty())
            env.insert(QStringLiteral("TMPDIR"), tmpdir);
        p.setProcessEnvironment(env);
    });
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(entriesOf(dir.path()), QList<QByteArray>{QFile::encodeName(file)});
    QVERIFY(isWhole(file, contentsOf(dir.filePath(file))));
    QVERIFY2(strayBefore || !QFileInfo::exists(strayRuntime), qPrintable(strayRuntime));
}

void TestExportFiles::runningOutOfMemoryIsOneLine_data()
{
    QTest::addColumn<QStringList>("arguments"); // after --export FILE
    QTest::addColumn<int>("limitMB");           // ulimit -v, in MiB
    QTest::addColumn<bool>("mayFit");           // whether the export may also succeed
    // Below the least the program starts under: the font library would crash on the way.
    QTest::newRow("below the least, 100 MB") << QStringList{"png"} << 100 << false;
    // An A0 page is drawn at 300 dots an inch: over a gigabyte, so it cannot fit.
    QTest::newRow("PDF on A0 paper, 400 MB") << QStringList{"--page-size", "a0"} << 400 << false;
    // Near the least the program needs, each kind may just fit, or not: never hang nor crash.
    for (const int limit : {170, 250})
        for (const char *kind : {"png", "pdf", "html"})
            QTest::addRow("%s, %d MB", kind, limit) << QStringList{QString::fromLatin1(kind)} << limit << true;
}

void TestExportFiles::runningOutOfMemoryIsOneLine()
{
    if (AddressSanitizerBuild)
        QSKIP("AddressSanitizer's shadow memory cannot live under a memory limit");
    QFETCH(QStringList, arguments);
    QFETCH(int, limitMB);
    QFETCH(bool, mayFit);
    const QString file = arguments.constFirst().size() <= 4 ? QStringLiteral("board.") + arguments.takeFirst()
                                                            : QStringLiteral("board.pdf");
    QTemporaryDir dir;
    {
        QFile old(dir.filePath(file));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
    }
    const rlim_t limit = rlim_t(limitMB) << 20;
    const Run run = velmor(
        QStringList{QStringLiteral("--export"), file} + arguments,
        [&](QProcess &p) { p.setWorkingDirectory(dir.path()); },
        [limit] {
            const rlimit memory{limit, limit};
            ::setrlimit(RLIMIT_AS, &memory);
        },
        20000);
    QVERIFY2(run.status != -1, "the export hung or crashed");
    QCOMPARE(entriesOf(dir.path()), QList<QByteArray>{QFile::encodeName(file)});
    if (mayFit && run.status == 0) {
        QCOMPARE(run.err, QString());
        QVERIFY(isWhole(file, contentsOf(dir.filePath(file))));
        return;
    }
    QCOMPARE(run.status, 2);
    const QString said = limitMB < 160
        ? QStringLiteral("velmor: the memory limit, ulimit -v, is %1 MB; velmor needs at least 160 MB to start")
              .arg(limitMB)
        : QStringLiteral("velmor: out of memory: %1 was not written (the memory limit, ulimit -v, is %2 MB)")
              .arg(file)
              .arg(limitMB);
    QCOMPARE(linesOf(run.err), QStringList{said});
    QCOMPARE(contentsOf(dir.filePath(file)), QByteArray("old contents"));
}

void TestExportFiles::signalLeavesNoNewFile_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestExportFiles::signalLeavesNoNewFile()
{
    QFETCH(int, signal);
    // The signal comes the moment the new file appears beside the old one, while it is being
    // filled; a run may still end first, but no run may leave the new file behind.
    constexpr int Runs = 12;
    for (int i = 0; i < Runs; ++i) {
        const QString file = QStringList{"board.html", "board.pdf", "board.png"}.at(i % 3);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath(file));
        {
            QFile old(dir.filePath(file));
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
        }
        const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        QVERIFY(watch >= 0 && ::inotify_add_watch(watch, QFile::encodeName(dir.path()).constData(), IN_CREATE) >= 0);
        const auto closeWatch = qScopeGuard([watch] { ::close(watch); });

        // As from a shell: the three signals at their defaults, whatever this test inherited.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (const int s : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
            sigaddset(&defaults, s);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
        const QByteArray program = VELMOR_BINARY;
        char *argv[] = {const_cast<char *>(program.constData()), const_cast<char *>("--export"),
                        const_cast<char *>(path.constData()), nullptr};
        pid_t pid = 0;
        QCOMPARE(posix_spawn(&pid, argv[0], nullptr, &attributes, argv, environ), 0);
        posix_spawnattr_destroy(&attributes);

        int status = 0;
        bool signalled = false;
        const QDeadlineTimer deadline(20000);
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (deadline.hasExpired()) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                QFAIL("the export did not end");
            }
            pollfd ready{watch, POLLIN, 0};
            if (!signalled && ::poll(&ready, 1, 5) == 1) {
                alignas(inotify_event) char events[4096];
                const ssize_t size = ::read(watch, events, sizeof events);
                for (ssize_t at = 0; at < size && !signalled;) {
                    const auto *event = reinterpret_cast<const inotify_event *>(events + at);
                    if (event->len > 0 && QByteArray(event->name).startsWith(".velmor-")) {
                        ::kill(pid, signal);
                        signalled = true;
                    }
                    at += ssize_t(sizeof(inotify_event) + event->len);
                }
            }
        }
        QVERIFY2(signalled, "the export made no new file");
        // Ended by the signal, as the shell expects, unless it had finished first.
        QVERIFY2((WIFSIGNALED(status) && WTERMSIG(status) == signal) || (WIFEXITED(status) && WEXITSTATUS(status) == 0),
                 qPrintable(QStringLiteral("run %1 ended with wait status %2").arg(i).arg(status)));
        QCOMPARE(entriesOf(dir.path()), QList<QByteArray>{QFile::encodeName(file)});
        const QByteArray contents = contentsOf(dir.filePath(file));
        QVERIFY2(contents == "old contents" || isWhole(file, contents), qPrintable(file));
    }
}

QTEST_GUILESS_MAIN(TestExportFiles)
#include "tst_exportfiles.moc"
