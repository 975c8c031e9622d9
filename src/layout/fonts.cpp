// Font names, sizes and their substitutes; each caption font is made and measured once.
#include "fonts.h"

#include "boarddata/catalogues.h"

#ifdef VELMOR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#else
#include <QFontDatabase>
#endif

#include <cstring>
#include <iterator>
#include <optional>
#include <system_error>
#include <vector>

namespace {

// Layout name, substitute family this program draws with. The layout assumes 96 dpi.
// clang-format off
constexpr struct { const char *layoutName; const char *substitute; } Substitutes[] = {
    {"Times New Roman",   "Liberation Serif"},
    {"Bookman Old Style", "URW Bookman"},
    {"Comic Sans MS",     "Comic Neue"},
    {"MS Serif",          "DejaVu Serif Condensed"},
};
// clang-format on

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

#ifdef VELMOR_HAVE_FONTCONFIG
/// Whether fontconfig lists a font of the family. A listing compares names only, where a match
/// would apply the alias rules and always find some font.
bool isInstalled(const char *family)
{
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family));
    FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    // The first listing loads fontconfig's configuration for the process, the toolkit's too.
    FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
    const bool installed = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return installed;
}
#else
bool isInstalled(const char *family)
{
    // The installed families compared by name: QFontDatabase::hasFamily() would have fontconfig
    // resolve each name as an alias first, which costs as much as loading a font.
    const QString wanted = QString::fromLatin1(family);
    for (QString installed : QFontDatabase::families()) {
        // A family several foundries make is listed as "Family [foundry]".
        if (const qsizetype bracket = installed.indexOf(QLatin1String(" [")); bracket >= 0)
            installed.truncate(bracket);
        if (installed.compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
#endif

struct MeasuredFont {
    QFont font;
    QFontMetrics metrics;
};

const MeasuredFont &measured(int which)
{
    // The board in use is chosen before any caption is drawn, and stays.
    static std::vector<std::optional<MeasuredFont>> cache(boardInUse().fonts.size());
    auto &slot = cache.at(static_cast<std::size_t>(which));
    if (!slot) {
        const FontRow &row = boardInUse().fonts[static_cast<std::size_t>(which)];
        QFont f = makeFont(row.family, row.pixelSize, QFont::Weight(row.weight));
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
        if (!isInstalled(s.substitute))
            missing << QString::fromLatin1(s.substitute);
    }
    return missing;
}

std::future<QStringList> startMissingFontCheck()
{
#ifdef VELMOR_HAVE_FONTCONFIG
    try {
        return std::async(std::launch::async, missingFontFamilies);
    } catch (const std::system_error &) {
        // No thread to be had: the check runs when its result is asked for.
    }
#endif
    return std::async(std::launch::deferred, missingFontFamilies);
}

void loadWindowFonts()
{
    // A font is loaded when it is first measured: each height asked for loads one.
    for (std::size_t i = 0; i < boardInUse().fonts.size(); ++i)
        (void)captionMetrics(int(i)).height();
    for (const ControlRow &row : controlCatalogue())
        (void)QFontMetrics(controlFont(row.fontPixels, row.bold)).height();
}

const QFont &captionFont(int font)
{
    return measured(font).font;
}

const QFontMetrics &captionMetrics(int font)
{
    return measured(font).metrics;
}

int captionLineHeight(int font)
{
    const int pitch = boardInUse().fonts[static_cast<std::size_t>(font)].lineHeight;
    return pitch > 0 ? pitch : captionMetrics(font).height();
}

QFont windowFont()
{
    return makeFont("Bookman Old Style", 11, QFont::DemiBold);
}

QFont controlFont(int pixelSize, bool bold)
{
    return makeFont("Times New Roman", pixelSize, bold ? QFont::Bold : QFont::Normal);
}
