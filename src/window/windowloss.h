// The window lost to another program: the end of the program when its window is destroyed.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>

/// Watches the X server's messages for the destruction of one window's native window by
/// someone else (xdotool windowclose, a window manager's kill); then ends the event loop with
/// status 0, as closing the window does, rather than run on with no window. On a platform
/// other than X it does nothing.
class WindowLossWatch : public QAbstractNativeEventFilter
{
public:
    explicit WindowLossWatch(const QWidget &window);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    const QWidget &m_window;
};
