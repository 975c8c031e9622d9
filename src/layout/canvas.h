// A picture to draw on, made whole or not at all.
#pragma once

#include <QImage>

#include <new>

/// A picture of the size and format given, to draw on. Where there is no memory for it the
/// toolkit hands back an empty picture, on which drawing draws nothing at all, so a board or a
/// page would come out blank without a word; this throws std::bad_alloc instead.
inline QImage canvasImage(const QSize &size, QImage::Format format)
{
    QImage image(size, format);
    if (image.isNull() && !size.isEmpty())
        throw std::bad_alloc();
    return image;
}
