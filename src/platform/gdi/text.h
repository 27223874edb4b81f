#pragma once
// Fonts at one pixel size. A Typeface holds a font's metrics in whole pixels, one advance
// width per 8-bit character, and a cache of 8-bit glyph coverage bitmaps filled the first
// time each character is drawn.
//
// Advances are the font's unhinted (linear) advances scaled to the requested size and
// rounded half up, character by character; a string's extent is the sum of its characters'
// advances, with no kerning. Measuring, word wrapping and drawing all use these numbers, so
// a line that measures w pixels also draws w pixels wide.
//
// Glyphs are either smoothed (grayscale anti-aliased, blended toward the text colour) or
// one-bit, as the platform draws its raster fonts: then every pixel of a glyph is the text
// colour or left alone. Characters are Latin-1: byte c is Unicode code point c.

#include "platform/gdi/objects.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace gdi {

struct TextMetrics {
    int height = 0; // the cell: ascent + descent
    int ascent = 0;
    int descent = 0;
    int averageWidth = 0;
};

// One character's coverage, placed relative to the pen position on the baseline.
struct Glyph {
    int left = 0; // first column, to the right of the pen
    int top = 0;  // first row, counted upwards from the baseline
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage; // width * height values, rows top-down
};

// A raster font's glyph lies inside its cell. Fitting stems to the grid can widen a one-bit
// glyph past its unhinted advance (a, f, 4, & of the bold face by one pixel); such a glyph moves
// left into its left bearing instead of into its neighbour. Every scalable glyph source applies
// this to its one-bit glyphs.
void KeepInCell(Glyph& glyph, int advance);

// How glyphs cover pixels.
enum class Smoothing {
    Grayscale, // anti-aliased edges: coverage 0..255
    None,      // one bit per pixel: coverage 0 or 255 only
};

// What a font object asks for.
struct FontRequest {
    std::string face;
    int height = 0; // > 0: cell height; < 0: em height; 0: the default size
    int weight = FW_NORMAL;
    bool italic = false;
    Smoothing smoothing = Smoothing::Grayscale;
};

// Produces glyph bitmaps for one face at one size, smoothed as the request that loaded it
// asked: a source for Smoothing::None gives coverage 0 or 255 only.
class GlyphSource {
  public:
    virtual ~GlyphSource() = default;
    virtual Glyph Render(unsigned char c) = 0;
};

class Typeface {
  public:
    Typeface(std::string family, const TextMetrics& metrics, const std::array<int, 256>& advances,
             std::unique_ptr<GlyphSource> source);
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    // The typeface for a request. Equal requests share one typeface and so one glyph cache.
    static std::shared_ptr<Typeface> For(const FontRequest& request);
    // What is used when no font file can be loaded at all: plausible metrics, no glyphs.
    static std::shared_ptr<Typeface> WithoutFont(const FontRequest& request);

    const TextMetrics& Metrics() const { return metrics_; }
    int Advance(unsigned char c) const { return advances_[c]; }
    // Sum of the advances, saturated at INT_MAX.
    int Extent(std::string_view text) const;
    // The family of the face in use; empty when there is none.
    const std::string& Family() const { return family_; }

    // Calls visit(glyph, penX) for each character, penX being the pen position relative to
    // the start of the text.
    template <class Visit> void ForEachGlyph(std::string_view text, Visit&& visit) const {
        Prepare(text);
        long long pen = 0;
        for (char ch : text) {
            const auto c = static_cast<unsigned char>(ch);
            visit(*glyphs_[c], pen);
            pen += advances_[c];
        }
    }

  private:
    // Makes sure every character of text has its glyph in the cache.
    void Prepare(std::string_view text) const;

    std::string family_;
    TextMetrics metrics_;
    std::array<int, 256> advances_{};
    mutable std::mutex mutex_;
    mutable std::unique_ptr<GlyphSource> source_;
    // Written once per character under mutex_, then only read.
    mutable std::array<std::unique_ptr<const Glyph>, 256> glyphs_;
};

// Loads the platform's font for a request: metrics, advances and a glyph source that renders
// as request.smoothing says; WithoutFont when none loads. Linux: the best font file through
// FreeType (see font_match.h); Windows: the system's own fonts.
std::shared_ptr<Typeface> LoadTypeface(const FontRequest& request);

// Where Typeface::For gets typefaces: LoadTypeface, unless a tool installs a loader of its own
// (the frame writer draws text as boxes to find where text is). Set it before any text is
// measured or drawn: typefaces already handed out stay as they are. Null restores LoadTypeface.
using TypefaceLoader = std::shared_ptr<Typeface> (*)(const FontRequest& request);
void SetTypefaceLoader(TypefaceLoader loader);

// What a font object asks for. The platform's raster faces ("System", the stock font's) and
// fonts created with NONANTIALIASED_QUALITY are drawn without smoothing.
FontRequest RequestOf(const FontObject& font);

// The typeface of a font object, the stock system font standing in for none. Resolved on
// first use and then kept by the font object.
const Typeface& TypefaceOf(HFONT font);

} // namespace gdi
