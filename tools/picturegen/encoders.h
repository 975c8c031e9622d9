// Writers for the stored picture formats; each returns the complete file contents.
#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>

/// Appends a 16-bit or 32-bit value, least significant byte first, as all three formats store
/// their numbers.
inline void put16(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

inline void put32(QByteArray &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

/// A GIF89a file holding image as one frame, not interlaced, with image's color table as the
/// global color table and no extension blocks. image must be Format_Indexed8 with exactly
/// 256 colors.
QByteArray encodeGif(const QImage &image);

/// An icon file holding image as its one 4-bit entry, with an all-zero mask, so no pixel is
/// transparent. image must be Format_Indexed8 with exactly 16 colors and at most 255 pixels
/// on a side.
QByteArray encodeIco(const QImage &image);

/// An uncompressed 24-bit bitmap file with bottom-up rows, each padded to four bytes.
QByteArray encodeBmp(const QImage &image);
