// fontconfig look-ups: "IPAPGothic" first, then any font that covers Japanese.
#include "platform/font_files.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace kx {
namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// The file fontconfig picks for `query`; `accept` decides whether the match will do (fontconfig
// always answers something, often a font that does not fit).
template <typename Accept>
std::string match(const char* query, Accept accept) {
    Pattern pattern(FcNameParse(reinterpret_cast<const FcChar8*>(query)));
    if (!pattern) return {};
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern found(FcFontMatch(nullptr, pattern.get(), &result));
    if (!found || result != FcResultMatch) return {};
    FcChar8* file = nullptr;
    if (FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch || !file) return {};
    if (!accept(found.get())) return {};
    return reinterpret_cast<const char*>(file);
}

bool family_is(FcPattern* p, const char* family) {
    FcChar8* name = nullptr;
    for (int n = 0; FcPatternGetString(p, FC_FAMILY, n, &name) == FcResultMatch; ++n)
        if (std::string(reinterpret_cast<const char*>(name)) == family) return true;
    return false;
}

bool covers_japanese(FcPattern* p) {
    FcLangSet* langs = nullptr;
    return FcPatternGetLangSet(p, FC_LANG, 0, &langs) == FcResultMatch &&
           FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ja")) == FcLangEqual;
}

// Any font that covers Japanese will do; the package names are those of the usual distributions.
constexpr const char* kNoJapaneseFont =
    "no Japanese font found; install one: fonts-ipafont-gothic (Debian, Ubuntu), google-noto-sans-cjk-fonts "
    "(Fedora), noto-fonts-cjk (Arch), noto-sans-cjk-fonts (openSUSE)";

}  // namespace

FontFiles find_font_files() {
    if (!FcInit()) throw FontNotFound("cannot start fontconfig; install the package fontconfig");
    FontFiles files;
    files.gothic = match("IPAPGothic", [](FcPattern* p) { return family_is(p, "IPAPGothic"); });
    if (files.gothic.empty()) files.gothic = match("sans-serif:lang=ja", covers_japanese);
    if (files.gothic.empty()) throw FontNotFound(kNoJapaneseFont);
    files.interface = match("sans-serif", [](FcPattern*) { return true; });
    if (files.interface.empty()) files.interface = files.gothic;
    return files;
}

}  // namespace kx
