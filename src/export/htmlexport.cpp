// The guide page: the template of the web/ resources filled with its fragments, data and pictures, and written.
#include "htmlexport.h"

#include "outputfile.h"
#include "pagedata.h"
#include "pageerror.h"
#include "pagefragments.h"
#include "pagepictures.h"
#include "pagerecording.h"
#include "pagewindow.h"
#include "velmorconfig.h"

#include "boarddata/catalogues.h"
#include "boarddata/window.h"
#include "layout/board.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>

#include <map>

namespace {

QString resourceText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PageError(QStringLiteral("the page template %1 is missing").arg(path));
    return QString::fromUtf8(file.readAll());
}

/// The template with every {{name}} replaced in one pass, so no value is read as a placeholder.
QString fillTemplate(const QString &page, const std::map<QString, QString> &values)
{
    static const QRegularExpression placeholder(QStringLiteral("\\{\\{([a-z0-9-]+)\\}\\}"));
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : placeholder.globalMatch(page)) {
        const auto value = values.find(m.captured(1));
        if (value == values.end())
            throw PageError(QStringLiteral("the page template has an unknown placeholder %1").arg(m.captured(0)));
        out += QStringView(page).mid(from, m.capturedStart() - from);
        out += value->second;
        from = m.capturedEnd();
    }
    out += QStringView(page).mid(from);
    return out;
}

QString pageHtml(PageWindow &window, PageStart start)
{
    const PageRecord record = recordPage(window);
    const Pictures pictures = drawPictures(window.board());
    // In a script element only "</" could end it early; "<\/" reads the same in JSON.
    const QString data =
        QString::fromUtf8(QJsonDocument(pageData(record, start, pictures.pins)).toJson(QJsonDocument::Compact))
            .replace(QStringLiteral("</"), QStringLiteral("<\\/"));
    const QString script = resourceText(QStringLiteral(":/web/guide.js"));
    const QString earlyScript = resourceText(QStringLiteral(":/web/early.js"));
    const ControlRow &print = controlRow("CMDPRINT");
    // The page's policy runs exactly these two scripts.
    const auto hashOf = [](const QString &text) {
        return QStringLiteral("sha256-")
            + QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toBase64());
    };
    return fillTemplate(
        resourceText(QStringLiteral(":/web/guide.html")),
        {{QStringLiteral("title"), QStringLiteral("%1 jumper settings").arg(QString::fromUtf8(windowCaption()))},
         {QStringLiteral("version"), QStringLiteral(VELMOR_VERSION)},
         {QStringLiteral("style"), resourceText(QStringLiteral(":/web/guide.css"))},
         {QStringLiteral("script"), script},
         {QStringLiteral("script-hash"), hashOf(script)},
         {QStringLiteral("early-script"), earlyScript},
         {QStringLiteral("early-script-hash"), hashOf(earlyScript)},
         {QStringLiteral("data"), data},
         {QStringLiteral("width"), QString::number(clientSize().width())},
         {QStringLiteral("height"), QString::number(clientSize().height())},
         {QStringLiteral("picture-1x"), pictures.uri[0]},
         {QStringLiteral("picture-2x"), pictures.uri[1]},
         {QStringLiteral("fields"), fieldsHtml(record.lists)},
         {QStringLiteral("intro"), introText(record)},
         {QStringLiteral("meanings"), meaningsSection(record)},
         {QStringLiteral("print-box"),
          boxStyle(pixelBox(print.left, print.top, print.width, print.height), QStringLiteral("--"))},
         {QStringLiteral("captions"), captionsHtml(window.board())},
         {QStringLiteral("legend"), legendHtml(window.board())},
         {QStringLiteral("positions"), positionsSentence(window).toHtmlEscaped()}});
}

} // namespace

QString writeGuidePage(PageWindow &window, const QByteArray &path, PageStart start)
{
    QByteArray page;
    try {
        page = pageHtml(window, start).toUtf8();
    } catch (const PageError &e) {
        return QStringLiteral("cannot make the page: %1").arg(QString::fromUtf8(e.what()));
    }
    return writeOutputFile(path, page);
}
