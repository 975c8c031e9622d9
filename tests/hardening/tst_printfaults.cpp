// Print when the printing goes wrong: no default printer, a queue that refuses jobs, a stopped
// queue. Each time the user is told that nothing was printed and the guide goes on; once the
// printer is back the next PRINT reaches the queue. Runs on the private print queue of
// scripts/test.sh, which it breaks and repairs with the CUPS commands.
#include "hardening.h"

#include "layout/fonts.h"
#include "printing/printqueue.h"
#include "window/mainwindow.h"

#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include <optional>

namespace {

enum class Fault { NoDefaultPrinter, QueueRejectsJobs, QueueStopped };

/// Runs a command; its standard output, trimmed, or nothing when it fails.
std::optional<QString> run(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning("%s %s failed: %s", qPrintable(program), qPrintable(arguments.join(u' ')),
                 p.readAllStandardError().constData());
        return std::nullopt;
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

/// The print system's default queue, as lpstat -d names it.
QString defaultQueue()
{
    return run(QStringLiteral("lpstat"), {QStringLiteral("-d")})
        .value_or(QString())
        .section(QStringLiteral(": "), 1)
        .trimmed();
}

/// Runs one of the CUPS administration commands on the queue, found in /usr/sbin also when the
/// search path lacks it; false when it failed.
bool administer(const char *command, const QString &queue)
{
    const QString name = QString::fromLatin1(command);
    QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin")});
    return run(program.isEmpty() ? name : program, {queue}).has_value();
}

/// Breaks or repairs the printing as the fault says; false when that failed.
bool setFault(Fault fault, const QString &queue, bool broken)
{
    switch (fault) {
    case Fault::NoDefaultPrinter:
        // The user's own default names a queue that is no more.
        return broken ? qputenv("PRINTER", "velmor-removed-queue") : qunsetenv("PRINTER");
    case Fault::QueueRejectsJobs:
        return administer(broken ? "cupsreject" : "cupsaccept", queue);
    case Fault::QueueStopped:
        return administer(broken ? "cupsdisable" : "cupsenable", queue);
    }
    return false;
}

QStringList pdfFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

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

private:
    QString m_queue;
    QString m_outFolder;
};

void TestPrintFaults::initTestCase()
{
    if (qEnvironmentVariableIntValue("VELMOR_E2E") != 1)
        QSKIP("needs the print queue of scripts/test.sh (VELMOR_E2E=1)");
    m_outFolder = qEnvironmentVariable("VELMOR_CUPS_OUTDIR");
    QVERIFY2(!m_outFolder.isEmpty(), "VELMOR_CUPS_OUTDIR is not set");
    m_queue = defaultQueue();
    QVERIFY2(!m_queue.isEmpty(), "lpstat -d names no default queue");
    installFontSubstitutes();
    // PRINT reaches the window through the global reference, as in the program.
    MainWindow &window = mainWindow();
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void TestPrintFaults::cleanupTestCase()
{
    releaseMainWindow();
}

void TestPrintFaults::failedPrintIsToldAndTheNextWorks_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("told");
    QTest::newRow("no default printer") << Fault::NoDefaultPrinter << QStringLiteral("no default printer is set up");
    QTest::newRow("queue refuses jobs") << Fault::QueueRejectsJobs << QStringLiteral("refused the job");
    QTest::newRow("queue stopped") << Fault::QueueStopped << QStringLiteral("is stopped");
}

void TestPrintFaults::failedPrintIsToldAndTheNextWorks()
{
    QFETCH(Fault, fault);
    QFETCH(QString, told);
    if (fault != Fault::NoDefaultPrinter && !printQueueAnswers())
        QSKIP("built without CUPS (VELMOR_WITH_CUPS=OFF): Print cannot tell a stopped or refusing queue");
    QStringList shown;
    const MessageBoxCloser closer([&shown](const QString &text) { shown << text; });
    auto *print = mainWindow().findChild<QPushButton *>(QStringLiteral("CMDPRINT"));
    const QStringList before = pdfFilesIn(m_outFolder);

    auto repair = qScopeGuard([&] { setFault(fault, m_queue, false); });
    QVERIFY(setFault(fault, m_queue, true));
    print->click(); // an error that left the handler would end this process here
    QCOMPARE(shown.size(), 1);
    qInfo("told: %s", qPrintable(QString(shown.front()).replace(u'\n', u' ')));
    QVERIFY2(shown.front().startsWith(QLatin1String("Nothing was printed")) && shown.front().contains(told),
             qPrintable(shown.front()));
    if (fault != Fault::NoDefaultPrinter)
        QVERIFY2(shown.front().contains(m_queue), qPrintable(shown.front()));
    // Nothing waits in the queue to come out later, after the message said nothing was printed.
    QCOMPARE(run(QStringLiteral("lpstat"), {QStringLiteral("-o"), m_queue}), std::optional(QString()));

    repair.dismiss();
    QVERIFY(setFault(fault, m_queue, false));
    shown.clear();
    print->click();
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join(u'\n')));
    QTRY_VERIFY_WITH_TIMEOUT(pdfFilesIn(m_outFolder).size() == before.size() + 1, 60000);
    QFile pdf(QDir(m_outFolder).filePath(pdfFilesIn(m_outFolder).constLast()));
    QVERIFY2(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", qPrintable(pdf.fileName()));
}

QTEST_MAIN(TestPrintFaults)
#include "tst_printfaults.moc"
