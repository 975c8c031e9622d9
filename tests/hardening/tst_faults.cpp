// Faults the guide cannot recover from: a pin write that fails half-way through a CPU pick, and
// a built-in picture that does not decode. Each must reach the user as a message naming what
// failed and end the program with status 1, never as a crash.
#include "hardening.h"

#include "layout/fonts.h"
#include "layout/pictures.h"
#include "layout/picturesfortests.h"
#include "window/mainwindow.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

#include <optional>

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void undecodablePictureFailsTheWindow_data();
    void undecodablePictureFailsTheWindow();
    void faultEndsTheProgramWithAMessage_data();
    void faultEndsTheProgramWithAMessage();
};

void TestFaults::initTestCase()
{
    installFontSubstitutes();
}

void TestFaults::undecodablePictureFailsTheWindow_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("decodedAhead");
    for (const bool ahead : {false, true}) {
        const char *how = ahead ? "decoded ahead on a thread" : "decoded when asked";
        QTest::addRow("window icon, %s", how) << QStringLiteral(":/pictures/icon.ico") << ahead;
        QTest::addRow("background, %s", how) << QStringLiteral(":/pictures/background.gif") << ahead;
        QTest::addRow("CPU socket, %s", how) << QStringLiteral(":/pictures/socket.bmp") << ahead;
    }
}

void TestFaults::undecodablePictureFailsTheWindow()
{
    QFETCH(QString, picture);
    QFETCH(bool, decodedAhead);
    const QByteArray path = picture.toLatin1();
    { // decoded once before, as by an earlier window: the broken data must still be read
        MainWindow window;
    }
    QTemporaryDir folder;
    const QByteArray copy = writeUndecodableCopy(path.constData(), QDir(folder.path())).toLocal8Bit();
    QVERIFY(!copy.isEmpty());
    QString message;
    {
        const PictureSourceForTests brokenData(path.constData(), copy.constData());
        std::optional<PictureDecodingThread> decoding;
        if (decodedAhead)
            decoding.emplace();
        try {
            MainWindow window;
        } catch (const PictureError &e) {
            message = QString::fromUtf8(e.what());
        }
    }
    QVERIFY2(message.contains(QStringLiteral("The built-in picture %1 could not be decoded").arg(picture)),
             qPrintable(message.isEmpty() ? QStringLiteral("the window was made without error") : message));
    // Its own data again once the replacement has ended.
    QCOMPARE(::picture(path.constData()), QImage(picture).convertToFormat(QImage::Format_RGB32));
}

void TestFaults::faultEndsTheProgramWithAMessage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("fifth pin write of a CPU pick fails")
        << QStringList{QStringLiteral("failing-write")}
        << QStringLiteral("Element \"V2JP8\": setting the fill color failed");
    for (const char *path : {":/pictures/icon.ico", ":/pictures/background.gif", ":/pictures/socket.bmp"}) {
        QTest::addRow("%s does not decode at start-up", path)
            << QStringList{QStringLiteral("undecodable-picture"), QString::fromLatin1(path)}
            << QStringLiteral("The built-in picture %1 could not be decoded").arg(QLatin1String(path));
    }
}

void TestFaults::faultEndsTheProgramWithAMessage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    QTemporaryDir folder;
    if (arguments.front() == QLatin1String("undecodable-picture"))
        arguments << folder.path();
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
