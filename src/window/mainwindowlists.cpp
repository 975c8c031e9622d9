// The main window's lists and buttons found by name, and the list operations the Load event and
// the jumper procedures use: entries added, their item codes, and the selected entry.
#include "mainwindow.h"

#include "jumpers/selectorcatalogue.h"
#include "layout/elementerror.h"

#include <QComboBox>
#include <QPushButton>

#include <cassert>
#include <string>

namespace {

constexpr int ItemCodeRole = Qt::UserRole;

} // namespace

QComboBox *MainWindow::list(const char *name) const
{
    auto *combo = findChild<QComboBox *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (!combo)
        throw ElementError(name, "reaching the list", "the window has no list of that name");
    return combo;
}

QPushButton *MainWindow::button(const char *name) const
{
    auto *button = findChild<QPushButton *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    if (!button)
        throw ElementError(name, "reaching the button", "the window has no button of that name");
    return button;
}

void MainWindow::addItem(const char *name, const char *text)
{
    list(name)->addItem(QString::fromLatin1(text));
}

int MainWindow::newIndex(const char *name)
{
    return list(name)->count() - 1;
}

void MainWindow::setItemData(const char *name, int index, std::int32_t itemCode)
{
    QComboBox *combo = list(name);
    if (index < 0 || index >= combo->count())
        throw ElementError(name, "setting the item data at index " + std::to_string(index), "invalid index");
    combo->setItemData(index, itemCode, ItemCodeRole);
}

std::int32_t MainWindow::itemData(const char *name, int index)
{
    QComboBox *combo = list(name);
    if (index < 0 || index >= combo->count())
        throw ElementError(name, "reading the item data at index " + std::to_string(index), "invalid index");
    return combo->itemData(index, ItemCodeRole).toInt();
}

int MainWindow::listIndex(const char *name)
{
    return list(name)->currentIndex();
}

void MainWindow::setListIndex(const char *name, int index)
{
    QComboBox *combo = list(name);
    if (index < -1 || index >= combo->count())
        throw ElementError(name, "selecting index " + std::to_string(index), "invalid index");
    combo->setCurrentIndex(index);
    // A selection made by the program raises the Click event at once, as a user's pick does.
    const Selector *selector = findSelector(name);
    assert(selector && "every list of the window has a selector");
    click(*selector);
}
