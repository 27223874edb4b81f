#include "canvas.h"

#include "platform/gdi/text.h"

#include <gtest/gtest.h>

namespace gdi_test {
namespace {

constexpr COLORREF kBlueRef = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr COLORREF kGroundRef = 0x102040; // pixel 0x402010

using testing_support::Between;

TEST(TextOut, TransparentTextChangesOnlyGlyphPixelsInItsCell) {
    Canvas c(60, 30, kGroundRef);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetTextColor(0xFFFFFF);
    ASSERT_TRUE(c.dc.TextOut(5, 4, "Hg"));
    const int cx = c.dc.GetTextExtent("Hg").cx;
    const PixelSet changed = c.Changed();
    ASSERT_FALSE(changed.empty());
    bool solid = false;
    for (auto [x, y] : changed) {
        EXPECT_TRUE(x >= 5 && x < 5 + cx && y >= 4 && y < 4 + 16) << x << "," << y;
        EXPECT_TRUE(Between(c.At(x, y), c.background, kWhite)) << x << "," << y;
        solid = solid || c.At(x, y) == kWhite;
    }
    EXPECT_TRUE(solid);
    // The reference point is the cell's top-left: H stands on the baseline at y + ascent,
    // so its last row is 4 + 13 - 1; the g descends below it.
    const int hRight = 5 + gdi::TypefaceOf(nullptr).Advance('H');
    int hBottom = -1, gBottom = -1;
    for (auto [x, y] : changed) {
        (x < hRight ? hBottom : gBottom) = std::max(x < hRight ? hBottom : gBottom, y);
    }
    EXPECT_EQ(hBottom, 16);
    EXPECT_GT(gBottom, 16);
}

// The stock font stands in for the platform's raster system font: its pixels are the text
// colour or untouched, and each glyph stays inside its own advance, as a raster glyph stays
// in its cell. Outline fonts such as Arial stay smoothed unless asked otherwise.
TEST(TextOut, TheStockFontIsOneBitAndArialSmoothed) {
    const gdi::Typeface& stock = gdi::TypefaceOf(nullptr);
    for (int c = 33; c < 127; ++c) {
        Canvas canvas(40, 24, kGroundRef);
        canvas.dc.SetBkMode(TRANSPARENT);
        canvas.dc.SetTextColor(0xFFFFFF);
        const char ch = static_cast<char>(c);
        canvas.dc.TextOut(10, 4, std::string_view(&ch, 1));
        const PixelSet changed = canvas.Changed();
        EXPECT_FALSE(changed.empty()) << ch;
        for (auto [x, y] : changed) {
            ASSERT_EQ(canvas.At(x, y), kWhite) << ch << " at " << x << "," << y;
            ASSERT_TRUE(x >= 10 && x < 10 + stock.Advance(static_cast<unsigned char>(c)))
                << ch << " at " << x << "," << y;
        }
    }
    // Counts the pixels of "Hg" in white on the ground that are neither.
    auto blended = [](CFont* font) {
        Canvas canvas(60, 30, kGroundRef);
        if (font) {
            canvas.dc.SelectObject(font);
        }
        canvas.dc.SetBkMode(TRANSPARENT);
        canvas.dc.SetTextColor(0xFFFFFF);
        canvas.dc.TextOut(5, 4, "Hg");
        int n = 0;
        for (auto [x, y] : canvas.Changed()) {
            n += canvas.At(x, y) != kWhite;
        }
        canvas.dc.SelectStockObject(SYSTEM_FONT);
        return n;
    };
    EXPECT_EQ(blended(nullptr), 0);
    CFont arial, plain, system;
    arial.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    EXPECT_GT(blended(&arial), 0);
    plain.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY,
                      FF_SWISS, "Arial");
    EXPECT_EQ(blended(&plain), 0);
    // The face, not the stock object, makes the raster font.
    system.CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "SYSTEM");
    EXPECT_EQ(blended(&system), 0);
}

TEST(TextOut, OpaqueTextFillsItsCellWithTheBackgroundColourFirst) {
    Canvas c(60, 30, kGroundRef);
    c.dc.SetBkColor(kBlueRef);
    c.dc.SetTextColor(0xFFFFFF);
    ASSERT_EQ(c.dc.GetBkMode(), OPAQUE); // a fresh DC's mode
    c.dc.TextOut(5, 4, "Hg");
    const CSize size = c.dc.GetTextExtent("Hg");
    PixelSet cell;
    bool solid = false;
    for (int y = 4; y < 4 + size.cy; ++y) {
        for (int x = 5; x < 5 + size.cx; ++x) {
            cell.insert({x, y});
            EXPECT_TRUE(Between(c.At(x, y), kBlue, kWhite)) << x << "," << y;
            solid = solid || c.At(x, y) == kWhite;
        }
    }
    EXPECT_EQ(c.Changed(), cell);
    EXPECT_TRUE(solid);
    // Above the capitals the cell is plain background colour.
    EXPECT_EQ(c.RowRuns(4), "5-" + std::to_string(5 + size.cx - 1));
    EXPECT_EQ(c.At(5, 4), kBlue);
}

// "Hg" in white on blue cells.
void DrawHg(CDC& dc, int x, int y) {
    dc.SetBkColor(kBlueRef);
    dc.SetTextColor(0xFFFFFF);
    dc.TextOut(x, y, "Hg");
}

TEST(TextOut, LogicalCoordinatesGoThroughTheWindowOrigin) {
    Canvas ref(60, 30, kGroundRef);
    DrawHg(ref.dc, 10, 5);
    Canvas c(60, 30, kGroundRef);
    c.dc.SetWindowOrg(-7, 3);
    DrawHg(c.dc, 3, 8);
    EXPECT_EQ(c.Surface().Pixels(), ref.Surface().Pixels());
}

TEST(TextOut, TextCutByTheSurfaceEdgeKeepsItsVisiblePart) {
    Canvas ref(60, 30, kGroundRef);
    DrawHg(ref.dc, 10, 5);
    Canvas c(60, 30, kGroundRef);
    DrawHg(c.dc, -3, -2);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool inRef = x + 13 < 60 && y + 7 < 30;
            ASSERT_EQ(c.At(x, y), inRef ? ref.At(x + 13, y + 7) : c.background) << x << "," << y;
        }
    }
}

TEST(TextOut, AWindowDcDrawsOnlyInsideItsClip) {
    Canvas ref(60, 30, kGroundRef);
    DrawHg(ref.dc, 10, 5);
    gdi::Surface s(60, 30, ref.background);
    CDC dc;
    dc.Attach(CreateWindowDC(&s, RECT{0, 0, 12, 30}));
    DrawHg(dc, 10, 5);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            ASSERT_EQ(s.At(x, y), x < 12 ? ref.At(x, y) : ref.background) << x << "," << y;
        }
    }
}

TEST(TextOut, NothingToDrawIsNotAFault) {
    Canvas c(10, 10);
    EXPECT_TRUE(c.dc.TextOut(0, 0, ""));
    EXPECT_TRUE(c.Changed().empty());
    CDC none;
    EXPECT_FALSE(none.TextOut(0, 0, "x"));
    // A memory DC still holding its 1 x 1 default bitmap.
    CDC bare;
    bare.CreateCompatibleDC(nullptr);
    EXPECT_TRUE(bare.TextOut(-5, -5, "Hg"));
}

} // namespace
} // namespace gdi_test
