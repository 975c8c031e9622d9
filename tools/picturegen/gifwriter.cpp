// GIF89a writer: one frame with a 256-entry global color table and LZW-compressed pixels.
#include "encoders.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <unordered_map>

namespace {

constexpr int MinCodeSize = 8; // pixel indices are whole bytes
constexpr int MaxCodeWidth = 12;
constexpr int LastCode = (1 << MaxCodeWidth) - 1;

/// Packs codes of varying width into bytes, least significant bit first.
class CodeStream
{
public:
    void put(int code, int width)
    {
        m_pending |= std::uint32_t(code) << m_pendingBits;
        m_pendingBits += width;
        while (m_pendingBits >= 8) {
            m_bytes.append(char(m_pending & 0xFF));
            m_pending >>= 8;
            m_pendingBits -= 8;
        }
    }

    QByteArray finish()
    {
        if (m_pendingBits > 0)
            m_bytes.append(char(m_pending & 0xFF));
        m_pending = 0;
        m_pendingBits = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    std::uint32_t m_pending = 0;
    int m_pendingBits = 0;
};

/// LZW-compresses pixel indices as GIF expects: a clear code first, codes growing from 9 to 12
/// bits, a clear code whenever the table is full, and an end code last.
QByteArray compress(const QByteArray &indices)
{
    const int clearCode = 1 << MinCodeSize;
    const int endCode = clearCode + 1;
    std::unordered_map<std::uint32_t, int> table; // key: prefix code << 8 | next index
    int width = MinCodeSize + 1;
    int nextCode = endCode + 1;

    CodeStream codes;
    codes.put(clearCode, width);
    int prefix = static_cast<unsigned char>(indices.front());
    for (qsizetype i = 1; i < indices.size(); ++i) {
        const int index = static_cast<unsigned char>(indices.at(i));
        const std::uint32_t key = std::uint32_t(prefix) << 8 | std::uint32_t(index);
        if (const auto known = table.find(key); known != table.end()) {
            prefix = known->second;
            continue;
        }
        codes.put(prefix, width);
        prefix = index;
        if (nextCode <= LastCode) {
            table.emplace(key, nextCode++);
            // The decoder adds its entry for this code one code later, so it widens after
            // reading the code that follows; widening here, after the put, keeps both in step.
            if (nextCode > (1 << width) && width < MaxCodeWidth)
                ++width;
            continue;
        }
        codes.put(clearCode, width);
        table.clear();
        width = MinCodeSize + 1;
        nextCode = endCode + 1;
    }
    codes.put(prefix, width);
    // Reading that last code completes one more entry in the decoder, which may widen it.
    if (nextCode == (1 << width) && width < MaxCodeWidth)
        ++width;
    codes.put(endCode, width);
    return codes.finish();
}

} // namespace

QByteArray encodeGif(const QImage &image)
{
    assert(image.format() == QImage::Format_Indexed8 && "GIF pictures are written from indices");
    assert(image.colorCount() == 256 && "the global color table has 256 entries");

    QByteArray out("GIF89a");
    put16(out, image.width());
    put16(out, image.height());
    out.append(char(0xF7)); // global table present, 8 bits per primary, unsorted, 256 entries
    out.append(char(0));    // background color: entry 0
    out.append(char(0));    // square pixels
    for (const QRgb color : image.colorTable()) {
        out.append(char(qRed(color)));
        out.append(char(qGreen(color)));
        out.append(char(qBlue(color)));
    }

    out.append(char(0x2C)); // image descriptor: the whole screen, no local table, sequential
    put16(out, 0);
    put16(out, 0);
    put16(out, image.width());
    put16(out, image.height());
    out.append(char(0));

    QByteArray indices;
    indices.reserve(qsizetype(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y)
        indices.append(reinterpret_cast<const char *>(image.constScanLine(y)), image.width());

    out.append(char(MinCodeSize));
    const QByteArray data = compress(indices);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype length = std::min<qsizetype>(255, data.size() - at);
        out.append(char(length));
        out.append(data.mid(at, length));
    }
    out.append(char(0));    // end of the image data
    out.append(char(0x3B)); // trailer
    return out;
}
