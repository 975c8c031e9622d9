// velmor-iconpng: writes an icon as one PNG file per size, laid out as an icon theme's folders.
//
//   velmor-iconpng ICON OUTDIR NAME SIZE...
//
// writes OUTDIR/<SIZE>x<SIZE>/apps/NAME.png for every SIZE. Each size is a whole multiple of the
// icon's own size, and every icon pixel becomes a square block of equal pixels (no smoothing), so
// the larger icons stay as crisp as the small one.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdio>

namespace {

constexpr int UsageStatus = 2;
constexpr int FailureStatus = 1;

int fail(const QString &message)
{
    std::fprintf(stderr, "velmor-iconpng: %s\n", qPrintable(message));
    return FailureStatus;
}

/// The icon scaled to `size` pixels by repeating each pixel; a null image when `size` is not a
/// whole multiple of the icon's width and height.
QImage scaledIcon(const QImage &icon, int size)
{
    if (size < icon.width() || size % icon.width() != 0 || size % icon.height() != 0)
        return {};
    return icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: velmor-iconpng ICON OUTDIR NAME SIZE...\n");
        return UsageStatus;
    }
    const QString &iconPath = args.at(1);
    const QDir outDir(args.at(2));
    const QString &name = args.at(3);

    QImage icon(iconPath);
    if (icon.isNull())
        return fail(QStringLiteral("cannot read the icon %1").arg(iconPath));
    icon = icon.convertToFormat(QImage::Format_ARGB32);

    for (const QString &sizeText : args.mid(4)) {
        bool isNumber = false;
        const int size = sizeText.toInt(&isNumber);
        const QImage image = isNumber ? scaledIcon(icon, size) : QImage();
        if (image.isNull())
            return fail(QStringLiteral("%1 is not a whole multiple of the icon's %2 x %3 pixels")
                            .arg(sizeText)
                            .arg(icon.width())
                            .arg(icon.height()));
        const QString path = outDir.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(name));
        if (!QDir().mkpath(QFileInfo(path).path()) || !image.save(path, "PNG"))
            return fail(QStringLiteral("cannot write %1").arg(path));
    }
    return 0;
}
