// Tests of the pictures the program carries: their stored formats and what they show.
#include "backgroundlayout.h"
#include "edgebox.h"

#include "layout/pictures.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <cstdint>
#include <iterator>

namespace {

/// A color written 0xBBGGRR, as the pictures' colors are given, as a 0xRRGGBB value.
constexpr QRgb fromBgr(std::uint32_t value)
{
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

constexpr QRgb FieldColor = fromBgr(0xEFF7E7);
constexpr QRgb FrameColor = fromBgr(0xE7DEA5);
constexpr QRgb NameColor = fromBgr(0x188C52);
constexpr QRgb TitleColor = fromBgr(0x21B55A);

QString picturePath(const QString &name)
{
    return QStringLiteral(PICTURES_DIR "/") + name;
}

QByteArray pictureBytes(const QString &name)
{
    QFile file(picturePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 littleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

quint32 word(const QByteArray &bytes, qsizetype at)
{
    return littleEndian(bytes, at, 2);
}

quint32 dword(const QByteArray &bytes, qsizetype at)
{
    return littleEndian(bytes, at, 4);
}

int byteAt(const QByteArray &bytes, qsizetype at)
{
    return static_cast<unsigned char>(bytes.at(at));
}

/// What a walk over the blocks after a GIF's global color table finds.
struct GifBlocks {
    int images = 0;
    int interlacedImages = 0;
    int transparentColors = 0;
    bool wellFormed = false; // every block complete, ending with the trailer as the last byte
};

/// Position after the data sub-blocks starting at at, or -1 if they run past the end.
qsizetype skipSubBlocks(const QByteArray &bytes, qsizetype at)
{
    while (at < bytes.size()) {
        const int length = byteAt(bytes, at);
        at += 1 + length;
        if (length == 0)
            return at;
    }
    return -1;
}

GifBlocks scanGifBlocks(const QByteArray &bytes, qsizetype at)
{
    GifBlocks found;
    while (at >= 0 && at < bytes.size()) {
        switch (byteAt(bytes, at)) {
        case 0x21: // extension; a graphic control block's low flag bit marks a transparent color
            if (at + 3 < bytes.size() && byteAt(bytes, at + 1) == 0xF9 && (byteAt(bytes, at + 3) & 0x01) != 0)
                ++found.transparentColors;
            at = skipSubBlocks(bytes, at + 2);
            break;
        case 0x2C: { // image descriptor, maybe a local color table, code size, data
            if (at + 10 >= bytes.size())
                return found;
            const int flags = byteAt(bytes, at + 9);
            ++found.images;
            found.interlacedImages += (flags & 0x40) != 0;
            const int localTable = (flags & 0x80) != 0 ? 3 << ((flags & 0x07) + 1) : 0;
            at = skipSubBlocks(bytes, at + 10 + localTable + 1);
            break;
        }
        case 0x3B:
            found.wellFormed = at == bytes.size() - 1;
            return found;
        default:
            return found;
        }
    }
    return found;
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void backgroundIsOneFrameGif();
    void iconIsOne4BitImage();
    void socketIsUncompressed24BitBitmap();
    void pixels_data();
    void pixels();
    void backgroundOutsideItemsIsPlainField();
    void programCarriesTheStoredPictures_data();
    void programCarriesTheStoredPictures();
    void unknownPictureIsAnError();
};

void PicturesTest::backgroundIsOneFrameGif()
{
    const QByteArray gif = pictureBytes(QStringLiteral("background.gif"));
    QVERIFY(gif.size() > 13 + 768);
    QCOMPARE(gif.left(6), QByteArray("GIF89a"));
    QCOMPARE(word(gif, 6), quint32(BackgroundWidth));
    QCOMPARE(word(gif, 8), quint32(BackgroundHeight));
    const int flags = byteAt(gif, 10);
    QVERIFY2(flags & 0x80, "no global color table");
    QCOMPARE(flags & 0x07, 7); // 2^(7+1) = 256 entries

    const GifBlocks blocks = scanGifBlocks(gif, 13 + 256 * 3);
    QVERIFY(blocks.wellFormed);
    QCOMPARE(blocks.images, 1);
    QCOMPARE(blocks.interlacedImages, 0);
    QCOMPARE(blocks.transparentColors, 0);
}

void PicturesTest::iconIsOne4BitImage()
{
    const QByteArray ico = pictureBytes(QStringLiteral("icon.ico"));
    QVERIFY(ico.size() > 22 + 40);
    QCOMPARE(word(ico, 0), 0u);
    QCOMPARE(word(ico, 2), 1u); // icon
    QCOMPARE(word(ico, 4), 1u); // one entry
    QCOMPARE(byteAt(ico, 6), 32);
    QCOMPARE(byteAt(ico, 7), 32);
    QCOMPARE(byteAt(ico, 8), 16);
    QCOMPARE(word(ico, 12), 4u);
    const quint32 size = dword(ico, 14);
    const quint32 offset = dword(ico, 18);
    QCOMPARE(qsizetype(offset) + size, ico.size());

    QCOMPARE(dword(ico, offset), 40u);
    QCOMPARE(dword(ico, offset + 4), 32u);
    QCOMPARE(dword(ico, offset + 8), 64u); // color rows and mask rows
    QCOMPARE(word(ico, offset + 14), 4u);
    QCOMPARE(dword(ico, offset + 16), 0u); // uncompressed

    // The standard 16-color palette, stored blue, green, red, zero.
    constexpr QRgb standard[] = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    for (int i = 0; i < int(std::size(standard)); ++i)
        QCOMPARE(dword(ico, offset + 40 + 4 * i), standard[i]);

    // 16 bytes per color row, 4 per mask row; a clear mask leaves no pixel transparent.
    QCOMPARE(size, 40u + 64u + 32u * 16u + 32u * 4u);
    QCOMPARE(ico.right(32 * 4), QByteArray(32 * 4, '\0'));
}

void PicturesTest::socketIsUncompressed24BitBitmap()
{
    const QByteArray bmp = pictureBytes(QStringLiteral("socket.bmp"));
    QVERIFY(bmp.size() > 54);
    QCOMPARE(bmp.left(2), QByteArray("BM"));
    QCOMPARE(qsizetype(dword(bmp, 2)), bmp.size());
    QCOMPARE(dword(bmp, 14), 40u);
    const auto width = qint32(dword(bmp, 18));
    const auto height = qint32(dword(bmp, 22));
    QVERIFY(width > 0);
    QVERIFY2(height > 0, "rows are not stored bottom-up");
    QCOMPARE(word(bmp, 28), 24u);
    QCOMPARE(dword(bmp, 30), 0u); // uncompressed
    const qsizetype stride = (qsizetype(width) * 3 + 3) / 4 * 4;
    QCOMPARE(qsizetype(dword(bmp, 10)) + stride * height, bmp.size());
}

void PicturesTest::pixels_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<uint>("color");
    QTest::addColumn<bool>("everyPixel");

    const QString background = QStringLiteral("background.gif");
    const int right = BackgroundWidth - 1;
    const int bottom = BackgroundHeight - 1;
    QTest::addRow("background: field inside the frame") << background << edgeBox(1, 1, 1, 1) << FieldColor << true;
    QTest::addRow("background: field in the middle") << background << edgeBox(290, 290, 280, 280) << FieldColor << true;
    QTest::addRow("background: field near the lower right")
        << background << edgeBox(580, 580, 561, 561) << FieldColor << true;
    QTest::addRow("background: frame on row 0") << background << edgeBox(0, right, 0, 0) << FrameColor << true;
    QTest::addRow("background: frame on column 0") << background << edgeBox(0, 0, 0, bottom) << FrameColor << true;
    QTest::addRow("background: frame on the last row")
        << background << edgeBox(0, right, bottom, bottom) << FrameColor << true;
    QTest::addRow("background: frame on the last column")
        << background << edgeBox(right, right, 0, bottom) << FrameColor << true;
    QTest::addRow("background: model name lettering") << background << NameBox << NameColor << false;
    QTest::addRow("background: title lettering") << background << TitleBox << TitleColor << false;
    QTest::addRow("background: banner strip corner") << background << edgeBox(29, 29, 439, 439) << 0xFFFFFFu << true;

    const QString icon = QStringLiteral("icon.ico");
    QTest::addRow("icon: upper left corner") << icon << edgeBox(0, 0, 0, 0) << 0x000000u << true;
    QTest::addRow("icon: upper right corner") << icon << edgeBox(31, 31, 0, 0) << 0x000000u << true;
    QTest::addRow("icon: lower left corner") << icon << edgeBox(0, 0, 31, 31) << 0x000000u << true;
    QTest::addRow("icon: lower right corner") << icon << edgeBox(31, 31, 31, 31) << 0x000000u << true;
    QTest::addRow("icon: bright red in the disc") << icon << edgeBox(4, 27, 4, 27) << 0xFF0000u << false;
    QTest::addRow("icon: dark red in the disc") << icon << edgeBox(4, 27, 4, 27) << 0x800000u << false;
    QTest::addRow("icon: white lettering across the middle") << icon << edgeBox(2, 29, 10, 21) << 0xFFFFFFu << false;

    // The socket picture's boxes are those of the full-size layout divided by four.
    const QString socket = QStringLiteral("socket.bmp");
    QTest::addRow("socket: white field corner") << socket << edgeBox(0, 0, 0, 0) << 0xFFFFFFu << true;
    QTest::addRow("socket: cream body") << socket << edgeBox(36, 301, 33, 276) << fromBgr(0xE1F9F8) << false;
    QTest::addRow("socket: dark-green chip") << socket << edgeBox(85, 252, 71, 231) << fromBgr(0x1F4100) << false;
    QTest::addRow("socket: grey socket name low on the body")
        << socket << edgeBox(80, 280, 246, 272) << fromBgr(0x999999) << false;
}

void PicturesTest::pixels()
{
    QFETCH(QString, picture);
    QFETCH(QRect, area);
    QFETCH(uint, color);
    QFETCH(bool, everyPixel);

    const QImage image(picturePath(picture));
    QVERIFY2(!image.isNull(), qPrintable(picture + QStringLiteral(" does not decode")));
    QVERIFY(image.rect().contains(area));

    int matching = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            matching += (image.pixel(x, y) & 0xFFFFFF) == color;
    if (everyPixel)
        QCOMPARE(matching, area.width() * area.height());
    else
        QVERIFY(matching > 0);
}

void PicturesTest::backgroundOutsideItemsIsPlainField()
{
    const QImage image(picturePath(QStringLiteral("background.gif")));
    QCOMPARE(image.size(), QSize(BackgroundWidth, BackgroundHeight));

    const QRect inside = image.rect().adjusted(1, 1, -1, -1);
    QList<QPoint> stray;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QPoint at(x, y);
            if (NameBox.contains(at) || BannerBox.contains(at) || TitleBox.contains(at))
                continue;
            if ((image.pixel(at) & 0xFFFFFF) != FieldColor)
                stray.append(at);
        }
    QVERIFY2(stray.isEmpty(),
             qPrintable(QStringLiteral("%1 pixels differ from the field, first at %2,%3")
                            .arg(stray.size())
                            .arg(stray.value(0).x())
                            .arg(stray.value(0).y())));
}

void PicturesTest::programCarriesTheStoredPictures_data()
{
    QTest::addColumn<QString>("file");
    for (const char *file : {"background.gif", "icon.ico", "socket.bmp"})
        QTest::newRow(file) << QString::fromLatin1(file);
}

void PicturesTest::programCarriesTheStoredPictures()
{
    QFETCH(QString, file);
    const QImage stored = QImage(picturePath(file)).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!stored.isNull());
    const QImage &carried = picture(qPrintable(QStringLiteral(":/pictures/") + file));
    QCOMPARE(carried.format(), QImage::Format_RGB32);
    QCOMPARE(carried, stored);
    // Asked again, the same image: the pixels are wrapped once, not copied at each use.
    QCOMPARE(picture(qPrintable(QStringLiteral(":/pictures/") + file)).constBits(), carried.constBits());
}

void PicturesTest::unknownPictureIsAnError()
{
    QVERIFY_THROWS_EXCEPTION(PictureError, picture(":/pictures/missing.png"));
}

QTEST_GUILESS_MAIN(PicturesTest)
#include "tst_pictures.moc"
