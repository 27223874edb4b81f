// Typefaces from the platform's own fonts (Windows): metrics and advances from the font's tables
// through the same scaling as on Linux, so text measures and wraps alike; glyphs rendered by the
// platform.

#include "platform/gdi/face_units.h"
#include "platform/gdi/text.h"
#include "platform/gdi/win32/system_fonts.h"

#include <algorithm>
#include <cstdlib>

namespace gdi {

namespace {

class SystemGlyphSource final : public GlyphSource {
  public:
    SystemGlyphSource(std::unique_ptr<systemfonts::Font> font, Smoothing smoothing)
        : font_(std::move(font)), smoothing_(smoothing) {}

    // The advances the glyphs are drawn on.
    void SetAdvances(const std::array<int, 256>& advances) { advances_ = advances; }

    Glyph Render(unsigned char c) override {
        systemfonts::Bitmap b = font_->Render(c); // Latin-1: byte c is code point c
        Glyph g{b.left, b.top, b.width, b.height, std::move(b.coverage)};
        if (smoothing_ == Smoothing::None) {
            KeepInCell(g, advances_[c]);
        }
        return g;
    }

  private:
    std::unique_ptr<systemfonts::Font> font_;
    Smoothing smoothing_;
    std::array<int, 256> advances_{};
};

// The name the platform knows a face by: no name is the default sans face, as on Linux.
std::string PlatformFace(const std::string& face) {
    return face.empty() ? std::string("Arial") : face;
}

} // namespace

std::shared_ptr<Typeface> LoadTypeface(const FontRequest& request) {
    // The size the glyphs are rendered at is the one the metrics are computed for.
    int height = request.height == 0 ? FontScale::kDefaultCell : request.height;
    height = std::clamp(height, -FontScale::kMaxPixels, FontScale::kMaxPixels);
    auto font = systemfonts::Font::Create(PlatformFace(request.face), height, request.weight,
                                          request.italic, request.smoothing != Smoothing::None);
    if (!font) {
        return Typeface::WithoutFont(request);
    }
    systemfonts::Description d = font->Describe();
    auto source = std::make_unique<SystemGlyphSource>(std::move(font), request.smoothing);
    if (d.scalable) {
        FaceUnits units;
        units.unitsPerEm = d.unitsPerEm;
        units.cellAscent = d.cellAscent;
        units.cellDescent = d.cellDescent;
        units.advances = d.advanceUnits;
        const ScaledFace scaled = ScaleFace(units, request.height);
        source->SetAdvances(scaled.advances);
        return std::make_shared<Typeface>(std::move(d.family), scaled.metrics, scaled.advances,
                                          std::move(source));
    }
    TextMetrics m;
    m.height = d.height;
    m.ascent = d.ascent;
    m.descent = d.descent;
    m.averageWidth = d.averageWidth;
    source->SetAdvances(d.advances);
    return std::make_shared<Typeface>(std::move(d.family), m, d.advances, std::move(source));
}

} // namespace gdi
