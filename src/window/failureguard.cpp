// Reporting an error that no handler can recover from.
#include "failureguard.h"

#include "boarddata/window.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>

void reportAndEnd(const QString &message)
{
    std::fprintf(stderr, "velmor: %s\n", qPrintable(message));
    std::fflush(stderr);
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QMessageBox::critical(
            nullptr, QString::fromUtf8(windowCaption()),
            QStringLiteral("The guide met an error it cannot recover from and will close.\n\n%1").arg(message));
    }
    // The window may be half-way through an event; leave without running any more of its code.
    std::_Exit(EXIT_FAILURE);
}
