// A description's drawing, fonts, pins and controls as rows, in twips and the stacking order the
// description gives.
#include "describedrows.h"

#include <QHash>

#include <algorithm>
#include <tuple>

namespace {

QRect twipsOf(const DescribedBox &box)
{
    if (box.twips)
        return *box.twips;
    const QRect &p = box.pixels;
    return QRect(p.x() * TwipsPerPixel, p.y() * TwipsPerPixel, p.width() * TwipsPerPixel, p.height() * TwipsPerPixel);
}

QPoint twipsOf(const DescribedPoint &point)
{
    return point.twips.value_or(point.pixels * TwipsPerPixel);
}

int pixelSizeOf(double points)
{
    // The layout assumes 96 dpi.
    return qRound(points * 96 / 72);
}

int weightOf(FontWeight weight)
{
    switch (weight) {
    case FontWeight::Normal:
        return 400;
    case FontWeight::DemiBold:
        return 600;
    case FontWeight::Bold:
        return 700;
    }
    return 400;
}

/// The top-left corner of each pin a block draws, in twips, pin 1 first.
std::vector<QPoint> drawnPinCorners(const JumperBlockDescription &block)
{
    std::vector<QPoint> corners;
    if (!block.at)
        return corners;
    for (const QPoint &offset : drawnPinOffsets(block))
        corners.push_back(twipsOf(*block.at) + offset * TwipsPerPixel);
    return corners;
}

/// Stacking ranks before they are settled: a description's own lie from 0 to MaxGivenRank.
constexpr int MaxGivenRank = 9999;
constexpr int DrawnRank = -1;      ///< pins and marks a block draws: on top of the drawing
constexpr int Unranked = 10000;    ///< elements without a rank: under every ranked one
constexpr int PictureRank = 10001; ///< the board's picture: under everything

/// The resource a built-in picture is carried as, or the file a picture of the description is.
QString picturePath(const PictureReference &picture)
{
    if (picture.written == QLatin1String("builtin:socket"))
        return QStringLiteral(":/pictures/socket.bmp");
    if (picture.written == QLatin1String("builtin:background"))
        return QStringLiteral(":/pictures/background.gif");
    return picture.path;
}

/// The notes and warnings shown with a block or caption, a line each: a block's own, then those
/// of the [[note]]s on it, in the order of the file; a warning starts "Warning: ".
QString notesOn(const BoardDescription &description, const QString &name, const QString &note, const QString &warning)
{
    QStringList lines;
    if (!note.isEmpty())
        lines << note;
    if (!warning.isEmpty())
        lines << QStringLiteral("Warning: ") + warning;
    for (const NoteDescription &n : description.notes) {
        if (n.on == name)
            lines << (n.warning ? QStringLiteral("Warning: ") : QString()) + n.text;
    }
    return lines.join(u'\n');
}

unsigned labelFlags(const LabelDrawing &l)
{
    return (l.opaque ? Opaque : 0u) | (l.wrap ? WordWrap : 0u) | (l.border ? Border : 0u)
        | (l.align == TextAlign::Centre ? Centre : 0u);
}

} // namespace

DescribedRows::DescribedRows(const BoardDescription &description)
{
    const BoardWindow &w = description.window;
    m_rows.caption = text(w.name);
    m_rows.clientWidth = w.clientSize.width();
    m_rows.clientHeight = w.clientSize.height();
    m_rows.background = w.background;
    // The built-in board's ground is drawn as that board has it, at its own size from the corner.
    const bool builtinGround = w.picture && w.picture->written == QLatin1String("builtin:background");
    m_rows.backgroundPicture = builtinGround ? text(picturePath(*w.picture)) : nullptr;
    addFonts(description);
    addElements(description);
    addControls(description);
    settleRanks(description);
    addJumpers(description);
    m_rows.fonts = m_fonts;
    m_rows.labels = m_labels;
    m_rows.pins = m_pins;
    m_rows.shapes = m_shapes;
    m_rows.lines = m_lines;
    m_rows.images = m_images;
    m_rows.controls = m_controls;
    m_rows.blocks = m_blocks;
    m_rows.lists = m_lists;
    m_rows.meanings = m_meanings;
    m_rows.readings = m_readings;
}

QString DescribedRows::drawnPinName(const QString &block, int number)
{
    return block + u'.' + QString::number(number);
}

const char *DescribedRows::text(const QString &s)
{
    return m_texts.emplace_back(s.toUtf8()).constData();
}

void DescribedRows::addFonts(const BoardDescription &description)
{
    // Only the fonts a caption is drawn in, in the order the description gives them: each of them
    // is loaded before the window's first paint.
    for (const BoardFont &font : description.fonts) {
        const bool used = std::any_of(description.elements.begin(), description.elements.end(), [&](const auto &e) {
            const auto *label = std::get_if<LabelDrawing>(&e.drawing);
            return label && label->font == font.id;
        });
        if (!used)
            continue;
        m_fontIndex.insert(font.id, int(m_fonts.size()));
        m_fonts.push_back(
            {text(font.family), pixelSizeOf(font.points), weightOf(font.weight), font.lineHeight.value_or(0)});
    }
}

void DescribedRows::addElements(const BoardDescription &description)
{
    QHash<QString, ShapeRow> pinShapes;
    for (const JumperBlockDescription &block : description.blocks) {
        for (const QString &pin : block.pins)
            pinShapes.insert(pin, {});
    }
    for (const DrawingElement &e : description.elements) {
        const int rank = e.rank.value_or(Unranked);
        const char *name = text(e.name);
        const int index = e.index.value_or(-1);
        if (const auto *l = std::get_if<LabelDrawing>(&e.drawing)) {
            const QRect box = twipsOf(l->box);
            // A caption's notes follow its tip, a line each.
            const QString notes = notesOn(description, e.name, {}, {});
            const QString tip = l->tip.value_or(QString());
            const QString shown = notes.isEmpty() || tip.isEmpty() ? tip + notes : tip + u'\n' + notes;
            m_labels.push_back({rank, name, text(l->text), text(shown), box.x(), box.y(), box.width(), box.height(),
                                l->color, m_fontIndex.value(l->font), labelFlags(*l), l->back});
        } else if (const auto *s = std::get_if<ShapeDrawing>(&e.drawing)) {
            const QRect box = twipsOf(s->box);
            const ShapeRow row{rank,           name,      box.x(), box.y(),      box.width(),
                               box.height(),   s->figure, s->fill, s->fillColor, s->borderColor,
                               s->borderWidth, s->opaque, s->back, s->mode,      index};
            if (pinShapes.contains(e.name))
                pinShapes[e.name] = row;
            else
                m_shapes.push_back(row);
        } else if (const auto *l = std::get_if<LineDrawing>(&e.drawing)) {
            const QPoint from = twipsOf(l->from);
            const QPoint to = twipsOf(l->to);
            m_lines.push_back({rank, name, from.x(), from.y(), to.x(), to.y(), l->color, l->style, index});
        } else if (const auto *i = std::get_if<ImageDrawing>(&e.drawing)) {
            const QRect box = twipsOf(i->box);
            m_images.push_back(
                {rank, name, box.x(), box.y(), box.width(), box.height(), text(picturePath(i->picture))});
        }
    }
    // The pins, block by block, pin 1 first: the drawing's own shapes, or those a block draws,
    // white (open) as every pin starts.
    for (const JumperBlockDescription &block : description.blocks) {
        for (const QString &pin : block.pins)
            m_pins.push_back(pinShapes.value(pin));
        const std::vector<QPoint> corners = drawnPinCorners(block);
        const int size = block.pinSize * TwipsPerPixel;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            m_pins.push_back({DrawnRank, text(drawnPinName(block.name, int(i) + 1)), corners[i].x(), corners[i].y(),
                              size, size, ShapeKind::Square, FillStyle::Solid, 0xFFFFFF});
        }
        if (block.mark == PinMark::Dot && !corners.empty()) {
            // A dot half a pin across, centred half a pitch before pin 1 on the side away from
            // the other pins, as boards print it.
            const QPoint pin1 = corners.front();
            const QPoint step = corners.size() > 1 && block.kind != BlockKind::Header ? corners[1] - pin1
                : corners.size() > 2                                                  ? corners[2] - pin1
                                                                                      : QPoint(0, size);
            const int dot = std::max(2 * TwipsPerPixel, size / 2);
            const QPoint centre = pin1 + QPoint(size / 2, size / 2) - step;
            m_shapes.push_back({DrawnRank, text(block.name + QStringLiteral(".mark")), centre.x() - dot / 2,
                                centre.y() - dot / 2, dot, dot, ShapeKind::Circle, FillStyle::Solid, 0x000000,
                                0x000000});
        }
    }
    if (const auto &picture = description.window.picture;
        picture && picture->written != QLatin1String("builtin:background")) {
        const QRect box = twipsOf(description.window.pictureBox);
        m_images.push_back({PictureRank, text(QStringLiteral("BoardPicture")), box.x(), box.y(), box.width(),
                            box.height(), text(picturePath(*picture))});
    }
}

void DescribedRows::addControls(const BoardDescription &description)
{
    const auto add = [this](const auto &control, ControlKind kind, const QString &caption) {
        const QRect box = twipsOf(control.box);
        m_controls.push_back({control.rank.value_or(Unranked), text(control.name), kind, box.x(), box.y(), box.width(),
                              box.height(), control.fontPixels, control.bold, control.background, control.textColor,
                              control.tab.value_or(-1), text(caption), text(control.label)});
    };
    // The window knows its two buttons by their role's name; a board that places neither gets
    // them in its bottom right corner, PRINT left of EXIT.
    for (const ButtonRole role : {ButtonRole::Exit, ButtonRole::Print}) {
        const auto described = std::find_if(description.buttons.begin(), description.buttons.end(),
                                            [role](const ButtonDescription &b) { return b.role == role; });
        ButtonDescription button;
        if (described != description.buttons.end()) {
            button = *described;
        } else {
            const QSize client = description.window.clientSize;
            const int left = client.width() - (role == ButtonRole::Exit ? 50 : 100);
            button.caption = role == ButtonRole::Exit ? QStringLiteral("&EXIT") : QStringLiteral("&PRINT");
            button.label = role == ButtonRole::Exit ? QStringLiteral("Exit") : QStringLiteral("Print");
            button.box.pixels = QRect(left, client.height() - 22, 46, 20);
            button.bold = true;
            button.background = 0xFFFFFF;
        }
        button.name = role == ButtonRole::Exit ? QStringLiteral("CMDEXIT") : QStringLiteral("CMDPRINT");
        add(button, ControlKind::Button, button.caption);
    }
    for (const ListDescription &list : description.lists)
        add(list, ControlKind::List, QString());
    // Lists and buttons without a rank lie under those with one, in the order of the file; those
    // without a tab index follow the others in the order of the file.
    std::stable_sort(m_controls.begin(), m_controls.end(),
                     [](const ControlRow &a, const ControlRow &b) { return a.rank < b.rank; });
    int rank = 0;
    int tab = 0;
    for (const ControlRow &c : m_controls)
        tab = std::max(tab, c.tabIndex + 1);
    for (ControlRow &c : m_controls) {
        c.rank = rank++;
        if (c.tabIndex < 0)
            c.tabIndex = tab++;
    }
}

void DescribedRows::settleRanks(const BoardDescription &description)
{
    struct Stacked {
        int *rank;
        int filePosition; ///< of the element in the description; drawn pins and the picture have none
    };
    QHash<QPair<QString, int>, int> filePositions;
    for (std::size_t i = 0; i < description.elements.size(); ++i) {
        const DrawingElement &e = description.elements[i];
        filePositions.insert({e.name, e.index.value_or(-1)}, int(i));
    }
    std::vector<Stacked> stacked;
    const auto add = [&](auto &rows) {
        for (auto &r : rows)
            stacked.push_back({&r.rank, filePositions.value({QString::fromUtf8(r.name), r.index}, -1)});
    };
    for (LabelRow &r : m_labels)
        stacked.push_back({&r.rank, filePositions.value({QString::fromUtf8(r.name), -1}, -1)});
    add(m_pins);
    add(m_shapes);
    add(m_lines);
    for (ImageRow &r : m_images)
        stacked.push_back({&r.rank, filePositions.value({QString::fromUtf8(r.name), -1}, -1)});

    // A board whose every element has a rank of its own, below the controls', keeps them.
    const int first = int(m_controls.size());
    std::vector<int> given;
    for (const Stacked &s : stacked)
        given.push_back(*s.rank);
    std::sort(given.begin(), given.end());
    if (std::adjacent_find(given.begin(), given.end()) == given.end()
        && (given.empty() || (given.front() >= first && given.back() <= MaxGivenRank)))
        return;
    // Otherwise they are numbered from just under the controls: drawn pins and their marks on top,
    // then the ranked elements, then those without a rank, then the board's picture under
    // everything; of two with one rank, the later in the file lies on top.
    std::stable_sort(stacked.begin(), stacked.end(), [](const Stacked &a, const Stacked &b) {
        return std::make_tuple(*a.rank, -a.filePosition) < std::make_tuple(*b.rank, -b.filePosition);
    });
    for (std::size_t i = 0; i < stacked.size(); ++i)
        *stacked[i].rank = first + int(i);
}

const char *DescribedRows::optionalText(const QString &s)
{
    return s.isEmpty() ? nullptr : text(s);
}

void DescribedRows::addJumpers(const BoardDescription &description)
{
    QHash<QString, int> blockIndex;
    for (const JumperBlockDescription &block : description.blocks) {
        blockIndex.insert(block.name, int(m_blocks.size()));
        auto &pins = m_names.emplace_back();
        if (!block.pins.isEmpty()) {
            for (const QString &pin : block.pins)
                pins.push_back(text(pin));
        } else {
            for (std::size_t i = 0; i < drawnPinCorners(block).size(); ++i)
                pins.push_back(text(drawnPinName(block.name, int(i) + 1)));
        }
        auto &pairs = m_names.emplace_back();
        for (const QString &pair : block.pairs)
            pairs.push_back(text(pair));
        m_blocks.push_back({text(block.name), block.kind, pins, pairs,
                            text(notesOn(description, block.name, block.note, block.warning))});
    }
    const auto group = [&](const QStringList &names) {
        auto &indexes = m_indexes.emplace_back();
        for (const QString &name : names)
            indexes.push_back(blockIndex.value(name));
        return std::span<const int>(indexes);
    };
    const auto positions = [&](const QStringList &blocks, const QStringList &written) {
        auto &sets = m_pinSets.emplace_back();
        for (qsizetype i = 0; i < blocks.size() && i < written.size(); ++i)
            sets.push_back(
                writtenPosition(description.blocks[std::size_t(blockIndex.value(blocks[i]))], written[i]).value_or(0));
        return std::span<const PinSet>(sets);
    };
    for (const ListDescription &list : description.lists) {
        auto &entries = m_entries.emplace_back();
        for (std::size_t i = 0; i < list.entries.size(); ++i) {
            const ListEntryDescription &e = list.entries[i];
            entries.push_back({text(e.text), e.codeAt(i), optionalText(e.word), positions(list.blocks, e.positions)});
        }
        m_lists.push_back({text(list.name), text(list.title), optionalText(list.option), group(list.blocks), entries,
                           list.defaultEntry});
    }
    QHash<QString, int> meaningIndex;
    for (const MeaningDescription &meaning : description.meanings) {
        meaningIndex.insert(meaning.name, int(m_meanings.size()));
        auto &values = m_values.emplace_back();
        for (const MeaningValue &v : meaning.values)
            values.push_back(
                {v.value, text(v.text), v.amount.value_or(v.value), positions(meaning.blocks, v.positions)});
        m_meanings.push_back(
            {text(meaning.name), text(meaning.label), optionalText(meaning.option), group(meaning.blocks), values});
    }
    for (const ReadingDescription &reading : description.readings) {
        auto &product = m_indexes.emplace_back();
        for (const QString &name : reading.product)
            product.push_back(meaningIndex.value(name));
        m_readings.push_back({text(reading.label), product, text(reading.unit)});
    }
}
