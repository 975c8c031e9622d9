// Colors as text, so a failed comparison of pixels reads as colors.
#pragma once

#include "boardrows/color.h"

#include <QColor>
#include <QString>

/// A pixel's color as "RRGGBB".
inline QString rgbHex(QRgb pixel)
{
    return QString::asprintf("%06X", pixel & 0xFFFFFF);
}

/// A stored color as the board writes it, "BBGGRR".
inline QString colorHex(Color color)
{
    return QString::asprintf("%06X", color);
}
