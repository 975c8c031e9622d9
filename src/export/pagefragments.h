// The guide page's HTML fragments: its first words, the lists as fields, the panel's groups and readings,
// the captions and the key to the board.
#pragma once

#include "pagerecording.h"

#include <QRect>
#include <QString>

#include <vector>

class Board;
struct PageRecord;

/// A box of client-area pixels as percentages of the board, so it scales with the board; the
/// properties take the prefix given ("--" for the custom properties of the wide layout).
QString boxStyle(const QRect &r, const QString &prefix = {});

/// The three lists as labelled selects with the window's entries, in its order, and its
/// default selected.
QString fieldsHtml(const std::vector<ListState> &lists);

/// A transparent box over every caption, the one with the lowest rank last, its drawn box in custom
/// properties; a caption with a tip is a button named by its caption whose tip is exactly as
/// stored, and one without a tip is hidden from screen readers.
QString captionsHtml(const Board &board);

/// The key to the board as list items: what grey and white pins mean, where pin 1 of each block
/// is and which blocks stand side by side in which order, all read from the jumper blocks and
/// where the board draws their pins. Throws PageError if the board lacks one of those pins.
QString legendHtml(const Board &board);

/// "A", "A and B", "A, B and C".
QString spokenList(const QStringList &items);

/// The page's first words: what to choose in the lists and what to set below the board, ending in
/// a blank.
QString introText(const PageRecord &record);

/// The part of the page where the panel's groups are set, closed at first: each group a labelled
/// select of its documented values, described by the panel's reading of its pins, then the
/// panel's readings, all as the default view shows them; none for a board without groups.
QString meaningsSection(const PageRecord &record);
