// Decoding of the built-in pictures, each once, ahead on a worker thread at start-up, with a clear
// error when one does not decode.
#include "pictures.h"

#include "picturedecoders.h"
#include "picturesfortests.h"

#include "boarddata/catalogues.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QResource>

#include <cassert>
#include <future>
#include <map>
#include <optional>
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

Decoding undecodable(const std::string &resourcePath, const std::string &why)
{
    return {QImage(), "The built-in picture " + resourcePath + " could not be decoded: " + why + "."};
}

/// Our own decoder of each stored format, by the suffix the picture's path ends in.
struct OwnDecoder {
    const char *suffix;
    PictureDecoding (*decode)(QByteArrayView data);
};

constexpr OwnDecoder OwnDecoders[] = {
    {"gif", decodeGif},
    {"bmp", decodeBmp},
    {"ico", decodeIco},
};

PictureDecoding decodeOwn(const std::string &suffix, QByteArrayView data)
{
    for (const OwnDecoder &decoder : OwnDecoders) {
        if (suffix == decoder.suffix)
            return decoder.decode(data);
    }
    return {};
}

/// The toolkit's decoder for data in a form ours leave to it.
Decoding decodeWithToolkit(const std::string &resourcePath, const std::string &suffix, const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    // Told the format, the reader goes straight to that decoder; left to find it, it loads every
    // image plugin to ask whether it reads a BMP.
    QImageReader reader(&buffer, QByteArray::fromStdString(suffix));
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        return undecodable(resourcePath, reader.errorString().toStdString());
    return {image.convertToFormat(QImage::Format_RGB32), {}};
}

/// The bytes at source, a resource or a file; nullopt with why set if it cannot be read.
std::optional<QByteArray> readSource(const std::string &source, std::string &why)
{
    const QString path = QString::fromStdString(source);
    if (path.startsWith(u':')) {
        // Stored uncompressed, a resource's data is read in place, without a copy.
        if (const QResource resource(path); resource.isValid())
            return resource.uncompressedData();
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString().toStdString();
        return std::nullopt;
    }
    return file.readAll();
}

/// Decodes the data at source as the built-in picture resourcePath, in the format its path's
/// suffix names. Touches nothing shared, so it runs on any thread.
Decoding decode(const std::string &resourcePath, const std::string &source)
{
    const std::string suffix = resourcePath.substr(resourcePath.rfind('.') + 1);
    std::string unreadable;
    const std::optional<QByteArray> data = readSource(source, unreadable);
    if (!data)
        return undecodable(resourcePath, unreadable);
    PictureDecoding own = decodeOwn(suffix, *data);
    switch (own.outcome) {
    case PictureDecoding::Decoded:
        // Drawing converts to this format anyway; converting once keeps every paint cheap.
        return {std::move(own.image).convertToFormat(QImage::Format_RGB32), {}};
    case PictureDecoding::Broken:
        return undecodable(resourcePath, own.error);
    case PictureDecoding::Unsupported:
        break;
    }
    return decodeWithToolkit(resourcePath, suffix, *data);
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
