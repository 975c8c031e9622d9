// A sound board description as the rows the program draws and sets: the program's own board is
// made from them when the program is built, a description file given at start when it starts.
#pragma once

#include "boarddescription.h"

#include "boardrows/boardrows.h"

#include <QByteArray>
#include <QHash>

#include <deque>
#include <vector>

/// The rows of a description, and the texts and tables they point into. Neither copied nor
/// moved, as the rows point into it.
class DescribedRows
{
public:
    /// The rows of a description that read sound.
    explicit DescribedRows(const BoardDescription &description);
    DescribedRows(const DescribedRows &) = delete;
    DescribedRows &operator=(const DescribedRows &) = delete;

    const BoardRows &rows() const { return m_rows; }

    /// The name a pin drawn for a block goes by: the block's name, a dot and the pin's number
    /// from 1 (a dot, which no element name has, keeps it apart from the drawing's names).
    static QString drawnPinName(const QString &block, int number);

private:
    const char *text(const QString &s);
    const char *optionalText(const QString &s);
    void addFonts(const BoardDescription &description);
    void addElements(const BoardDescription &description);
    void addControls(const BoardDescription &description);
    void settleRanks(const BoardDescription &description);
    void addJumpers(const BoardDescription &description);

    std::deque<QByteArray> m_texts;
    QHash<QString, int> m_fontIndex;
    std::vector<FontRow> m_fonts;
    std::vector<LabelRow> m_labels;
    std::vector<ShapeRow> m_pins;
    std::vector<ShapeRow> m_shapes;
    std::vector<LineRow> m_lines;
    std::vector<ImageRow> m_images;
    std::vector<ControlRow> m_controls;
    // The jumper rows, and the tables their spans point into (a deque keeps each in its place).
    std::deque<std::vector<const char *>> m_names;
    std::deque<std::vector<int>> m_indexes;
    std::deque<std::vector<PinSet>> m_pinSets;
    std::deque<std::vector<EntryRow>> m_entries;
    std::deque<std::vector<ValueRow>> m_values;
    std::vector<BlockRow> m_blocks;
    std::vector<ListRow> m_lists;
    std::vector<MeaningRow> m_meanings;
    std::vector<ReadingRow> m_readings;
    BoardRows m_rows{};
};
