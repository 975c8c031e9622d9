// What the window tests share: a user's pick in a list, a window whose pin writes can be made to
// fail, and a window loaded and shown as at start-up.
#pragma once

#include "pixeltext.h"

#include "boardrows/elementerror.h"
#include "window/mainwindow.h"

#include <QComboBox>
#include <QTest>

#include <memory>

/// The list of that name among the window's children.
inline QComboBox *listOf(QWidget &window, const char *name)
{
    return window.findChild<QComboBox *>(QString::fromLatin1(name));
}

/// Picks the entry at position as a user does: selected, then the list's activated signal.
inline void pick(QWidget &window, const char *list, int position)
{
    QComboBox *combo = listOf(window, list);
    combo->setCurrentIndex(position);
    emit combo->activated(position);
}

/// A window whose fill writes fail from a chosen write on, counted from arming, as a pin that
/// cannot be set would.
class FailingWindow : public MainWindow
{
public:
    explicit FailingWindow(FailureReport report = reportAndEnd)
        : MainWindow(std::move(report))
    {
    }

    int failAtWrite = -1; ///< 0-based write that fails; -1 while unarmed
    int writes = 0;

protected:
    void setFillColor(const char *element, Color color) override
    {
        if (failAtWrite >= 0 && writes++ == failAtWrite)
            throw ElementError(element, "setting the fill color", "the write was refused");
        MainWindow::setFillColor(element, color);
    }
};

/// A window as the program starts it: made, loaded and shown; null when it was never exposed.
inline std::unique_ptr<MainWindow> shownWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->load();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}
