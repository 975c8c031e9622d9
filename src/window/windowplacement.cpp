// The places of the window and its panel on the desktop.
#include "windowplacement.h"

#include <algorithm>
#include <vector>

QPoint placedInside(const QRect &frame, const QRect &available)
{
    // Kept inside the far edges first, then the near ones, so a frame larger than the area
    // keeps its title bar on the screen.
    const int x = std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width()));
    const int y = std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height()));
    return QPoint(x, y);
}

QPoint panelPlace(const QSize &panel, const QRect &window, const QRect &keepInSight, const QRect &available)
{
    constexpr int Gap = 8;
    const int besideTop = window.top();
    const std::vector<QPoint> candidates = {
        {window.right() + 1 + Gap, besideTop},                         // right of the window
        {window.left() - Gap - panel.width(), besideTop},              // left of it
        {window.left(), window.bottom() + 1 + Gap},                    // below it
        {window.left(), window.top() - Gap - panel.height()},          // above it
        {keepInSight.left() - Gap - panel.width(), keepInSight.top()}, // over it, left of the blocks
        {keepInSight.left() - Gap - panel.width(), window.bottom() + 1 - panel.height()},
        {keepInSight.right() + 1 + Gap, keepInSight.top()}, // right of the blocks
        {window.left(), keepInSight.bottom() + 1 + Gap},    // below the blocks
    };
    const auto covered = [&](const QPoint &at) {
        const QRect hidden = QRect(at, panel).intersected(keepInSight);
        return hidden.isEmpty() ? 0LL : qint64(hidden.width()) * hidden.height();
    };
    for (const QPoint &at : candidates) {
        if (available.contains(QRect(at, panel)) && covered(at) == 0)
            return at;
    }
    // No room anywhere: on the free area, where it hides least.
    QPoint best = placedInside(QRect(candidates.front(), panel), available);
    for (const QPoint &at : candidates) {
        const QPoint kept = placedInside(QRect(at, panel), available);
        if (covered(kept) < covered(best))
            best = kept;
    }
    return best;
}
