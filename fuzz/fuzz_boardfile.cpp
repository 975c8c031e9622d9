// The board description reader fed any bytes: no input may crash it, hang it or run it out of memory.
#include "boardfile/boardreader.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

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
    if (reading.sound())
        soundSummary(reading);
    else
        problemLines(reading);
    return 0;
}
