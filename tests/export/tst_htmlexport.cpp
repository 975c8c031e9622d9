// The guide page as the program writes it: one file that needs nothing else, the window's lists,
// the settings panel's bus clocks, multipliers and core voltages, and data from which the page
// redraws exactly what the window shows for every selection and every setting.
#include "export/htmlexport.h"
#include "export/pagewindow.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperwords.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/fonts.h"
#include "window/mainwindow.h"

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

/// The page as written for the page window's current selection.
QString writePage(PageWindow &page, const QString &path)
{
    const QString problem = writeGuidePage(page, QFile::encodeName(path));
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
    const QString uri =
        between(html, QStringLiteral("<img id=\"picture\" src=\"data:image/png;base64,"), QStringLiteral("\""));
    return QImage::fromData(QByteArray::fromBase64(uri.toLatin1()), "PNG").convertToFormat(QImage::Format_RGB32);
}

/// The value of each group of the panel that the CPU entry stands for.
std::array<int, 3> valuesOfEntry(const QJsonObject &data, int cpu)
{
    const QJsonArray values =
        data[QStringLiteral("lists")][0][QStringLiteral("entries")][cpu][QStringLiteral("meanings")].toArray();
    return {values[0].toInt(), values[1].toInt(), values[2].toInt()};
}

/// Puts the fills of one entry (or value) into the pins its list (or group) sets.
void putFills(QStringList &fills, const QJsonValue &owner, const QJsonValue &entry)
{
    const QJsonArray pins = owner[QStringLiteral("pins")].toArray();
    const QJsonArray entryFills = entry[QStringLiteral("fills")].toArray();
    for (qsizetype k = 0; k < pins.size(); ++k)
        fills[pins[k].toInt()] = entryFills[k].toString();
}

/// The board as the page draws it at 1x for entries of the lists (-1: the CPU list shows none)
/// and values of the panel's groups: its picture, then each pin's fill region in the fill that
/// the entries and values give it (the page's own rule, written again).
QImage pageBoard(const QString &html, const QJsonObject &data, const std::array<int, 3> &selection,
                 const std::array<int, 3> &values)
{
    QImage image = pagePicture(html);
    QStringList fills(data[QStringLiteral("pins")].toArray().size());
    for (const QJsonValue fixed : data[QStringLiteral("fixed")][QStringLiteral("fills")].toArray())
        fills[fixed[0].toInt()] = fixed[1].toString();
    const QJsonArray lists = data[QStringLiteral("lists")].toArray();
    for (qsizetype i = 0; i < lists.size(); ++i) {
        if (const int entry = selection[static_cast<std::size_t>(i)]; entry >= 0)
            putFills(fills, lists[i], lists[i][QStringLiteral("entries")][entry]);
    }
    const QJsonArray groups = data[QStringLiteral("meanings")][QStringLiteral("groups")].toArray();
    for (qsizetype g = 0; g < groups.size(); ++g)
        putFills(fills, groups[g], groups[g][QStringLiteral("values")][values[static_cast<std::size_t>(g)]]);
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
    void redrawsEachSettingExactly_data();
    void redrawsEachSettingExactly();
    void readingsFollowTheValues();
    void startsFromTheWindowsSelection();
    void startsFromSettings_data();
    void startsFromSettings();
    void unwritablePathLeavesNothing();

private:
    MainWindow *m_window = nullptr; ///< what the page must repeat, as the program shows it
    PageWindow m_page;
    QTemporaryDir m_dir;
    QString m_html;
    QJsonObject m_data;
};

void TestHtmlExport::initTestCase()
{
    installFontSubstitutes();
    m_window = new MainWindow;
    m_window->load();
    const QString before = jumperPositionsText(pinColorsOf(m_page.board()));
    m_html = writePage(m_page, m_dir.filePath(QStringLiteral("guide.html")));
    QVERIFY(!m_html.isEmpty());
    m_data = pageData(m_html);
    QVERIFY(!m_data.isEmpty());
    // Every entry was picked to record it; the page window is left as it was, as the program's.
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(m_page.listIndex(Lists[i]), m_data[QStringLiteral("lists")][i][QStringLiteral("default")].toInt());
        QCOMPARE(m_page.listIndex(Lists[i]),
                 m_window->findChild<QComboBox *>(QString::fromLatin1(Lists[i]))->currentIndex());
    }
    QCOMPARE(jumperPositionsText(pinColorsOf(m_page.board())), before);
    QCOMPARE(before, jumperPositionsText(pinColorsOf(m_window->board())));
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
        const QString select =
            between(m_html, QStringLiteral("<select id=\"%1\"").arg(ids[i]), QStringLiteral("</select>"));
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
    // The panel's lists: the documented values only, in the tables' order, the default's selected.
    QStringList buses, multipliers, voltages;
    for (const BusClockSetting &setting : busClockSettings())
        buses << busClockText(setting.megahertz);
    for (const MultiplierSetting &setting : multiplierSettings())
        multipliers << multiplierText(setting.tenths);
    for (const VoltageSetting &setting : voltageSettings())
        voltages << voltageText(setting.centivolts);
    const struct {
        const char *id;
        QStringList texts;
        int selected;
    } groups[] = {{"bus", buses, 5}, {"multiplier", multipliers, 2}, {"voltage", voltages, 0}};
    for (const auto &group : groups) {
        const QString select = between(m_html, QStringLiteral("<select id=\"%1\"").arg(QLatin1String(group.id)),
                                       QStringLiteral("</select>"));
        static const QRegularExpression option(QStringLiteral("<option value=\"\\d+\"( selected)?>([^<]*)</option>"));
        QStringList texts;
        for (const QRegularExpressionMatch &m : option.globalMatch(select)) {
            QCOMPARE(!m.captured(1).isEmpty(), texts.size() == group.selected);
            texts << m.captured(2);
        }
        QCOMPARE(texts, group.texts);
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
    // A CPU entry's pins are those of the values it stands for.
    const QImage page =
        withoutControls(pageBoard(m_html, m_data, {cpu, power, sdram}, valuesOfEntry(m_data, cpu)), window);
    QCOMPARE(page, shown);
}

void TestHtmlExport::redrawsEachSettingExactly_data()
{
    // Positions in the tables, which the page's lists follow; the window's default is entry 21:
    // 100 MHz, 3.0x, 2.2 V.
    QTest::addColumn<int>("bus");
    QTest::addColumn<int>("multiplier");
    QTest::addColumn<int>("voltage");
    const auto row = [](std::array<int, 3> values) {
        const QString name = busClockText(busClockSettings()[std::size_t(values[0])].megahertz) + QStringLiteral(", ")
            + multiplierText(multiplierSettings()[std::size_t(values[1])].tenths) + QStringLiteral(", ")
            + voltageText(voltageSettings()[std::size_t(values[2])].centivolts);
        QTest::newRow(qPrintable(name)) << values[0] << values[1] << values[2];
    };
    for (int bus = 0; bus < int(busClockSettings().size()); ++bus)
        row({bus, 2, 0});
    for (int multiplier = 0; multiplier < int(multiplierSettings().size()); ++multiplier) {
        if (multiplier != 2)
            row({5, multiplier, 0});
    }
    for (int voltage = 1; voltage < int(voltageSettings().size()); ++voltage)
        row({5, 2, voltage});
    row({0, 6, 5});
    row({3, 1, 2});
}

void TestHtmlExport::redrawsEachSettingExactly()
{
    QFETCH(int, bus);
    QFETCH(int, multiplier);
    QFETCH(int, voltage);
    MainWindow window;
    window.load();
    window.showCpuSettings({busClockSettings()[static_cast<std::size_t>(bus)],
                            multiplierSettings()[static_cast<std::size_t>(multiplier)],
                            voltageSettings()[static_cast<std::size_t>(voltage)]});
    const QImage shown = withoutControls(window.windowImage().convertToFormat(QImage::Format_RGB32), window);
    // The lists' own pins stay at their defaults; which CPU entry the list shows sets no pin.
    const QImage page = withoutControls(pageBoard(m_html, m_data, {-1, 0, 0}, {bus, multiplier, voltage}), window);
    QCOMPARE(page, shown);
}

void TestHtmlExport::readingsFollowTheValues()
{
    // What the panel reads for every combination of values, in the page's order (the last group
    // fastest): the CPU clock of the bus clock and multiplier, and the CPU entries that stand for
    // exactly these values.
    const QJsonArray readings = m_data[QStringLiteral("meanings")][QStringLiteral("readings")].toArray();
    QCOMPARE(readings.size(), 2);
    const QJsonArray clocks = readings[0][QStringLiteral("texts")].toArray();
    const QJsonArray cpus = readings[1][QStringLiteral("texts")].toArray();
    const auto buses = busClockSettings();
    const auto multipliers = multiplierSettings();
    const auto voltages = voltageSettings();
    QCOMPARE(clocks.size(), qsizetype(buses.size() * multipliers.size() * voltages.size()));
    int combination = 0;
    for (int b = 0; b < int(buses.size()); ++b) {
        for (int m = 0; m < int(multipliers.size()); ++m) {
            for (int v = 0; v < int(voltages.size()); ++v, ++combination) {
                QStringList entries;
                QList<int> positions;
                for (int cpu = 0; cpu < 44; ++cpu) {
                    if (valuesOfEntry(m_data, cpu) == std::array<int, 3>{b, m, v}) {
                        entries << QString::fromLatin1(cpuSelector().entries[std::size_t(cpu)].text).trimmed();
                        positions << cpu;
                    }
                }
                // The figure, qualified where the CPUs it stands beside say otherwise: the entries
                // before list position 17 name no multiplier, and the K6-2 366 (24) is named for 366.
                const QString clock = clocks[combination].toString();
                QVERIFY2(clock.startsWith(QStringLiteral("%1 MHz").arg(
                             cpuClockMegahertz(buses[std::size_t(b)].megahertz, multipliers[std::size_t(m)].tenths))),
                         qPrintable(clock));
                const bool noneNamesMultiplier = !positions.isEmpty()
                    && std::all_of(positions.begin(), positions.end(), [](int p) { return p < 17; });
                QCOMPARE(clock.contains(QLatin1String("the listed CPU names no multiplier")), noneNamesMultiplier);
                QCOMPARE(clock.contains(QLatin1String("not the 366 MHz of the CPU's name")), positions.contains(24));
                QCOMPARE(cpus[combination].toString(),
                         entries.isEmpty() ? QStringLiteral("no listed CPU") : entries.join(u'\n'));
            }
        }
    }
}

void TestHtmlExport::startsFromTheWindowsSelection()
{
    MainWindow window;
    window.load();
    window.select(cpuSelector(), 5);
    window.select(powerSelector(), 1);
    PageWindow page;
    page.setListIndex("CBOCPU", 5);
    page.setListIndex("cbops", 1);
    const QString html = writePage(page, m_dir.filePath(QStringLiteral("cpu5.html")));
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

void TestHtmlExport::startsFromSettings_data()
{
    QTest::addColumn<int>("megahertz");
    QTest::addColumn<int>("tenths");
    QTest::addColumn<int>("centivolts");
    QTest::addColumn<int>("cpu");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("100 MHz, 4.5x, 2.2 V: no CPU entry") << 100 << 45 << 220 << -1 << QList<int>{5, 5, 0};
    // Entries 17 and 20 both give these; the CPU list shows the first.
    QTest::newRow("66 MHz, 4.0x, 2.2 V: entry 17") << 66 << 40 << 220 << 17 << QList<int>{1, 4, 0};
}

void TestHtmlExport::startsFromSettings()
{
    QFETCH(int, megahertz);
    QFETCH(int, tenths);
    QFETCH(int, centivolts);
    QFETCH(int, cpu);
    QFETCH(QList<int>, values);
    const CpuSettings settings{*findBusClock(megahertz), *findMultiplier(tenths), *findVoltage(centivolts)};
    MainWindow window;
    window.load();
    window.showCpuSettings(settings);
    window.select(powerSelector(), 1);
    PageWindow page;
    page.setPins(cpuPinFills(settings));
    page.setListIndex("cbops", 1);
    const QString before = jumperPositionsText(pinColorsOf(page.board()));
    const QString path = m_dir.filePath(QStringLiteral("settings-%1.html").arg(megahertz));
    QCOMPARE(writeGuidePage(page, QFile::encodeName(path), PageStart::Settings), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QJsonObject data = pageData(html);
    QList<int> defaults, groupDefaults;
    for (const QJsonValue list : data[QStringLiteral("lists")].toArray())
        defaults << list[QStringLiteral("default")].toInt();
    for (const QJsonValue group : data[QStringLiteral("meanings")][QStringLiteral("groups")].toArray())
        groupDefaults << group[QStringLiteral("default")].toInt();
    QCOMPARE(defaults, (QList<int>{cpu, 1, 0}));
    QCOMPARE(groupDefaults, values);
    QVERIFY(data[QStringLiteral("meanings")][QStringLiteral("byMeanings")].toBool());
    QCOMPARE(between(html, QStringLiteral("<select id=\"cpu\""), QStringLiteral("</select>"))
                 .contains(QStringLiteral(" selected")),
             cpu >= 0);
    // Every setting was made in the page window to record it; it is left as it was, showing what
    // the program's window shows, and the page's picture is the program's board.
    QCOMPARE(page.listIndex("CBOCPU"), cpu);
    QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("CBOCPU"))->currentIndex(), cpu);
    QCOMPARE(jumperPositionsText(pinColorsOf(page.board())), before);
    QCOMPARE(before, jumperPositionsText(pinColorsOf(window.board())));
    QCOMPARE(withoutControls(pagePicture(html), window),
             withoutControls(window.windowImage().convertToFormat(QImage::Format_RGB32), window));
}

void TestHtmlExport::unwritablePathLeavesNothing()
{
    const QString problem = writeGuidePage(m_page, "/nonexistent/dir/guide.html");
    QVERIFY(problem.startsWith(QStringLiteral("cannot write /nonexistent/dir/guide.html")));
    QVERIFY(!QFile::exists(QStringLiteral("/nonexistent/dir/guide.html")));
}

QTEST_MAIN(TestHtmlExport)
#include "tst_htmlexport.moc"
