// The print queue module: the queue's state and the fate of the last job, asked of CUPS through
// its own library. Built apart from the program, which loads it only when Print asks.
#include "printqueuemodule.h"

#include <cstdlib>
#include <cstring>

#include <cups/cups.h>

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
    if (size > 0) {
        const char *reason = cupsLastErrorString();
        std::strncpy(buffer, reason ? reason : "", size - 1);
        buffer[size - 1] = '\0';
    }
    return 1;
}
