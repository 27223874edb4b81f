#include "canvas.h"

#include "platform/gdi/font_match.h"
#include "platform/gdi/text.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <ft2build.h>
#include FT_FREETYPE_H
#endif

#include <climits>
#include <cmath>
#include <string>
#include <string_view>

namespace gdi_test {
namespace {

#ifdef _WIN32
// Windows has the System font itself, a bitmap font with exactly these metrics.
constexpr std::string_view kStockFamily = "System";
#else
constexpr std::string_view kStockFamily = "Liberation Sans";
#endif

// Arial itself, or the face with its metrics that stands in for it (Linux, Wine).
bool IsArialLike(const std::string& family) {
    return family == "Arial" || family == "Liberation Sans";
}

const gdi::Typeface& Arial(CFont& font, int height) {
    font.CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    return gdi::TypefaceOf(font);
}

TEST(TextMetrics, TheStockFontIsABoldSansWithTheSystemFontsCell) {
    const gdi::Typeface& face = gdi::TypefaceOf(nullptr);
    EXPECT_EQ(face.Family(), kStockFamily);
    EXPECT_EQ(face.Metrics().height, 16);
    EXPECT_EQ(face.Metrics().ascent, 13);
    EXPECT_EQ(face.Metrics().descent, 3);
    EXPECT_EQ(face.Metrics().averageWidth, 7);
    // Bold: wider than the regular face at the same cell (the stock GUI font).
    const gdi::Typeface& regular =
        gdi::TypefaceOf(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(regular.Metrics().height, 16);
#ifndef _WIN32 // the System font of Windows comes in bold only
    EXPECT_GT(face.Extent("abcdefghijklmnopqrstuvwxyz"),
              regular.Extent("abcdefghijklmnopqrstuvwxyz"));
#endif
    // A fresh DC measures with it.
    Canvas c(4, 4);
    EXPECT_EQ(c.dc.GetTextExtent("").cy, 16);
}

TEST(TextMetrics, ArialAtHeight14IsTheMetricCompatibleFaceWithA14PixelCell) {
    CFont font;
    const gdi::Typeface& face = Arial(font, 14);
    EXPECT_TRUE(IsArialLike(face.Family())) << face.Family();
    EXPECT_EQ(face.Metrics().height, 14);
    EXPECT_EQ(face.Metrics().ascent, 11); // 1854 * 14 / 2288 = 11.34
    EXPECT_EQ(face.Metrics().descent, 3);
    // A negative height is the em instead: 1854 * 16 / 2048 = 14.48, 434 * 16 / 2048 = 3.39.
    CFont em;
    const gdi::Typeface& byEm = Arial(em, -16);
    EXPECT_EQ(byEm.Metrics().ascent, 14);
    EXPECT_EQ(byEm.Metrics().descent, 3);
    EXPECT_EQ(byEm.Metrics().height, 17);
}

#ifndef _WIN32
// The advance of every character is the font's own unscaled advance, times the cell over
// the font's win ascent + win descent, rounded half up: checked against the font file, for
// Arial at height 14 and for the stock font, whose one-bit glyphs keep the same advances.
void ExpectLinearAdvances(const gdi::Typeface& typeface, const char* family, int weight, int cell) {
    const std::vector<gdi::FontFile> files = gdi::FontCandidates(family, weight, false);
    ASSERT_FALSE(files.empty());
    FT_Library library;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face;
    ASSERT_EQ(FT_New_Face(library, files[0].path.c_str(), files[0].index, &face), 0);
    for (int c = 0; c < 256; ++c) {
        ASSERT_EQ(FT_Load_Char(face, c, FT_LOAD_NO_SCALE), 0);
        const double exact = face->glyph->advance.x * static_cast<double>(cell) / (1854 + 434);
        EXPECT_EQ(typeface.Advance(static_cast<unsigned char>(c)),
                  static_cast<int>(std::floor(exact + 0.5)))
            << family << ", character " << c;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

TEST(TextMetrics, AdvancesAreTheFontsLinearAdvancesScaledAndRounded) {
    CFont font;
    ExpectLinearAdvances(Arial(font, 14), "Arial", FW_NORMAL, 14);
    ExpectLinearAdvances(gdi::TypefaceOf(nullptr), "Liberation Sans", FW_BOLD, 16);
}
#endif

TEST(TextMetrics, ExtentsAreSumsOfAdvancesAndTheCellHeight) {
    Canvas c(4, 4);
    const gdi::Typeface& system = gdi::TypefaceOf(nullptr);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(c.dc.m_hDC, "R:255", 5, &size));
    EXPECT_EQ(size.cx, system.Advance('R') + system.Advance(':') + 2 * system.Advance('5') +
                           system.Advance('2'));
    EXPECT_EQ(size.cy, 16);
    // No kerning, and a tab is measured like any other character.
    EXPECT_EQ(c.dc.GetTextExtent("AV\t").cx,
              system.Advance('A') + system.Advance('V') + system.Advance('\t'));
    EXPECT_GT(system.Advance('\t'), 0);
    // Only the given length counts.
    ASSERT_TRUE(GetTextExtentPoint32A(c.dc.m_hDC, "R:255", 2, &size));
    EXPECT_EQ(size.cx, system.Advance('R') + system.Advance(':'));

    CFont font;
    const gdi::Typeface& arial = Arial(font, 14);
    c.dc.SelectObject(&font);
    EXPECT_EQ(c.dc.GetTextExtent("We all").cx, arial.Advance(' ') + arial.Advance('W') +
                                                   arial.Advance('e') + arial.Advance('a') +
                                                   2 * arial.Advance('l'));
    EXPECT_EQ(c.dc.GetTextExtent("We all").cy, 14);
    c.dc.SelectStockObject(SYSTEM_FONT);
}

TEST(TextMetrics, BadArgumentsAreRefusedWithoutTouchingTheResult) {
    Canvas c(4, 4);
    SIZE size{-1, -1};
    EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "x", 1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc.m_hDC, "x", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc.m_hDC, nullptr, 3, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(c.dc.m_hDC, "x", 1, nullptr));
    EXPECT_EQ(size, (SIZE{-1, -1}));
    ASSERT_TRUE(GetTextExtentPoint32A(c.dc.m_hDC, nullptr, 0, &size));
    EXPECT_EQ(size, (SIZE{0, 16}));
}

TEST(TextMetrics, EqualFontsShareOneTypefaceAndItsGlyphs) {
    CFont a, b, c, bold;
    a.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial");
    b.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "ARIAL");
    c.CreateFontA(15, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial");
    bold.CreateFontA(14, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial");
    EXPECT_EQ(&gdi::TypefaceOf(a), &gdi::TypefaceOf(b));
    EXPECT_NE(&gdi::TypefaceOf(a), &gdi::TypefaceOf(c));
    EXPECT_NE(&gdi::TypefaceOf(a), &gdi::TypefaceOf(bold));
}

// Also where the system's own fonts draw (Windows): a face it lacks draws with another one.
TEST(TextMetrics, UnknownFacesAndOddHeightsStillGiveAUsableFont) {
    CFont unknown;
    unknown.CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "No Such Face 7f3a");
    const gdi::Typeface& face = gdi::TypefaceOf(unknown);
    EXPECT_FALSE(face.Family().empty());
    EXPECT_EQ(face.Metrics().height, 20);
    Canvas c(60, 30);
    c.dc.SelectObject(&unknown);
    c.dc.SetTextColor(0xFFFFFF);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.TextOut(2, 2, "Hi");
    EXPECT_FALSE(c.Changed().empty());
    c.dc.SelectStockObject(SYSTEM_FONT);

    // Height 0 is the default cell; absurd heights are capped, never negative or overflowing.
    for (int height : {0, 1, -1, 100000, -100000, INT_MAX, INT_MIN}) {
        CFont font;
        font.CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        const gdi::TextMetrics& m = gdi::TypefaceOf(font).Metrics();
        EXPECT_GT(m.height, 0) << height;
        EXPECT_LE(m.height, 1300) << height;
        EXPECT_EQ(m.ascent + m.descent, m.height) << height;
        EXPECT_GE(m.descent, 0) << height;
    }
    CFont zero;
    zero.CreateFontA(0, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    EXPECT_EQ(gdi::TypefaceOf(zero).Metrics().height, 16);
}

TEST(TextMetrics, WithoutAnyFontTextMeasuresSanelyAndDrawsOnlyItsBackground) {
    CFont font;
    font.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    static_cast<HFONT>(font.m_hObject)->typeface =
        gdi::Typeface::WithoutFont(gdi::FontRequest{"Arial", 14, FW_NORMAL, false});
    Canvas c(40, 20, 0x808080);
    c.dc.SelectObject(&font);
    const CSize size = c.dc.GetTextExtent("abc");
    EXPECT_EQ(size.cy, 14);
    EXPECT_GT(size.cx, 0);
    c.dc.SetBkColor(0x000000);
    c.dc.SetTextColor(0xFFFFFF);
    c.dc.TextOut(1, 2, "abc");
    // The opaque cell and nothing else: no glyph pixels.
    PixelSet cell;
    for (int y = 2; y < 2 + size.cy; ++y) {
        for (int x = 1; x < 1 + size.cx; ++x) {
            cell.insert({x, y});
            EXPECT_EQ(c.At(x, y), 0x000000u);
        }
    }
    EXPECT_EQ(c.Changed(), cell);
    c.dc.SelectStockObject(SYSTEM_FONT);
}

} // namespace
} // namespace gdi_test
