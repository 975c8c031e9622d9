// Reporting an error that no handler can recover from.
#include "failureguard.h"

#include "failureguardfortests.h"

#include "layout/window.h"

#include <QApplication>
#include <QMessageBox>

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

/// A test's reporter, empty in the program.
std::function<void(const QString &)> &reporterForTests()
{
    static std::function<void(const QString &)> reporter;
    return reporter;
}

[[noreturn]] void showAndEnd(const QString &message)
{
    std::fprintf(stderr, "velmor: %s\n", qPrintable(message));
    std::fflush(stderr);
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QMessageBox::critical(
            nullptr, QString::fromLatin1(WindowCaption),
            QStringLiteral("The guide met an error it cannot recover from and will close.\n\n%1").arg(message));
    }
    // The window may be half-way through an event; leave without running any more of its code.
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void reportFailure(const QString &message)
{
    if (reporterForTests()) {
        reporterForTests()(message);
        return;
    }
    showAndEnd(message);
}

FailureReporterForTests::FailureReporterForTests(std::function<void(const QString &)> report)
{
    assert(!reporterForTests() && "one FailureReporterForTests at a time");
    reporterForTests() = std::move(report);
}

FailureReporterForTests::~FailureReporterForTests()
{
    reporterForTests() = nullptr;
}
