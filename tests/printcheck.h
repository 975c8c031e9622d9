// Reading a printed page back: a PDF page rendered to pixels, where the window's image lies, and
// how thick its lines and how sharp its letters come out.
#pragma once

#include "pinsampling.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

/// The first page of the PDF rendered at dpi, or a null image (with the reason in error).
inline QImage renderPdfPage(const QString &pdf, int dpi, QString *error)
{
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
             dir.filePath(QStringLiteral("page"))});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *error = QStringLiteral("pdftoppm failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
        return {};
    }
    return QImage(dir.filePath(QStringLiteral("page.png")));
}

/// The bounding box of every pixel that is not paper white.
inline QRect inkBox(const QImage &page)
{
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(page.convertToFormat(QImage::Format_RGB32).constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

/// The dots a client-area pixel takes on a page where the window's image fills the ink box.
inline double dotsPerPixel(const QRect &ink)
{
    return ink.width() / 513.0;
}

/// How thick a horizontal line is where it crosses column x of the page near row y: the longest
/// run of dark dots (every channel below 96) within span dots of y.
inline int darkThickness(const QImage &page, int x, int y, int span)
{
    int longest = 0, run = 0;
    for (int at = y - span; at <= y + span; ++at) {
        const QRgb c = page.pixel(x, at);
        run = qRed(c) < 96 && qGreen(c) < 96 && qBlue(c) < 96 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

/// What the edges of red letters on a plain field look like in a box of dots.
struct LetterEdges {
    int edges = 0;        ///< along the rows, between a letter and the field
    int insidePixels = 0; ///< of those, more than a dot away from the border between two client-area pixels
    int soft = 0;         ///< dots of neither color
    int blurred = 0;      ///< of those, more than two dots away from the letter or from the field
};

/// Finds the letter edges in box: a window's image magnified onto the page has its edges on the
/// borders between client-area pixels only; letters drawn at the printer's dots have them
/// anywhere. Letters are red (0xFF0000 as RGB), the field pale (field, as RGB); a dot of neither
/// color lies on a soft edge, which is at most two dots wide while both colors lie within two
/// dots of each of its dots.
inline LetterEdges letterEdges(const QImage &page, const QRect &box, const QRect &ink, QRgb field)
{
    const auto near = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) <= 40 && qAbs(qGreen(a) - qGreen(b)) <= 40 && qAbs(qBlue(a) - qBlue(b)) <= 40;
    };
    enum Dot { Letter, Field, Neither };
    const auto dot = [&](int x, int y) {
        const QRgb c = page.pixel(x, y);
        return near(c, qRgb(0xFF, 0, 0)) ? Letter : near(c, field) ? Field : Neither;
    };
    const auto within2 = [&](int x, int y, Dot wanted) {
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                if (page.rect().contains(x + dx, y + dy) && dot(x + dx, y + dy) == wanted)
                    return true;
            }
        }
        return false;
    };
    const double scale = dotsPerPixel(ink);
    LetterEdges result;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        int last = -1; // the last dot of either color
        Dot lastDot = Neither;
        for (int x = box.left(); x <= box.right(); ++x) {
            const Dot d = dot(x, y);
            if (d == Neither) {
                ++result.soft;
                result.blurred += !within2(x, y, Letter) || !within2(x, y, Field);
                continue;
            }
            if (last >= 0 && d != lastDot) {
                ++result.edges;
                const double pixels = ((last + x + 1) / 2.0 - ink.left()) / scale; // the edge, in client pixels
                result.insidePixels += qAbs(pixels - std::round(pixels)) * scale > 1.0;
            }
            last = x;
            lastDot = d;
        }
    }
    return result;
}
