// The checks of a picture file a description names, in the order that reads the least of it.
#include "picturecheck.h"

#include "boardrows/showntext.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

/// The pictures the program carries, which a description may name as "builtin:NAME".
constexpr const char *BuiltinPictures[] = {"background", "socket"};

/// Decoding the largest picture allowed as 32-bit pixels takes 64 MiB; the toolkit's limit is
/// held there while a picture of a description is decoded, then given back.
class AllocationLimit
{
public:
    AllocationLimit()
        : m_previous(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(MaxPictureSide * MaxPictureSide * 4 / (1024 * 1024));
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(m_previous); }
    AllocationLimit(const AllocationLimit &) = delete;
    AllocationLimit &operator=(const AllocationLimit &) = delete;

private:
    int m_previous;
};

/// The format the file's first bytes announce: only these three are handed to a decoder.
QByteArray formatOf(const QByteArray &bytes)
{
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "gif";
    if (bytes.startsWith("BM"))
        return "bmp";
    return {};
}

PictureCheck builtin(const QString &written)
{
    const QString name = written.mid(int(sizeof "builtin:" - 1));
    for (const char *known : BuiltinPictures) {
        if (name == QLatin1String(known))
            return {PictureReference{written, {}}, {}};
    }
    return {std::nullopt,
            QStringLiteral("names no built-in picture; the built-in pictures are "
                           "\"builtin:background\" and \"builtin:socket\"")};
}

/// Decodes the bytes, refusing a picture too large before any pixel is decoded.
QString decodeProblem(const QByteArray &bytes)
{
    const QByteArray format = formatOf(bytes);
    if (format.isEmpty())
        return QStringLiteral("is not a PNG, BMP or GIF picture");
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid())
        return QStringLiteral("is not a readable %1 picture").arg(QString::fromLatin1(format.toUpper()));
    if (size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return QStringLiteral("is %1x%2 pixels; a picture is at most %3x%3 pixels")
            .arg(size.width())
            .arg(size.height())
            .arg(MaxPictureSide);
    const AllocationLimit limit;
    if (reader.read().isNull())
        return QStringLiteral("cannot be decoded as %1: %2")
            .arg(QString::fromLatin1(format.toUpper()), reader.errorString());
    return {};
}

} // namespace

PictureCheck checkPicture(const QString &written, const QDir &folder)
{
    if (written.startsWith(QLatin1String("builtin:")))
        return builtin(written);
    if (written.isEmpty())
        return {std::nullopt, QStringLiteral("is empty; give a file name relative to the description's folder")};
    if (QDir::isAbsolutePath(written))
        return {std::nullopt,
                QStringLiteral("is an absolute path; give it relative to the description's folder, "
                               "so the board can be shared with its pictures")};
    const QFileInfo file(folder.filePath(written));
    if (!file.exists())
        return {std::nullopt,
                QStringLiteral("does not exist: the description's folder has no file %1").arg(shownText(written))};
    // A device, a pipe or a folder could hold up the check forever or be endless; so could a file
    // that says it is empty, as those under /proc do.
    if (!file.isFile())
        return {std::nullopt, QStringLiteral("is not a regular file")};
    if (file.size() == 0)
        return {std::nullopt, QStringLiteral("is an empty file, not a picture")};
    if (file.size() > MaxPictureBytes)
        return {std::nullopt,
                QStringLiteral("has %1 bytes; a picture file has at most 16 MiB (%2 bytes)")
                    .arg(file.size())
                    .arg(MaxPictureBytes)};
    QFile in(file.absoluteFilePath());
    if (!in.open(QIODevice::ReadOnly))
        return {std::nullopt, QStringLiteral("cannot be read: %1").arg(in.errorString())};
    const QByteArray bytes = in.read(file.size());
    if (const QString problem = decodeProblem(bytes); !problem.isEmpty())
        return {std::nullopt, problem};
    return {PictureReference{written, file.absoluteFilePath()}, {}};
}
