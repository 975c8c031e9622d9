// The board's accessible interface and its captions'.
#include "boardaccessible.h"

#include "boardwidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <vector>

namespace {

/// One caption of the board: no widget of its own, so the board's interface makes and keeps it.
class CaptionAccessible : public QAccessibleInterface
{
public:
    CaptionAccessible(BoardWidget *board, int index)
        : m_board(board)
        , m_index(index)
    {
    }

    bool isValid() const override { return !m_board.isNull(); }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_board); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        const LabelRow &row = *m_board->captions()[std::size_t(m_index)]->label;
        if (t == QAccessible::Name)
            return QString::fromLatin1(row.caption);
        if (t == QAccessible::Description)
            return QString::fromLatin1(row.toolTip);
        return {};
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect box = m_board->captions()[std::size_t(m_index)]->bounds;
        return {m_board->mapToGlobal(box.topLeft()), box.size()};
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.invisible = !m_board->isVisible();
        s.focusable = *m_board->captions()[std::size_t(m_index)]->label->toolTip != '\0';
        s.focused = m_board->hasFocus() && m_board->currentCaption() == m_index;
        return s;
    }

private:
    QPointer<BoardWidget> m_board;
    int m_index;
};

/// The board: a picture with its captions as children, made when first asked for.
class BoardAccessible : public QAccessibleWidget
{
public:
    explicit BoardAccessible(BoardWidget *board)
        : QAccessibleWidget(board, QAccessible::Graphic)
        , m_captionIds(board->captions().size(), 0)
    {
    }

    ~BoardAccessible() override
    {
        for (QAccessible::Id id : m_captionIds) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    BoardWidget *board() const { return static_cast<BoardWidget *>(widget()); }

    int childCount() const override { return int(m_captionIds.size()); }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        QAccessible::Id &id = m_captionIds[std::size_t(index)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new CaptionAccessible(board(), index));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (std::size_t i = 0; i < m_captionIds.size(); ++i) {
            if (m_captionIds[i] && QAccessible::accessibleInterface(m_captionIds[i]) == child)
                return int(i);
        }
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint pixel = board()->mapFromGlobal(QPoint(x, y));
        const auto &captions = board()->captions();
        for (std::size_t i = 0; i < captions.size(); ++i) {
            if (captions[i]->bounds.contains(pixel))
                return child(int(i));
        }
        return nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        return board()->hasFocus() ? child(board()->currentCaption()) : nullptr;
    }

private:
    mutable std::vector<QAccessible::Id> m_captionIds; ///< 0 for a caption not yet asked for
};

} // namespace

QAccessibleInterface *boardAccessibleFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("BoardWidget") || !object || !object->isWidgetType())
        return nullptr;
    return new BoardAccessible(static_cast<BoardWidget *>(object));
}
