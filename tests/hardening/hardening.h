// What the hardening tests and their helper programs share: user picks, closing message boxes,
// broken picture data, and whether this build runs under AddressSanitizer.
#pragma once

#include "sanitizers.h"
#include "windowtesting.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

#include <functional>

/// Watches for a modal message box and closes it shortly after it appears, handing its text to
/// seen first. Without it a box would wait for a user forever.
class MessageBoxCloser : public QObject
{
public:
    explicit MessageBoxCloser(std::function<void(const QString &)> seen)
        : m_seen(std::move(seen))
    {
        connect(&m_poll, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            m_seen(box->text());
            box->close();
        });
        m_poll.start(50);
    }

private:
    std::function<void(const QString &)> m_seen;
    QTimer m_poll;
};
