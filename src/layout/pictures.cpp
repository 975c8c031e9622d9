// Decoding of the built-in pictures, each once, with a clear error when one does not decode.
#include "pictures.h"

#include <QImageReader>

#include <map>
#include <string>

namespace {

constexpr const char *BackgroundPath = ":/pictures/background.gif";
constexpr const char *IconPath = ":/pictures/icon.ico";

std::map<std::string, QImage> &decodedPictures()
{
    static std::map<std::string, QImage> decoded;
    return decoded;
}

/// The data a picture is decoded from in place of its own, by resource path.
std::map<std::string, std::string> &pictureSources()
{
    static std::map<std::string, std::string> sources;
    return sources;
}

} // namespace

const QImage &picture(const char *resourcePath)
{
    auto &decoded = decodedPictures();
    const auto it = decoded.find(resourcePath);
    if (it != decoded.end())
        return it->second;

    const auto source = pictureSources().find(resourcePath);
    QImageReader reader(QString::fromStdString(source == pictureSources().end() ? resourcePath : source->second));
    QImage image = reader.read();
    if (image.isNull()) {
        throw PictureError("The built-in picture " + std::string(resourcePath)
                           + " could not be decoded: " + reader.errorString().toStdString() + ".");
    }
    // Drawing converts to this format anyway; converting once keeps every paint cheap.
    image = image.convertToFormat(QImage::Format_RGB32);
    return decoded.emplace(resourcePath, std::move(image)).first->second;
}

const QImage &backgroundPicture()
{
    const QImage &image = picture(BackgroundPath);
    if (image.size() != QSize(582, 563))
        throw PictureError("The built-in background picture has the wrong size.");
    return image;
}

QIcon windowIcon()
{
    return QIcon(QPixmap::fromImage(picture(IconPath)));
}

void setPictureSource(const char *resourcePath, const char *sourcePath)
{
    decodedPictures().erase(resourcePath);
    if (sourcePath)
        pictureSources()[resourcePath] = sourcePath;
    else
        pictureSources().erase(resourcePath);
}
