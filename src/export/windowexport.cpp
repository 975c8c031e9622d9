// The headless export of the window's image: a PNG as the window shows it, a PDF page as Print
// makes it, or the whole guide as one web page.
#include "windowexport.h"

#include "htmlexport.h"
#include "outputfile.h"

#include "jumpers/cpusettings.h"
#include "jumpers/selectorcatalogue.h"
#include "printing/printing.h"
#include "window/mainwindow.h"

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
    paintPage(painter, window, window.board(), writer.resolution());
    if (!painter.end())
        return std::nullopt;
    return buffer.data();
}

bool hasSuffix(const QByteArray &path, const char *suffix)
{
    return path.toLower().endsWith(suffix);
}

} // namespace

bool isPdf(const QByteArray &path)
{
    return hasSuffix(path, ".pdf");
}

bool isPng(const QByteArray &path)
{
    return hasSuffix(path, ".png");
}

bool isHtml(const QByteArray &path)
{
    return hasSuffix(path, ".html");
}

QString exportWindowImage(const ExportRequest &request)
{
    MainWindow &window = mainWindow();
    window.load();
    if (request.busClock) // the three come together
        window.showCpuSettings({*request.busClock, *request.multiplier, *request.voltage});
    const struct {
        const Selector &selector;
        int position;
    } picks[] = {{cpuSelector(), request.cpuPosition},
                 {powerSelector(), request.powerPosition},
                 {sdramSelector(), request.sdramPosition}};
    for (const auto &pick : picks) {
        if (pick.position >= 0)
            window.select(pick.selector, pick.position); // runs the list's Click, as a pick does
    }
    if (isHtml(request.path))
        return writeGuidePage(window, request.path, request.busClock ? PageStart::Meanings : PageStart::Lists);
    const std::optional<QByteArray> contents = isPdf(request.path)
        ? pdfPage(window, request.pageSize.value_or(localPageSize()))
        : pngImage(window.windowImage());
    if (!contents) {
        return QStringLiteral("cannot write %1: the %2 could not be made")
            .arg(QFile::decodeName(request.path),
                 isPdf(request.path) ? QStringLiteral("PDF page") : QStringLiteral("PNG image"));
    }
    return writeOutputFile(request.path, *contents);
}
