#include "canvas.h"
#include "reference.h"

#include <gtest/gtest.h>

#include <random>

namespace gdi_test {
namespace {

PixelSet DrawWide(Canvas& c, int w, int x0, int y0, int x1, int y1, COLORREF colour = 0xFFFFFF) {
    CPen pen(PS_SOLID, w, colour);
    CPen* old = c.dc.SelectObject(&pen);
    c.dc.MoveTo(x0, y0);
    c.dc.LineTo(x1, y1);
    c.dc.SelectObject(old);
    return c.Changed();
}

TEST(WideLines, AWidthTwoHorizontalLineHasSquareCapsAtBothEnds) {
    Canvas c(24, 8);
    DrawWide(c, 2, 10, 5, 20, 5);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(c.RowRuns(y), (y == 4 || y == 5) ? "9-20" : "") << "row " << y;
    }
    Canvas back(24, 8);
    DrawWide(back, 2, 20, 5, 10, 5);
    EXPECT_EQ(back.Picture(), c.Picture());
}

TEST(WideLines, AWidthTwoVerticalLineIsTheHorizontalOneTurned) {
    Canvas c(8, 24);
    DrawWide(c, 2, 5, 10, 5, 20);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(c.ColumnRuns(x), (x == 4 || x == 5) ? "9-20" : "") << "column " << x;
    }
}

TEST(WideLines, HorizontalBandsCoverTheRowsAboveAndBelowByHalfTheWidth) {
    for (int w = 2; w <= 7; ++w) {
        Canvas c(40, 20);
        DrawWide(c, w, 10, 9, 30, 9);
        const int first = 9 - w / 2;
        for (int y = 0; y < 20; ++y) {
            const bool inBand = y >= first && y < first + w;
            // Away from the caps every row of the band is fully covered.
            EXPECT_EQ(c.At(20, y) != 0, inBand) << "width " << w << " row " << y;
            EXPECT_EQ(c.At(15, y) != 0, inBand) << "width " << w << " row " << y;
        }
    }
}

TEST(WideLines, StackedWidthTwoLinesTwoRowsApartTileWithoutGapsOrOverlap) {
    // The gray scale of the start screen: one line per level, each owning its two rows.
    Canvas c(20, 12);
    for (int i = 0; i < 4; ++i) {
        DrawWide(c, 2, 5, 3 + 2 * i, 15, 3 + 2 * i, RGB(10 * (i + 1), 10 * (i + 1), 10 * (i + 1)));
    }
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t gray = 0x0A0A0Au * static_cast<std::uint32_t>(i + 1);
        for (int y = 2 + 2 * i; y <= 3 + 2 * i; ++y) {
            for (int x = 4; x <= 15; ++x) {
                EXPECT_EQ(c.At(x, y), gray) << x << "," << y;
            }
            EXPECT_EQ(c.At(3, y), 0u);
            EXPECT_EQ(c.At(16, y), 0u);
        }
    }
}

TEST(WideLines, MatchThePenSweptAlongTheSegmentAtAnyAngle) {
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> coord(-10, 40), width(2, 9);
    for (int i = 0; i < 400; ++i) {
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        const int w = width(rng);
        Canvas c(32, 32);
        const PixelSet lit = DrawWide(c, w, x0, y0, x1, y1);
        ASSERT_EQ(lit, ReferenceWideLine(x0, y0, x1, y1, w, 32, 32))
            << "width " << w << ": " << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
}

TEST(WideLines, FarAwayEndsDoNotChangeTheVisiblePixels) {
    Canvas c(32, 32);
    const PixelSet lit = DrawWide(c, 4, -1000000, -999990, 1000000, 1000030);
    EXPECT_EQ(lit, ReferenceWideLine(-1000000, -999990, 1000000, 1000030, 4, 32, 32));
    EXPECT_FALSE(lit.empty());

    Canvas flat(16, 8);
    DrawWide(flat, 2, INT_MIN, 5, INT_MAX, 5);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(flat.RowRuns(y), (y == 4 || y == 5) ? "0-15" : "");
    }
}

TEST(WideLines, EachPixelIsPaintedOncePerLineTo) {
    ParityCanvas c(32, 32, 5);
    c.dc.MoveTo(3, 4);
    c.dc.LineTo(27, 19);
    const PixelSet lit = c.Changed();
    EXPECT_EQ(lit, ReferenceWideLine(3, 4, 27, 19, 5, 32, 32));
    for (const auto& [x, y] : lit) {
        EXPECT_EQ(c.At(x, y), 0x00FFFFFFu);
    }
}

TEST(WideLines, AZeroLengthLineIsADotOfThePensSize) {
    Canvas c(8, 8);
    DrawWide(c, 2, 4, 4, 4, 4);
    EXPECT_EQ(c.Picture(), Rows({"........", "........", "........", "...##...", "...##...",
                                 "........", "........", "........"}));
}

} // namespace
} // namespace gdi_test
