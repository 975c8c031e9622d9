// --board FILE: the board a description file gives, in use for the rest of the run.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <optional>

/// What --board asked for: the file (as the bytes given), or why the option is wrong.
struct BoardOption {
    std::optional<QByteArray> file;
    QString error;
};

/// Takes "--board FILE" or "--board=FILE" out of the arguments, wherever it stands: the board is
/// chosen before the other options are read, as they name its lists.
BoardOption takeBoardOption(QByteArrayList &arguments);

/// Reads the description at path and makes its board the board in use. A description with
/// problems is not used: they are told on stderr, one a line as --check-board tells them, and
/// false is returned.
bool useBoardFile(const QByteArray &path);
