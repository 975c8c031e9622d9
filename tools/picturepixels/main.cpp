// velmor-picturepixels: turns the stored pictures into pixels the program carries ready to draw.
//
//   velmor-picturepixels OUT.cpp NAME=FILE...
//
// reads each FILE (GIF, BMP or ICO, with the toolkit's readers, at build time) and writes OUT.cpp:
// one table of the pictures by NAME, each its width, height and pixels as 32-bit 0xffRRGGBB
// words in the machine's byte order, row after row, so the program wraps them in an image as they
// lie, with nothing decoded or copied at start-up. A file that does not read as a picture stops
// the build with its name.
#include <QCoreApplication>
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

constexpr int UsageStatus = 2;
constexpr int FailureStatus = 1;

int fail(const QString &message)
{
    std::fprintf(stderr, "velmor-picturepixels: %s\n", qPrintable(message));
    return FailureStatus;
}

/// The bytes as a string literal of octal escapes: a large literal compiles far faster than an
/// initializer list of the same size, and three-digit escapes cannot run into the next byte.
QByteArray literal(const uchar *bytes, qsizetype size)
{
    QByteArray out;
    out.reserve(size * 4 + size / 16 * 4);
    for (qsizetype i = 0; i < size; ++i) {
        if (i % 32 == 0)
            out += i == 0 ? "\"" : "\"\n    \"";
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\%03o", bytes[i]);
        out += escape;
    }
    return out + '"';
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: velmor-picturepixels OUT.cpp NAME=FILE...\n");
        return UsageStatus;
    }
    QByteArray pixels, table;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString name = args[i].section(u'=', 0, 0);
        const QString file = args[i].section(u'=', 1);
        const QImage read(file);
        if (read.isNull())
            return fail(QStringLiteral("%1 does not read as a picture").arg(file));
        const QImage image = read.convertToFormat(QImage::Format_RGB32);
        const QByteArray id = "Picture" + QByteArray::number(i - 2);
        pixels += "alignas(4) constexpr char " + id + "[] =\n    " + literal(image.constBits(), image.sizeInBytes())
            + ";\n\n";
        table += QStringLiteral("    {\"%1\", %2, %3, %4},\n")
                     .arg(name)
                     .arg(image.width())
                     .arg(image.height())
                     .arg(QString::fromLatin1(id))
                     .toUtf8();
    }
    QFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("cannot write %1: %2").arg(args[1], out.errorString()));
    out.write("// The built-in pictures as pixels, ready to draw. Generated at build time by\n"
              "// tools/picturepixels from src/layout/pictures/; edit the pictures, never this file.\n"
              "#include \"layout/picturepixels.h\"\n\n#include <iterator>\n\nnamespace {\n\n");
    out.write(pixels);
    out.write("const PicturePixels Pictures[] = {\n" + table
              + "};\n\n} // namespace\n\n"
                "std::span<const PicturePixels> builtInPictures()\n{\n    return Pictures;\n}\n");
    if (!out.flush() || out.error() != QFileDevice::NoError)
        return fail(QStringLiteral("cannot write %1: %2").arg(args[1], out.errorString()));
    return 0;
}
