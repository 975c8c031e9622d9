// A whole session under a memory checker: start-up, 200 picks across the three lists, EXIT, on
// screens of several pixel densities, fractional ones and ones below 1 among them; and once with
// a PRINT that the print system never answers before EXIT, so that the session ends while the
// print worker still waits. The plain build runs it under valgrind's memcheck; a build with
// AddressSanitizer runs it as it is, its sanitizers checking the same things.
#include "sanitizers.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int Picks = 200;

/// A print scheduler that hangs: a socket that takes connections, as nothing accepts them, and
/// never answers a request.
class SilentScheduler
{
public:
    explicit SilentScheduler(const QString &path)
        : m_fd(::socket(AF_UNIX, SOCK_STREAM, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = path.toLocal8Bit();
        if (m_fd < 0 || name.size() >= int(sizeof address.sun_path))
            return;
        std::memcpy(address.sun_path, name.constData(), name.size());
        m_listening =
            ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 && ::listen(m_fd, 16) == 0;
    }
    ~SilentScheduler()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SilentScheduler(const SilentScheduler &) = delete;
    SilentScheduler &operator=(const SilentScheduler &) = delete;

    bool listening() const { return m_listening; }

private:
    int m_fd;
    bool m_listening = false;
};

/// The lines of a memcheck log that sum it up, without the process-id prefix.
QString summaryLines(const QString &log)
{
    QStringList lines;
    for (const QString &line : log.split(u'\n')) {
        const QString text = line.section(QStringLiteral("== "), 1).trimmed();
        if (text.startsWith(QLatin1String("ERROR SUMMARY")) || text.startsWith(QLatin1String("definitely lost"))
            || text.startsWith(QLatin1String("indirectly lost")) || text.startsWith(QLatin1String("All heap blocks")))
            lines << text;
    }
    return lines.join(QStringLiteral("; "));
}

/// valgrind's memcheck over session: every error and every definite or indirect leak fails it.
QStringList memcheckArguments(const QString &session)
{
    return {QStringLiteral("--tool=memcheck"),
            QStringLiteral("--error-exitcode=1"),
            QStringLiteral("--leak-check=full"),
            QStringLiteral("--errors-for-leak-kinds=definite,indirect"),
            QStringLiteral("--show-leak-kinds=definite,indirect"),
            QStringLiteral("--num-callers=40"),
            QStringLiteral("--gen-suppressions=all"),
            QStringLiteral("--suppressions=" VALGRIND_SUPPRESSIONS),
            session};
}

/// What valgrind said when it could not run the session at all, or an empty string when it ran
/// it. It gives up on debug information it cannot read ("debuginfo reader: ... Giving up"), and
/// stops at start-up when the system lacks symbols it needs ("Fatal error at startup").
QString whyValgrindCannotRun(const QString &log)
{
    QStringList said;
    bool stopped = false;
    for (const QString &line : log.split(u'\n')) {
        // While running, its lines start "==pid== Valgrind: "; at start-up, "valgrind: ".
        const QString text = (line.startsWith(u'=') ? line.section(QStringLiteral("== "), 1) : line).trimmed();
        if (!text.startsWith(QLatin1String("Valgrind:"), Qt::CaseInsensitive))
            continue;
        said << text.mid(9).trimmed();
        stopped = stopped || text.contains(QLatin1String("Giving up"))
            || text.contains(QLatin1String("Fatal error at startup"));
    }
    return stopped ? said.join(u' ') : QString();
}

} // namespace

class TestMemcheck : public QObject
{
    Q_OBJECT

private slots:
    void sessionOfPicksIsClean_data();
    void sessionOfPicksIsClean();
};

void TestMemcheck::sessionOfPicksIsClean_data()
{
    QTest::addColumn<QString>("scale");
    QTest::addColumn<bool>("print"); // PRINT, which the print system never answers, before EXIT
    for (const char *scale : {"1", "0.5", "0.75", "1.25", "2"})
        QTest::addRow("scale %s", scale) << QString::fromLatin1(scale) << false;
    QTest::addRow("scale 1, EXIT while PRINT waits on the print system") << QStringLiteral("1") << true;
}

void TestMemcheck::sessionOfPicksIsClean()
{
    QFETCH(QString, scale);
    QFETCH(bool, print);
    const QString session = QStringLiteral(PICKSESSION);
    QString program = session;
    QStringList arguments{QString::number(Picks)};
    QTemporaryDir folder;
    const SilentScheduler scheduler(folder.filePath(QStringLiteral("cups.sock")));
    if (print) {
        QVERIFY(scheduler.listening());
        arguments << QStringLiteral("print");
    }
    if (!AddressSanitizerBuild) {
        program = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
        if (program.isEmpty())
            QSKIP("valgrind is not installed (Debian package valgrind)");
        arguments = memcheckArguments(session) + arguments;
    }
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    if (print)
        env.insert(QStringLiteral("CUPS_SERVER"), folder.filePath(QStringLiteral("cups.sock")));
    run.setProcessEnvironment(env);
    run.start(program, arguments);
    QVERIFY2(run.waitForFinished(15 * 60 * 1000), "the session did not end within 15 minutes");
    const QString out = QString::fromLocal8Bit(run.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(run.readAllStandardError());
    const bool clean = run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
    // When valgrind gives up before the session runs (debug information it cannot read, symbols
    // the system lacks), nothing was checked: the test cannot run here, it did not find a fault.
    if (!AddressSanitizerBuild && !clean) {
        const QString reason = whyValgrindCannotRun(err);
        if (!reason.isEmpty())
            QSKIP(qPrintable(QStringLiteral("valgrind cannot check the session here: ") + reason));
    }
    if (!clean)
        std::fputs(qPrintable(err), stderr); // the whole report: test messages are cut short
    QVERIFY2(clean,
             qPrintable(QStringLiteral("the session ended with status %1; its report is above").arg(run.exitCode())));
    QVERIFY2(out.contains(QStringLiteral("%1 picks, then EXIT with status 0").arg(Picks)), qPrintable(out + err));
    if (!AddressSanitizerBuild) {
        const QString summary = summaryLines(err);
        qInfo("memcheck: %s", qPrintable(summary));
        QVERIFY2(summary.contains(QLatin1String("ERROR SUMMARY: 0 errors")), qPrintable(err));
    }
}

QTEST_GUILESS_MAIN(TestMemcheck)
#include "tst_memcheck.moc"
