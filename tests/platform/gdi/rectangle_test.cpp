#include "canvas.h"
#include "reference.h"

#include <gtest/gtest.h>

#include <climits>

namespace gdi_test {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kGray = 0x808080;

// Draws Rectangle with a pen of the given width and colour and the given brush (nullptr: the
// hollow stock brush).
void Draw(Canvas& c, int l, int t, int r, int b, CBrush* brush = nullptr, int width = 1,
          COLORREF pen = 0xFFFFFF) {
    CPen p(PS_SOLID, width, pen);
    CPen* oldPen = c.dc.SelectObject(&p);
    if (brush) {
        c.dc.SelectObject(brush);
    } else {
        c.dc.SelectStockObject(NULL_BRUSH);
    }
    c.dc.Rectangle(l, t, r, b);
    c.dc.SelectObject(oldPen);
    c.dc.SelectStockObject(WHITE_BRUSH);
}

TEST(Rectangle, OutlinesTheBoxWithoutItsRightColumnAndBottomRow) {
    Canvas c(9, 7);
    Draw(c, 2, 1, 7, 5);
    EXPECT_EQ(c.Picture(), Rows({".........", "..#####..", "..#...#..", "..#...#..", "..#####..",
                                 ".........", "........."}));
    Canvas swapped(9, 7);
    Draw(swapped, 7, 5, 2, 1);
    EXPECT_EQ(swapped.Picture(), c.Picture());
}

TEST(Rectangle, EmptyBoxesDrawNothing) {
    Canvas c(8, 8);
    Draw(c, 3, 1, 3, 6);
    Draw(c, 1, 4, 6, 4);
    EXPECT_TRUE(c.Changed().empty());
}

TEST(Rectangle, TheBrushFillsInsideTheOutline) {
    Canvas c(9, 7);
    CBrush gray(0x808080);
    Draw(c, 2, 1, 7, 5, &gray);
    EXPECT_EQ(c.Picture({{kWhite, '#'}, {kGray, '+'}}),
              Rows({".........", "..#####..", "..#+++#..", "..#+++#..", "..#####..", ".........",
                    "........."}));
}

TEST(Rectangle, WithoutAPenTheBrushFillsOnePixelLessRightAndDown) {
    Canvas c(9, 7);
    c.UseBrushOnly(0x808080);
    c.dc.Rectangle(2, 1, 7, 5);
    EXPECT_EQ(c.Picture({{kGray, '+'}}), Rows({".........", "..++++...", "..++++...", "..++++...",
                                               ".........", ".........", "........."}));
}

TEST(Rectangle, EachOutlinePixelIsWrittenOnceEvenOnThinBoxes) {
    // R2_NOTXORPEN with a black pen turns each pixel written once white.
    for (const RECT& r : {RECT{1, 1, 7, 6}, RECT{2, 1, 3, 6}, RECT{1, 3, 7, 4}, RECT{4, 4, 5, 5},
                          RECT{1, 1, 7, 3}}) {
        Canvas c(8, 8);
        c.dc.SetROP2(R2_NOTXORPEN);
        Draw(c, r.left, r.top, r.right, r.bottom, nullptr, 1, 0x000000);
        PixelSet expected;
        for (int x = r.left; x < r.right; ++x) {
            for (int y = r.top; y < r.bottom; ++y) {
                if (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1) {
                    expected.insert({x, y});
                }
            }
        }
        EXPECT_EQ(c.Changed(), expected);
        for (const auto& [x, y] : expected) {
            EXPECT_EQ(c.At(x, y), kWhite);
        }
    }
}

TEST(Rectangle, BoxesReachingFarOffTheSurfaceShowOnlyTheirVisibleEdges) {
    Canvas c(8, 8);
    CBrush gray(0x808080);
    Draw(c, -5, -5, INT_MAX, 3, &gray);
    EXPECT_EQ(c.Picture({{kWhite, '#'}, {kGray, '+'}}),
              Rows({"++++++++", "++++++++", "########", "........", "........", "........",
                    "........", "........"}));
    Canvas through(8, 8);
    through.dc.SetWindowOrg(-1000000000, 2000000000);
    Draw(through, INT_MIN, INT_MIN, -999999995, 2000000004, &gray);
    EXPECT_EQ(through.Picture({{kWhite, '#'}, {kGray, '+'}}),
              Rows({"++++#...", "++++#...", "++++#...", "#####...", "........", "........",
                    "........", "........"}));
}

TEST(Rectangle, AWidePenOutlinesWithRoundJoinsAndPaintsEachPixelOnce) {
    Canvas c(20, 16);
    c.dc.SetROP2(R2_NOTXORPEN);
    CBrush gray(0x808080);
    Draw(c, 4, 3, 15, 12, &gray, 3, 0x000000);
    PixelSet outline;
    const int corners[5][2] = {{4, 3}, {14, 3}, {14, 11}, {4, 11}, {4, 3}};
    for (int i = 0; i < 4; ++i) {
        for (const auto& p : ReferenceWideLine(corners[i][0], corners[i][1], corners[i + 1][0],
                                               corners[i + 1][1], 3, 20, 16)) {
            outline.insert(p);
        }
    }
    PixelSet white, gray8;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (c.At(x, y) == kWhite) {
                white.insert({x, y});
            } else if (c.At(x, y) != 0) {
                gray8.insert({x, y});
            }
        }
    }
    EXPECT_EQ(white, outline);
    // NOTXOR of gray on black: the interior left inside the outline.
    PixelSet interior;
    for (int y = 3; y < 11; ++y) {
        for (int x = 4; x < 14; ++x) {
            if (!outline.count({x, y})) {
                interior.insert({x, y});
            }
        }
    }
    EXPECT_EQ(gray8, interior);
}

} // namespace
} // namespace gdi_test
