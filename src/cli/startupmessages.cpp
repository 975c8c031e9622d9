// The toolkit's messages at start-up: the one harmless notice left out, and the messages given
// while the display opens, held back until it is known whether it could.
#include "startupmessages.h"

#include "exitstatus.h"
#include "outofmemory.h"

#include "boardrows/showntext.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

/// Where the toolkit's messages go once velmor has looked at them: its own default handler.
QtMessageHandler passOnTo = nullptr;

/// The one toolkit notice left out: with XDG_RUNTIME_DIR unset, the toolkit says which folder it
/// uses instead. Nothing of the guide uses that folder (the toolkit only looks there for the
/// marker file of a sandbox), so the notice tells the user nothing to act on.
bool isHarmlessNotice(const QString &message)
{
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

void leaveOutHarmlessNotice(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (saysMemoryRanOut(message))
        endForLackOfMemory();
    if (!isHarmlessNotice(message))
        passOnTo(type, context, message);
}

/// A message the toolkit gave while opening the display, held back until it is known whether
/// it could.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage> &heldMessages()
{
    static std::vector<HeldMessage> messages;
    return messages;
}

/// The display a platform plugin of the toolkit connects to, with the variable that names it:
/// the display ":1" named by DISPLAY (X11).
QString displayOf(const QString &plugin)
{
    if (plugin.startsWith(QLatin1String("wayland"))) {
        const QByteArray name = qgetenv("WAYLAND_DISPLAY");
        QString display = name.isEmpty()
            ? QStringLiteral("the display \"wayland-0\" (Wayland's default, as WAYLAND_DISPLAY is not set)")
            : QStringLiteral("the display \"%1\" named by WAYLAND_DISPLAY (Wayland)").arg(shownText(name));
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && !name.startsWith('/'))
            display += QStringLiteral(", whose socket lies in XDG_RUNTIME_DIR, which is not set");
        return display;
    }
    if (plugin == QLatin1String("xcb")) {
        const QByteArray name = qgetenv("DISPLAY");
        return name.isEmpty() ? QStringLiteral("the display of X11 (DISPLAY is not set)")
                              : QStringLiteral("the display \"%1\" named by DISPLAY (X11)").arg(shownText(name));
    }
    return QStringLiteral("the display of the platform \"%1\" named by QT_QPA_PLATFORM").arg(shownText(plugin));
}

/// The platforms the toolkit has, as its fatal message lists them: "minimal, offscreen, xcb".
QString platformsListed(const QString &fatalMessage)
{
    static const QRegularExpression listed(QStringLiteral("Available platform plugins are: ([^\n]*[^.\n])"));
    const QRegularExpressionMatch match = listed.match(fatalMessage);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("none");
}

/// The one line that replaces the toolkit's account of a platform it could not start: a
/// platform QT_QPA_PLATFORM names that the toolkit does not have, with those it has; or which
/// display could not be opened, and by which variable it was named.
QString displayFailure(const QString &fatalMessage)
{
    static const QRegularExpression failedPlugin(QStringLiteral("Could not load the Qt platform plugin \"([^\"]+)\""));
    static const QRegularExpression missingPlugin(QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    QStringList displays, unknown;
    for (const HeldMessage &held : heldMessages()) {
        if (const QRegularExpressionMatch match = failedPlugin.match(held.text); match.hasMatch())
            displays << displayOf(match.captured(1));
        if (const QRegularExpressionMatch match = missingPlugin.match(held.text); match.hasMatch())
            unknown << QStringLiteral("\"%1\"").arg(shownText(match.captured(1)));
    }
    QStringList parts;
    if (!unknown.isEmpty()) {
        parts << QStringLiteral("QT_QPA_PLATFORM names the platform %1, which the toolkit does not have (it has: %2)")
                     .arg(unknown.join(QStringLiteral(", ")), platformsListed(fatalMessage));
    }
    if (!displays.isEmpty())
        parts << QStringLiteral("cannot open %1").arg(displays.join(QStringLiteral(" nor ")));
    if (parts.isEmpty())
        return QStringLiteral("cannot open the display: %1").arg(fatalMessage.section(u'\n', 0, 0));
    return parts.join(QStringLiteral("; "));
}

} // namespace

void installNoticeFilter()
{
    qInstallMessageHandler(nullptr);
    passOnTo = qInstallMessageHandler(leaveOutHarmlessNotice); // the default handler
}

void startupMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (saysMemoryRanOut(message))
        endForLackOfMemory();
    if (type != QtFatalMsg) {
        heldMessages().push_back({type, QByteArray(context.category), message});
        return;
    }
    std::fprintf(stderr, "velmor: %s\n", qPrintable(displayFailure(message)));
    std::fflush(stderr);
    std::_Exit(NoDisplayStatus);
}

void releaseHeldMessages()
{
    installNoticeFilter();
    for (const HeldMessage &held : heldMessages()) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        leaveOutHarmlessNotice(held.type, context, held.text);
    }
    heldMessages().clear();
}
