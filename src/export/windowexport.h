// The headless export of the window's image: a PNG as the window shows it, a PDF page as Print
// makes it, or the whole guide as one web page.
#pragma once

#include "jumpers/cpusettings.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

/// What an export writes, and the choice the window shows in it.
struct ExportRequest {
    QByteArray path;        ///< the file name's bytes as given, which need not be valid text
    int cpuPosition = -1;   ///< -1: the default entry
    int powerPosition = -1; ///< -1: the default entry
    int sdramPosition = -1; ///< -1: the default entry
    // The CPU blocks set by what they stand for instead of by a CPU entry: all three or none.
    std::optional<BusClockSetting> busClock;
    std::optional<MultiplierSetting> multiplier;
    std::optional<VoltageSetting> voltage;
    std::optional<QPageSize> pageSize; ///< of a PDF; none: the locale's
    /// Entries of a board's lists picked by the lists' own options: list name, list position.
    std::vector<std::pair<const char *, int>> listPicks;
    /// Pins set by the values of a board's meanings picked by their own options (--bus 66), before
    /// the lists' picks.
    std::vector<PinFill> meaningFills;
};

/// Whether an export path names a PDF, a PNG or a web page: by its suffix, in any case.
bool isPdf(const QByteArray &path);
bool isPng(const QByteArray &path);
bool isHtml(const QByteArray &path);

/// Writes the window's image with the request's selection to its path, headless: a PNG as the
/// window shows it, a PDF page as Print makes it (on the page size asked for, or else the
/// locale's), or the whole guide as one web page that opens with that selection. The file is
/// written whole or not at all, and only over a regular file (writeOutputFile()). Returns an
/// empty string, or the reason it failed.
QString exportWindowImage(const ExportRequest &request);
