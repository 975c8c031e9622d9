// Laying a caption out in its box: its lines and where each of them stands.
#pragma once

#include "boardrows/elementrows.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

/// A caption as it is drawn, line by line.
struct CaptionLayout {
    struct Line {
        QString text;
        QPoint origin;        ///< the start of the baseline, client-area pixels
        qreal condense = 1.0; ///< the horizontal scale that fits the line into its box
    };
    std::vector<Line> lines;
};

/// Lays a label's caption out in its box (client-area pixels). Without word wrap the caption is
/// one line. With word wrap it breaks only at blanks: each line takes as many whole words as
/// fit, a run of blanks between two words on one line stays as it is, and the run where a line
/// breaks is dropped. A word wider than the box still stands alone on its line. A line wider
/// than the box (by more than the substitute fonts' margin) is condensed to fit and not centred.
CaptionLayout layOutCaption(const LabelRow &label, const QRect &box);

/// Every pixel a caption in the box may paint: the box with a margin all round for the
/// substitute fonts' letters.
QRect captionArea(const QRect &box);
