// The plain C functions of the print queue module, which asks CUPS and is loaded on first use.
#pragma once

#include <cstddef>

extern "C" {

/// 1 when the scheduler reports the queue NAME (INSTANCE may be null) as stopped; 0 when it is
/// not, when no scheduler answers or when it does not know the queue.
int velmor_queue_is_stopped(const char *name, const char *instance);

/// 1 when the print system refused the calling thread's last request, with its reason written to
/// BUFFER (cut to SIZE bytes, the closing NUL included); 0, BUFFER untouched, when it was granted.
int velmor_last_job_refusal(char *buffer, size_t size);

/// 1 when no connection to the scheduler can be made, with the scheduler's address (a socket's
/// path, or host:port) written to ADDRESS and the reason to REASON, each cut as above; 0, both
/// untouched, when a connection is made (the scheduler may still not answer on it).
int velmor_scheduler_unreachable(char *address, size_t address_size, char *reason, size_t reason_size);

/// 1 when the scheduler knows the queue NAME; 0 when it does not, which is also the answer when no
/// scheduler can be reached (ask velmor_scheduler_unreachable() first).
int velmor_queue_exists(const char *name);

} // extern "C"
