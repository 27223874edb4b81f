#include "platform/gdi/text.h"

#include "platform/gdi/font_scale.h"

#include <algorithm>
#include <climits>
#include <map>
#include <tuple>

namespace gdi {

void KeepInCell(Glyph& glyph, int advance) {
    const int overflow = glyph.left + glyph.width - advance;
    if (overflow > 0 && glyph.left > 0) {
        glyph.left -= std::min(overflow, glyph.left);
    }
}

Typeface::Typeface(std::string family, const TextMetrics& metrics,
                   const std::array<int, 256>& advances, std::unique_ptr<GlyphSource> source)
    : family_(std::move(family)), metrics_(metrics), advances_(advances),
      source_(std::move(source)) {}

namespace {

// Face names compare without regard to ASCII case, as the platform's do.
std::string Folded(std::string_view name) {
    std::string out(name);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return out;
}

using Key = std::tuple<std::string, int, int, bool, Smoothing>;

// The typefaces loaded so far and the loader they came from.
struct Loaded {
    std::mutex mutex;
    TypefaceLoader loader = nullptr;
    std::map<Key, std::shared_ptr<Typeface>> typefaces;
};

Loaded& LoadedTypefaces() {
    static Loaded loaded;
    return loaded;
}

} // namespace

void SetTypefaceLoader(TypefaceLoader loader) {
    Loaded& loaded = LoadedTypefaces();
    std::lock_guard lock(loaded.mutex);
    loaded.loader = loader;
    loaded.typefaces.clear();
}

std::shared_ptr<Typeface> Typeface::For(const FontRequest& request) {
    Loaded& loaded = LoadedTypefaces();
    const Key key{Folded(request.face), request.height, request.weight, request.italic,
                  request.smoothing};
    std::lock_guard lock(loaded.mutex);
    auto it = loaded.typefaces.find(key);
    if (it == loaded.typefaces.end()) {
        const TypefaceLoader load = loaded.loader ? loaded.loader : LoadTypeface;
        it = loaded.typefaces.emplace(key, load(request)).first;
    }
    return it->second;
}

std::shared_ptr<Typeface> Typeface::WithoutFont(const FontRequest& request) {
    // The proportions of the fonts the program asks for: ascent 1854 and descent 434 in a
    // 2048-unit em, an average width of 7/16 of the cell.
    const FontScale scale = FontScale::ForHeight(request.height, 1854 + 434, 2048);
    TextMetrics m;
    std::tie(m.ascent, m.descent) = scale.AscentDescent(1854, 434);
    m.height = m.ascent + m.descent;
    m.averageWidth = std::max(1, FontScale::RoundedRatio(7LL * m.height, 16));
    std::array<int, 256> advances;
    advances.fill(m.averageWidth);
    return std::make_shared<Typeface>(std::string(), m, advances, nullptr);
}

int Typeface::Extent(std::string_view text) const {
    long long sum = 0;
    for (char ch : text) {
        sum += advances_[static_cast<unsigned char>(ch)];
        if (sum >= INT_MAX) {
            return INT_MAX;
        }
    }
    return static_cast<int>(sum);
}

void Typeface::Prepare(std::string_view text) const {
    std::lock_guard lock(mutex_);
    for (char ch : text) {
        auto& slot = glyphs_[static_cast<unsigned char>(ch)];
        if (!slot) {
            slot = std::make_unique<const Glyph>(
                source_ ? source_->Render(static_cast<unsigned char>(ch)) : Glyph{});
        }
    }
}

FontRequest RequestOf(const FontObject& font) {
    // Of the platform's bitmap faces only the system font is asked for; its stand-in is an
    // outline face, drawn one-bit so that it lights the pixels a raster font would.
    const bool raster = Folded(font.faceName) == "system";
    const bool smooth = !raster && font.quality != NONANTIALIASED_QUALITY;
    return FontRequest{font.faceName, font.height, font.weight, font.italic,
                       smooth ? Smoothing::Grayscale : Smoothing::None};
}

const Typeface& TypefaceOf(HFONT font) {
    if (!font) {
        font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    }
    if (!font->typeface) {
        font->typeface = Typeface::For(RequestOf(*font));
    }
    return *font->typeface;
}

} // namespace gdi
