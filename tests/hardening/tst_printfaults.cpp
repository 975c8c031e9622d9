// Print when the printing goes wrong: no default printer, one named in PRINTER or LPDEST that the
// print system does not have, a print system that cannot be reached or does not answer, a queue
// that refuses jobs, a stopped queue. Each time the user is told within seconds what went wrong
// while the window goes on handling its events, and once the printing is repaired the next PRINT
// reaches the queue. Runs on the private print queue of scripts/test.sh, which it breaks and
// repairs with the CUPS commands, the variables the print system reads and signals to its
// scheduler.
#include "hardening.h"

#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "printing/printing.h"
#include "printing/printqueue.h"
#include "printing/printrequest.h"
#include "window/mainwindow.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <optional>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

enum class Fault {
    NoDefaultPrinter,
    PrinterNamesMissingQueue,
    LpdestNamesMissingQueue,
    NoSchedulerSocket,
    SchedulerSocketDead,
    QueueRejectsJobs,
    QueueStopped,
};

/// How long the user may wait for a message: the request's own limit and a margin for a slow
/// (sanitizer) build.
constexpr int AnswerLimit = std::chrono::milliseconds(PrintRequest::AnswerTime).count() + 5000;
/// How long the PRINT button or a call of printOnDefaultPrinter() may take: it only starts the request.
constexpr int StartLimit = 1000;

/// Runs a command in the print session's own environment (its scheduler, no default named in
/// PRINTER or LPDEST), whatever the faults set in this process's; its standard output, trimmed, or
/// nothing when it fails.
std::optional<QString> run(const QProcessEnvironment &environment, const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s %s failed: %s", qPrintable(program), qPrintable(arguments.join(u' ')),
                 p.readAllStandardError().constData());
        return std::nullopt;
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

/// One of the CUPS commands, found in /usr/sbin also when the search path lacks it.
QString cupsCommand(const char *command)
{
    const QString name = QString::fromLatin1(command);
    QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin")});
    return program.isEmpty() ? name : program;
}

QStringList pdfFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

/// The process id of the scheduler scripts/cups-session.sh started for the socket, from the pid
/// file in the socket's folder; 0 unless that process still runs that folder's scheduler.
pid_t schedulerPid(const QString &socket)
{
    const QString folder = QFileInfo(socket).absolutePath();
    QFile pidFile(folder + QStringLiteral("/cupsd.pid"));
    if (!pidFile.open(QIODevice::ReadOnly))
        return 0;
    const pid_t pid = QString::fromLatin1(pidFile.readAll()).trimmed().toInt();
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (pid <= 0 || !commandLine.open(QIODevice::ReadOnly)
        || !commandLine.readAll().contains((folder + QStringLiteral("/conf/cupsd.conf")).toLocal8Bit()))
        return 0;
    return pid;
}

/// The scheduler stopped (SIGSTOP), so that it takes connections and never answers, for as long as
/// this lives and at most for a limit. A watchdog process resumes it when this goes, when this test
/// process ends however it ends (its pipe closes) and at the limit, so that a window that waits on
/// it for good fails within seconds instead of holding up the suite.
class FrozenScheduler
{
public:
    FrozenScheduler(pid_t pid, std::chrono::seconds limit)
    {
        m_watchdog.setProgram(QStringLiteral("sh"));
        m_watchdog.setArguments(
            {QStringLiteral("-c"),
             QStringLiteral("timeout %1 cat >/dev/null; kill -CONT %2").arg(limit.count()).arg(pid)});
        m_watchdog.setStandardOutputFile(QProcess::nullDevice());
        m_watchdog.start();
        m_stopped = m_watchdog.waitForStarted() && ::kill(pid, SIGSTOP) == 0;
    }
    ~FrozenScheduler()
    {
        m_watchdog.closeWriteChannel();
        m_watchdog.waitForFinished();
    }
    FrozenScheduler(const FrozenScheduler &) = delete;
    FrozenScheduler &operator=(const FrozenScheduler &) = delete;

    bool stopped() const { return m_stopped; }

private:
    QProcess m_watchdog;
    bool m_stopped = false;
};

/// A socket file that no scheduler listens on, as one that ended without removing it leaves.
bool makeDeadSocket(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    if (name.size() >= int(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), name.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    if (fd >= 0)
        ::close(fd);
    return bound;
}

/// Counts the close requests that reach a widget, refusing them so that it stays, and its paints.
class EventWatch : public QObject
{
public:
    EventWatch(QWidget &closed, QWidget &painted)
        : m_closed(closed)
        , m_painted(painted)
    {
        m_closed.installEventFilter(this);
        m_painted.installEventFilter(this);
    }
    ~EventWatch() override
    {
        m_closed.removeEventFilter(this);
        m_painted.removeEventFilter(this);
    }

    int closeRequests = 0;
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_closed && event->type() == QEvent::Close) {
            ++closeRequests;
            event->ignore();
            return true;
        }
        if (watched == &m_painted && event->type() == QEvent::Paint)
            ++paints;
        return false;
    }

private:
    QWidget &m_closed;
    QWidget &m_painted;
};

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestPrintFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void failedPrintIsToldAndTheNextWorks_data();
    void failedPrintIsToldAndTheNextWorks();
    void unansweredPrintIsToldWhileTheWindowGoesOn_data();
    void unansweredPrintIsToldWhileTheWindowGoesOn();

private:
    bool setFault(Fault fault, bool broken);
    bool administer(const char *command, const QStringList &arguments);
    QString queuedJobs();
    void nextPrintReachesTheQueue(QStringList &shown);

    QString m_queue;
    QString m_outFolder;
    QString m_cupsServer;
    QProcessEnvironment m_session; ///< the environment the print session was started for
    QTemporaryDir m_scratch;
    QPushButton *m_print = nullptr;
};

void TestPrintFaults::initTestCase()
{
    if (qEnvironmentVariableIntValue("VELMOR_E2E") != 1)
        QSKIP("needs the print queue of scripts/test.sh (VELMOR_E2E=1)");
    m_outFolder = qEnvironmentVariable("VELMOR_CUPS_OUTDIR");
    m_cupsServer = qEnvironmentVariable("CUPS_SERVER");
    QVERIFY2(!m_outFolder.isEmpty() && !m_cupsServer.isEmpty(), "VELMOR_CUPS_OUTDIR or CUPS_SERVER is not set");
    QVERIFY(m_scratch.isValid());
    m_session = QProcessEnvironment::systemEnvironment();
    m_session.remove(QStringLiteral("PRINTER"));
    m_session.remove(QStringLiteral("LPDEST"));
    m_queue = run(m_session, QStringLiteral("lpstat"), {QStringLiteral("-d")})
                  .value_or(QString())
                  .section(QStringLiteral(": "), 1)
                  .trimmed();
    QVERIFY2(!m_queue.isEmpty(), "lpstat -d names no default queue");
    installFontSubstitutes();
    // PRINT reaches the window through the global reference, as in the program.
    MainWindow &window = mainWindow();
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    m_print = window.findChild<QPushButton *>(QStringLiteral("CMDPRINT"));
    QVERIFY(m_print);
}

void TestPrintFaults::cleanupTestCase()
{
    releaseMainWindow();
    // A worker that still waited would meet the print support torn down at the end of the process.
    QTRY_VERIFY_WITH_TIMEOUT(!printRequestOutstanding(), AnswerLimit);
}

bool TestPrintFaults::administer(const char *command, const QStringList &arguments)
{
    return run(m_session, cupsCommand(command), arguments).has_value();
}

/// Breaks or repairs the printing as the fault says; false when that failed.
bool TestPrintFaults::setFault(Fault fault, bool broken)
{
    const QString spare = QStringLiteral("velmor-spare");
    switch (fault) {
    case Fault::NoDefaultPrinter:
        // A spare queue made the default and then deleted leaves the scheduler with no default.
        if (!broken)
            return administer("lpadmin", {QStringLiteral("-d"), m_queue});
        return administer("lpadmin",
                          {QStringLiteral("-p"), spare, QStringLiteral("-E"), QStringLiteral("-v"),
                           QStringLiteral("velmorpdf:") + m_outFolder})
            && administer("lpadmin", {QStringLiteral("-d"), spare})
            && administer("lpadmin", {QStringLiteral("-x"), spare});
    case Fault::PrinterNamesMissingQueue:
        // The user's own default names a queue that is no more.
        return broken ? qputenv("PRINTER", "velmor-removed-queue") : qunsetenv("PRINTER");
    case Fault::LpdestNamesMissingQueue:
        // LPDEST comes before PRINTER, which names the queue that is there.
        if (!broken)
            return qunsetenv("LPDEST") && qunsetenv("PRINTER");
        return qputenv("LPDEST", "velmor-missing-queue") && qputenv("PRINTER", m_queue.toLocal8Bit());
    case Fault::NoSchedulerSocket:
        return qputenv("CUPS_SERVER", broken ? QByteArray("/nonexist.sock") : m_cupsServer.toLocal8Bit());
    case Fault::SchedulerSocketDead:
        return qputenv("CUPS_SERVER",
                       broken ? m_scratch.filePath(QStringLiteral("dead.sock")).toLocal8Bit()
                              : m_cupsServer.toLocal8Bit());
    case Fault::QueueRejectsJobs:
        return administer(broken ? "cupsreject" : "cupsaccept", {m_queue});
    case Fault::QueueStopped:
        return administer(broken ? "cupsdisable" : "cupsenable", {m_queue});
    }
    return false;
}

/// The jobs waiting in the queue, as lpstat -o lists them; "?" when it cannot tell.
QString TestPrintFaults::queuedJobs()
{
    return run(m_session, QStringLiteral("lpstat"), {QStringLiteral("-o"), m_queue}).value_or(QStringLiteral("?"));
}

/// Once the printing is repaired: PRINT again tells nothing and the page comes out of the queue.
void TestPrintFaults::nextPrintReachesTheQueue(QStringList &shown)
{
    const QStringList before = pdfFilesIn(m_outFolder);
    shown.clear();
    m_print->click();
    QTRY_VERIFY_WITH_TIMEOUT(pdfFilesIn(m_outFolder).size() == before.size() + 1, 60000);
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join(u'\n')));
    QFile pdf(QDir(m_outFolder).filePath(pdfFilesIn(m_outFolder).constLast()));
    QVERIFY2(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", qPrintable(pdf.fileName()));
    QTRY_VERIFY_WITH_TIMEOUT(!printRequestOutstanding(), AnswerLimit);
}

void TestPrintFaults::failedPrintIsToldAndTheNextWorks_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("told");
    const QString reasonNoFile = QString::fromLocal8Bit(std::strerror(ENOENT));
    const QString reasonRefused = QString::fromLocal8Bit(std::strerror(ECONNREFUSED));
    QTest::newRow("no default printer") << Fault::NoDefaultPrinter << QStringLiteral("no default printer is set up");
    QTest::newRow("PRINTER names a removed queue")
        << Fault::PrinterNamesMissingQueue
        << QStringLiteral("PRINTER names the printer \"velmor-removed-queue\" as the default, and the print system "
                          "has no printer of that name");
    QTest::newRow("LPDEST names a missing queue, over a PRINTER that is right")
        << Fault::LpdestNamesMissingQueue
        << QStringLiteral("LPDEST names the printer \"velmor-missing-queue\" as the default");
    QTest::newRow("no scheduler socket at CUPS_SERVER")
        << Fault::NoSchedulerSocket
        << QStringLiteral("the print system could not be reached at /nonexist.sock (%1)").arg(reasonNoFile);
    QTest::newRow("scheduler socket no one listens on")
        << Fault::SchedulerSocketDead
        << QStringLiteral("the print system could not be reached at %1 (%2)")
               .arg(m_scratch.filePath(QStringLiteral("dead.sock")), reasonRefused);
    QTest::newRow("queue refuses jobs") << Fault::QueueRejectsJobs << QStringLiteral("refused the job");
    QTest::newRow("queue stopped") << Fault::QueueStopped << QStringLiteral("is stopped");
}

void TestPrintFaults::failedPrintIsToldAndTheNextWorks()
{
    QFETCH(Fault, fault);
    QFETCH(QString, told);
    const bool asksTheQueue = fault == Fault::QueueRejectsJobs || fault == Fault::QueueStopped;
    if (fault != Fault::NoDefaultPrinter && !printQueueAnswers())
        QSKIP("built without CUPS (VELMOR_WITH_CUPS=OFF): Print cannot tell this from no default printer");
    if (fault == Fault::SchedulerSocketDead)
        QVERIFY(makeDeadSocket(m_scratch.filePath(QStringLiteral("dead.sock"))));
    QStringList shown;
    const MessageBoxCloser closer([&shown](const QString &text) { shown << text; });

    auto repair = qScopeGuard([&] { setFault(fault, false); });
    QVERIFY(setFault(fault, true));
    QElapsedTimer clock;
    clock.start();
    m_print->click(); // an error that left the handler would end this process here
    QVERIFY2(clock.elapsed() < StartLimit, qPrintable(QStringLiteral("PRINT took %1 ms").arg(clock.elapsed())));
    QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), AnswerLimit);
    QCOMPARE(shown.size(), 1);
    qInfo("told: %s", qPrintable(QString(shown.front()).replace(u'\n', u' ')));
    QVERIFY2(shown.front().startsWith(QLatin1String("Nothing was printed")) && shown.front().contains(told),
             qPrintable(shown.front()));
    if (asksTheQueue)
        QVERIFY2(shown.front().contains(m_queue), qPrintable(shown.front()));
    QTRY_VERIFY_WITH_TIMEOUT(!printRequestOutstanding(), AnswerLimit);
    // Nothing waits in the queue to come out later, after the message said nothing was printed.
    QCOMPARE(queuedJobs(), QString());

    repair.dismiss();
    QVERIFY(setFault(fault, false));
    nextPrintReachesTheQueue(shown);
}

void TestPrintFaults::unansweredPrintIsToldWhileTheWindowGoesOn_data()
{
    // The scheduler stops before PRINT, so the default printer is never found; or once the printer
    // is found and the page is about to be painted, so the job is handed over and never confirmed.
    QTest::addColumn<bool>("whileSubmitting");
    QTest::addColumn<QString>("told");
    QTest::newRow("while the printer is found")
        << false
        << QStringLiteral("Nothing was printed: the print system did not answer within %1 seconds")
               .arg(PrintRequest::AnswerTime.count());
    QTest::newRow("while the job is submitted")
        << true
        << QStringLiteral("but the print system did not confirm it within %1 seconds: it may still print")
               .arg(PrintRequest::AnswerTime.count());
}

void TestPrintFaults::unansweredPrintIsToldWhileTheWindowGoesOn()
{
    QFETCH(bool, whileSubmitting);
    QFETCH(QString, told);
    const pid_t scheduler = schedulerPid(m_cupsServer);
    QVERIFY2(scheduler > 0, qPrintable(QStringLiteral("no scheduler of scripts/cups-session.sh for ") + m_cupsServer));
    QStringList shown;
    const MessageBoxCloser closer([&shown](const QString &text) { shown << text; });
    MainWindow &window = mainWindow();
    EventWatch events(window, *window.findChild<BoardWidget *>());
    const QStringList before = pdfFilesIn(m_outFolder);
    // Well past the time the window waits, and well short of the print system's own time-out.
    const std::chrono::seconds freezeLimit = 3 * PrintRequest::AnswerTime;
    std::optional<FrozenScheduler> frozen;

    QElapsedTimer clock;
    clock.start();
    if (whileSubmitting) {
        printOnDefaultPrinter(window, window.board(), [&](const std::function<void()> &paint) {
            frozen.emplace(scheduler, freezeLimit);
            paint();
        });
    } else {
        frozen.emplace(scheduler, freezeLimit);
        m_print->click();
    }
    QVERIFY2(clock.elapsed() < StartLimit, qPrintable(QStringLiteral("PRINT took %1 ms").arg(clock.elapsed())));
    QTRY_VERIFY_WITH_TIMEOUT(frozen && frozen->stopped(), AnswerLimit);

    // Waiting, the window takes a close request and repaints.
    QCoreApplication::postEvent(&window, new QCloseEvent);
    const int paints = events.paints;
    window.findChild<BoardWidget *>()->update();
    QTRY_VERIFY_WITH_TIMEOUT(events.closeRequests == 1 && events.paints > paints, StartLimit);
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join(u'\n')));

    QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), AnswerLimit);
    QVERIFY2(clock.elapsed() < AnswerLimit, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(shown.size(), 1);
    qInfo("told: %s", qPrintable(QString(shown.front()).replace(u'\n', u' ')));
    QVERIFY2(shown.front().contains(told), qPrintable(shown.front()));
    QVERIFY2(!whileSubmitting || shown.front().contains(m_queue), qPrintable(shown.front()));

    // Asked again, the scheduler would keep the new request waiting as well: told at once.
    shown.clear();
    clock.restart();
    m_print->click();
    QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), StartLimit);
    QVERIFY2(shown.front().contains(QLatin1String("Nothing was printed: the print system has not yet answered the "
                                                  "previous PRINT")),
             qPrintable(shown.front()));

    frozen.reset();
    QTRY_VERIFY_WITH_TIMEOUT(!printRequestOutstanding(), AnswerLimit);
    if (whileSubmitting) {
        // As the message said, it may still print: the scheduler took it once it ran again.
        QTRY_VERIFY_WITH_TIMEOUT(pdfFilesIn(m_outFolder).size() == before.size() + 1, 60000);
    } else {
        QCOMPARE(queuedJobs(), QString());
        QCOMPARE(pdfFilesIn(m_outFolder), before);
    }
    nextPrintReachesTheQueue(shown);
}

QTEST_MAIN(TestPrintFaults)
#include "tst_printfaults.moc"
