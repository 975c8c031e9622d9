// What jumper positions stand for on any board: the positions a text gives, read against the
// board's meanings, readings and lists.
#pragma once

#include <QString>

/// The report, or the one-line reason the text gives no positions.
struct BoardIdentification {
    QString error;
    QString report;
    bool documented = true; ///< false when a group given whole documents no value of its meaning
};

/// Reads "BLOCK=POSITION" words separated by blanks, a block's name in any case, each block once:
/// "JP1=1-2" (three-pin), "JP2=closed" (two-pin), "JP3=A+C" or "JP3=none" (a header's closed
/// pairs), "SW1=on,off,off,on" (a dip block's switches). Then a line each: every meaning's value
/// (or "not given", naming the blocks left out, or the positions no value documents), every
/// reading's figure, and the entries of every list that the positions give.
BoardIdentification identifyBoardPositions(const QString &text);
