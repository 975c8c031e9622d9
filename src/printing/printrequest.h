// One PRINT on the default printer: the print system asked on a worker thread, the page painted in
// the window's thread, and the user told what became of it.
#pragma once

#include "printing.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

class Board;
class QWidget;
struct PrintHandover;

/// Why nothing was printed, and what the user may do about it.
struct PrintProblem {
    QString reason; ///< "the printer "office" is stopped": a clause, without a closing full stop
    QString remedy; ///< a whole sentence
};

/// One PRINT. Everything that may wait on the print system runs on a worker thread of the
/// request's own: asking for the default printer and its state, making the printer (which loads
/// its driver from the scheduler) and ending the page, where the job is submitted. The page is
/// painted in the window's thread in between. The worker and the window hand the printer to each
/// other one step at a time; the window waits for each of the worker's steps at most AnswerTime,
/// handling its events meanwhile, then tells the user and stops waiting, while the worker goes on
/// until the print system answers and then drops what it holds.
class PrintRequest : public QObject
{
public:
    /// How long the window waits for each step of the worker.
    static constexpr std::chrono::seconds AnswerTime{5};

    /// Starts a PRINT of window, a child of it that deletes itself once the user has been told;
    /// or, when the worker of an earlier one still waits on the print system, tells the user so.
    static void start(QWidget &window, const Board &board, const PrintStepRunner &runStep);

    /// True while the worker of the last request still runs (it is joined here once it has ended).
    static bool outstanding();

    /// Stops waiting: the worker drops the printer and tells no more.
    ~PrintRequest() override;

private:
    enum class Step { FindingPrinter, Submitting, Done };

    PrintRequest(QWidget &window, const Board &board, PrintStepRunner runStep);

    /// The worker's steps, on its thread.
    static void askPrintSystem(PrintHandover &job);

    // The window's side of each step, in the window's thread.
    void printerFound();
    void paintPage();
    void jobSubmitted();
    void noAnswer();
    void finish(const QString &message);
    void stopWaiting();

    QWidget &m_window;
    const Board &m_board;
    PrintStepRunner m_runStep;
    std::shared_ptr<PrintHandover> m_job;
    Step m_step = Step::FindingPrinter;
    QString m_printerName; ///< once found
    QTimer m_answerTimer;
};
