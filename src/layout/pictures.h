// The pictures built into the program: the board-guide background, the window icon, the socket.
#pragma once

#include <QIcon>
#include <QImage>

#include <stdexcept>

/// A built-in picture that cannot be decoded.
class PictureError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// The decoded picture at a resource path, decoded once and kept. Throws PictureError when the
/// data is missing or does not decode.
const QImage &picture(const char *resourcePath);

/// The background picture, 582 x 563 pixels; throws PictureError if its size is not that.
const QImage &backgroundPicture();

/// The window icon.
QIcon windowIcon();

/// Makes picture(resourcePath) decode the data at sourcePath (a file or another resource)
/// instead of its own, or its own again when sourcePath is null; errors still name
/// resourcePath. Forgets that picture if it was decoded already, so call it before any window
/// exists. Lets tests of start-up faults give a built-in picture data that does not decode.
void setPictureSource(const char *resourcePath, const char *sourcePath);
