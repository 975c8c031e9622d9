// Boxes given by the pixels at their edges, as the pictures' parts are measured.
#pragma once

#include <QRect>

/// The box from pixel left to pixel right across and from top to bottom down, ends included:
/// edgeBox(3, 3, 5, 5) is the one pixel at 3,5.
constexpr QRect edgeBox(int left, int right, int top, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}
