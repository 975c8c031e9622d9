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
/// data is missing or does not decode. Call it on the thread of the windows only; while a
/// PictureDecodingThread is at work, the first call waits for it.
const QImage &picture(const char *resourcePath);

/// The background picture, 582 x 563 pixels; throws PictureError if its size is not that.
const QImage &backgroundPicture();

/// The window icon.
QIcon windowIcon();

/// While it lives, every built-in picture not decoded yet is decoded on a worker thread, so the
/// decoding overlaps the start of the toolkit and its fonts; picture() takes the results when
/// first asked. A picture that does not decode fails there, as it would without the thread. Make
/// it after the application object (the decoders are plugins found through it) and let it end
/// before that object does: its end waits for the worker. One at a time; if no thread can be
/// started, picture() decodes each picture when asked, as without one.
class PictureDecodingThread
{
public:
    PictureDecodingThread();
    ~PictureDecodingThread();
    PictureDecodingThread(const PictureDecodingThread &) = delete;
    PictureDecodingThread &operator=(const PictureDecodingThread &) = delete;
};
