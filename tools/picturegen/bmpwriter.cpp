// Bitmap writer: 24 bits per pixel, uncompressed, bottom-up rows padded to four bytes.
#include "encoders.h"

#include <cstdint>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int PixelsPerMetre = 3780; // 96 pixels per inch

} // namespace

QByteArray encodeBmp(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const int width = pixels.width();
    const int height = pixels.height();
    const int stride = (width * 3 + 3) / 4 * 4;
    const int offset = FileHeaderSize + InfoHeaderSize;

    QByteArray out("BM");
    put32(out, offset + stride * height);
    put32(out, 0); // reserved
    put32(out, offset);

    put32(out, InfoHeaderSize);
    put32(out, width);
    put32(out, height); // positive: the last row comes first
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // uncompressed
    put32(out, stride * height);
    put32(out, PixelsPerMetre);
    put32(out, PixelsPerMetre);
    put32(out, 0);
    put32(out, 0);

    const QByteArray padding(stride - width * 3, '\0');
    for (int y = height - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.append(char(qBlue(row[x])));
            out.append(char(qGreen(row[x])));
            out.append(char(qRed(row[x])));
        }
        out.append(padding);
    }
    return out;
}
