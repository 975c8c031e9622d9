// Reading a board description file and checking everything it says before the program uses it.
#pragma once

#include "boarddescription.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// The most bytes a description may have; a longer file is refused before it is parsed.
inline constexpr qint64 MaxDescriptionBytes = 1024 * 1024;

/// The most problems told one a line; one more line says how many more there were.
inline constexpr int MaxProblemsShown = 100;

/// One thing wrong with a description, where it stands (line 0: the file as a whole).
struct BoardProblem {
    int line = 0;
    int column = 0;
    QString message;
};

/// A description as read: the board (in part, when there are problems) and every problem found,
/// in the order of the file.
struct BoardReading {
    QString fileName;
    BoardDescription description;
    QList<BoardProblem> problems;

    bool sound() const { return problems.isEmpty(); }
};

/// Reads and checks the description in the file at path. A file that cannot be read, or is not
/// a regular file, is one problem at line 0; one longer than MaxDescriptionBytes is refused unread.
BoardReading readBoardDescription(const QString &path);

/// Reads and checks a description held in memory; fileName names it in the problems, and the
/// pictures it names are looked for in fileName's folder.
BoardReading readBoardDescriptionBytes(const QByteArray &bytes, const QString &fileName);

/// The problems as lines "FILE:LINE:COLUMN: message" (or "FILE: message" at line 0), at most
/// MaxProblemsShown of them, then one line saying how many more there were.
QStringList problemLines(const BoardReading &reading);

/// The line for a sound description: "FILE: sound: "NAME" version V, 3 blocks, 2 lists (46 entries),
/// 1 meaning, 210 drawing elements".
QString soundSummary(const BoardReading &reading);
