// Text the user gave (an argument, a file name, a variable), as a message repeats it: short
// enough for one line, and with nothing in it that a terminal would act on.
#pragma once

#include <QByteArray>
#include <QString>

/// The most characters of the user's text a message repeats.
constexpr qsizetype ShownTextLength = 60;

/// text as a message repeats it. Control and other characters that do not print are written as
/// escapes: \e, \n, \t, \r, or \xHH below U+0100 and \u{HHHH} above (a right-to-left override
/// too, which would turn the rest of the line around, and the line and paragraph separators). Longer than
/// ShownTextLength characters, its middle gives way to "...", so both ends show: a path's folder and its file name.
QString shownText(const QString &text);

/// bytes, as text in the system's encoding (UTF-8), as a message repeats them; a byte that is
/// not part of a valid character is written \xHH. For names of files, which need not be text.
QString shownText(const QByteArray &bytes);
