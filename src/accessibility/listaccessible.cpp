// A list's accessible interface: the toolkit's list as a screen reader sees it, with the entry
// shown as its text.
#include "listaccessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {

/// A closed or open list: named by its caption (the label it is labelled by tells a reader the
/// same), its text the entry it shows, empty while it shows none. Its one child is the list of
/// entries that opens below it, as the toolkit's own interface has it.
class ListAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ListAccessible(QComboBox *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        s.hasPopup = true;
        return s;
    }

    int childCount() const override { return 1; }

    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << showMenuAction(); }

    void doAction(const QString &actionName) override
    {
        if (actionName != showMenuAction())
            return QAccessibleWidget::doAction(actionName);
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

    // The text: the entry shown, read only, with no caret to move and nothing selected.
    QString text(int startOffset, int endOffset) const override
    {
        return list()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(list()->currentText().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

} // namespace

QAccessibleInterface *listAccessibleFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("QComboBox") || !object || !object->isWidgetType())
        return nullptr;
    return new ListAccessible(static_cast<QComboBox *>(object));
}
