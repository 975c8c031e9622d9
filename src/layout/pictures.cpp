// The built-in pictures, each wrapped once around the pixels the build made of it.
#include "pictures.h"

#include "picturepixels.h"

#include "boarddata/catalogues.h"

#include <cstring>
#include <map>
#include <string>

namespace {

constexpr const char *BackgroundName = ":/pictures/background.gif";
constexpr const char *IconName = ":/pictures/icon.ico";

} // namespace

const QImage &picture(const char *name)
{
    // Made once each and kept, so every image shares the carried pixels and the references
    // handed out stay valid.
    static std::map<std::string, QImage, std::less<>> images;
    if (const auto it = images.find(std::string_view(name)); it != images.end())
        return it->second;
    for (const PicturePixels &p : builtInPictures()) {
        if (std::strcmp(p.name, name) != 0)
            continue;
        const QImage image(reinterpret_cast<const uchar *>(p.pixels), p.width, p.height, 4 * p.width,
                           QImage::Format_RGB32);
        return images.emplace(name, image).first->second;
    }
    // A picture of a board description: a file the description's check has read whole.
    if (std::strncmp(name, ":/", 2) != 0) {
        QImage image(QString::fromUtf8(name));
        if (image.isNull())
            throw PictureError(std::string("The picture ") + name + " cannot be read.");
        return images.emplace(name, image.convertToFormat(QImage::Format_RGB32)).first->second;
    }
    throw PictureError(std::string("The program has no built-in picture ") + name + ".");
}

const QImage &backgroundPicture()
{
    const QImage &image = picture(BackgroundName);
    if (image.size() != QSize(582, 563))
        throw PictureError("The built-in background picture has the wrong size.");
    return image;
}

const QImage &boardBackground()
{
    static const QImage none;
    return boardInUse().backgroundPicture ? backgroundPicture() : none;
}

QIcon windowIcon()
{
    return QIcon(QPixmap::fromImage(picture(IconName)));
}
