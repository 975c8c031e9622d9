// Sentences a screen reader says without the focus moving: what a pick changed, for example.
#pragma once

#include <QWidget>

#include <deque>

class QAccessibleInterface;

/// A status line only a screen reader hears: an unseen child of a window (it paints nothing and
/// takes no room) that a reader knows as a status bar. Each sentence becomes a notification of
/// its own inside it, which a reader such as Orca says once, whatever has the focus. The last few
/// stay, so a reader that asks about one a moment late still finds its words; a sentence is
/// never changed, so it never reads another's.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *window);
    ~Announcer() override;

    /// Tells a screen reader the sentence; an empty one is not told.
    void announce(const QString &sentence);

    /// The sentences told, the latest last, as many as are kept.
    QStringList sentences() const;

private:
    friend class AnnouncerAccessible;
    std::deque<QAccessibleInterface *> m_notifications;
};

/// The interface of an Announcer, for the toolkit's factory list; null for anything else.
QAccessibleInterface *announcerAccessibleFactory(const QString &className, QObject *object);
