// Decoding of the built-in pictures, each once, ahead on a worker thread at start-up, with a clear
// error when one does not decode.
#include "pictures.h"
#include "picturesfortests.h"

#include "catalogues.h"

#include <QImageReader>

#include <cassert>
#include <future>
#include <map>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

constexpr const char *BackgroundPath = ":/pictures/background.gif";
constexpr const char *IconPath = ":/pictures/icon.ico";

/// One picture decoded, or the message saying why it could not be.
struct Decoding {
    QImage image; // null when the data does not decode
    std::string error;
};

/// Decodings by resource path.
using Decodings = std::map<std::string, Decoding>;

struct PictureStore {
    Decodings decoded;
    std::map<std::string, std::string> sources; // data decoded in place of a picture's own
    std::future<Decodings> pending;             // a PictureDecodingThread's results
};

PictureStore &store()
{
    static PictureStore pictures;
    return pictures;
}

/// Decodes the data at source as the built-in picture resourcePath. Touches nothing shared, so
/// it runs on any thread.
Decoding decode(const std::string &resourcePath, const std::string &source)
{
    // Told the format the picture is stored in (its path's suffix), the reader goes straight to
    // that decoder; left to find it, it loads every image plugin to ask whether it reads a BMP.
    QImageReader reader(QString::fromStdString(source),
                        QByteArray::fromStdString(resourcePath.substr(resourcePath.rfind('.') + 1)));
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        return {QImage(), "The built-in picture " + resourcePath + " could not be decoded: "
                              + reader.errorString().toStdString() + "."};
    }
    // Drawing converts to this format anyway; converting once keeps every paint cheap.
    return {image.convertToFormat(QImage::Format_RGB32), {}};
}

std::string sourceOf(const PictureStore &pictures, const std::string &resourcePath)
{
    const auto it = pictures.sources.find(resourcePath);
    return it == pictures.sources.end() ? resourcePath : it->second;
}

/// Waits for the decoding thread's results, if there are any, and keeps them.
void takeDecodedAhead(PictureStore &pictures)
{
    if (!pictures.pending.valid())
        return;
    Decodings results = pictures.pending.get();
    // A picture decoded meanwhile may be held by a window already: the first decoding stays.
    pictures.decoded.merge(results);
}

} // namespace

const QImage &picture(const char *resourcePath)
{
    PictureStore &pictures = store();
    takeDecodedAhead(pictures);
    auto it = pictures.decoded.find(resourcePath);
    if (it == pictures.decoded.end())
        it = pictures.decoded.emplace(resourcePath, decode(resourcePath, sourceOf(pictures, resourcePath))).first;
    if (it->second.image.isNull())
        throw PictureError(it->second.error);
    return it->second.image;
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

PictureDecodingThread::PictureDecodingThread()
{
    PictureStore &pictures = store();
    assert(!pictures.pending.valid() && "one PictureDecodingThread at a time");
    // Paths and data sources are copied here, so the worker shares nothing with this thread.
    std::vector<std::pair<std::string, std::string>> work;
    std::vector<const char *> paths{BackgroundPath, IconPath};
    for (const ImageRow &row : imageCatalogue())
        paths.push_back(row.picture);
    for (const char *path : paths) {
        if (!pictures.decoded.contains(path))
            work.emplace_back(path, sourceOf(pictures, path));
    }
    try {
        pictures.pending = std::async(std::launch::async, [work = std::move(work)] {
            Decodings results;
            for (const auto &[path, source] : work)
                results.try_emplace(path, decode(path, source));
            return results;
        });
    } catch (const std::system_error &) {
        // No thread to be had: each picture is decoded when it is first asked for.
    }
}

PictureDecodingThread::~PictureDecodingThread()
{
    try {
        takeDecodedAhead(store());
    } catch (const std::exception &) {
        // The worker ran out of memory; picture() decodes anything asked for later itself.
    }
}

PictureSourceForTests::PictureSourceForTests(const char *resourcePath, const char *sourcePath)
    : m_resourcePath(resourcePath)
{
    PictureStore &pictures = store();
    takeDecodedAhead(pictures); // decoded from the picture's own data, so forgotten below
    pictures.decoded.erase(m_resourcePath);
    pictures.sources[m_resourcePath] = sourcePath;
}

PictureSourceForTests::~PictureSourceForTests()
{
    PictureStore &pictures = store();
    takeDecodedAhead(pictures);
    pictures.decoded.erase(m_resourcePath);
    pictures.sources.erase(m_resourcePath);
}
