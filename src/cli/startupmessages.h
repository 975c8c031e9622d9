// The toolkit's messages at start-up: the one harmless notice left out, the messages given while
// the display opens, held back until it is known whether it could, and those saying memory ran
// out, which end the program.
#pragma once

#include <QString>
#include <QtGlobal>

/// Puts the notice filter in front of the toolkit's default handler (in place of any other). It
/// also ends the program when the toolkit says memory ran out (see outofmemory.h).
void installNoticeFilter();

/// While the toolkit opens the display: holds its messages back. When it gives up (a fatal
/// message), says in one line which display could not be opened and ends quietly instead of
/// aborting with a core dump and the toolkit's own account of it.
void startupMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

/// After the display is open: passes on the messages held back while opening it.
void releaseHeldMessages();
