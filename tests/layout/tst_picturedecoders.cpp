// Tests of our decoders of the built-in pictures' formats: the pictures decode exactly as the
// toolkit decodes them, GIFs in the forms the background does not use decode too, data in other
// forms is left to the toolkit, and broken data is refused with its reason.
#include "layout/picturedecoders.h"
#include "layout/pictures.h"
#include "layout/picturesfortests.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <utility>
#include <vector>

namespace {

/// Decodes data with our decoder of format ("gif", "bmp" or "ico").
PictureDecoding decodeAs(const QByteArray &format, const QByteArray &data)
{
    // From a buffer of exactly the data's size: a read past its end trips the address
    // sanitizer, where a QByteArray's spare capacity would hide it.
    const std::vector<char> exact(data.cbegin(), data.cend());
    const QByteArrayView view(exact.data(), qsizetype(exact.size()));
    if (format == "gif")
        return decodeGif(view);
    if (format == "bmp")
        return decodeBmp(view);
    return decodeIco(view);
}

QImage toolkitDecoding(const QByteArray &format, const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QByteArray resourceBytes(const char *path)
{
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// data with the little-endian number of size bytes at at replaced by value.
QByteArray withNumber(QByteArray data, qsizetype at, int size, quint32 value)
{
    for (int i = 0; i < size; ++i)
        data[at + i] = char((value >> (8 * i)) & 0xFF);
    return data;
}

QByteArray withWord(const QByteArray &data, qsizetype at, quint32 value)
{
    return withNumber(data, at, 2, value);
}

QByteArray withDword(const QByteArray &data, qsizetype at, quint32 value)
{
    return withNumber(data, at, 4, value);
}

/// Packs codes of varying width least significant bit first, as GIF stores them.
class CodeWriter
{
public:
    void put(int code, int width)
    {
        for (int bit = 0; bit < width; ++bit, ++m_bits) {
            if (m_bits % 8 == 0)
                m_bytes.append('\0');
            if ((code >> bit) & 1)
                m_bytes.back() = char(m_bytes.back() | (1 << (m_bits % 8)));
        }
    }

    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    qint64 m_bits = 0;
};

/// GIF code data for indices, LZW-compressed as GIF wants: a clear code first, codes growing
/// from minCodeSize + 1 to 12 bits, an end code last. With the table full the encoder sends a
/// clear code, or, if keepFullTable, goes on with the table as it is, as GIF allows too.
QByteArray lzwCodes(const QList<int> &indices, int minCodeSize, bool keepFullTable)
{
    const int clearCode = 1 << minCodeSize;
    std::map<std::pair<int, int>, int> table; // (prefix code, next index) to code
    int width = minCodeSize + 1;
    int nextCode = clearCode + 2;
    CodeWriter codes;
    codes.put(clearCode, width);
    int prefix = indices.front();
    for (const int index : indices.sliced(1)) {
        if (const auto known = table.find({prefix, index}); known != table.end()) {
            prefix = known->second;
            continue;
        }
        codes.put(prefix, width);
        if (nextCode < 4096) {
            table.emplace(std::pair{prefix, index}, nextCode++);
            // The decoder defines each entry one code later, so it widens one code later too.
            if (nextCode > 1 << width && width < 12)
                ++width;
        } else if (!keepFullTable) {
            codes.put(clearCode, width);
            table.clear();
            width = minCodeSize + 1;
            nextCode = clearCode + 2;
        }
        prefix = index;
    }
    codes.put(prefix, width);
    if (nextCode == 1 << width && width < 12) // the decoder's entry for that last code
        ++width;
    codes.put(clearCode + 1, width);
    return codes.bytes();
}

/// Distinct colors for a color table; another seed gives other colors.
QList<QRgb> colorTable(int count, int seed)
{
    QList<QRgb> colors;
    for (int i = 0; i < count; ++i)
        colors.append(qRgb((i * 37 + seed) & 0xFF, (i * 91 + 2 * seed) & 0xFF, (i * 53 + 3 * seed) & 0xFF));
    return colors;
}

/// What a generated GIF holds: its size, its tables (2^bits colors; no local table at 0 bits),
/// the LZW code size, how many of the active table's colors the pixels use (0: all), and
/// whether its encoder keeps a full table.
struct GifForm {
    int width;
    int height;
    bool interlaced;
    int globalBits;
    int localBits;
    int minCodeSize;
    int colorsUsed = 0;
    bool keepFullTable = false;

    int colors() const { return colorsUsed > 0 ? colorsUsed : 1 << (localBits > 0 ? localBits : globalBits); }
};

int indexAt(int x, int y, int colors)
{
    return (3 * x + 5 * y + x * y) % colors;
}

/// The picture's rows in the order the file stores them: pass by pass when interlaced.
QList<int> storedRowOrder(int height, bool interlaced)
{
    QList<int> rows;
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            rows.append(y);
        return rows;
    }
    for (const auto &[first, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
        for (int y = first; y < height; y += step)
            rows.append(y);
    return rows;
}

void appendColors(QByteArray &gif, const QList<QRgb> &colors)
{
    for (const QRgb color : colors)
        gif.append(char(qRed(color))).append(char(qGreen(color))).append(char(qBlue(color)));
}

/// A GIF89a file of form holding indexAt() of its active color table, with a graphic control
/// block without a transparent color and a comment before the image, and its codes split into
/// sub-blocks of seven bytes so that codes straddle them.
QByteArray generatedGif(const GifForm &form)
{
    QByteArray gif = withWord(withWord(QByteArray("GIF89a....", 10), 6, form.width), 8, form.height);
    gif.append(char(0x80 | (form.globalBits - 1))).append('\0').append('\0');
    appendColors(gif, colorTable(1 << form.globalBits, 1));
    gif.append("\x21\xF9\x04\x00\x0A\x00\x07\x00", 8);
    gif.append("\x21\xFE\x06"
               "VELMOR"
               "\x00",
               10);
    gif.append(withWord(withWord(QByteArray("\x2C\0\0\0\0....", 9), 5, form.width), 7, form.height));
    const bool local = form.localBits > 0;
    gif.append(char((form.interlaced ? 0x40 : 0) | (local ? 0x80 | (form.localBits - 1) : 0)));
    if (local)
        appendColors(gif, colorTable(1 << form.localBits, 2));

    QList<int> indices;
    for (const int y : storedRowOrder(form.height, form.interlaced))
        for (int x = 0; x < form.width; ++x)
            indices.append(indexAt(x, y, form.colors()));
    const QByteArray codes = lzwCodes(indices, form.minCodeSize, form.keepFullTable);
    gif.append(char(form.minCodeSize));
    for (qsizetype at = 0; at < codes.size(); at += 7)
        gif.append(char(qMin<qsizetype>(7, codes.size() - at))).append(codes.mid(at, 7));
    return gif.append('\0').append('\x3B');
}

/// What generatedGif(form) shows, built from the same tables and indices.
QImage expectedGifImage(const GifForm &form)
{
    const bool local = form.localBits > 0;
    const QList<QRgb> colors = local ? colorTable(1 << form.localBits, 2) : colorTable(1 << form.globalBits, 1);
    QImage image(form.width, form.height, QImage::Format_RGB32);
    for (int y = 0; y < form.height; ++y)
        for (int x = 0; x < form.width; ++x)
            image.setPixel(x, y, colors[indexAt(x, y, form.colors())]);
    return image;
}

// Where the background's parts begin: a 256-color global table and no extension block, as
// tst_pictures checks.
constexpr qsizetype GifImageSeparator = 13 + 3 * 256;
constexpr qsizetype GifCodesAt = GifImageSeparator + 10 + 2; // past the code size and block length
// Where the icon's bitmap header begins: after the directory and its one entry.
constexpr qsizetype IconBitmapAt = 6 + 16;

/// The background with the code after its opening clear code (bits 9 to 17) set to code.
QByteArray gifWithSecondCode(QByteArray gif, int code)
{
    const quint32 bits = quint32(code) << 1; // the second code begins at bit 1 of the second byte
    const quint32 stored = quint32(quint8(gif[GifCodesAt + 1])) | quint32(quint8(gif[GifCodesAt + 2])) << 8;
    return withWord(gif, GifCodesAt + 1, (stored & ~(0x1FFu << 1)) | bits);
}

/// The background claiming height rows, in the logical screen and in the image alike.
QByteArray gifWithHeight(const QByteArray &gif, int height)
{
    return withWord(withWord(gif, 8, height), GifImageSeparator + 7, height);
}

} // namespace

Q_DECLARE_METATYPE(GifForm)
Q_DECLARE_METATYPE(QImage::Format)

class PictureDecodersTest : public QObject
{
    Q_OBJECT

private slots:
    void builtInPictureDecodesAsToolkit_data();
    void builtInPictureDecodesAsToolkit();
    void generatedGifDecodes_data();
    void generatedGifDecodes();
    void otherFormsAreLeftToToolkit_data();
    void otherFormsAreLeftToToolkit();
    void brokenDataIsRefused_data();
    void brokenDataIsRefused();
    void pictureFallsBackToToolkit();
    void pictureErrorSaysWhy();
};

void PictureDecodersTest::builtInPictureDecodesAsToolkit_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QImage::Format>("imageFormat");

    const QByteArray icon = resourceBytes(":/pictures/icon.ico");
    QTest::addRow("background") << QByteArray("gif") << resourceBytes(":/pictures/background.gif")
                                << QImage::Format_RGB32;
    QTest::addRow("CPU socket") << QByteArray("bmp") << resourceBytes(":/pictures/socket.bmp") << QImage::Format_RGB32;
    QTest::addRow("window icon") << QByteArray("ico") << icon << QImage::Format_ARGB32;

    // The icon's mask is clear; set, a pixel is transparent.
    const qsizetype maskBytes = 32 * 4;
    QByteArray masked = icon;
    for (qsizetype i = 0; i < maskBytes; ++i)
        masked[masked.size() - maskBytes + i] = char(i % 3 == 0 ? 0xFF : i % 3 == 1 ? 0x5A : 0x00);
    QTest::addRow("window icon with a mask") << QByteArray("ico") << masked << QImage::Format_ARGB32;
}

void PictureDecodersTest::builtInPictureDecodesAsToolkit()
{
    QFETCH(QByteArray, format);
    QFETCH(QByteArray, data);
    QFETCH(QImage::Format, imageFormat);

    const PictureDecoding ours = decodeAs(format, data);
    QVERIFY2(ours.outcome == PictureDecoding::Decoded, ours.error.c_str());
    QCOMPARE(ours.image.format(), imageFormat);
    const QImage toolkit = toolkitDecoding(format, data);
    QVERIFY(!toolkit.isNull());
    QCOMPARE(ours.image, toolkit.convertToFormat(imageFormat));
}

void PictureDecodersTest::generatedGifDecodes_data()
{
    QTest::addColumn<GifForm>("form");
    // width, height, interlaced, global table bits, local table bits, LZW code size, colors
    // used, table kept when full
    QTest::addRow("interlaced, 11 rows: all four passes") << GifForm{5, 11, true, 3, 0, 3};
    QTest::addRow("interlaced, local table of 16 colors") << GifForm{7, 13, true, 3, 4, 4};
    QTest::addRow("interlaced, one row") << GifForm{9, 1, true, 3, 0, 3};
    QTest::addRow("interlaced, two rows: passes 1 and 4") << GifForm{3, 2, true, 3, 0, 3};
    QTest::addRow("sequential, local table of 4 colors") << GifForm{17, 4, false, 3, 2, 2};
    // 0, 1, 0, 1, ...: the fourth code is the one its own decoding defines, "0 1 0".
    QTest::addRow("alternating pixels") << GifForm{9, 1, false, 2, 0, 2, 2};
    QTest::addRow("table full, then cleared") << GifForm{300, 200, false, 4, 0, 4};
    QTest::addRow("table full, then kept") << GifForm{300, 200, false, 4, 0, 4, 0, true};
}

void PictureDecodersTest::generatedGifDecodes()
{
    QFETCH(GifForm, form);
    const QByteArray gif = generatedGif(form);
    const QImage expected = expectedGifImage(form);
    // The toolkit reads the fixture as it is meant, which vouches for the fixture itself.
    QCOMPARE(toolkitDecoding("gif", gif).convertToFormat(QImage::Format_RGB32), expected);
    const PictureDecoding ours = decodeAs("gif", gif);
    QVERIFY2(ours.outcome == PictureDecoding::Decoded, ours.error.c_str());
    QCOMPARE(ours.image, expected);
}

void PictureDecodersTest::otherFormsAreLeftToToolkit_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("data");

    const QByteArray gif = resourceBytes(":/pictures/background.gif");
    const QByteArray transparent = QByteArray(gif).insert(GifImageSeparator, "\x21\xF9\x04\x01\0\0\x05\0", 8);
    QTest::addRow("gif: a transparent color") << QByteArray("gif") << transparent;
    QTest::addRow("gif: image one pixel off the screen's corner")
        << QByteArray("gif") << withWord(gif, GifImageSeparator + 1, 1);
    QTest::addRow("gif: codes for 8 colors, a table of 4")
        << QByteArray("gif") << generatedGif(GifForm{4, 4, false, 2, 0, 3});

    const QByteArray bmp = resourceBytes(":/pictures/socket.bmp");
    QTest::addRow("bmp: 32 bits per pixel") << QByteArray("bmp") << withWord(bmp, 28, 32);
    QTest::addRow("bmp: compressed") << QByteArray("bmp") << withDword(bmp, 30, 1);
    QTest::addRow("bmp: a later header's size") << QByteArray("bmp") << withDword(bmp, 14, 124);
    QTest::addRow("bmp: pixels inside the headers") << QByteArray("bmp") << withDword(bmp, 10, 20);

    const QByteArray ico = resourceBytes(":/pictures/icon.ico");
    QTest::addRow("ico: a cursor") << QByteArray("ico") << withWord(ico, 2, 2);
    QTest::addRow("ico: two images") << QByteArray("ico") << withWord(ico, 4, 2);
    QTest::addRow("ico: 8 bits per pixel") << QByteArray("ico") << withWord(ico, IconBitmapAt + 14, 8);
    QTest::addRow("ico: a PNG") << QByteArray("ico") << withDword(ico, IconBitmapAt, 0x474E5089);
    QTest::addRow("ico: bitmap wider than the directory says")
        << QByteArray("ico") << withDword(ico, IconBitmapAt + 4, 16);
}

void PictureDecodersTest::otherFormsAreLeftToToolkit()
{
    QFETCH(QByteArray, format);
    QFETCH(QByteArray, data);
    const PictureDecoding ours = decodeAs(format, data);
    QVERIFY2(ours.outcome == PictureDecoding::Unsupported, ours.error.c_str());
}

void PictureDecodersTest::brokenDataIsRefused_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");

    const QString endsEarly = QStringLiteral("the data ends early");
    const QString badSize = QStringLiteral("the header gives a size of");

    const QByteArray gif = resourceBytes(":/pictures/background.gif");
    for (const qsizetype cut : {qsizetype(0), qsizetype(10), qsizetype(16), GifImageSeparator - 1,
                                GifImageSeparator + 5, GifCodesAt + 100, gif.size() / 2, gif.size() - 2})
        QTest::addRow("gif: cut after %lld bytes", qlonglong(cut)) << QByteArray("gif") << gif.left(cut) << endsEarly;
    QTest::addRow("gif: another signature")
        << QByteArray("gif") << QByteArray(gif).replace(0, 6, "GIF88a") << QStringLiteral("not a GIF file");
    QTest::addRow("gif: a table code right after the clear code")
        << QByteArray("gif") << gifWithSecondCode(gif, 258) << QStringLiteral("out of sequence");
    QTest::addRow("gif: a code past the table")
        << QByteArray("gif") << gifWithSecondCode(gif, 511) << QStringLiteral("out of sequence");
    QTest::addRow("gif: code size 0") << QByteArray("gif") << QByteArray(gif).replace(GifCodesAt - 2, 1, "\0", 1)
                                      << QStringLiteral("code size is out of range");
    QTest::addRow("gif: code size 12") << QByteArray("gif") << QByteArray(gif).replace(GifCodesAt - 2, 1, "\x0C", 1)
                                       << QStringLiteral("code size is out of range");
    QTest::addRow("gif: one row fewer than the codes fill")
        << QByteArray("gif") << gifWithHeight(gif, 562) << QStringLiteral("more pixels than the picture");
    QTest::addRow("gif: one row more than the codes fill")
        << QByteArray("gif") << gifWithHeight(gif, 564) << QStringLiteral("the picture data ends early");
    QTest::addRow("gif: 65535 x 65535") << QByteArray("gif") << withWord(withWord(gif, 6, 65535), 8, 65535) << badSize;
    QTest::addRow("gif: zero width") << QByteArray("gif") << withWord(gif, 6, 0) << badSize;
    QTest::addRow("gif: trailer before any image")
        << QByteArray("gif") << QByteArray(gif.left(GifImageSeparator)).append('\x3B') << QStringLiteral("no image");
    QTest::addRow("gif: a block of no known kind")
        << QByteArray("gif") << QByteArray(gif).replace(GifImageSeparator, 1, "\x42", 1)
        << QStringLiteral("unknown kind");

    const QByteArray bmp = resourceBytes(":/pictures/socket.bmp");
    for (const qsizetype cut : {qsizetype(10), qsizetype(16), qsizetype(40), bmp.size() / 2, bmp.size() - 1})
        QTest::addRow("bmp: cut after %lld bytes", qlonglong(cut)) << QByteArray("bmp") << bmp.left(cut) << endsEarly;
    QTest::addRow("bmp: another signature")
        << QByteArray("bmp") << QByteArray(bmp).replace(0, 2, "MB") << QStringLiteral("not a bitmap file");
    QTest::addRow("bmp: pixels said to lie past the end")
        << QByteArray("bmp") << withDword(bmp, 10, 0xFFFFFFF0u) << endsEarly;
    QTest::addRow("bmp: one row more than the data holds") << QByteArray("bmp") << withDword(bmp, 22, 301) << endsEarly;
    QTest::addRow("bmp: 8192 x 8192, more than the data holds")
        << QByteArray("bmp") << withDword(withDword(bmp, 18, 8192), 22, 8192) << endsEarly;
    QTest::addRow("bmp: 8193 wide") << QByteArray("bmp") << withDword(bmp, 18, 8193) << badSize;
    QTest::addRow("bmp: the most negative height") << QByteArray("bmp") << withDword(bmp, 22, 0x80000000u) << badSize;
    QTest::addRow("bmp: negative width") << QByteArray("bmp") << withDword(bmp, 18, quint32(-311)) << badSize;
    QTest::addRow("bmp: zero height") << QByteArray("bmp") << withDword(bmp, 22, 0) << badSize;

    const QByteArray ico = resourceBytes(":/pictures/icon.ico");
    for (const qsizetype cut : {qsizetype(5), qsizetype(16), IconBitmapAt + 20, IconBitmapAt + 50, ico.size() - 1})
        QTest::addRow("ico: cut after %lld bytes", qlonglong(cut)) << QByteArray("ico") << ico.left(cut) << endsEarly;
    QTest::addRow("ico: not an icon directory")
        << QByteArray("ico") << withWord(ico, 2, 7) << QStringLiteral("not an icon file");
    QTest::addRow("ico: no image") << QByteArray("ico") << withWord(ico, 4, 0) << QStringLiteral("no image");
    QTest::addRow("ico: bitmap said to lie past the end")
        << QByteArray("ico") << withDword(ico, 18, 0xFFFFFFFFu) << endsEarly;
    QTest::addRow("ico: zero width") << QByteArray("ico") << withDword(ico, IconBitmapAt + 4, 0) << badSize;
    QTest::addRow("ico: negative height")
        << QByteArray("ico") << withDword(ico, IconBitmapAt + 8, quint32(-64)) << badSize;
}

void PictureDecodersTest::brokenDataIsRefused()
{
    QFETCH(QByteArray, format);
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    const PictureDecoding ours = decodeAs(format, data);
    QCOMPARE(ours.outcome, PictureDecoding::Broken);
    QVERIFY(ours.image.isNull());
    QVERIFY2(QString::fromStdString(ours.error).contains(reason), ours.error.c_str());
}

void PictureDecodersTest::pictureFallsBackToToolkit()
{
    // A 32-bit icon, as the toolkit writes one: our icon decoder leaves it to the toolkit.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("icon.ico"));
    QImage written(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            written.setPixel(x, y, qRgb(30 * x, 30 * y, 200));
    QVERIFY(written.save(path, "ICO"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(decodeAs("ico", file.readAll()).outcome, PictureDecoding::Unsupported);

    const PictureSourceForTests replaced(":/pictures/icon.ico", path.toLocal8Bit().constData());
    QCOMPARE(picture(":/pictures/icon.ico"), written.convertToFormat(QImage::Format_RGB32));
}

void PictureDecodersTest::pictureErrorSaysWhy()
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("background.gif")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(gifWithSecondCode(resourceBytes(":/pictures/background.gif"), 511));
    file.close();

    const PictureSourceForTests replaced(":/pictures/background.gif", file.fileName().toLocal8Bit().constData());
    QString message;
    try {
        picture(":/pictures/background.gif");
    } catch (const PictureError &e) {
        message = QString::fromUtf8(e.what());
    }
    QCOMPARE(message,
             QStringLiteral("The built-in picture :/pictures/background.gif could not be decoded: "
                            "a picture code is out of sequence."));
}

QTEST_GUILESS_MAIN(PictureDecodersTest)
#include "tst_picturedecoders.moc"
