// The print queue's state and the fate of the last job, asked of CUPS through its own library.
#include "printqueue.h"

#include <QByteArray>

#include <cups/cups.h>

bool printQueueAnswers()
{
    return true;
}

bool queueIsStopped(const QString &queue)
{
    const QByteArray name = queue.section(u'/', 0, 0).toLocal8Bit();
    const QByteArray instance = queue.section(u'/', 1).toLocal8Bit();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return false;
    // The destination's options carry the scheduler's printer attributes as text.
    const QByteArray state = cupsGetOption("printer-state", dest->num_options, dest->options);
    cupsFreeDests(1, dest);
    bool known = false;
    const int value = state.toInt(&known);
    return known && value == IPP_PSTATE_STOPPED;
}

QString lastJobRefusal()
{
    // Linking CUPS here loads the same shared library (libcups.so.2) that Qt's print support
    // loads, so both share its state. That state keeps the status of each thread's last request,
    // and Qt submits the job in the printing thread at QPainter::end(), so read in that thread
    // right after end() it is the answer to the job, which Qt drops.
    // IPP status codes below 0x0100 are the successful ones.
    if (cupsLastError() < 0x0100)
        return {};
    QString reason = QString::fromUtf8(cupsLastErrorString()).trimmed();
    while (reason.endsWith(u'.'))
        reason.chop(1);
    return reason;
}
