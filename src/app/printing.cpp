// Print: the window's image on the default printer, with a message instead of an end when a
// printer is missing or fails.
#include "printing.h"

#include "layout/window.h"
#include "printqueue.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

/// The reason the page was not printed on the printer, or an empty string once the print
/// system has taken the job.
QString printOn(const QPrinterInfo &info, const QImage &image)
{
    // A stopped queue would take the job and hold it until someone starts the printer again,
    // while the user is told nothing. (QPrinterInfo::state() cannot tell: it reports any state
    // other than idle or printing as an error, also one the scheduler does not report.)
    if (queueIsStopped(info.printerName()))
        return QStringLiteral("the printer \"%1\" is stopped").arg(info.printerName());
    QPrinter printer(info, QPrinter::HighResolution);
    const QString problem = printImage(printer, image);
    if (!problem.isEmpty())
        return problem;
    // Qt hands the finished page to CUPS in this thread, at QPainter::end(), and drops the
    // answer, so a queue that refuses jobs still lets end() succeed; CUPS keeps the status of
    // each thread's last request, which is that job's.
    const QString refusal = lastJobRefusal();
    if (!refusal.isEmpty())
        return QStringLiteral("the printer \"%1\" refused the job (%2)").arg(info.printerName(), refusal);
    return {};
}

} // namespace

QString printImage(QPrinter &printer, const QImage &image)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("the printer \"%1\" could not start the job").arg(printer.printerName());
    paintPage(painter, image);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QStringLiteral("the printer \"%1\" reported an error").arg(printer.printerName());
    return {};
}

void paintPage(QPainter &painter, const QImage &image)
{
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2,
                       page.y() + (page.height() - size.height()) / 2, size.width(), size.height());
    // Lossless, so the schematic's flat colors and one-pixel lines reach paper unblurred.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(target, image);
}

void printOnDefaultPrinter(const QImage &image, QWidget *parent)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        QMessageBox::warning(parent, QString::fromLatin1(WindowCaption),
                             QStringLiteral("Nothing was printed: no default printer is set up on this computer.\n\n"
                                            "Set up a printer as the default, then press PRINT again."));
        return;
    }
    const QString problem = printOn(info, image);
    if (!problem.isEmpty()) {
        QMessageBox::warning(parent, QString::fromLatin1(WindowCaption),
                             QStringLiteral("Nothing was printed: %1.\n\nCheck the printer, then press PRINT again.")
                                 .arg(problem));
    }
}
