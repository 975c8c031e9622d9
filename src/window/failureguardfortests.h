// For tests only: an error that leaves a handler recorded, where the program would report it and
// end, so a test can see what the handler had done by then. The program itself never does this.
#pragma once

#include <QString>

#include <functional>

/// While it lives, reportFailure() hands each message to report and returns, so the program goes
/// on after the failed handler. One at a time; its end restores the program's own reporting.
class FailureReporterForTests
{
public:
    explicit FailureReporterForTests(std::function<void(const QString &)> report);
    ~FailureReporterForTests();
    FailureReporterForTests(const FailureReporterForTests &) = delete;
    FailureReporterForTests &operator=(const FailureReporterForTests &) = delete;
};
