// The bare reference window: a plain widget holding the guide's controls in the guide's boxes.
#include "baselinewindow.h"

#include "boarddata/window.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/board.h"

#include <QComboBox>
#include <QPushButton>

namespace {

void fill(QComboBox *combo, const Selector &selector)
{
    for (const SelectorEntry &entry : selector.entries)
        combo->addItem(QString::fromLatin1(entry.text), entry.itemCode);
    combo->setCurrentIndex(selector.defaultPosition);
}

} // namespace

BaselineWindow::BaselineWindow()
{
    setWindowTitle(QString::fromUtf8(windowCaption()));
    setFixedSize(clientSize());
    setGeometry(QRect(ClientTopLeft, clientSize()));
    // Highest rank first, as the guide stacks them.
    const auto rows = controlCatalogue();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        QWidget *w = nullptr;
        if (it->kind == ControlKind::List) {
            auto *combo = new QComboBox(this);
            fill(combo, *findSelector(it->name));
            w = combo;
        } else {
            w = new QPushButton(QString::fromLatin1(it->caption), this);
        }
        w->setObjectName(QString::fromLatin1(it->name));
        w->setGeometry(pixelBox(it->left, it->top, it->width, it->height));
    }
}

QComboBox *BaselineWindow::list(const char *name) const
{
    return findChild<QComboBox *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}
