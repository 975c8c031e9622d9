// velmor-picturegen OUTDIR: draws the program's background picture, icon and CPU-socket picture
// and writes them to OUTDIR as background.gif, icon.ico and socket.bmp.
// velmor-picturegen --theme-icons OUTDIR NAME SIZE...: draws the icon afresh at each SIZE (a
// multiple of 32) as OUTDIR/<SIZE>x<SIZE>/apps/NAME.png, the desktop's icon theme.
#include "artwork.h"
#include "encoders.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

void writeFile(const QString &path, const QByteArray &contents)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit())
        throw std::runtime_error(QStringLiteral("cannot write %1: %2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString())
                                     .toStdString());
}

} // namespace

int main(int argc, char *argv[])
{
    // The pictures are drawn off screen; the lettering needs the font database but no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("--theme-icons") && arguments.size() >= 5) {
        try {
            const QDir out(arguments.at(2));
            for (const QString &given : arguments.mid(4)) {
                bool isNumber = false;
                const int size = given.toInt(&isNumber);
                if (!isNumber || size < 32 || size % 32 != 0 || size > 1024)
                    throw std::runtime_error(
                        QStringLiteral("icon size %1 is not a multiple of 32 up to 1024").arg(given).toStdString());
                const QString folder = QStringLiteral("%1x%1/apps").arg(size);
                if (!out.mkpath(folder))
                    throw std::runtime_error(QStringLiteral("cannot make %1").arg(out.filePath(folder)).toStdString());
                QByteArray png;
                QBuffer buffer(&png);
                buffer.open(QIODevice::WriteOnly);
                themeIcon(size).save(&buffer, "PNG");
                writeFile(out.filePath(folder + u'/' + arguments.at(3) + QStringLiteral(".png")), png);
            }
        } catch (const std::exception &error) {
            std::fprintf(stderr, "velmor-picturegen: %s\n", error.what());
            return 1;
        }
        return 0;
    }
    if (arguments.size() != 2) {
        std::fputs("usage: velmor-picturegen OUTDIR\n"
                   "       velmor-picturegen --theme-icons OUTDIR NAME SIZE...\n",
                   stderr);
        return 2;
    }

    try {
        const QDir out(arguments.at(1));
        writeFile(out.filePath(QStringLiteral("background.gif")), encodeGif(backgroundPicture()));
        writeFile(out.filePath(QStringLiteral("icon.ico")), encodeIco(iconPicture()));
        writeFile(out.filePath(QStringLiteral("socket.bmp")), encodeBmp(socketPicture()));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "velmor-picturegen: %s\n", error.what());
        return 1;
    }
    return 0;
}
