// Printing the window on paper: the page, and the window painted on it at the printer's resolution.
#pragma once

#include <QPageSize>
#include <QString>

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

/// Prints the window on the default printer, on its default paper, without any dialog. When there
/// is no printer, or the printer fails, it tells the user in a message box over the window and
/// returns; the guide goes on.
void printOnDefaultPrinter(QWidget &window, const Board &board);
