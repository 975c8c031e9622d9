// The window's place on the desktop: where it was laid out to stand, as long as it fits there.
#pragma once

#include <QPoint>
#include <QRect>

/// Where a window frame goes on a screen whose free area (without panels and docks) is
/// available: where it stands, when it fits there entirely; otherwise moved along each axis just
/// far enough to fit, and to the area's top or left edge along an axis where it is larger.
QPoint placedInside(const QRect &frame, const QRect &available);
