// The headless export of the window's image: a PNG as the window shows it, a PDF page as Print
// makes it, or the whole guide as one web page.
#include "windowexport.h"

#include "htmlexport.h"
#include "outputfile.h"
#include "pagewindow.h"

#include "boardrows/showntext.h"
#include "jumpers/cpusettings.h"
#include "jumpers/selectorcatalogue.h"
#include "printing/printing.h"
#include "window/mainwindow.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <utility>
#include <vector>

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

/// The entries the request picks, list by list in the Load event's order; none for a list it
/// leaves at its default.
std::vector<std::pair<const Selector *, int>> picksOf(const ExportRequest &request)
{
    std::vector<std::pair<const Selector *, int>> picks;
    for (const Selector &selector : selectors()) {
        int position = -1;
        for (const auto &[list, picked] : request.listPicks) {
            if (std::string_view(list) == selector.list)
                position = picked;
        }
        // The built-in board's own options name its three lists.
        if (std::string_view(selector.list) == "CBOCPU" && request.cpuPosition >= 0)
            position = request.cpuPosition;
        else if (std::string_view(selector.list) == "cbops" && request.powerPosition >= 0)
            position = request.powerPosition;
        else if (std::string_view(selector.list) == "cbosdr" && request.sdramPosition >= 0)
            position = request.sdramPosition;
        if (position >= 0)
            picks.emplace_back(&selector, position);
    }
    return picks;
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
    if (isHtml(request.path)) {
        // The page records every choice through the jumper procedures alone: no window is made.
        PageWindow page;
        if (request.busClock) // the three come together
            page.setPins(cpuPinFills(CpuSettings{*request.busClock, *request.multiplier, *request.voltage}));
        if (!request.meaningFills.empty())
            page.setPins(request.meaningFills);
        for (const auto &[selector, position] : picksOf(request))
            page.setListIndex(selector->list, position); // runs the list's procedure, as a pick does
        const bool bySettings = request.busClock || !request.meaningFills.empty();
        return writeGuidePage(page, request.path, bySettings ? PageStart::Settings : PageStart::Lists);
    }
    MainWindow &window = mainWindow();
    window.load();
    if (request.busClock)
        window.showCpuSettings({*request.busClock, *request.multiplier, *request.voltage});
    if (!request.meaningFills.empty())
        window.setPins(request.meaningFills);
    for (const auto &[selector, position] : picksOf(request))
        window.select(*selector, position); // runs the list's Click, as a pick does
    const std::optional<QByteArray> contents = isPdf(request.path)
        ? pdfPage(window, request.pageSize.value_or(localPageSize()))
        : pngImage(window.windowImage());
    if (!contents) {
        return QStringLiteral("cannot write %1: the %2 could not be made")
            .arg(shownText(request.path),
                 isPdf(request.path) ? QStringLiteral("PDF page") : QStringLiteral("PNG image"));
    }
    return writeOutputFile(request.path, *contents);
}
