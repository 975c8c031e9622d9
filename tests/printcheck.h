// Reading a printed page back: a PDF page rendered to pixels, and where the window's image lies.
#pragma once

#include "pinsampling.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

/// The first page of the PDF rendered at dpi, or a null image (with the reason in error).
inline QImage renderPdfPage(const QString &pdf, int dpi, QString *error)
{
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                                         dir.filePath(QStringLiteral("page"))});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *error = QStringLiteral("pdftoppm failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
        return {};
    }
    return QImage(dir.filePath(QStringLiteral("page.png")));
}

/// The bounding box of every pixel that is not paper white.
inline QRect inkBox(const QImage &page)
{
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(page.convertToFormat(QImage::Format_RGB32).constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
