// A window under measurement, shown on the offscreen platform: the guide's main window or the bare
// baseline window. Both offer the same two operations, so each figure has its reference.
#pragma once

#include <QWidget>

#include <memory>
#include <utility>

class PaintCounter;
class QComboBox;

/// Makes the offscreen platform the default; call before the QApplication exists.
void useOffscreenPlatform();

class Subject
{
public:
    enum class Kind { Guide, Baseline };

    /// Creates the window, runs the guide's Load event, shows it and waits for its first frame.
    explicit Subject(Kind kind);
    ~Subject();

    /// Picks the other one of two CPU entries, as a user's choice from the open list does (its
    /// Click handler runs), then repaints at once whatever the pick marked for repainting. The
    /// two entries alternate; their jumper rows differ in more pins than any other pair.
    void pickCpu();

    /// Repaints the whole client area at once: the window, the drawing, the lists and buttons.
    void repaintAll();

    /// The CPU list positions pickCpu() alternates between.
    std::pair<int, int> cpuEntries() const { return {m_positions[0], m_positions[1]}; }

    /// How many paint events the guide's drawing has received (the baseline has none).
    int boardPaints() const;

    QWidget &window() const { return *m_window; }

private:
    std::unique_ptr<QWidget> m_window;
    QComboBox *m_cpuList = nullptr;
    PaintCounter *m_paintCounter = nullptr;
    int m_positions[2] = {};
    int m_next = 0;
};
