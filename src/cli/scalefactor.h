// QT_SCALE_FACTOR, checked before the toolkit reads it: a scale the board cannot be drawn whole
// at is named in one line, and the program starts at a scale it can, or refuses.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QWidget;

/// The scales the board is drawn whole at anywhere: below the least its one-pixel lines and
/// letters fall between the screen's pixels; up to the most the window fits any screen it is
/// meant for. A window may take a larger scale where it fits on its screen.
constexpr double LeastScale = 0.5;
constexpr double MostScale = 3;

/// What became of QT_SCALE_FACTOR: said, in one line, when it was not taken as it was.
struct ScaleCheck {
    QString said;                ///< the line for stderr, without "velmor: "; empty when taken
    bool refused = false;        ///< the program must not start: status 2
    std::optional<double> large; ///< a scale above MostScale, for windowFitsScreen() to check
    QByteArray asked = {};       ///< QT_SCALE_FACTOR as it was set
};

/// For the window, before the toolkit starts: a value that is no positive number is removed (the
/// window starts at scale 1), one below LeastScale becomes LeastScale; one above MostScale is
/// left for windowFitsScreen() once there is a screen.
ScaleCheck checkWindowScale();

/// For an export, which has no screen: a scale outside LeastScale to MostScale is refused.
ScaleCheck checkExportScale();

/// After the window is made, before it shows, for a scale above MostScale (check.large): empty
/// when the window fits on its screen's free area at it; else the reason it is refused.
QString windowFitsScreen(const QWidget &window, const ScaleCheck &check);
