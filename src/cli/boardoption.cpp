// Taking --board out of the command line, and the described board into use.
#include "boardoption.h"

#include "boarddata/catalogues.h"
#include "boardfile/boardreader.h"
#include "boardfile/describedrows.h"

#include <QFile>

#include <cstdio>
#include <memory>

BoardOption takeBoardOption(QByteArrayList &arguments)
{
    BoardOption option;
    for (qsizetype i = 0; i < arguments.size();) {
        const QByteArray &arg = arguments[i];
        if (arg != "--board" && !arg.startsWith("--board=")) {
            ++i;
            continue;
        }
        if (option.file)
            return {std::nullopt, QStringLiteral("--board is given twice")};
        if (arg.startsWith("--board=")) {
            option.file = arg.mid(int(sizeof "--board=" - 1));
            arguments.removeAt(i);
        } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith("--")) {
            option.file = arguments[i + 1];
            arguments.remove(i, 2);
        } else {
            return {std::nullopt, QStringLiteral("--board needs a board description file")};
        }
        if (option.file->isEmpty())
            return {std::nullopt, QStringLiteral("--board needs a board description file, but it is empty")};
    }
    return option;
}

bool useBoardFile(const QByteArray &path)
{
    // A picture decoder's complaint about a broken file would only repeat the check's own line.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const BoardReading reading = readBoardDescription(QFile::decodeName(path));
    qInstallMessageHandler(previous);
    if (!reading.sound()) {
        for (const QString &line : problemLines(reading))
            std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        return false;
    }
    // Kept for the whole run: the window, its lists and the exports point into the rows.
    static std::unique_ptr<DescribedRows> rows;
    rows = std::make_unique<DescribedRows>(reading.description);
    useBoard(rows->rows());
    return true;
}
