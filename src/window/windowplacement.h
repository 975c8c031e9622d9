// The places of the window and its settings panel on the desktop: the window where it was laid
// out to stand, as long as it fits there; the panel where the jumper blocks stay in sight.
#pragma once

#include <QPoint>
#include <QRect>

/// Where a window frame goes on a screen whose free area (without panels and docks) is
/// available: where it stands, when it fits there entirely; otherwise moved along each axis just
/// far enough to fit, and to the area's top or left edge along an axis where it is larger.
QPoint placedInside(const QRect &frame, const QRect &available);

/// Where a panel of the size given goes beside a window frame, on a screen whose free area is
/// available, so that it covers none of keepInSight (the jumper blocks, in screen pixels): right
/// of the window, else left of it, below, above, or over the window away from keepInSight, the
/// first of these that lies wholly on the free area. Where none does, the place of those that
/// covers least of keepInSight, kept on the free area.
QPoint panelPlace(const QSize &panel, const QRect &window, const QRect &keepInSight, const QRect &available);
