// Text the user gave, escaped and shortened for a message.
#include "showntext.h"

#include <QStringDecoder>
#include <QStringList>

namespace {

QString hexEscape(char32_t code)
{
    const QString digits = QString::number(uint(code), 16).toUpper();
    return code < 0x100 ? QStringLiteral("\\x") + digits.rightJustified(2, u'0')
                        : QStringLiteral("\\u{") + digits.rightJustified(4, u'0') + u'}';
}

/// One character as it shows: itself, or its escape.
QString shown(char32_t code)
{
    switch (code) {
    case 0x1B:
        return QStringLiteral("\\e");
    case u'\n':
        return QStringLiteral("\\n");
    case u'\t':
        return QStringLiteral("\\t");
    case u'\r':
        return QStringLiteral("\\r");
    default:
        break;
    }
    // Not printable: control characters (C0, DEL, C1), format characters such as the direction
    // overrides, unassigned and private-use code points, lone surrogates; and the line and
    // paragraph separators, which would break the message's one line.
    const QChar::Category category = QChar::category(code);
    if (!QChar::isPrint(code) || category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
        return hexEscape(code);
    return QString::fromUcs4(&code, 1);
}

/// The pieces, each one character as it shows, joined with the middle left out when too long.
QString joined(const QStringList &pieces)
{
    qsizetype length = 0;
    for (const QString &piece : pieces)
        length += piece.size();
    if (length <= ShownTextLength)
        return pieces.join(QString());
    // The first and the last pieces that fit beside "...", never cutting an escape in two.
    const qsizetype room = ShownTextLength - 3;
    QString head, tail;
    qsizetype first = 0;
    while (first < pieces.size() && head.size() + pieces[first].size() <= room / 2)
        head += pieces[first++];
    for (qsizetype last = pieces.size() - 1; last >= first && head.size() + tail.size() + pieces[last].size() <= room;
         --last)
        tail.prepend(pieces[last]);
    return head + QStringLiteral("...") + tail;
}

} // namespace

QString shownText(const QString &text)
{
    QStringList pieces;
    for (const char32_t code : text.toUcs4())
        pieces << shown(code);
    return joined(pieces);
}

QString shownText(const QByteArray &bytes)
{
    QStringList pieces;
    qsizetype at = 0;
    while (at < bytes.size()) {
        // The longest valid character starting here (UTF-8 takes up to four bytes), else one byte.
        qsizetype length = 0;
        for (qsizetype n = 1; n <= 4 && at + n <= bytes.size() && length == 0; ++n) {
            QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = decoder.decode(bytes.mid(at, n));
            if (!decoder.hasError() && !decoded.isEmpty())
                length = n;
        }
        if (length == 0) {
            pieces << hexEscape(uchar(bytes[at]));
            ++at;
            continue;
        }
        const QList<uint> codes = QString::fromUtf8(bytes.mid(at, length)).toUcs4();
        pieces << shown(codes.constFirst());
        at += length;
    }
    return joined(pieces);
}
