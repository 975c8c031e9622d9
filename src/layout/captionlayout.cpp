// Caption layout: word wrap at blanks and the place of each line in the caption's box.
#include "captionlayout.h"

#include "fonts.h"

#include <optional>

namespace {

/// The substitute fonts' letters stand up to two pixels wider or taller than the fonts the boxes
/// were measured with (the hook of a "J" reaches left of its line).
constexpr int CaptionMargin = 2;

/// The box the lines of a caption stand in: inside the border, if it has one.
QRect textBox(const LabelRow &l, const QRect &box)
{
    return (l.flags & Border) ? box.adjusted(2, 2, -2, -2) : box;
}

/// A line of a caption, with its width in pixels once measured.
struct MeasuredLine {
    QString text;
    std::optional<int> width;
};

/// Breaks a caption at blanks into lines as wide as fit the width.
std::vector<MeasuredLine> wrapCaption(const QString &caption, const QFontMetrics &fm, int width)
{
    std::vector<MeasuredLine> lines;
    MeasuredLine current;
    qsizetype at = 0;
    while (at < caption.size()) {
        // The next word and the run of blanks in front of it.
        qsizetype wordStart = at;
        while (wordStart < caption.size() && caption[wordStart] == QLatin1Char(' '))
            ++wordStart;
        qsizetype wordEnd = wordStart;
        while (wordEnd < caption.size() && caption[wordEnd] != QLatin1Char(' '))
            ++wordEnd;
        const QString candidate = current.text + caption.mid(at, wordEnd - at);
        const QString word = caption.mid(wordStart, wordEnd - wordStart);
        at = wordEnd;
        // The first word of a line stands there however wide it is; blanks after the last word
        // stay on the last line.
        if (current.text.isEmpty() || word.isEmpty()) {
            current = {candidate, {}};
            continue;
        }
        if (const int candidateWidth = fm.horizontalAdvance(candidate); candidateWidth <= width) {
            current = {candidate, candidateWidth};
            continue;
        }
        lines.push_back(std::move(current));
        current = {word, {}};
    }
    if (!current.text.isEmpty())
        lines.push_back(std::move(current));
    return lines;
}

} // namespace

CaptionLayout layOutCaption(const LabelRow &label, const QRect &box)
{
    const QRect text = textBox(label, box);
    const QFontMetrics &fm = captionMetrics(label.font);
    const QString caption = QString::fromLatin1(label.caption);
    std::vector<MeasuredLine> lines =
        (label.flags & WordWrap) ? wrapCaption(caption, fm, text.width()) : std::vector<MeasuredLine>{{caption, {}}};
    const int lineHeight = captionLineHeight(label.font);
    // The substitute's glyphs are centred on each line of the stored pitch.
    const int baseline = (lineHeight - fm.height()) / 2 + fm.ascent();
    CaptionLayout layout;
    int y = text.top();
    for (MeasuredLine &line : lines) {
        const int width = line.width ? *line.width : fm.horizontalAdvance(line.text);
        // A caption stays in its place whatever font stands in for the one it was laid out in: a
        // line much too wide is condensed to fit.
        const bool fits = width <= text.width() + CaptionMargin;
        int x = text.left();
        if ((label.flags & Centre) && fits)
            x += (text.width() - width) / 2;
        const qreal condense = fits ? 1.0 : qreal(text.width()) / width;
        layout.lines.push_back({std::move(line.text), QPoint(x, y + baseline), condense});
        y += lineHeight;
    }
    return layout;
}

QRect captionArea(const QRect &box)
{
    return box.adjusted(-CaptionMargin, -CaptionMargin, CaptionMargin, CaptionMargin);
}
