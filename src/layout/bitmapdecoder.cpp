// Bitmap and icon decoding: uncompressed 24-bit bitmap files and 4-bit icons with their masks,
// both stored as rows of a bitmap under a 40-byte information header.
#include "picturebytes.h"

#include <array>

namespace {

constexpr qint64 FileHeaderSize = 14;
constexpr qint64 IconDirectoryEnd = 6 + 16; // the directory and its one entry
constexpr quint32 InfoHeaderSize = 40;
constexpr int IconColors = 16;

/// The fields of a bitmap information header that the decoders read.
struct InfoHeader {
    qint32 width;
    qint32 height; // negative for rows stored top-down
    quint16 planes;
    quint16 bitsPerPixel;
    quint32 compression; // 0: none
    quint32 colorsUsed;  // 0: as many as the depth allows
};

/// The information header at at; the caller has checked that its 40 bytes are there.
InfoHeader readInfoHeader(const PictureBytes &bytes, qint64 at)
{
    return {bytes.signedDword(at + 4), bytes.signedDword(at + 8), bytes.word(at + 12),
            bytes.word(at + 14),       bytes.dword(at + 16),      bytes.dword(at + 32)};
}

/// Bytes in one stored row of width pixels, bitsPerPixel deep: rows are padded to four bytes.
qint64 rowBytes(qint64 width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

/// Converts one row of blue, green, red triples to RGB32.
void convertRow(const uchar *from, QRgb *to, int width)
{
    // Four bytes read at a triple are blue, green, red and the next pixel's blue: with the last
    // byte forced to 0xFF they are the RGB32 pixel. The row's last triple is read byte by byte,
    // as its fourth byte may lie past the data.
    for (int x = 0; x < width - 1; ++x, from += 3)
        to[x] = qFromLittleEndian<quint32>(from) | 0xFF000000u;
    to[width - 1] = qRgb(from[2], from[1], from[0]);
}

/// A 4-bit row and its mask row to ARGB32: a pixel set in the mask is transparent black.
void convertIconRow(const uchar *indices, const uchar *mask, const QRgb *palette, QRgb *to, int width)
{
    for (int x = 0; x < width; ++x) {
        const int index = x % 2 == 0 ? indices[x / 2] >> 4 : indices[x / 2] & 0x0F;
        const bool transparent = (mask[x / 8] & (0x80 >> (x % 8))) != 0;
        to[x] = transparent ? qRgba(0, 0, 0, 0) : palette[index];
    }
}

/// The icon's bitmap at at with its 40-byte header info, once the header is known to be one this
/// decoder reads.
PictureDecoding readIconBitmap(const PictureBytes &bytes, qint64 at, const InfoHeader &info)
{
    const int width = info.width;
    const int height = info.height / 2; // the bitmap's height counts color rows and mask rows
    const qint64 paletteAt = at + InfoHeaderSize;
    const qint64 colorRowsAt = paletteAt + IconColors * 4;
    const qint64 colorStride = rowBytes(width, 4);
    const qint64 maskRowsAt = colorRowsAt + colorStride * height;
    const qint64 maskStride = rowBytes(width, 1);
    if (!bytes.holds(colorRowsAt, (colorStride + maskStride) * height))
        return brokenPicture(EndsEarly);

    std::array<QRgb, IconColors> palette;
    for (int i = 0; i < IconColors; ++i) {
        const qint64 entry = paletteAt + 4 * i; // blue, green, red, unused
        palette[i] = qRgb(bytes.byte(entry + 2), bytes.byte(entry + 1), bytes.byte(entry));
    }
    QImage image = newPicture(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return brokenPicture(NoMemory);
    for (int y = 0; y < height; ++y) {
        const qint64 stored = height - 1 - y; // rows are stored bottom-up
        convertIconRow(bytes.at(colorRowsAt + colorStride * stored), bytes.at(maskRowsAt + maskStride * stored),
                       palette.data(), reinterpret_cast<QRgb *>(image.scanLine(y)), width);
    }
    return {PictureDecoding::Decoded, std::move(image), {}};
}

} // namespace

PictureDecoding decodeBmp(QByteArrayView data)
{
    const PictureBytes bytes(data);
    if (!bytes.holds(0, FileHeaderSize + 4))
        return brokenPicture(EndsEarly);
    if (bytes.byte(0) != 'B' || bytes.byte(1) != 'M')
        return brokenPicture("it is not a bitmap file");
    if (bytes.dword(FileHeaderSize) != InfoHeaderSize)
        return unsupportedPicture();
    if (!bytes.holds(FileHeaderSize, InfoHeaderSize))
        return brokenPicture(EndsEarly);
    const InfoHeader info = readInfoHeader(bytes, FileHeaderSize);
    const qint64 height = qAbs(qint64(info.height));
    if (const auto problem = sizeProblem(info.width, height))
        return brokenPicture(*problem);
    // Pixel data placed inside the headers is odd enough to leave to the toolkit.
    const qint64 pixelsAt = bytes.dword(10);
    if (info.planes != 1 || info.bitsPerPixel != 24 || info.compression != 0
        || pixelsAt < FileHeaderSize + InfoHeaderSize)
        return unsupportedPicture();
    const qint64 stride = rowBytes(info.width, 24);
    if (!bytes.holds(pixelsAt, stride * height))
        return brokenPicture(EndsEarly);

    QImage image = newPicture(info.width, height, QImage::Format_RGB32);
    if (image.isNull())
        return brokenPicture(NoMemory);
    const bool bottomUp = info.height > 0;
    for (int y = 0; y < image.height(); ++y) {
        const qint64 stored = bottomUp ? height - 1 - y : y;
        convertRow(bytes.at(pixelsAt + stride * stored), reinterpret_cast<QRgb *>(image.scanLine(y)), info.width);
    }
    return {PictureDecoding::Decoded, std::move(image), {}};
}

PictureDecoding decodeIco(QByteArrayView data)
{
    const PictureBytes bytes(data);
    if (!bytes.holds(0, IconDirectoryEnd))
        return brokenPicture(EndsEarly);
    const quint16 type = bytes.word(2); // 1: icon, 2: cursor
    if (bytes.word(0) != 0 || (type != 1 && type != 2))
        return brokenPicture("it is not an icon file");
    const int images = bytes.word(4);
    if (images == 0)
        return brokenPicture("the file holds no image");
    if (type != 1 || images != 1)
        return unsupportedPicture();

    // The directory entry: width and height (0 standing for 256), colors, reserved, planes,
    // bits per pixel, the bitmap's size and its position.
    const int entryWidth = bytes.byte(6) == 0 ? 256 : bytes.byte(6);
    const int entryHeight = bytes.byte(7) == 0 ? 256 : bytes.byte(7);
    const qint64 bitmapAt = bytes.dword(18);
    if (!bytes.holds(bitmapAt, 4))
        return brokenPicture(EndsEarly);
    if (bytes.dword(bitmapAt) != InfoHeaderSize) // a PNG, or another header
        return unsupportedPicture();
    if (!bytes.holds(bitmapAt, InfoHeaderSize))
        return brokenPicture(EndsEarly);
    const InfoHeader info = readInfoHeader(bytes, bitmapAt);
    if (const auto problem = sizeProblem(info.width, info.height / 2))
        return brokenPicture(*problem);
    if (info.width != entryWidth || info.height != 2 * entryHeight || info.planes != 1 || info.bitsPerPixel != 4
        || info.compression != 0 || (info.colorsUsed != 0 && info.colorsUsed != IconColors))
        return unsupportedPicture();
    return readIconBitmap(bytes, bitmapAt, info);
}
