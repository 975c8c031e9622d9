// The guide's window as the board in use describes it: its caption, place and client area.
#pragma once

#include "catalogues.h"

#include <QPoint>
#include <QSize>

/// The window's caption, also the title of every message the guide shows.
inline const char *windowCaption()
{
    return boardInUse().caption;
}

/// The client area in pixels.
inline QSize clientSize()
{
    return QSize(boardInUse().clientWidth, boardInUse().clientHeight);
}

/// Where the client area's top-left corner stands on the screen.
inline constexpr QPoint ClientTopLeft(10, 32);

/// The window's background, under the board drawing and wherever it leaves the client area bare
/// (the program's own board takes system color 9, white in the standard scheme).
inline Color windowBackColor()
{
    return boardInUse().background;
}
