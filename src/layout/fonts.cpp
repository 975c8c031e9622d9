// Font names, sizes and their substitutes; each caption font is made and measured once.
#include "fonts.h"

#include <QFontDatabase>

#include <array>
#include <cstring>
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

/// The family this program draws a layout font name in.
const char *substituteOf(const char *layoutName)
{
    for (const auto &s : Substitutes) {
        if (std::strcmp(s.layoutName, layoutName) == 0)
            return s.substitute;
    }
    return layoutName;
}

QFont makeFont(const char *layoutName, int pixelSize, QFont::Weight weight)
{
    // Asked for by the substitute's own name: asked for by the layout name, which no font here
    // carries, the toolkit first has fontconfig sort out fallbacks for that name, for every font.
    // Without font merging no fallback fonts are looked up for glyphs a font lacks: the texts
    // are Latin-1, which every substitute covers.
    QFont f{QString::fromLatin1(substituteOf(layoutName))};
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
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
    // The installed families compared by name: QFontDatabase::hasFamily() would have fontconfig
    // resolve each name as an alias first, which costs as much as loading a font.
    QStringList installed = QFontDatabase::families();
    for (QString &family : installed) {
        // A family several foundries make is listed as "Family [foundry]".
        if (const qsizetype bracket = family.indexOf(QLatin1String(" [")); bracket >= 0)
            family.truncate(bracket);
    }
    QStringList missing;
    for (const auto &s : Substitutes) {
        const QString family = QString::fromLatin1(s.substitute);
        if (!installed.contains(family, Qt::CaseInsensitive))
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
