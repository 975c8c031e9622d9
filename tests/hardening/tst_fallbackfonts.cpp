// The guide on a machine without the fonts it names: ctest starts this test with fontconfig
// pointed at a configuration that holds no font at all. The window must still be drawn, in
// fallback glyphs, with every element where it is with the real fonts, and the program must name
// the fonts it misses.
//
// The layout with the real fonts comes from this same program, started again with the machine's
// own font configuration and the argument --layout; with --missing it prints the families the
// program finds missing, under whatever font configuration it is started with.
#include "windowtesting.h"

#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "window/mainwindow.h"

#include <QProcess>
#include <QtTest>

#include <cstdio>

namespace {

const char *const LayoutNames[] = {"Times New Roman", "Bookman Old Style", "Comic Sans MS", "MS Serif"};

/// Every drawn element's box and every control's geometry, one line each.
QStringList layoutOf(MainWindow &window)
{
    QStringList lines;
    for (const BoardElement &e : window.board().elements()) {
        const QRect &b = e.bounds;
        lines << QStringLiteral("%1 %2 %3,%4 %5x%6")
                     .arg(QLatin1String(e.name()))
                     .arg(e.index())
                     .arg(b.x())
                     .arg(b.y())
                     .arg(b.width())
                     .arg(b.height());
    }
    for (const QWidget *w : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QRect g = w->geometry();
        lines << QStringLiteral("%1 %2,%3 %4x%5")
                     .arg(w->objectName())
                     .arg(g.x())
                     .arg(g.y())
                     .arg(g.width())
                     .arg(g.height());
    }
    lines << QStringLiteral("window %1x%2").arg(window.width()).arg(window.height());
    return lines;
}

} // namespace

class TestFallbackFonts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void missingFontsAreNamed();
    void layoutIsThatOfTheRealFonts();
    void onlyCaptionsAndControlsLookDifferent();
    void captionsAreDrawn();
    void programSaysWhichFontsAreMissing();
    void onlyTheMissingFontsAreNamed();

private:
    std::unique_ptr<MainWindow> m_window;
    QImage m_image;
    QStringList m_realLayout;
    QImage m_realImage;
};

void TestFallbackFonts::initTestCase()
{
    QVERIFY2(qEnvironmentVariableIsSet("FONTCONFIG_FILE"),
             "ctest sets FONTCONFIG_FILE to a configuration without fonts");
    QTemporaryDir folder;
    const QString realImage = folder.filePath(QStringLiteral("real.png"));
    QProcess withFonts;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("FONTCONFIG_FILE"));
    withFonts.setProcessEnvironment(env);
    withFonts.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--layout"), realImage});
    QVERIFY(withFonts.waitForFinished(60000));
    QCOMPARE(withFonts.exitCode(), 0);
    m_realLayout = QString::fromLatin1(withFonts.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    m_realImage = QImage(realImage).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!m_realImage.isNull());

    installFontSubstitutes();
    m_window = shownWindow();
    QVERIFY(m_window);
    m_image = m_window->windowImage().convertToFormat(QImage::Format_RGB32);
}

void TestFallbackFonts::cleanupTestCase()
{
    m_window.reset();
}

void TestFallbackFonts::missingFontsAreNamed()
{
    const QStringList missing = missingFontFamilies();
    for (const char *name : LayoutNames) {
        const QString substitute = QFont::substitute(QString::fromLatin1(name));
        QVERIFY2(substitute.compare(QLatin1String(name), Qt::CaseInsensitive) != 0, name);
        QVERIFY2(missing.contains(substitute, Qt::CaseInsensitive),
                 qPrintable(substitute + QStringLiteral(" not in ") + missing.join(u',')));
    }
}

void TestFallbackFonts::layoutIsThatOfTheRealFonts()
{
    QVERIFY(m_realLayout.size() > 200);
    QCOMPARE(layoutOf(*m_window), m_realLayout);
}

void TestFallbackFonts::onlyCaptionsAndControlsLookDifferent()
{
    QCOMPARE(m_image.size(), m_realImage.size());
    QRegion text;
    for (const BoardElement &e : m_window->board().elements()) {
        if (e.kind == ElementKind::Label)
            text += e.bounds.adjusted(-2, -2, 2, 2); // the margin letters may use
    }
    for (const QWidget *w : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<const BoardWidget *>(w))
            text += w->geometry();
    }
    int outside = 0;
    QPoint first;
    for (int y = 0; y < m_image.height(); ++y) {
        for (int x = 0; x < m_image.width(); ++x) {
            if (m_image.pixel(x, y) != m_realImage.pixel(x, y) && !text.contains(QPoint(x, y)) && outside++ == 0)
                first = QPoint(x, y);
        }
    }
    const QString report =
        QStringLiteral("%1 pixels outside every caption and control differ from the drawing with the "
                       "real fonts, the first at %2,%3")
            .arg(outside)
            .arg(first.x())
            .arg(first.y());
    // An empty or blank window would differ almost everywhere.
    QVERIFY2(outside < m_image.width() * m_image.height() / 100, qPrintable(report));
    QVERIFY2(outside == 0, qPrintable(report));
}

void TestFallbackFonts::captionsAreDrawn()
{
    for (const BoardElement &e : m_window->board().elements()) {
        if (e.kind != ElementKind::Label || QByteArray(e.label->caption).trimmed().isEmpty())
            continue;
        const QRgb ink = toRgb(e.label->textColor);
        bool drawn = false;
        for (int y = e.bounds.top(); y <= e.bounds.bottom() && !drawn; ++y) {
            for (int x = e.bounds.left(); x <= e.bounds.right() && !drawn; ++x)
                drawn = m_image.pixel(x, y) == ink;
        }
        QVERIFY2(drawn, e.name());
    }
}

void TestFallbackFonts::programSaysWhichFontsAreMissing()
{
    // The program shows its window until it is closed; its words on stderr come before that.
    QProcess velmor;
    velmor.start(QStringLiteral(VELMOR_BINARY), {});
    QVERIFY(velmor.waitForStarted(10000));
    QString err;
    const QStringList missing = missingFontFamilies();
    QTRY_VERIFY_WITH_TIMEOUT((err += QString::fromLocal8Bit(velmor.readAllStandardError()),
                              err.count(QStringLiteral(" is not installed")) >= missing.size()),
                             20000);
    velmor.kill();
    velmor.waitForFinished(10000);
    for (const QString &family : missing)
        QVERIFY2(err.contains(QStringLiteral("velmor: the font \"%1\" is not installed").arg(family)), qPrintable(err));
}

void TestFallbackFonts::onlyTheMissingFontsAreNamed()
{
    // A machine with one of the four families: the other three are named, and only they.
    const QString liberation = QStringLiteral("/usr/share/fonts/truetype/liberation");
    if (!QFileInfo::exists(liberation + QStringLiteral("/LiberationSerif-Regular.ttf")))
        QSKIP("Liberation Serif is not installed (Debian package fonts-liberation)");
    QTemporaryDir folder;
    QFile config(folder.filePath(QStringLiteral("fonts.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                                "<fontconfig>\n  <dir>%1</dir>\n  <cachedir>%2</cachedir>\n</fontconfig>\n")
                     .arg(liberation, folder.filePath(QStringLiteral("cache")))
                     .toUtf8());
    config.close();
    QProcess check;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), config.fileName());
    check.setProcessEnvironment(env);
    check.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--missing")});
    QVERIFY(check.waitForFinished(60000));
    QCOMPARE(check.exitCode(), 0);
    QCOMPARE(QString::fromLatin1(check.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
             (QStringList{QStringLiteral("URW Bookman"), QStringLiteral("Comic Neue"),
                          QStringLiteral("DejaVu Serif Condensed")}));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], "--missing") == 0) {
        std::printf("%s\n", qPrintable(missingFontFamilies().join(u'\n')));
        return 0;
    }
    if (argc == 3 && qstrcmp(argv[1], "--layout") == 0) {
        installFontSubstitutes();
        MainWindow window;
        window.load();
        std::printf("%s\n", qPrintable(layoutOf(window).join(u'\n')));
        return window.windowImage().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }
    TestFallbackFonts test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_fallbackfonts.moc"
