// The Load event: the order of list filling, default selection and the three jumper procedures.
#include "recordingwindow.h"

#include "jumpers/jumperpositions.h"
#include "jumpers/jumperprocedures.h"
#include "jumpers/selectorcatalogue.h"
#include "window/startup.h"

#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void fillsListsThenSelectsInOrder();
    void cpuPinsAreSetWhileTheOtherListsAreEmpty();
    void proceduresRunOnceEachInOrder();
};

namespace {

/// A window whose Click handlers run the jumper procedure for the list clicked, as the real
/// window's do, recording the lists in the order their procedure ran.
struct LoadedWindow : RecordingWindow {
    std::vector<std::string> procedures;
    std::map<std::string, std::size_t> entriesWhenCpuRan;

    LoadedWindow()
    {
        onClick = [this](const std::string &list) {
            const Selector *selector = findSelector(list);
            if (!selector)
                throw ElementError(list, "running the Click event", "no selector");
            procedures.push_back(list);
            if (selector == &cpuSelector()) {
                for (const auto &[name, l] : lists)
                    entriesWhenCpuRan[name] = l.entries.size();
            }
            setListJumpers(*this, *selector);
        };
        loadWindow(*this);
    }
};

} // namespace

void TestStartup::fillsListsThenSelectsInOrder()
{
    LoadedWindow window;
    std::vector<std::string> expected;
    for (const Selector *s : {&cpuSelector(), &powerSelector(), &sdramSelector()}) {
        int index = 0;
        for (const SelectorEntry &e : s->entries) {
            expected.push_back(std::string("addItem ") + s->list + " " + e.text);
            expected.push_back(std::string("newIndex ") + s->list);
            expected.push_back(std::string("setItemData ") + s->list + " " + std::to_string(index++) + " "
                               + std::to_string(e.itemCode));
        }
        expected.push_back(std::string("setListIndex ") + s->list + " " + std::to_string(s->defaultPosition));
    }
    std::vector<std::string> listCalls;
    for (const std::string &c : window.calls) {
        if (c.rfind("addItem", 0) == 0 || c.rfind("newIndex", 0) == 0 || c.rfind("setItemData", 0) == 0
            || c.rfind("setListIndex", 0) == 0)
            listCalls.push_back(c);
    }
    QCOMPARE(listCalls, expected);
    QCOMPARE(window.lists["CBOCPU"].selected, 21);
    QCOMPARE(window.lists["cbops"].selected, 0);
    QCOMPARE(window.lists["cbosdr"].selected, 0);
}

void TestStartup::cpuPinsAreSetWhileTheOtherListsAreEmpty()
{
    LoadedWindow window;
    QCOMPARE(window.entriesWhenCpuRan["CBOCPU"], std::size_t{44});
    QCOMPARE(window.entriesWhenCpuRan["cbops"], std::size_t{0});
    QCOMPARE(window.entriesWhenCpuRan["cbosdr"], std::size_t{0});
}

void TestStartup::proceduresRunOnceEachInOrder()
{
    LoadedWindow window;
    const std::vector<std::string> expected{"CBOCPU", "cbops", "cbosdr"};
    QCOMPARE(window.procedures, expected);
    // All 32 pins have a procedure's color: defaults 21, 50 and 52.
    QCOMPARE(window.fills.size(), std::size_t{32});
    QCOMPARE(window.fills["v1jp11"], JumperOnColor);
    QCOMPARE(window.fills["v3jp11"], JumperOffColor);
    QCOMPARE(window.fills["v1jp10"], JumperOffColor);
    QCOMPARE(window.fills["v3jp10"], JumperOnColor);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
