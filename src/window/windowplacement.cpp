// The window's place on the desktop.
#include "windowplacement.h"

#include <algorithm>

QPoint placedInside(const QRect &frame, const QRect &available)
{
    // Kept inside the far edges first, then the near ones, so a frame larger than the area
    // keeps its title bar on the screen.
    const int x = std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
    const int y = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
    return QPoint(x, y);
}
