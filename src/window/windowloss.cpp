// Ending the program when the X server reports its window destroyed.
#include "windowloss.h"

#include <QCoreApplication>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define VELMOR_HAS_XCB 1
#endif

WindowLossWatch::WindowLossWatch(const QWidget &window)
    : m_window(window)
{
}

bool WindowLossWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
#ifdef VELMOR_HAS_XCB
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    // The high bit marks an event another client sent; a destruction is the server's own word.
    if (event->response_type != XCB_DESTROY_NOTIFY)
        return false;
    const auto *destroyed = static_cast<const xcb_destroy_notify_event_t *>(message);
    // The toolkit never destroys the window while it runs; only another program can have.
    if (m_window.internalWinId() == 0 || destroyed->window != m_window.internalWinId())
        return false;
    QCoreApplication::exit(0);
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}
