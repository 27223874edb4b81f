#include "platform/gdi/font_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <memory>

namespace gdi {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};

// Names the platform knows that fontconfig does not. The stock system font is a bold sans
// with a 16-pixel cell; Liberation Sans Bold has its metrics.
std::string_view Alias(std::string_view face) {
    struct Entry {
        std::string_view from;
        std::string_view to;
    };
    static constexpr std::array<Entry, 2> kAliases = {
        {{"system", "Liberation Sans"}, {"", "Arial"}}};
    for (const Entry& e : kAliases) {
        if (std::equal(face.begin(), face.end(), e.from.begin(), e.from.end(),
                       [](unsigned char a, unsigned char b) {
                           return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
                       })) {
            return e.to;
        }
    }
    return face;
}

// A configuration of our own rather than the process-wide one a toolkit may share, so that
// it can be released at exit instead of being left for leak checkers to report.
FcConfig* Config() {
    struct Holder {
        FcConfig* config = FcInitLoadConfigAndFonts();
        ~Holder() {
            if (config) {
                FcConfigDestroy(config);
            }
        }
    };
    static Holder holder;
    return holder.config;
}

Pattern Request(FcConfig* config, std::string_view family, int weight, bool italic) {
    Pattern p(FcPatternCreate());
    if (!p) {
        return p;
    }
    const std::string name(family);
    FcPatternAddString(p.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcPatternAddInteger(p.get(), FC_WEIGHT, FcWeightFromOpenType(std::clamp(weight, 1, 1000)));
    FcPatternAddInteger(p.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(p.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, p.get(), FcMatchPattern);
    FcDefaultSubstitute(p.get());
    return p;
}

void Add(std::vector<FontFile>& out, FcPattern* font) {
    FcChar8* file = nullptr;
    if (!font || FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || !file) {
        return;
    }
    int index = 0;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    FontFile f{reinterpret_cast<const char*>(file), index};
    const bool seen = std::any_of(out.begin(), out.end(), [&](const FontFile& o) {
        return o.path == f.path && o.index == f.index;
    });
    if (!seen) {
        out.push_back(std::move(f));
    }
}

} // namespace

std::vector<FontFile> FontCandidates(std::string_view faceName, int weight, bool italic) {
    std::vector<FontFile> out;
    FcConfig* config = Config();
    if (!config) {
        return out;
    }
    for (std::string_view family : {Alias(faceName), std::string_view("sans-serif")}) {
        Pattern p = Request(config, family, weight, italic);
        FcResult result = FcResultNoMatch;
        Pattern match(p ? FcFontMatch(config, p.get(), &result) : nullptr);
        Add(out, match.get());
    }
    // Should those files not load, any scalable face is better than none.
    Pattern p = Request(config, "sans-serif", weight, italic);
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcFontSet, FontSetDeleter> sorted(
        p ? FcFontSort(config, p.get(), FcTrue, nullptr, &result) : nullptr);
    constexpr std::size_t kMaxCandidates = 8;
    for (int i = 0; sorted && i < sorted->nfont && out.size() < kMaxCandidates; ++i) {
        Add(out, sorted->fonts[i]);
    }
    return out;
}

} // namespace gdi
