// Printing the window on paper: the page, and the window painted on it at the printer's resolution.
#pragma once

#include <QPageSize>
#include <QString>

#include <functional>

class Board;
class QLocale;
class QPainter;
class QPrinter;
class QWidget;

/// The paper of a locale: Letter where it measures in US units (say en_US), A4 everywhere else,
/// the United Kingdom (whose paper is A4) included.
QPageSize pageSizeOf(const QLocale &locale);

/// The page size of a PDF when none is asked for: the paper of the user's locale, whose
/// measurement comes from LC_MEASUREMENT, else LC_ALL or LANG.
QPageSize localPageSize();

/// Sets the printer's page to size (an invalid size keeps the printer's own), with margins of at
/// least 10 mm on each side; more where the printer cannot print that close to the edge.
void setPage(QPrinter &printer, const QPageSize &size);

/// Paints the window as it shows now, its board drawn from board, on the painter's page, a device of the resolution
/// given (dots per inch), scaled to fit the painter's viewport and centred: the board drawn afresh at that resolution
/// (up to 300 dots per inch) with its lines as wide as on the screen it was laid out for, and the lists and buttons
/// drawn over it by the toolkit, so that letters and lines are as sharp as the device makes them.
void paintPage(QPainter &painter, QWidget &window, const Board &board, qreal resolution);

/// Paints the window on the printer's page as paintPage() does, inside the page's margins.
/// Returns an empty string on success, or the reason the page could not be made.
QString printWindow(QPrinter &printer, QWidget &window, const Board &board);

/// The first half of printWindow(): begins painter on the printer and paints the window on its
/// page. In the window's thread, as it renders the lists and buttons. Returns an empty string, or
/// the reason the page could not be begun (painter is then not active).
QString paintPrinterPage(QPainter &painter, QPrinter &printer, QWidget &window, const Board &board);

/// The second half of printWindow(): ends the page paintPrinterPage() began, where a printer of
/// the print system hands it the job, which may take long. In any one thread, once the page is
/// painted. Returns an empty string, or the reason the printer reported.
QString endPrinterPage(QPainter &painter, QPrinter &printer);

/// Runs a step of a print that comes later in the window's thread, once the print system has
/// answered, as the window runs its own handlers (inside its guard).
using PrintStepRunner = std::function<void(const std::function<void()> &step)>;

/// Prints the window on the default printer, on its default paper, without any dialog, and
/// returns at once. The print system is asked on a worker thread, as it may take long or never
/// answer; the page is painted in the window's thread (through runStep) once it has, and the job
/// handed to it on the worker again. The window keeps handling events meanwhile; each wait on the
/// print system ends after a few seconds. When there is no printer, the printer fails, the print
/// system cannot be reached or does not answer in time, or an earlier PRINT still waits on it, the
/// user is told in a message box over the window; the guide goes on. board is the window's own.
void printOnDefaultPrinter(
    QWidget &window, const Board &board,
    const PrintStepRunner &runStep = [](const std::function<void()> &step) { step(); });

/// True while the worker of a PRINT still waits on the print system, also after the user was told
/// it did not answer in time (one that has finished is joined here). The program then ends without
/// waiting for it: it may wait for minutes, and ending the usual way would tear down the print
/// support under it.
bool printRequestOutstanding();
