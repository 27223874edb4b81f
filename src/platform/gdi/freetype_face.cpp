// Typefaces loaded through FreeType: metrics and advances from the font's tables, glyphs
// rendered on demand.

#include "platform/gdi/face_units.h"
#include "platform/gdi/font_match.h"
#include "platform/gdi/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

namespace gdi {

namespace {

// Smoothed glyphs: light hinting snaps horizontal edges (baseline, x-height, cap height) to
// the pixel grid and leaves the horizontal shapes and spacing as designed, so glyphs sit on
// their unhinted advances.
//
// One-bit glyphs: the hinting meant for monochrome output fits vertical stems to whole pixels
// as well, so strokes keep one width from letter to letter and counters stay open, as in a
// raster font. (The font's own instructions close the counters of 8 and 0 at 16 pixels.)
//
// Both use the autohinter, which treats every font alike, at fractional pixel sizes too, and
// does not depend on instructions inside the font. Embedded bitmaps are skipped so that every
// size is drawn the same way.
FT_Int32 LoadFlags(Smoothing smoothing) {
    constexpr FT_Int32 kCommon = FT_LOAD_FORCE_AUTOHINT | FT_LOAD_NO_BITMAP | FT_LOAD_RENDER;
    return kCommon | (smoothing == Smoothing::None ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
}

// A FreeType library with one face; both live as long as the typeface that renders from them.
class FreeTypeSource final : public GlyphSource {
  public:
    explicit FreeTypeSource(Smoothing smoothing)
        : smoothing_(smoothing), loadFlags_(LoadFlags(smoothing)) {}

    ~FreeTypeSource() override {
        if (face_) {
            FT_Done_Face(face_);
        }
        if (library_) {
            FT_Done_FreeType(library_);
        }
    }

    bool Open(const FontFile& file) {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            return false;
        }
        // Stem darkening would make the coverage depend on the FreeType build's defaults.
        FT_Bool noDarkening = 1;
        FT_Property_Set(library_, "autofitter", "no-stem-darkening", &noDarkening);
        if (FT_New_Face(library_, file.path.c_str(), file.index, &face_) != 0) {
            face_ = nullptr;
            return false;
        }
        if (!FT_IS_SCALABLE(face_) || face_->units_per_EM == 0) {
            return false;
        }
        FT_Select_Charmap(face_, FT_ENCODING_UNICODE);
        return true;
    }

    FT_Face Face() const { return face_; }
    // The advances the glyphs are drawn on.
    void SetAdvances(const std::array<int, 256>& advances) { advances_ = advances; }

    Glyph Render(unsigned char c) override {
        Glyph g;
        if (FT_Load_Glyph(face_, FT_Get_Char_Index(face_, c), loadFlags_) != 0) {
            return g;
        }
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const bool gray = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.num_grays == 256;
        if (!gray && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
            return g;
        }
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = static_cast<int>(bitmap.width);
        g.height = static_cast<int>(bitmap.rows);
        g.coverage.resize(static_cast<std::size_t>(g.width) * g.height);
        for (int row = 0; row < g.height; ++row) {
            const unsigned char* in =
                bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
            std::uint8_t* out = g.coverage.data() + static_cast<std::size_t>(row) * g.width;
            if (gray) {
                std::memcpy(out, in, g.width);
                continue;
            }
            // One bit per pixel, the leftmost in the high bit of each byte.
            for (int x = 0; x < g.width; ++x) {
                out[x] = (in[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            }
        }
        if (smoothing_ == Smoothing::None) {
            KeepInCell(g, advances_[c]);
        }
        return g;
    }

  private:
    Smoothing smoothing_;
    FT_Int32 loadFlags_;
    std::array<int, 256> advances_{};
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// The vertical extent the platform scales a cell height to: the OS/2 table's win ascent
// and win descent, else the horizontal header's ascender and descender.
std::pair<int, int> CellUnits(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        return {os2->usWinAscent, os2->usWinDescent};
    }
    if (face->ascender - face->descender > 0) {
        return {face->ascender, -face->descender};
    }
    return {face->units_per_EM * 4 / 5, face->units_per_EM / 5};
}

// Unhinted advance in font units.
long long AdvanceUnits(FT_Face face, FT_ULong codePoint) {
    FT_Fixed advance = 0;
    if (FT_Get_Advance(face, FT_Get_Char_Index(face, codePoint), FT_LOAD_NO_SCALE, &advance) != 0) {
        return 0;
    }
    return advance;
}

std::shared_ptr<Typeface> Load(const FontFile& file, const FontRequest& request) {
    auto source = std::make_unique<FreeTypeSource>(request.smoothing);
    if (!source->Open(file)) {
        return nullptr;
    }
    const FT_Face face = source->Face();
    FaceUnits units;
    units.unitsPerEm = face->units_per_EM;
    std::tie(units.cellAscent, units.cellDescent) = CellUnits(face);
    for (std::size_t c = 0; c < units.advances.size(); ++c) {
        units.advances[c] = AdvanceUnits(face, c);
    }
    const ScaledFace scaled = ScaleFace(units, request.height);
    source->SetAdvances(scaled.advances);
    const FT_F26Dot6 em = static_cast<FT_F26Dot6>(scaled.scale.Em26Dot6(face->units_per_EM));
    if (em <= 0 || FT_Set_Char_Size(face, 0, em, 72, 72) != 0) {
        return nullptr;
    }
    std::string family = face->family_name ? face->family_name : "";
    return std::make_shared<Typeface>(std::move(family), scaled.metrics, scaled.advances,
                                      std::move(source));
}

} // namespace

std::shared_ptr<Typeface> LoadTypeface(const FontRequest& request) {
    for (const FontFile& file : FontCandidates(request.face, request.weight, request.italic)) {
        if (auto typeface = Load(file, request)) {
            return typeface;
        }
    }
    return Typeface::WithoutFont(request);
}

} // namespace gdi
