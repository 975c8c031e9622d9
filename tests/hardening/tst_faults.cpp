// A fault the guide cannot recover from: a pin write that fails half-way through a CPU pick. It
// must reach the user as a message naming what failed and end the program with status 1, never
// as a crash. (A stored picture that does not read stops the build instead: tst_picturepixels.)
#include "hardening.h"

#include "layout/fonts.h"
#include "window/mainwindow.h"

#include <QProcess>
#include <QtTest>

#include <sys/resource.h>

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void faultEndsTheProgramWithAMessage_data();
    void faultEndsTheProgramWithAMessage();
};

void TestFaults::initTestCase()
{
    installFontSubstitutes();
}

void TestFaults::faultEndsTheProgramWithAMessage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("fifth pin write of a CPU pick fails")
        << QStringList{QStringLiteral("failing-write")}
        << QStringLiteral("Element \"V2JP8\": setting the fill color failed");
}

void TestFaults::faultEndsTheProgramWithAMessage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    QProcess probe;
    // A probe that crashes leaves no core file behind.
    probe.setChildProcessModifier([] {
        const rlimit none{0, 0};
        setrlimit(RLIMIT_CORE, &none);
    });
    probe.start(QStringLiteral(FAULTPROBE), arguments);
    QVERIFY2(probe.waitForFinished(60000), "the probe did not end");
    const QString err = QString::fromLocal8Bit(probe.readAllStandardError());
    QVERIFY2(probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 1,
             qPrintable(QStringLiteral("%1 with status %2:\n%3")
                            .arg(probe.exitStatus() == QProcess::NormalExit ? QStringLiteral("ended")
                                                                            : QStringLiteral("crashed"))
                            .arg(probe.exitCode())
                            .arg(err)));
    // On the terminal, and in the box the user reads before the program ends.
    QVERIFY2(err.contains(QStringLiteral("velmor: ") + named), qPrintable(err));
    const QString box = err.section(QStringLiteral("faultprobe: message box: "), 1, 1).section(u'\n', 0, 0);
    QVERIFY2(box.contains(QStringLiteral("cannot recover")) && box.contains(named), qPrintable(err));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
