// GIF decoding: the first image of the file, its LZW codes unpacked straight into the picture.
#include "picturebytes.h"

#include <array>
#include <cstring>

namespace {

constexpr qint64 ScreenDescriptorEnd = 13;
constexpr qint64 ImageDescriptorSize = 9; // after its separator
constexpr int MaxCodeWidth = 12;
constexpr int TableSize = 1 << MaxCodeWidth;

// Block introducers and the flags this decoder reads.
constexpr uchar ExtensionIntroducer = 0x21;
constexpr uchar ImageSeparator = 0x2C;
constexpr uchar Trailer = 0x3B;
constexpr uchar GraphicControlLabel = 0xF9;
constexpr uchar ColorTableFlag = 0x80;
constexpr uchar InterlaceFlag = 0x40;
constexpr uchar TransparentColorFlag = 0x01;

struct ColorTable {
    std::array<QRgb, 256> colors{};
    int size = 0; // no table at all when 0
};

/// Reads the table of 2^(sizeBits + 1) colors at at, and moves at past it.
bool readColorTable(const PictureBytes &bytes, qint64 &at, int sizeBits, ColorTable &table)
{
    table.size = 2 << sizeBits;
    if (!bytes.holds(at, 3 * table.size))
        return false;
    for (int i = 0; i < table.size; ++i, at += 3)
        table.colors[i] = qRgb(bytes.byte(at), bytes.byte(at + 1), bytes.byte(at + 2));
    return true;
}

/// Walks the data sub-blocks from at to past their empty terminator, appending their data to
/// gathered if it is given. False if they run past the end.
bool readSubBlocks(const PictureBytes &bytes, qint64 &at, QByteArray *gathered)
{
    for (;;) {
        if (!bytes.holds(at, 1))
            return false;
        const int length = bytes.byte(at++);
        if (length == 0)
            return true;
        if (!bytes.holds(at, length))
            return false;
        if (gathered)
            gathered->append(reinterpret_cast<const char *>(bytes.at(at)), length);
        at += length;
    }
}

/// Skips the extension at at (after its introducer); sets transparent if it is a graphic
/// control block giving a transparent color.
bool skipExtension(const PictureBytes &bytes, qint64 &at, bool &transparent)
{
    if (!bytes.holds(at, 2))
        return false;
    const bool graphicControl = bytes.byte(at) == GraphicControlLabel;
    ++at;
    // The graphic control block's first sub-block: length 4, flags, delay (2), color index.
    if (graphicControl && bytes.byte(at) >= 4 && bytes.holds(at + 1, 1))
        transparent = transparent || (bytes.byte(at + 1) & TransparentColorFlag) != 0;
    return readSubBlocks(bytes, at, nullptr);
}

/// Unpacks GIF's variable-width LZW codes. Each table entry is a run of pixels already written
/// to the picture (the string of the code before it plus one pixel), so a code is copied out of
/// the picture itself instead of being walked back through a prefix chain.
class LzwDecoder
{
public:
    /// codes: the image's sub-block data followed by at least three zero bytes.
    LzwDecoder(const QByteArray &codes, int minCodeSize, const QRgb *palette)
        : m_codes(reinterpret_cast<const uchar *>(codes.constData()))
        , m_bitCount((codes.size() - 3) * 8)
        , m_clearCode(1 << minCodeSize)
        , m_minCodeSize(minCodeSize)
        , m_palette(palette)
    {
        clearTable();
    }

    /// Writes exactly count pixels; returns why it could not, or nullptr.
    const char *decode(QRgb *pixels, qint64 count);

private:
    void clearTable()
    {
        m_codeWidth = m_minCodeSize + 1;
        m_nextCode = m_clearCode + 2; // past the clear and end codes
    }

    /// The next code, or -1 where the data ends.
    int readCode()
    {
        if (m_bitAt + m_codeWidth > m_bitCount)
            return -1;
        // Codes are packed least significant bit first; 12 bits at any offset lie in 3 bytes.
        const quint32 bits = qFromLittleEndian<quint32>(m_codes + (m_bitAt >> 3)) >> (m_bitAt & 7);
        m_bitAt += m_codeWidth;
        return int(bits & ((1u << m_codeWidth) - 1));
    }

    void addEntry(qint64 start, int length)
    {
        m_start[m_nextCode] = quint32(start);
        m_length[m_nextCode] = quint16(length);
        // The encoder widens its codes once the next free code no longer fits.
        if (++m_nextCode == (1 << m_codeWidth) && m_codeWidth < MaxCodeWidth)
            ++m_codeWidth;
    }

    const uchar *m_codes;
    qint64 m_bitCount;
    qint64 m_bitAt = 0;
    const int m_clearCode;
    const int m_minCodeSize;
    const QRgb *m_palette;
    int m_codeWidth = 0;
    int m_nextCode = 0;
    std::array<quint32, TableSize> m_start; // where the entry's pixels were first written
    std::array<quint16, TableSize> m_length;
};

const char *LzwDecoder::decode(QRgb *pixels, qint64 count)
{
    const int endCode = m_clearCode + 1;
    qint64 at = 0;
    qint64 previousStart = -1; // where the last code's pixels begin; none after a clear code
    int previousLength = 0;
    for (int code = readCode(); code >= 0 && code != endCode; code = readCode()) {
        if (code == m_clearCode) {
            clearTable();
            previousStart = -1;
            continue;
        }
        // A literal, an entry of the table, or the entry this very code defines.
        const bool defined = code < m_nextCode;
        const int length = code < m_clearCode ? 1 : defined ? m_length[code] : previousLength + 1;
        if (!defined && (code > m_nextCode || previousStart < 0))
            return "a picture code is out of sequence";
        if (length > count - at)
            return "the picture data holds more pixels than the picture";
        if (code < m_clearCode) {
            pixels[at] = m_palette[code];
        } else if (defined) {
            std::memcpy(pixels + at, pixels + m_start[code], length * sizeof(QRgb));
        } else {
            // The previous code's pixels followed by their own first pixel.
            std::memcpy(pixels + at, pixels + previousStart, previousLength * sizeof(QRgb));
            pixels[at + previousLength] = pixels[previousStart];
        }
        // The previous code's pixels run on into this code's first pixel: the new entry.
        if (previousStart >= 0 && m_nextCode < TableSize)
            addEntry(previousStart, previousLength + 1);
        previousStart = at;
        previousLength = length;
        at += length;
    }
    return at == count ? nullptr : "the picture data ends early";
}

/// Moves the rows of an interlaced picture, stored pass after pass, into their places.
void deinterlace(const QRgb *passes, QImage &image)
{
    static constexpr struct {
        int first, step;
    } Passes[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    const qint64 rowBytes = qint64(image.width()) * sizeof(QRgb);
    for (const auto &pass : Passes) {
        for (int y = pass.first; y < image.height(); y += pass.step, passes += image.width())
            std::memcpy(image.scanLine(y), passes, rowBytes);
    }
}

/// Moves at from the end of the global color table to just past the first image's separator,
/// over any extensions; sets transparent if one gives a transparent color. Returns why it could
/// not, or nullptr.
const char *findImage(const PictureBytes &bytes, qint64 &at, bool &transparent)
{
    for (;;) {
        if (!bytes.holds(at, 1))
            return EndsEarly;
        const uchar introducer = bytes.byte(at++);
        if (introducer == ImageSeparator)
            return nullptr;
        if (introducer == Trailer)
            return "the file holds no image";
        if (introducer != ExtensionIntroducer)
            return "a block of an unknown kind stands before the image";
        if (!skipExtension(bytes, at, transparent))
            return EndsEarly;
    }
}

/// Decodes the image data at at, its code size and then sub-blocks of codes, into a picture of
/// width x height.
PictureDecoding readImage(const PictureBytes &bytes, qint64 at, int width, int height, bool interlaced,
                          const ColorTable &colors)
{
    if (!bytes.holds(at, 1))
        return brokenPicture(EndsEarly);
    const int minCodeSize = bytes.byte(at++);
    if (minCodeSize == 0 || minCodeSize >= MaxCodeWidth)
        return brokenPicture("its LZW code size is out of range");
    if ((1 << minCodeSize) > colors.size)
        return unsupportedPicture(); // a pixel could name a color past the table
    QByteArray codes;
    if (!readSubBlocks(bytes, at, &codes))
        return brokenPicture(EndsEarly);
    codes.append(3, '\0'); // LzwDecoder reads whole words
    QImage image = newPicture(width, height, QImage::Format_RGB32);
    QImage passes = interlaced ? newPicture(width, height, QImage::Format_RGB32) : QImage();
    if (image.isNull() || (interlaced && passes.isNull()))
        return brokenPicture(NoMemory);
    // An RGB32 image's rows follow each other without gaps, so its pixels are one run.
    QImage &target = interlaced ? passes : image;
    auto *pixels = reinterpret_cast<QRgb *>(target.bits());
    assert(target.bytesPerLine() == qsizetype(width) * qsizetype(sizeof(QRgb)));
    LzwDecoder decoder(codes, minCodeSize, colors.colors.data());
    if (const char *problem = decoder.decode(pixels, qint64(width) * height))
        return brokenPicture(problem);
    if (interlaced)
        deinterlace(pixels, image);
    return {PictureDecoding::Decoded, std::move(image), {}};
}

} // namespace

PictureDecoding decodeGif(QByteArrayView data)
{
    const PictureBytes bytes(data);
    if (!bytes.holds(0, ScreenDescriptorEnd))
        return brokenPicture(EndsEarly);
    if (std::memcmp(bytes.at(0), "GIF87a", 6) != 0 && std::memcmp(bytes.at(0), "GIF89a", 6) != 0)
        return brokenPicture("it is not a GIF file");
    const int width = bytes.word(6);
    const int height = bytes.word(8);
    if (const auto problem = sizeProblem(width, height))
        return brokenPicture(*problem);
    ColorTable colors;
    qint64 at = ScreenDescriptorEnd;
    const uchar screenFlags = bytes.byte(10);
    if ((screenFlags & ColorTableFlag) != 0 && !readColorTable(bytes, at, screenFlags & 7, colors))
        return brokenPicture(EndsEarly);
    bool transparent = false;
    if (const char *problem = findImage(bytes, at, transparent))
        return brokenPicture(problem);
    if (!bytes.holds(at, ImageDescriptorSize))
        return brokenPicture(EndsEarly);
    // Left, top, width and height; where the image leaves part of the screen uncovered, the
    // toolkit decides what shows there.
    const bool coversScreen =
        bytes.word(at) == 0 && bytes.word(at + 2) == 0 && bytes.word(at + 4) == width && bytes.word(at + 6) == height;
    const uchar flags = bytes.byte(at + 8);
    at += ImageDescriptorSize;
    if ((flags & ColorTableFlag) != 0 && !readColorTable(bytes, at, flags & 7, colors))
        return brokenPicture(EndsEarly);
    if (transparent || !coversScreen || colors.size == 0)
        return unsupportedPicture();
    return readImage(bytes, at, width, height, (flags & InterlaceFlag) != 0, colors);
}
