// Icon writer: one 4-bit image with its palette, pixel rows and an all-zero mask.
#include "encoders.h"

#include <cassert>
#include <cstdint>

namespace {

constexpr int BitsPerPixel = 4;
constexpr int PaletteSize = 16;
constexpr int IconDirSize = 6;
constexpr int EntrySize = 16;
constexpr int InfoHeaderSize = 40;

/// Bytes in one row of a bitmap bitsPerPixel deep, padded to four bytes.
int rowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

} // namespace

QByteArray encodeIco(const QImage &image)
{
    assert(image.format() == QImage::Format_Indexed8 && image.colorCount() == PaletteSize
           && "icons are written from 16-color indices");
    assert(image.width() <= 255 && image.height() <= 255 && "an icon entry stores sizes in a byte");

    const int width = image.width();
    const int height = image.height();
    const int colorBytes = rowBytes(width, BitsPerPixel) * height;
    const int maskBytes = rowBytes(width, 1) * height;
    const int imageSize = InfoHeaderSize + PaletteSize * 4 + colorBytes + maskBytes;

    QByteArray out;
    put16(out, 0); // reserved
    put16(out, 1); // icon, not cursor
    put16(out, 1); // one entry
    out.append(char(width));
    out.append(char(height));
    out.append(char(PaletteSize));
    out.append(char(0)); // reserved
    put16(out, 1);       // color planes
    put16(out, BitsPerPixel);
    put32(out, imageSize);
    put32(out, IconDirSize + EntrySize);

    // The bitmap's height counts the color rows and the mask rows together.
    put32(out, InfoHeaderSize);
    put32(out, width);
    put32(out, 2 * height);
    put16(out, 1);
    put16(out, BitsPerPixel);
    put32(out, 0); // uncompressed
    put32(out, colorBytes + maskBytes);
    put32(out, 0); // no resolution
    put32(out, 0);
    put32(out, 0); // all 16 palette entries used
    put32(out, 0);

    for (const QRgb color : image.colorTable()) {
        out.append(char(qBlue(color)));
        out.append(char(qGreen(color)));
        out.append(char(qRed(color)));
        out.append(char(0));
    }

    const int padding = rowBytes(width, BitsPerPixel) - (width + 1) / 2;
    for (int y = height - 1; y >= 0; --y) {
        const uchar *row = image.constScanLine(y);
        for (int x = 0; x < width; x += 2) {
            const int right = x + 1 < width ? row[x + 1] : 0;
            out.append(char((row[x] << 4) | right));
        }
        out.append(QByteArray(padding, '\0'));
    }
    out.append(QByteArray(maskBytes, '\0'));
    return out;
}
