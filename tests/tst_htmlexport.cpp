// The guide page as the program writes it: one file that needs nothing else, the window's lists,
// and data from which the page redraws exactly what the window shows for every selection.
#include "app/htmlexport.h"
#include "app/mainwindow.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/fonts.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

const char *const Lists[] = {"CBOCPU", "cbops", "cbosdr"};

/// The text between the first occurrence of from and the next of to.
QString between(const QString &text, const QString &from, const QString &to)
{
    const qsizetype start = text.indexOf(from);
    if (start < 0)
        return {};
    const qsizetype end = text.indexOf(to, start + from.size());
    return end < 0 ? QString() : text.mid(start + from.size(), end - start - from.size());
}

/// The page as written for the window's current selection.
QString writePage(MainWindow &window, const QString &path)
{
    const QString problem = writeGuidePage(window, QFile::encodeName(path));
    if (!problem.isEmpty())
        qWarning("%s", qPrintable(problem));
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QJsonObject pageData(const QString &html)
{
    const QString json = between(html, QStringLiteral("<script type=\"application/json\" id=\"guide-data\">"),
                                 QStringLiteral("</script>"));
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

/// The page's picture of the board at 1x, as it shows without its script.
QImage pagePicture(const QString &html)
{
    const QString uri = between(html, QStringLiteral("<img id=\"picture\" src=\"data:image/png;base64,"), QStringLiteral("\""));
    return QImage::fromData(QByteArray::fromBase64(uri.toLatin1()), "PNG").convertToFormat(QImage::Format_RGB32);
}

/// The board as the page draws it at 1x for a selection: its picture, then each pin's fill
/// region in the fill that the lists' entries give it (the page's own rule, written again).
QImage pageBoard(const QString &html, const QJsonObject &data, const std::array<int, 3> &selection)
{
    QImage image = pagePicture(html);
    QStringList fills(data[QStringLiteral("pins")].toArray().size());
    for (const QJsonValue fixed : data[QStringLiteral("fixed")][QStringLiteral("fills")].toArray())
        fills[fixed[0].toInt()] = fixed[1].toString();
    const QJsonArray lists = data[QStringLiteral("lists")].toArray();
    for (qsizetype i = 0; i < lists.size(); ++i) {
        const QJsonArray pins = lists[i][QStringLiteral("pins")].toArray();
        const QJsonArray entryFills = lists[i][QStringLiteral("entries")][selection[static_cast<std::size_t>(i)]][QStringLiteral("fills")].toArray();
        for (qsizetype k = 0; k < pins.size(); ++k)
            fills[pins[k].toInt()] = entryFills[k].toString();
    }
    QPainter p(&image);
    const QJsonArray pins = data[QStringLiteral("pins")].toArray();
    for (qsizetype i = 0; i < pins.size(); ++i) {
        for (const QJsonValue r : pins[i][QStringLiteral("regions")][0].toArray())
            p.fillRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt(), QColor(u'#' + fills[i]));
    }
    return image;
}

/// The window's image with its lists and buttons painted over in one color, so that only the
/// drawing is compared.
QImage withoutControls(QImage image, const MainWindow &window)
{
    QPainter p(&image);
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        if (qobject_cast<const QComboBox *>(w) || qobject_cast<const QPushButton *>(w))
            p.fillRect(w->geometry(), Qt::magenta);
    }
    return image;
}

} // namespace

class TestHtmlExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void oneSelfContainedFile();
    void listsAsTheWindowHasThem();
    void redrawsTheWindowExactly_data();
    void redrawsTheWindowExactly();
    void startsFromTheWindowsSelection();
    void unwritablePathLeavesNothing();

private:
    MainWindow *m_window = nullptr;
    QTemporaryDir m_dir;
    QString m_html;
    QJsonObject m_data;
};

void TestHtmlExport::initTestCase()
{
    installFontSubstitutes();
    m_window = new MainWindow;
    m_window->load();
    const QImage before = m_window->windowImage();
    m_html = writePage(*m_window, m_dir.filePath(QStringLiteral("guide.html")));
    QVERIFY(!m_html.isEmpty());
    m_data = pageData(m_html);
    QVERIFY(!m_data.isEmpty());
    // Every entry was picked to record it; the window is left as it was.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(m_window->findChild<QComboBox *>(QString::fromLatin1(Lists[i]))->currentIndex(), m_data[QStringLiteral("lists")][i][QStringLiteral("default")].toInt());
    QCOMPARE(m_window->windowImage(), before);
}

void TestHtmlExport::cleanupTestCase()
{
    delete m_window;
}

void TestHtmlExport::oneSelfContainedFile()
{
    QVERIFY2(m_html.toUtf8().size() < 400 * 1024, qPrintable(QString::number(m_html.toUtf8().size())));
    static const QRegularExpression outside(QStringLiteral("\\b(?:https?|ftp|wss?):|(?:src|href|action)=\"(?!data:)"),
                                            QRegularExpression::CaseInsensitiveOption);
    QVERIFY2(!outside.match(m_html).hasMatch(), qPrintable(outside.match(m_html).captured()));
    QVERIFY(m_html.contains(QStringLiteral("default-src 'none'"))); // the browser refuses any request
    // The placeholders are all filled, and the script the page runs is the one its policy allows.
    QVERIFY(!m_html.contains(QStringLiteral("{{")));
    const QString script = between(m_html, QStringLiteral("<script>"), QStringLiteral("</script>"));
    const QByteArray hash = QCryptographicHash::hash(script.toUtf8(), QCryptographicHash::Sha256).toBase64();
    QVERIFY(m_html.contains(QStringLiteral("script-src 'sha256-%1'").arg(QString::fromLatin1(hash))));
}

void TestHtmlExport::listsAsTheWindowHasThem()
{
    const QStringList ids{QStringLiteral("cpu"), QStringLiteral("power"), QStringLiteral("sdram")};
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const auto *combo = m_window->findChild<QComboBox *>(QString::fromLatin1(Lists[i]));
        const QString select = between(m_html, QStringLiteral("<select id=\"%1\"").arg(ids[i]), QStringLiteral("</select>"));
        static const QRegularExpression option(QStringLiteral("<option value=\"(\\d+)\"( selected)?>([^<]*)</option>"));
        int position = 0;
        for (const QRegularExpressionMatch &m : option.globalMatch(select)) {
            QCOMPARE(m.captured(1).toInt(), position);
            QCOMPARE(m.captured(3), combo->itemText(position).toHtmlEscaped()); // blanks kept
            QCOMPARE(!m.captured(2).isEmpty(), position == combo->currentIndex());
            ++position;
        }
        QCOMPARE(position, combo->count());
    }
}

void TestHtmlExport::redrawsTheWindowExactly_data()
{
    QTest::addColumn<int>("cpu");
    QTest::addColumn<int>("power");
    QTest::addColumn<int>("sdram");
    for (int cpu = 0; cpu < 44; ++cpu)
        QTest::addRow("CPU entry %d", cpu) << cpu << 0 << 0;
    QTest::newRow("ATX") << 21 << 1 << 0;
    QTest::newRow("non-PC100") << 21 << 0 << 1;
    QTest::newRow("CPU entry 18, ATX, non-PC100") << 18 << 1 << 1;
}

void TestHtmlExport::redrawsTheWindowExactly()
{
    QFETCH(int, cpu);
    QFETCH(int, power);
    QFETCH(int, sdram);
    MainWindow window;
    window.load();
    window.select(cpuSelector(), cpu);
    window.select(powerSelector(), power);
    window.select(sdramSelector(), sdram);
    const QImage shown = withoutControls(window.windowImage().convertToFormat(QImage::Format_RGB32), window);
    const QImage page = withoutControls(pageBoard(m_html, m_data, {cpu, power, sdram}), window);
    QCOMPARE(page, shown);
}

void TestHtmlExport::startsFromTheWindowsSelection()
{
    MainWindow window;
    window.load();
    window.select(cpuSelector(), 5);
    window.select(powerSelector(), 1);
    const QString html = writePage(window, m_dir.filePath(QStringLiteral("cpu5.html")));
    const QJsonObject data = pageData(html);
    QList<int> defaults;
    for (const QJsonValue list : data[QStringLiteral("lists")].toArray())
        defaults << list[QStringLiteral("default")].toInt();
    QCOMPARE(defaults, (QList<int>{5, 1, 0}));
    QVERIFY(html.contains(QStringLiteral("<option value=\"5\" selected>")));
    // Without its script, the page shows its picture: the board of that selection.
    QCOMPARE(withoutControls(pagePicture(html), window),
             withoutControls(window.windowImage().convertToFormat(QImage::Format_RGB32), window));
}

void TestHtmlExport::unwritablePathLeavesNothing()
{
    const QString problem = writeGuidePage(*m_window, "/nonexistent/dir/guide.html");
    QVERIFY(problem.startsWith(QStringLiteral("cannot write /nonexistent/dir/guide.html")));
    QVERIFY(!QFile::exists(QStringLiteral("/nonexistent/dir/guide.html")));
}

QTEST_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
