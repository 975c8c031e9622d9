// velmor-picturegen OUTDIR: draws the program's background picture, icon and CPU-socket picture
// and writes them to OUTDIR as background.gif, icon.ico and socket.bmp.
#include "artwork.h"
#include "encoders.h"

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
    if (arguments.size() != 2) {
        std::fputs("usage: velmor-picturegen OUTDIR\n", stderr);
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
