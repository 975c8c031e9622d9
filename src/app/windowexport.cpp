// The headless export of the window's image: a PNG as the window shows it, a PDF page as Print
// makes it, or the whole guide as one web page.
#include "windowexport.h"

#include "htmlexport.h"
#include "mainwindow.h"
#include "optionvalues.h"
#include "outputfile.h"
#include "printing.h"

#include "jumpers/meaningsetting.h"
#include "jumpers/selectorcatalogue.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace {

/// The window's image as PNG bytes.
std::optional<QByteArray> pngImage(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return buffer.data();
}

/// The page Print makes of the window, as PDF bytes on paper of pageSize: made in memory, with
/// the margins and resolution the printer of Print would have, and drawn on it as Print draws it.
std::optional<QByteArray> pdfPage(MainWindow &window, const QPageSize &pageSize)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    setPage(printer, pageSize);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(printer.pageLayout());
    writer.setResolution(printer.resolution());
    QPainter painter;
    if (!painter.begin(&writer))
        return std::nullopt;
    paintPage(painter, window, writer.resolution());
    if (!painter.end())
        return std::nullopt;
    return buffer.data();
}

} // namespace

QString exportWindowImage(const Invocation &inv)
{
    MainWindow &window = mainWindow();
    window.load();
    if (inv.busClock) // the three come together
        window.showCpuMeanings({*inv.busClock, *inv.multiplier, *inv.voltage});
    const struct {
        const Selector &selector;
        int position;
    } picks[] = {
        {cpuSelector(), inv.cpuPosition}, {powerSelector(), inv.powerPosition}, {sdramSelector(), inv.sdramPosition}};
    for (const auto &pick : picks) {
        if (pick.position >= 0)
            window.select(pick.selector, pick.position); // runs the list's Click, as a pick does
    }
    if (isHtml(inv.exportPath))
        return writeGuidePage(window, inv.exportPath, inv.busClock ? PageStart::Meanings : PageStart::Lists);
    const std::optional<QByteArray> contents = isPdf(inv.exportPath)
        ? pdfPage(window, inv.pageSize.value_or(localPageSize()))
        : pngImage(window.windowImage());
    if (!contents) {
        return QStringLiteral("cannot write %1: the %2 could not be made")
            .arg(QFile::decodeName(inv.exportPath),
                 isPdf(inv.exportPath) ? QStringLiteral("PDF page") : QStringLiteral("PNG image"));
    }
    return writeOutputFile(inv.exportPath, *contents);
}
