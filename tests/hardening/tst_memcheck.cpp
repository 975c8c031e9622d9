// A whole session under a memory checker: start-up, 200 picks across the three lists, EXIT, on
// screens of several pixel densities, fractional ones and ones below 1 among them. The plain
// build runs it under valgrind's memcheck; a build with AddressSanitizer runs it as it is, its
// sanitizers checking the same things.
#include "sanitizers.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <cstdio>

namespace {

constexpr int Picks = 200;

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
    for (const char *scale : {"1", "0.5", "0.75", "1.25", "2"})
        QTest::addRow("scale %s", scale) << QString::fromLatin1(scale);
}

void TestMemcheck::sessionOfPicksIsClean()
{
    QFETCH(QString, scale);
    const QString session = QStringLiteral(PICKSESSION);
    QString program = session;
    QStringList arguments{QString::number(Picks)};
    if (!AddressSanitizerBuild) {
        program = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
        if (program.isEmpty())
            QSKIP("valgrind is not installed (Debian package valgrind)");
        arguments = QStringList{QStringLiteral("--tool=memcheck"), QStringLiteral("--error-exitcode=1"),
                                QStringLiteral("--leak-check=full"), QStringLiteral("--errors-for-leak-kinds=definite,indirect"),
                                QStringLiteral("--show-leak-kinds=definite,indirect"), QStringLiteral("--num-callers=40"),
                                QStringLiteral("--gen-suppressions=all"), QStringLiteral("--suppressions=" VALGRIND_SUPPRESSIONS),
                                session} + arguments;
    }
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    run.setProcessEnvironment(env);
    run.start(program, arguments);
    QVERIFY2(run.waitForFinished(15 * 60 * 1000), "the session did not end within 15 minutes");
    const QString out = QString::fromLocal8Bit(run.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(run.readAllStandardError());
    const bool clean = run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
    if (!clean)
        std::fputs(qPrintable(err), stderr); // the whole report: test messages are cut short
    QVERIFY2(clean, qPrintable(QStringLiteral("the session ended with status %1; its report is above").arg(run.exitCode())));
    QVERIFY2(out.contains(QStringLiteral("%1 picks, then EXIT with status 0").arg(Picks)), qPrintable(out + err));
    if (!AddressSanitizerBuild) {
        const QString summary = summaryLines(err);
        qInfo("memcheck: %s", qPrintable(summary));
        QVERIFY2(summary.contains(QLatin1String("ERROR SUMMARY: 0 errors")), qPrintable(err));
    }
}

QTEST_GUILESS_MAIN(TestMemcheck)
#include "tst_memcheck.moc"
