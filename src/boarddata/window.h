// The guide's window as the board drawing describes it: its caption, place and client area.
#pragma once

#include "color.h"

#include <QPoint>
#include <QSize>

/// The window's caption, also the title of every message the guide shows.
inline constexpr char WindowCaption[] = "P5VELMOR";

/// The client area in pixels, and where its top-left corner stands on the screen.
inline constexpr QSize ClientSize(513, 500);
inline constexpr QPoint ClientTopLeft(10, 32);

/// The window's background, under the board picture and wherever it leaves the client area
/// bare: system color 9, which the window takes for its back color (white in the standard scheme).
inline constexpr Color WindowBackColor = TitleBarText;
