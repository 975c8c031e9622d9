// One PRINT on the default printer: the print system asked on a worker thread, the page painted in
// the window's thread, and the user told what became of it.
#include "printrequest.h"

#include "printqueue.h"

#include "boarddata/window.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cassert>
#include <condition_variable>
#include <mutex>
#include <thread>

/// What the window's thread and the worker of one request hand each other. The printer and the
/// painter are the worker's, but for the time from printerFound() until the page is handed back,
/// when the window paints with them; the mutex guards the rest.
struct PrintHandover {
    enum class Page { Awaited, Painted, NotPainted };

    std::mutex mutex;
    std::condition_variable pageHandedBack;
    /// The window's side, told when each step of the worker is done; null once it stopped waiting.
    PrintRequest *request = nullptr;
    std::unique_ptr<QPrinter> printer; ///< the default printer, ready for the page
    QPainter painter;                  ///< begun in the window's thread, ended on the worker
    Page page = Page::Awaited;
    std::optional<PrintProblem> problem; ///< of the worker's last step
    bool workerDone = false;
};

namespace {

const char *const CheckThePrinter = "Check the printer, then press PRINT again.";
const char *const CheckThePrintService = "Check that the print service is running, then press PRINT again.";

PrintProblem printerProblem(const QString &reason)
{
    return {reason, QString::fromLatin1(CheckThePrinter)};
}

QString nothingPrinted(const PrintProblem &problem)
{
    return QStringLiteral("Nothing was printed: %1.\n\n%2").arg(problem.reason, problem.remedy);
}

/// Why Qt's print support found no default printer: the scheduler out of reach, a default named in
/// the environment that the scheduler does not know, or none set up.
PrintProblem whyNoDefaultPrinter()
{
    if (const std::optional<UnreachableScheduler> scheduler = unreachableScheduler()) {
        return {QStringLiteral("the print system could not be reached at %1 (%2)")
                    .arg(scheduler->address, scheduler->reason),
                QString::fromLatin1(CheckThePrintService)};
    }
    if (const std::optional<EnvironmentDefault> named = environmentDefault();
        named && queueExists(named->queue) == false) {
        return {QStringLiteral("%1 names the printer \"%2\" as the default, and the print system has no "
                               "printer of that name")
                    .arg(named->variable, named->queue),
                QStringLiteral("Name an existing printer in %1, or remove %1 to use the system's default, then "
                               "press PRINT again.")
                    .arg(named->variable)};
    }
    return {QStringLiteral("no default printer is set up on this computer"),
            QStringLiteral("Set up a printer as the default, then press PRINT again.")};
}

/// The default printer ready for a page, or why there is none.
struct FoundPrinter {
    std::unique_ptr<QPrinter> printer;
    std::optional<PrintProblem> problem;
};

FoundPrinter findDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return {nullptr, whyNoDefaultPrinter()};
    // A stopped queue would take the job and hold it until someone starts the printer again,
    // while the user is told nothing. (QPrinterInfo::state() cannot tell: it reports any state
    // other than idle or printing as an error, also one the scheduler does not report.)
    if (queueIsStopped(info.printerName()))
        return {nullptr, printerProblem(QStringLiteral("the printer \"%1\" is stopped").arg(info.printerName()))};
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    setPage(*printer, info.defaultPageSize());
    return {std::move(printer), std::nullopt};
}

/// Ends the painted page, where the printer hands the job to the print system, and reads its answer.
std::optional<PrintProblem> submitPage(QPainter &painter, QPrinter &printer)
{
    if (const QString error = endPrinterPage(painter, printer); !error.isEmpty())
        return printerProblem(error);
    // Qt hands the finished page to CUPS in this thread, at QPainter::end(), and drops the
    // answer, so a queue that refuses jobs still lets end() succeed; CUPS keeps the status of
    // each thread's last request, which is that job's.
    const QString refusal = lastJobRefusal();
    if (!refusal.isEmpty())
        return printerProblem(
            QStringLiteral("the printer \"%1\" refused the job (%2)").arg(printer.printerName(), refusal));
    return std::nullopt;
}

/// Has step run in the window's thread, once it gets there; false when the window no longer waits.
/// The caller holds job's mutex, so the request cannot go meanwhile (its events go with it).
bool tellWindow(PrintHandover &job, void (PrintRequest::*step)())
{
    if (!job.request)
        return false;
    QMetaObject::invokeMethod(job.request, step, Qt::QueuedConnection);
    return true;
}

/// The thread of the last request's worker. There is one at a time: a PRINT while it still runs is
/// told so. When the print system never answers it outlives the window that started it, and the
/// program ends without waiting for it (printRequestOutstanding()).
class WorkerThread
{
public:
    ~WorkerThread()
    {
        // Only when the program ends the usual way while a worker still waits: it ends with the
        // process.
        if (running())
            m_thread.detach();
    }

    bool running()
    {
        if (!m_thread.joinable())
            return false;
        {
            const std::lock_guard lock(m_job->mutex);
            if (!m_job->workerDone)
                return true;
        }
        m_thread.join();
        m_job.reset();
        return false;
    }

    /// Runs work(job) on a new thread.
    void start(const std::shared_ptr<PrintHandover> &job, void (*work)(PrintHandover &))
    {
        assert(!m_thread.joinable() && "one print worker at a time, and the last one joined");
        m_thread = std::thread([job, work] {
            work(*job);
            const std::lock_guard lock(job->mutex);
            job->workerDone = true;
        });
        m_job = job;
    }

private:
    std::thread m_thread;
    std::shared_ptr<PrintHandover> m_job;
};

WorkerThread &workerThread()
{
    static WorkerThread thread;
    return thread;
}

} // namespace

void PrintRequest::start(QWidget &window, const Board &board, const PrintStepRunner &runStep)
{
    if (workerThread().running()) {
        // Asked again it would wait behind the same scheduler.
        QMessageBox::warning(&window, QString::fromUtf8(windowCaption()),
                             nothingPrinted({QStringLiteral("the print system has not yet answered the previous PRINT"),
                                             QStringLiteral("Wait a moment, then press PRINT again; if this message "
                                                            "comes back, check that the print service is running.")}));
        return;
    }
    std::unique_ptr<PrintRequest> request(new PrintRequest(window, board, runStep));
    workerThread().start(request->m_job, &PrintRequest::askPrintSystem);
    request.release(); // the window's child from now on, which deletes itself once done
}

bool PrintRequest::outstanding()
{
    return workerThread().running();
}

PrintRequest::PrintRequest(QWidget &window, const Board &board, PrintStepRunner runStep)
    : QObject(&window)
    , m_window(window)
    , m_board(board)
    , m_runStep(std::move(runStep))
    , m_job(std::make_shared<PrintHandover>())
{
    m_job->request = this;
    m_answerTimer.setSingleShot(true);
    connect(&m_answerTimer, &QTimer::timeout, this, &PrintRequest::noAnswer);
    m_answerTimer.start(AnswerTime);
}

PrintRequest::~PrintRequest()
{
    stopWaiting();
}

void PrintRequest::askPrintSystem(PrintHandover &job)
{
    FoundPrinter found = findDefaultPrinter();
    std::unique_lock lock(job.mutex);
    job.printer = std::move(found.printer);
    job.problem = std::move(found.problem);
    if (!tellWindow(job, &PrintRequest::printerFound) || !job.printer) {
        job.printer.reset();
        return;
    }
    job.pageHandedBack.wait(lock, [&job] { return job.page != PrintHandover::Page::Awaited; });
    if (job.page == PrintHandover::Page::NotPainted) {
        job.printer.reset();
        return;
    }
    // The window has handed the page back and touches neither the printer nor the painter again.
    lock.unlock();
    std::optional<PrintProblem> problem = submitPage(job.painter, *job.printer);
    job.printer.reset();
    lock.lock();
    job.problem = std::move(problem);
    tellWindow(job, &PrintRequest::jobSubmitted);
}

void PrintRequest::printerFound()
{
    if (m_step != Step::FindingPrinter)
        return; // the user was told the print system did not answer; the worker drops the printer
    m_answerTimer.stop();
    std::optional<PrintProblem> problem;
    {
        const std::lock_guard lock(m_job->mutex);
        if (!m_job->printer)
            problem = m_job->problem;
    }
    if (problem)
        return finish(nothingPrinted(*problem));
    m_runStep([this] { paintPage(); });
}

void PrintRequest::paintPage()
{
    // The worker waits for the page and holds neither the printer nor the painter meanwhile.
    QPrinter &printer = *m_job->printer;
    m_printerName = printer.printerName();
    const QString problem = paintPrinterPage(m_job->painter, printer, m_window, m_board);
    {
        const std::lock_guard lock(m_job->mutex);
        m_job->page = problem.isEmpty() ? PrintHandover::Page::Painted : PrintHandover::Page::NotPainted;
        m_job->pageHandedBack.notify_all();
    }
    if (!problem.isEmpty())
        return finish(nothingPrinted(printerProblem(problem)));
    m_step = Step::Submitting;
    m_answerTimer.start(AnswerTime);
}

void PrintRequest::jobSubmitted()
{
    if (m_step != Step::Submitting)
        return;
    m_answerTimer.stop();
    std::optional<PrintProblem> problem;
    {
        const std::lock_guard lock(m_job->mutex);
        problem = m_job->problem;
    }
    finish(problem ? nothingPrinted(*problem) : QString());
}

void PrintRequest::noAnswer()
{
    const QString seconds = QString::number(AnswerTime.count());
    if (m_step == Step::Submitting) {
        return finish(QStringLiteral("The page went to the printer \"%1\", but the print system did not confirm it "
                                     "within %2 seconds: it may still print.\n\nLook at the printer before you press "
                                     "PRINT again, or the page may come out twice.")
                          .arg(m_printerName, seconds));
    }
    finish(nothingPrinted({QStringLiteral("the print system did not answer within %1 seconds").arg(seconds),
                           QString::fromLatin1(CheckThePrintService)}));
}

void PrintRequest::finish(const QString &message)
{
    // From here on a step the worker reports late finds no one waiting.
    m_step = Step::Done;
    stopWaiting();
    if (!message.isEmpty())
        QMessageBox::warning(&m_window, QString::fromUtf8(windowCaption()), message);
    deleteLater();
}

void PrintRequest::stopWaiting()
{
    const std::lock_guard lock(m_job->mutex);
    m_job->request = nullptr;
    if (m_job->page == PrintHandover::Page::Awaited)
        m_job->page = PrintHandover::Page::NotPainted;
    m_job->pageHandedBack.notify_all();
}
