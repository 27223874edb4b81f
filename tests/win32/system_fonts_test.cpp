// The glyph source on Windows: the system's own fonts behind the software GDI's typefaces.

#include "platform/gdi/text.h"
#include "win32/native_driver.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const gdi::Typeface& Arial(CFont& font, int height) {
    font.CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    return gdi::TypefaceOf(font);
}

// Text is laid out with the face's unhinted advances scaled to the cell, as on Linux, so a
// text wraps at the same places on both systems: checked against what GDI itself measures at
// one pixel per font unit.
TEST(SystemFonts, ArialAdvancesAreTheUnhintedOnesScaledToTheCell) {
    const win32test::UnitMetrics units = win32test::MeasureInFontUnits("Arial");
    ASSERT_GT(units.unitsPerEm, 0) << "no scalable face for Arial";
    CFont font;
    const gdi::Typeface& arial = Arial(font, 14);
    EXPECT_EQ(arial.Metrics().height, 14);
    for (int c = 32; c < 256; ++c) {
        const double exact = units.advances[static_cast<std::size_t>(c)] * 14.0 / units.cellUnits;
        EXPECT_EQ(arial.Advance(static_cast<unsigned char>(c)),
                  static_cast<int>(std::floor(exact + 0.5)))
            << "character " << c;
    }
}

TEST(SystemFonts, ArialGlyphsAreThePlatformsAntiAliasedOnes) {
    CFont font;
    const gdi::Typeface& arial = Arial(font, 14);
    int partial = 0, ink = 0;
    arial.ForEachGlyph("W", [&](const gdi::Glyph& g, long long) {
        ASSERT_EQ(g.coverage.size(), static_cast<std::size_t>(g.width) * g.height);
        EXPECT_LE(g.top, arial.Metrics().ascent);
        EXPECT_GE(g.top - g.height, -arial.Metrics().descent - 1);
        EXPECT_LE(g.left + g.width, arial.Advance('W') + 1);
        for (std::uint8_t v : g.coverage) {
            ink += v != 0;
            partial += v != 0 && v != 255;
        }
    });
    EXPECT_GT(ink, 20);
    EXPECT_GT(partial, 0) << "no grey pixels: not anti-aliased";
}

// The stock font is the platform's System font: a bitmap font with a 16-pixel cell, ascent
// 13 and average width 7, whose glyphs are its own pixels, fully on or off.
TEST(SystemFonts, TheStockFontIsTheSystemBitmapFont) {
    const gdi::Typeface& system = gdi::TypefaceOf(nullptr);
    EXPECT_EQ(system.Family(), "System");
    EXPECT_EQ(system.Metrics().height, 16);
    EXPECT_EQ(system.Metrics().ascent, 13);
    EXPECT_EQ(system.Metrics().averageWidth, 7);
    int ink = 0;
    system.ForEachGlyph("R:255", [&](const gdi::Glyph& g, long long) {
        for (std::uint8_t v : g.coverage) {
            EXPECT_TRUE(v == 0 || v == 255) << int{v};
            ink += v == 255;
        }
    });
    EXPECT_GT(ink, 30);
}

} // namespace
