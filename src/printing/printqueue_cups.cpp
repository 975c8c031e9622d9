// The print queue module: whether the scheduler can be reached, the queue's existence and state,
// and the fate of the last job, asked of CUPS through its own library. Built apart from the
// program, which loads it only when Print asks.
#include "printqueuemodule.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <cups/cups.h>

#include <sys/socket.h>
#include <unistd.h>

namespace {

/// Copies text into buffer, cut to size bytes with the closing NUL.
void copyText(char *buffer, size_t size, const char *text)
{
    if (size == 0)
        return;
    std::strncpy(buffer, text ? text : "", size - 1);
    buffer[size - 1] = '\0';
}

/// 0 when a connection to one of the addresses can be made, else the error of the last attempt.
int connectError(const http_addrlist_t *addresses)
{
    int error = 0;
    for (const http_addrlist_t *a = addresses; a; a = a->next) {
        const int fd = socket(a->addr.addr.sa_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd >= 0 && connect(fd, &a->addr.addr, httpAddrLength(&a->addr)) == 0) {
            close(fd);
            return 0;
        }
        error = errno;
        if (fd >= 0)
            close(fd);
    }
    return error;
}

} // namespace

int velmor_queue_is_stopped(const char *name, const char *instance)
{
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name, instance);
    if (!dest)
        return 0;
    // The destination's options carry the scheduler's printer attributes as text.
    const char *state = cupsGetOption("printer-state", dest->num_options, dest->options);
    char *end = nullptr;
    const long value = state ? std::strtol(state, &end, 10) : 0;
    const bool stopped = state && end != state && *end == '\0' && value == IPP_PSTATE_STOPPED;
    cupsFreeDests(1, dest);
    return stopped ? 1 : 0;
}

int velmor_last_job_refusal(char *buffer, size_t size)
{
    // This module is loaded into the program's process and links the same shared library
    // (libcups.so.2) that Qt's print support loads, so both share its state. That state keeps the
    // status of each thread's last request, and Qt submits the job in the printing thread at
    // QPainter::end(), so read in that thread right after end() it is the answer to the job,
    // which Qt drops. IPP status codes below 0x0100 are the successful ones.
    if (cupsLastError() < 0x0100)
        return 0;
    copyText(buffer, size, cupsLastErrorString());
    return 1;
}

int velmor_scheduler_unreachable(char *address, size_t address_size, char *reason, size_t reason_size)
{
    // cupsServer() is CUPS_SERVER, else the client configuration, else the local scheduler's
    // socket; ippPort() the port that goes with a host name.
    const char *server = cupsServer();
    char port[16];
    std::snprintf(port, sizeof port, "%d", ippPort());
    http_addrlist_t *addresses = httpAddrGetList(server, AF_UNSPEC, port);
    if (addresses) {
        // CUPS's own connection reports any failure as "Host is down"; the socket's error tells a
        // missing socket file from a refused or forbidden connection.
        const int error = connectError(addresses);
        httpAddrFreeList(addresses);
        if (error == 0)
            return 0;
        copyText(reason, reason_size, std::strerror(error));
    } else {
        copyText(reason, reason_size, cupsLastErrorString()); // the host name did not resolve
    }
    if (server[0] == '/') {
        copyText(address, address_size, server);
    } else if (address_size > 0) {
        std::snprintf(address, address_size, "%s:%s", server, port);
    }
    return 1;
}

int velmor_queue_exists(const char *name)
{
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name, nullptr);
    if (!dest)
        return 0;
    cupsFreeDests(1, dest);
    return 1;
}
