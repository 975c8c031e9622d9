// The board description reader fed any bytes: no input may crash it, hang it or run it out of memory;
// nor may the rows that --board makes of a description the reader finds sound.
#include "boardfile/boardreader.h"
#include "boardfile/describedrows.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // A picture decoder's complaints about broken pictures would bury the fuzzer's own output.
    static const bool quiet = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        return true;
    }();
    Q_UNUSED(quiet);
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const BoardReading reading = readBoardDescriptionBytes(bytes, QStringLiteral(TEST_BOARDS "/fuzzed.toml"));
    // The lines are what a user sees: making them is part of what must not fail.
    if (!reading.sound()) {
        problemLines(reading);
        return 0;
    }
    soundSummary(reading);
    // Every row and every span in them read once: a span that points past its table is found.
    const DescribedRows described(reading.description);
    const BoardRows &rows = described.rows();
    std::size_t seen = 0;
    for (const BlockRow &b : rows.blocks)
        for (const char *pin : b.pins)
            seen += std::strlen(pin);
    for (const ListRow &l : rows.lists) {
        for (const int b : l.blocks)
            seen += std::strlen(rows.blocks[std::size_t(b)].name);
        for (const EntryRow &e : l.entries)
            for (const PinSet p : e.positions)
                seen += std::size_t(p & 1);
    }
    for (const MeaningRow &m : rows.meanings)
        for (const ValueRow &v : m.values)
            seen += v.positions.size() + std::strlen(v.text);
    for (const ReadingRow &r : rows.readings)
        for (const int m : r.product)
            seen += std::strlen(rows.meanings[std::size_t(m)].name);
    for (const LabelRow &l : rows.labels)
        seen += std::strlen(l.caption) + std::strlen(l.toolTip) + std::strlen(rows.fonts[std::size_t(l.font)].family);
    // Kept, so the reads are not left out as unused.
    [[maybe_unused]] static volatile std::size_t sink;
    sink = seen;
    return 0;
}
