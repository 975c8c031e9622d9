// The status line a screen reader hears: a status bar the toolkit never shows, holding one
// notification for each sentence told.
#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <algorithm>

namespace {

// A reader may ask about a sentence after the next ones were told, but not after this many.
constexpr std::size_t KeptSentences = 8;

/// One sentence: a notification inside the status line, with the sentence as its name.
class NotificationAccessible : public QAccessibleInterface
{
public:
    NotificationAccessible(Announcer *line, QString sentence)
        : m_line(line)
        , m_sentence(std::move(sentence))
    {
    }

    bool isValid() const override { return !m_line.isNull(); }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_line); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? m_sentence : QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<Announcer> m_line;
    QString m_sentence;
};

} // namespace

/// The status line: a status bar whose children are the sentences kept.
class AnnouncerAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncerAccessible(Announcer *line)
        : QAccessibleWidget(line, QAccessible::StatusBar)
    {
    }

    const std::deque<QAccessibleInterface *> &notifications() const
    {
        return static_cast<Announcer *>(widget())->m_notifications;
    }

    int childCount() const override { return int(notifications().size()); }

    QAccessibleInterface *child(int index) const override
    {
        return index >= 0 && index < childCount() ? notifications()[std::size_t(index)] : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto &kept = notifications();
        const auto it = std::find(kept.begin(), kept.end(), child);
        return it == kept.end() ? -1 : int(it - kept.begin());
    }
};

Announcer::Announcer(QWidget *window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("announcer"));
    setAccessibleName(QStringLiteral("Status"));
    // Never shown: it has nothing to paint and must not cover or move a pixel of the window.
    hide();
}

Announcer::~Announcer()
{
    for (QAccessibleInterface *notification : m_notifications)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(notification));
}

void Announcer::announce(const QString &sentence)
{
    if (sentence.isEmpty())
        return;
    auto *notification = new NotificationAccessible(this, sentence);
    QAccessible::registerAccessibleInterface(notification);
    m_notifications.push_back(notification);
    if (m_notifications.size() > KeptSentences) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(m_notifications.front()));
        m_notifications.pop_front();
    }
    // A notification that appears is what a reader says at once.
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QStringList Announcer::sentences() const
{
    QStringList texts;
    for (const QAccessibleInterface *notification : m_notifications)
        texts << notification->text(QAccessible::Name);
    return texts;
}

QAccessibleInterface *announcerAccessibleFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String("Announcer") || !object || !object->isWidgetType())
        return nullptr;
    return new AnnouncerAccessible(static_cast<Announcer *>(object));
}
