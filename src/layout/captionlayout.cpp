// Caption layout: word wrap at blanks and the place of each line in the caption's box.
#include "captionlayout.h"

#include "fonts.h"

#include <QStringList>

namespace {

/// The substitute fonts' letters stand up to two pixels wider or taller than the fonts the boxes
/// were measured with (the hook of a "J" reaches left of its line).
constexpr int CaptionMargin = 2;

/// The box the lines of a caption stand in: inside the border, if it has one.
QRect textBox(const LabelRow &l, const QRect &box)
{
    return (l.flags & Border) ? box.adjusted(2, 2, -2, -2) : box;
}

/// Breaks a caption at blanks: each line takes as many whole words as fit the width.
QStringList wrapCaption(const QString &caption, const QFontMetrics &fm, int width)
{
    QStringList lines;
    QString current;
    for (const QString &word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            lines << current;
            current = word;
        } else {
            current = candidate;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

} // namespace

CaptionLayout layOutCaption(const LabelRow &label, const QRect &box)
{
    const QRect text = textBox(label, box);
    const QFontMetrics &fm = captionMetrics(label.font);
    const QString caption = QString::fromLatin1(label.caption);
    const QStringList lines = (label.flags & WordWrap) ? wrapCaption(caption, fm, text.width()) : QStringList{caption};
    const int lineHeight = captionLineHeight(label.font);
    // The substitute's glyphs are centred on each line of the stored pitch.
    const int baseline = (lineHeight - fm.height()) / 2 + fm.ascent();
    CaptionLayout layout;
    int y = text.top();
    for (const QString &line : lines) {
        const int width = fm.horizontalAdvance(line);
        // A caption stays in its place whatever font stands in for the one it was laid out in: a
        // line much too wide is condensed to fit.
        const bool fits = width <= text.width() + CaptionMargin;
        int x = text.left();
        if ((label.flags & Centre) && fits)
            x += (text.width() - width) / 2;
        const qreal condense = fits ? 1.0 : qreal(text.width()) / width;
        layout.lines.push_back({line, QPoint(x, y + baseline), condense});
        y += lineHeight;
    }
    return layout;
}

QRect captionArea(const QRect &box)
{
    return box.adjusted(-CaptionMargin, -CaptionMargin, CaptionMargin, CaptionMargin);
}
