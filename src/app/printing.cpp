// Print: the window's image on the default printer, with a message instead of an end when a
// printer is missing or fails.
#include "printing.h"

#include "layout/window.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <dlfcn.h>

namespace {

// The parts of the CUPS interface used here, declared as <cups/cups.h> declares them (unchanged
// since CUPS 1.1).
struct CupsOption {
    char *name;
    char *value;
};
struct CupsDest {
    char *name;
    char *instance;
    int isDefault;
    int optionCount;
    CupsOption *options;
};

/// The CUPS library that Qt's print support has loaded, when it has; it is never loaded here, so
/// with another print system every question goes unanswered.
class LoadedCups
{
public:
    LoadedCups()
        : m_library(dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD))
    {
    }
    ~LoadedCups()
    {
        if (m_library)
            dlclose(m_library);
    }
    LoadedCups(const LoadedCups &) = delete;
    LoadedCups &operator=(const LoadedCups &) = delete;

    /// An attribute of the queue as the scheduler tells it now ("printer-state": "3" idle, "4"
    /// printing, "5" stopped); empty when unknown. Queue names an instance after a slash.
    QString queueAttribute(const QString &queue, const char *attribute) const
    {
        const auto getDest = function<CupsDest *(void *, const char *, const char *)>("cupsGetNamedDest");
        const auto getOption = function<const char *(const char *, int, CupsOption *)>("cupsGetOption");
        const auto freeDests = function<void(int, CupsDest *)>("cupsFreeDests");
        if (!getDest || !getOption || !freeDests)
            return {};
        const QByteArray name = queue.section(u'/', 0, 0).toLocal8Bit();
        const QByteArray instance = queue.section(u'/', 1).toLocal8Bit();
        CupsDest *dest = getDest(nullptr, name.constData(), instance.isEmpty() ? nullptr : instance.constData());
        if (!dest)
            return {};
        const QString value = QString::fromUtf8(getOption(attribute, dest->optionCount, dest->options));
        freeDests(1, dest);
        return value;
    }

    /// Why the scheduler refused this thread's last request; empty when it was granted or there
    /// is no one to ask.
    QString lastRefusal() const
    {
        const auto lastError = function<int()>("cupsLastError");
        const auto lastErrorString = function<const char *()>("cupsLastErrorString");
        // IPP status codes below 0x0100 are the successful ones.
        if (!lastError || !lastErrorString || lastError() < 0x0100)
            return {};
        QString reason = QString::fromUtf8(lastErrorString()).trimmed();
        while (reason.endsWith(u'.'))
            reason.chop(1);
        return reason;
    }

private:
    template<typename Function>
    Function *function(const char *name) const
    {
        return m_library ? reinterpret_cast<Function *>(dlsym(m_library, name)) : nullptr;
    }

    void *m_library;
};

/// The reason the page was not printed on the printer, or an empty string once the print
/// system has taken the job.
QString printOn(const QPrinterInfo &info, const QImage &image)
{
    const LoadedCups cups;
    // A stopped queue would take the job and hold it until someone starts the printer again,
    // while the user is told nothing. (QPrinterInfo::state() cannot tell: it reports any state
    // other than idle or printing as an error, also one the scheduler does not report.)
    if (cups.queueAttribute(info.printerName(), "printer-state") == QLatin1String("5"))
        return QStringLiteral("the printer \"%1\" is stopped").arg(info.printerName());
    QPrinter printer(info, QPrinter::HighResolution);
    const QString problem = printImage(printer, image);
    if (!problem.isEmpty())
        return problem;
    // Qt hands the finished page to CUPS in this thread and drops the answer, so a queue that
    // refuses jobs still lets QPainter::end() succeed; CUPS keeps the status of each thread's
    // last request.
    const QString refusal = cups.lastRefusal();
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
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2,
                       page.y() + (page.height() - size.height()) / 2, size.width(), size.height());
    // Lossless, so the schematic's flat colors and one-pixel lines reach paper unblurred.
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
