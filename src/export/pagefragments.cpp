// The guide page's HTML fragments, made from the window, its board and the page's record.
#include "pagefragments.h"

#include "pagedata.h"

#include "boarddata/catalogues.h"
#include "boarddata/window.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/board.h"

QString boxStyle(const QRect &r, const QString &prefix)
{
    const auto percent = [](int part, int whole) { return QString::number(100.0 * part / whole, 'g', 8) + u'%'; };
    return QStringLiteral("%1left:%2;%1top:%3;%1width:%4;%1height:%5")
        .arg(prefix, percent(r.x(), ClientSize.width()), percent(r.y(), ClientSize.height()),
             percent(r.width(), ClientSize.width()), percent(r.height(), ClientSize.height()));
}

QString fieldsHtml(const std::vector<ListState> &lists)
{
    QString html;
    for (const ListState &list : lists) {
        const QString key = QLatin1String(list.page->key);
        const Selector &selector = list.page->selector();
        const ControlRow &control = controlRow(selector.list);
        html +=
            QStringLiteral("<div class=\"field\" style=\"%1;--font:%2px\">\n<label for=\"%3\">%4</label>\n<select "
                           "id=\"%3\" name=\"%3\">\n")
                .arg(boxStyle(pixelBox(control.left, control.top, control.width, control.height), QStringLiteral("--")),
                     QString::number(control.fontPixels), key,
                     QString::fromLatin1(control.accessibleName).toHtmlEscaped());
        for (int i = 0; i < list.count; ++i) {
            html += QStringLiteral("<option value=\"%1\"%2>%3</option>\n")
                        .arg(QString::number(i), i == list.defaultIndex ? QStringLiteral(" selected") : QString(),
                             QString::fromLatin1(selector.entries[static_cast<std::size_t>(i)].text).toHtmlEscaped());
        }
        html += QStringLiteral("</select>\n</div>");
        if (&list != &lists.back())
            html += u'\n';
    }
    return html;
}

QString captionsHtml(const Board &board)
{
    QStringList spans;
    const auto &elements = board.elements();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        if (it->kind != ElementKind::Label)
            continue;
        const QString tip = QString::fromLatin1(it->label->toolTip);
        QString attributes = tip.isEmpty()
            ? QStringLiteral(" aria-hidden=\"true\"")
            : QStringLiteral(" tabindex=\"0\" role=\"button\" aria-label=\"%1\" data-tip=\"%2\"")
                  .arg(QString::fromLatin1(it->label->caption).simplified().toHtmlEscaped(), tip.toHtmlEscaped());
        spans << QStringLiteral("<span class=\"cap\" data-name=\"%1\" style=\"%2\"%3></span>")
                     .arg(QLatin1String(it->name()), boxStyle(it->bounds), attributes);
    }
    return spans.join(u'\n');
}

QString settingsHtml(const PageRecord &r)
{
    QString html;
    for (std::size_t group = 0; group < r.groups.size(); ++group) {
        const SettingGroup &g = r.groups[group];
        const QString key = QLatin1String(g.page->key);
        html += QStringLiteral("<div class=\"meaning\">\n<label for=\"%1\">%2</label>\n<select id=\"%1\" name=\"%1\" "
                               "aria-describedby=\"%1-pins\">\n")
                    .arg(key, QString::fromLatin1(g.page->caption).remove(u'&').toHtmlEscaped());
        for (int i = 0; i < g.texts.size(); ++i) {
            html += QStringLiteral("<option value=\"%1\"%2>%3</option>\n")
                        .arg(QString::number(i), i == g.defaultIndex ? QStringLiteral(" selected") : QString(),
                             g.texts[i].toHtmlEscaped());
        }
        html += QStringLiteral("</select>\n<span class=\"pins\" id=\"%1-pins\">%2</span>\n</div>\n")
                    .arg(key, r.settings.positions[group][g.defaultIndex].toHtmlEscaped());
    }
    const int combination = combinationOf(defaultSelection(r.groups), radixOf(r.groups));
    html += QStringLiteral("<dl class=\"reading\" aria-live=\"polite\">\n");
    for (const PanelReading &reading : r.settings.readings) {
        html += QStringLiteral("<dt>%1</dt>\n<dd id=\"%2\">%3</dd>\n")
                    .arg(reading.caption.toHtmlEscaped(), reading.name, reading.texts[combination].toHtmlEscaped());
    }
    return html + QStringLiteral("</dl>");
}
