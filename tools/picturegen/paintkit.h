// Drawing helpers shared by the pictures: stored colors, the inside of boxes and fitted lettering.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRect>
#include <cstdint>

/// A color written 0xBBGGRR, the way the pictures' colors are given.
QColor bgr(std::uint32_t value);

/// The area a box covers in painter coordinates, shrunk by margin on every side. Lettering
/// fitted into it leaves margin pixels clear, so antialiased edges stay inside the box.
QRectF innerArea(const QRect &box, qreal margin);

/// The outline of text set in family at a large size, letterGap extra units between letters.
/// Throws std::runtime_error when family is not installed, so no picture silently takes
/// another face.
QPainterPath textOutline(const QString &text, const char *family, int weight, qreal letterGap = 0);

/// textOutline() with the letters spread evenly so that the outline is aspect times as wide as
/// high. Text that is already wider keeps its natural spacing.
QPainterPath spreadOutline(const QString &text, const char *family, int weight, qreal aspect);

/// path scaled without distortion to the largest size that fits area, centred vertically and
/// placed horizontally by alignment (Qt::AlignLeft or Qt::AlignHCenter).
QPainterPath fittedInto(const QPainterPath &path, const QRectF &area, Qt::Alignment alignment);
