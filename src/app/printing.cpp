// Print: the window's image on the default printer, with a message instead of an end when a
// printer is missing or fails.
#include "printing.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

QString printImage(QPrinter &printer, const QImage &image)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("the printer \"%1\" could not start the job").arg(printer.printerName());
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2,
                       page.y() + (page.height() - size.height()) / 2, size.width(), size.height());
    // Lossless, so the schematic's flat colours and one-pixel lines reach paper unblurred.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(target, image);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QStringLiteral("the printer \"%1\" reported an error").arg(printer.printerName());
    return {};
}

void printOnDefaultPrinter(const QImage &image, QWidget *parent)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        QMessageBox::warning(parent, QStringLiteral("P5VELMOR"),
                             QStringLiteral("Nothing was printed: no default printer is set up on this computer.\n\n"
                                            "Set up a printer as the default, then press PRINT again."));
        return;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    const QString problem = printImage(printer, image);
    if (!problem.isEmpty()) {
        QMessageBox::warning(parent, QStringLiteral("P5VELMOR"),
                             QStringLiteral("Nothing was printed: %1.\n\nCheck the printer, then press PRINT again.")
                                 .arg(problem));
    }
}
