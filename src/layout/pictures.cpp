// Decoding of the built-in pictures, each once, with a clear error when one does not decode.
#include "pictures.h"

#include <QImageReader>

#include <map>
#include <string>

namespace {

constexpr const char *BackgroundPath = ":/pictures/background.gif";
constexpr const char *IconPath = ":/pictures/icon.ico";

} // namespace

const QImage &picture(const char *resourcePath)
{
    static std::map<std::string, QImage> decoded;
    const auto it = decoded.find(resourcePath);
    if (it != decoded.end())
        return it->second;

    QImageReader reader(QString::fromLatin1(resourcePath));
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
