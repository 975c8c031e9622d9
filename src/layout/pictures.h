// The pictures built into the program: the board-guide background, the window icon, the socket.
#pragma once

#include <QIcon>
#include <QImage>

#include <stdexcept>

/// A built-in picture that is not there, or not as the board needs it.
class PictureError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// The built-in picture of that name (":/pictures/socket.bmp", as the board's rows name it),
/// wrapped around the pixels the program carries: nothing is decoded or copied. Any other name is
/// the path of a picture file a board description names, decoded once. Throws PictureError for a
/// name no picture has.
const QImage &picture(const char *name);

/// The background picture, 582 x 563 pixels; throws PictureError if its size is not that.
const QImage &backgroundPicture();

/// The ground the board in use is drawn on: the background picture where its rows name it, else
/// none (a null image).
const QImage &boardBackground();

/// The window icon.
QIcon windowIcon();
