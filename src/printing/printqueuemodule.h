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

} // extern "C"
