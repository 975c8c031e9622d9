// The standard streams: text written to them, a reader of standard output that has gone away,
// and closed streams kept from being taken by the files the program opens.
#include "standardstreams.h"

#include "exitstatus.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

void printText(const QString &text, FILE *stream)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int writeStandardOutput(const QString &text)
{
    // Otherwise a closed pipe would end the program with SIGPIPE (status 141), which a shell
    // running with pipefail takes for a failure.
    std::signal(SIGPIPE, SIG_IGN);
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size())
        && std::fflush(stdout) == 0) {
        return 0;
    }
    const int error = errno;
    if (error == EPIPE)
        return 0;
    std::fprintf(stderr, "velmor: cannot write to standard output: %s\n",
                 error ? std::strerror(error) : "the output was cut short");
    return OutputStatus;
}

void keepStandardStreamsOpen()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", O_RDWR); // takes the lowest free number, which is fd
    }
}
