// Type-ahead in the lists and Enter on the buttons.
#include "controlkeys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>

namespace {

/// An entry's text as type-ahead reads it: without its leading blanks.
QStringView searchedText(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return QStringView(text).mid(start);
}

/// The letters typed so far, and the search they make.
class TypeAhead : public QObject
{
public:
    explicit TypeAhead(QComboBox *list)
        : QObject(list)
        , m_list(list)
    {
        // The open list is its view, which gets the keys while it is open.
        list->installEventFilter(this);
        list->view()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !typesText(*static_cast<QKeyEvent *>(event)))
            return false;
        const bool open = watched == m_list->view();
        const int current = open ? m_list->view()->currentIndex().row() : m_list->currentIndex();
        const int row = find(static_cast<QKeyEvent *>(event)->text(), current);
        if (row < 0 || row == current)
            return true;
        if (open) {
            m_list->view()->setCurrentIndex(m_list->model()->index(row, m_list->modelColumn()));
            return true;
        }
        // As the list's own keyboard handling picks an entry: the selection, then the signals.
        m_list->setCurrentIndex(row);
        emit m_list->activated(row);
        emit m_list->textActivated(m_list->itemText(row));
        return true;
    }

private:
    bool searching() const
    {
        return !m_typed.isEmpty() && m_lastKey.isValid()
            && m_lastKey.elapsed() <= QApplication::keyboardInputInterval();
    }

    bool typesText(const QKeyEvent &key) const
    {
        if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QString text = key.text();
        if (text.isEmpty() || !text.front().isPrint())
            return false;
        return text.front() != u' ' || searching();
    }

    /// The row the letters typed so far reach with typed added, from the current row; -1 for
    /// none.
    int find(const QString &typed, int current)
    {
        if (!searching())
            m_typed.clear();
        m_typed += typed;
        m_lastKey.start();
        // One letter, or the same one again and again, steps to the next entry starting with it;
        // more letters keep the current entry while it still matches.
        const bool oneLetter = m_typed.count(m_typed.front()) == m_typed.size();
        const QString wanted = oneLetter ? m_typed.left(1) : m_typed;
        const int count = m_list->count();
        const int start = oneLetter ? current + 1 : std::max(current, 0);
        for (int i = 0; i < count; ++i) {
            const int row = (start + i) % count;
            if (searchedText(m_list->itemText(row)).startsWith(wanted, Qt::CaseInsensitive))
                return row;
        }
        return -1;
    }

    QComboBox *m_list;
    QString m_typed;
    QElapsedTimer m_lastKey;
};

/// Keys for the list of entries while it is closed.
class LateKeyDrop : public QObject
{
public:
    explicit LateKeyDrop(QComboBox *list)
        : QObject(list)
        , m_entries(list->view())
    {
        // After the list's own watcher of its entries, so this one sees the keys first.
        m_entries->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        return key && !m_entries->isVisible();
    }

private:
    QAbstractItemView *m_entries;
};

/// Enter and Return on a focused button.
class EnterPress : public QObject
{
public:
    explicit EnterPress(QPushButton *button)
        : QObject(button)
        , m_button(button)
    {
        button->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->modifiers() & ~Qt::KeypadModifier)
            return false;
        // Held down, the key presses the button once, as Space does.
        if (!key->isAutoRepeat())
            m_button->click();
        return true;
    }

private:
    QPushButton *m_button;
};

} // namespace

void addTypeAhead(QComboBox *list)
{
    new TypeAhead(list);
}

void dropLateKeys(QComboBox *list)
{
    new LateKeyDrop(list);
}

void addEnterPress(QPushButton *button)
{
    new EnterPress(button);
}
