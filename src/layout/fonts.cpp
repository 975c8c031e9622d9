// Font names, sizes and their substitutes; each caption font is made and measured once.
#include "fonts.h"

#include <QFontDatabase>

#include <array>
#include <iterator>
#include <optional>

namespace {

// Layout name, substitute family this program draws with. The layout assumes 96 dpi.
// clang-format off
constexpr struct { const char *layoutName; const char *substitute; } Substitutes[] = {
    {"Times New Roman",   "Liberation Serif"},
    {"Bookman Old Style", "URW Bookman"},
    {"Comic Sans MS",     "Comic Neue"},
    {"MS Serif",          "DejaVu Serif Condensed"},
};

// Caption font: family, pixel size, weight, line height in pixels (the stored boxes' pitch).
constexpr struct { const char *family; int pixelSize; QFont::Weight weight; int lineHeight; } CaptionFonts[] = {
    {"MS Serif",           8, QFont::Normal,   10},  // 6 pt
    {"MS Serif",           9, QFont::Normal,   11},  // 6.75 pt
    {"Bookman Old Style", 11, QFont::DemiBold, 14},  // 8.25 pt
    {"Times New Roman",   11, QFont::Bold,     13},  // 8.25 pt
    {"Comic Sans MS",     11, QFont::Normal,   15},  // 8.25 pt
};
// clang-format on

static_assert(std::size(CaptionFonts) == static_cast<std::size_t>(TextFont::Comic825) + 1);

QFont makeFont(const char *family, int pixelSize, QFont::Weight weight)
{
    QFont f{QString::fromLatin1(family)};
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

struct MeasuredFont {
    QFont font;
    QFontMetrics metrics;
};

const MeasuredFont &measured(TextFont which)
{
    static std::array<std::optional<MeasuredFont>, std::size(CaptionFonts)> cache;
    auto &slot = cache[static_cast<std::size_t>(which)];
    if (!slot) {
        const auto &entry = CaptionFonts[static_cast<std::size_t>(which)];
        QFont f = makeFont(entry.family, entry.pixelSize, entry.weight);
        slot.emplace(MeasuredFont{f, QFontMetrics(f)});
    }
    return *slot;
}

} // namespace

void installFontSubstitutes()
{
    for (const auto &s : Substitutes)
        QFont::insertSubstitution(QString::fromLatin1(s.layoutName), QString::fromLatin1(s.substitute));
}

QStringList missingFontFamilies()
{
    QStringList missing;
    for (const auto &s : Substitutes) {
        const QString family = QString::fromLatin1(s.substitute);
        if (!QFontDatabase::hasFamily(family))
            missing << family;
    }
    return missing;
}

const QFont &captionFont(TextFont font)
{
    return measured(font).font;
}

const QFontMetrics &captionMetrics(TextFont font)
{
    return measured(font).metrics;
}

int captionLineHeight(TextFont font)
{
    return CaptionFonts[static_cast<std::size_t>(font)].lineHeight;
}

QFont windowFont()
{
    return makeFont("Bookman Old Style", 11, QFont::DemiBold);
}

QFont controlFont(int pixelSize, bool bold)
{
    return makeFont("Times New Roman", pixelSize, bold ? QFont::Bold : QFont::Normal);
}
