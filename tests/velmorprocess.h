// The real program run as a user runs it: its arguments, its environment and its standard output
// set up for one case, and what it said and how it ended.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

#include <csignal>

/// How one run of the program ended. status is -1 when it was killed by a signal or did not end.
struct Run {
    int status = -1;
    QString out;
    QString err;
};

/// Runs the program with arguments and no display (none of the command line may need one).
/// prepare may change the process before it starts: its environment, working folder, program
/// and arguments. inChild runs in the child just before the program does (only calls that are
/// safe after fork: open, dup2, close, setrlimit). The child starts with SIGPIPE and SIGXFSZ at
/// their defaults, as from a shell, whatever the test process ignores. A run that has not ended
/// after limitMs is killed and counts as not ended.
inline Run velmor(const QStringList &arguments, const std::function<void(QProcess &)> &prepare = {},
                  const std::function<void()> &inChild = {}, int limitMs = 60000)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.setProgram(QStringLiteral(VELMOR_BINARY));
    p.setArguments(arguments);
    p.setChildProcessModifier([inChild] {
        std::signal(SIGPIPE, SIG_DFL);
        std::signal(SIGXFSZ, SIG_DFL);
        if (inChild)
            inChild();
    });
    if (prepare)
        prepare(p);
    p.start();
    if (!p.waitForFinished(limitMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

/// The lines of a program's stderr, without the empty one after the last newline.
inline QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
