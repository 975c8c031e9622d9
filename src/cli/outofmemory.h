// Running out of memory: the program ends at once, in one line, instead of hanging or aborting.
// The toolkit has no way back from an allocation that failed (its own code is built without
// exception handling, and a worker it could not start leaves it waiting for ever), so nothing
// after such a failure can be trusted to finish.
#pragma once

#include <QString>

/// The least memory limit (ulimit -v) velmor starts under, in bytes: below it, loading the font
/// configuration alone may run out, and the font library then crashes instead of failing.
constexpr unsigned long long LeastMemoryLimit = 160ull << 20;

/// Empty when there is no memory limit or it is at least LeastMemoryLimit; else the reason, in
/// words, that the program does not start.
QString memoryLimitTooLow();

/// From now on, running out of memory ends the program at once with "velmor: out of memory: "
/// and outcome on stderr, then status: an allocation that fails (a C++ new, or the toolkit's
/// own, which then escapes to the program's end), a picture the toolkit could not make, or a
/// worker thread that could not start. An export under way leaves no new file behind.
void endWhenMemoryRunsOut(const QString &outcome, int status);

/// True for the toolkit's messages that say memory or threads ran out, after which it goes on
/// with a picture that is not there, or waits for ever for a worker that never started.
bool saysMemoryRanOut(const QString &toolkitMessage);

/// Ends the program as endWhenMemoryRunsOut() set up. Safe on any thread.
[[noreturn]] void endForLackOfMemory();
