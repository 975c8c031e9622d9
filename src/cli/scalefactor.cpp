// QT_SCALE_FACTOR, read as the toolkit reads it, and held to the scales the board is drawn at.
#include "scalefactor.h"

#include "boardrows/showntext.h"

#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {

constexpr char Variable[] = "QT_SCALE_FACTOR";

/// The value as the message quotes it.
QString quoted(const QByteArray &value)
{
    return QStringLiteral("%1=\"%2\"").arg(QLatin1String(Variable), shownText(value));
}

/// The scale QT_SCALE_FACTOR asks for, as the toolkit reads it (a number in C notation); none
/// when it is unset or empty, NaN when it is not a number.
std::optional<double> askedScale(const QByteArray &value)
{
    if (value.isEmpty())
        return std::nullopt;
    bool isNumber = false;
    const double scale = value.toDouble(&isNumber);
    return isNumber ? scale : std::nan("");
}

/// Why the scale is no scale at all; empty when it is a positive number.
QString notAScale(double scale)
{
    if (std::isnan(scale))
        return QStringLiteral("not a number");
    if (!std::isfinite(scale) || scale <= 0)
        return QStringLiteral("not a positive number");
    return {};
}

QString range()
{
    return QStringLiteral("a scale from %1 to %2").arg(LeastScale).arg(MostScale);
}

} // namespace

ScaleCheck checkWindowScale()
{
    const QByteArray value = qgetenv(Variable);
    const std::optional<double> scale = askedScale(value);
    if (!scale)
        return {};
    if (const QString reason = notAScale(*scale); !reason.isEmpty()) {
        qunsetenv(Variable);
        return {QStringLiteral("%1 is ignored, %2; the window starts at scale 1").arg(quoted(value), reason), false,
                std::nullopt};
    }
    if (*scale < LeastScale) {
        qputenv(Variable, QByteArray::number(LeastScale));
        return {QStringLiteral("%1 is ignored: below %2 the board is not drawn whole; the window starts at scale %2")
                    .arg(quoted(value))
                    .arg(LeastScale),
                false, std::nullopt};
    }
    if (*scale > MostScale)
        return {QString(), false, *scale, value};
    return {};
}

ScaleCheck checkExportScale()
{
    const QByteArray value = qgetenv(Variable);
    const std::optional<double> scale = askedScale(value);
    if (!scale)
        return {};
    QString reason = notAScale(*scale);
    if (reason.isEmpty() && (*scale < LeastScale || *scale > MostScale))
        reason = QStringLiteral("outside %1 to %2").arg(LeastScale).arg(MostScale);
    if (reason.isEmpty())
        return {};
    return {QStringLiteral("%1 is %2; an export is drawn at %3").arg(quoted(value), reason, range()), true,
            std::nullopt};
}

QString windowFitsScreen(const QWidget &window, const ScaleCheck &check)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return {};
    // Both in the same pixels: the screen's shrink as the scale grows.
    const QSize free = screen->availableGeometry().size();
    if (window.frameGeometry().width() <= free.width() && window.frameGeometry().height() <= free.height())
        return {};
    return QStringLiteral("%1 makes the window larger than the screen; choose %2").arg(quoted(check.asked), range());
}
