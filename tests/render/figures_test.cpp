#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::ColumnsWith;
using testing_support::Every;
using testing_support::PatternFrame;
using testing_support::RowsWith;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

TEST(GridFigure, At1920x1080) {
    const gdi::Surface f = PatternFrame(1920, 1080, 8);
    // Row 20 crosses only the vertical lines and the circle.
    std::vector<int> verticals = Every(0, 1919, 60);
    verticals.push_back(1919);
    std::vector<int> row20 = ColumnsWith(f, 20, kWhite);
    for (int x : verticals) {
        EXPECT_NE(std::find(row20.begin(), row20.end(), x), row20.end()) << x;
    }
    // The horizontal lines at (i * 1080) / 16, seen in column 30 (left of the circle).
    std::vector<int> horizontals{0};
    for (int i = 1; i < 16; ++i) {
        horizontals.push_back((i * 1080) / 16);
    }
    horizontals.push_back(1079);
    EXPECT_EQ(RowsWith(f, 30, kWhite), horizontals);
    // The centre rectangle (810, 408, 1110, 672) is solid white, with black just outside.
    for (int y = 408; y < 672; ++y) {
        for (int x = 810; x < 1110; ++x) {
            ASSERT_EQ(f.At(x, y), kWhite) << x << "," << y;
        }
    }
    EXPECT_EQ(f.At(809, 500), 0u);
    EXPECT_EQ(f.At(1110, 500), 0u);
    EXPECT_EQ(f.At(1000, 407), 0u);
    EXPECT_EQ(f.At(1000, 672), 0u);
    // The circle's top row: x 937 to 982, between grid lines.
    for (int x = 937; x <= 982; ++x) {
        EXPECT_EQ(f.At(x, 0), kWhite);
    }
    EXPECT_EQ(f.At(421, 539), 0u);
    EXPECT_EQ(f.At(420, 539), kWhite);
    EXPECT_EQ(f.At(1499, 539), kWhite);
}

TEST(GridFigure, CentreRectangleStopsAtAQuarterOfTheScreen) {
    const gdi::Surface f = PatternFrame(1024, 768, 8);
    EXPECT_EQ(ColumnsWith(f, 400, kWhite).front(), 0);
    // (384, 288, 640, 480): its height stops at 192 = H/4.
    std::vector<int> column500 = RowsWith(f, 500, kWhite);
    EXPECT_NE(std::find(column500.begin(), column500.end(), 288), column500.end());
    EXPECT_NE(std::find(column500.begin(), column500.end(), 479), column500.end());
    EXPECT_EQ(f.At(500, 287), 0u);
    EXPECT_EQ(f.At(500, 481), 0u); // 480 itself is a grid line
    EXPECT_EQ(f.At(383, 300), 0u);
    EXPECT_EQ(f.At(384, 300), kWhite);
    EXPECT_EQ(f.At(639, 300), kWhite);
    EXPECT_EQ(f.At(641, 300), 0u); // 640 itself is a grid line
}

TEST(GridFigure, SmallAndPortraitClients) {
    // 100 x 100: no vertical grid lines; the white rectangle covers everything.
    EXPECT_TRUE(testing_support::AllEqual(PatternFrame(100, 100, 8), kWhite));
    // 2048 x 2560: the circle is wider than the screen and clipped at both sides.
    const gdi::Surface portrait = PatternFrame(2048, 2560, 8);
    EXPECT_EQ(portrait.At(896, 1120), kWhite);
    EXPECT_EQ(portrait.At(1151, 1439), kWhite);
    EXPECT_EQ(portrait.At(1153, 1300), 0u);
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 2}, {3, 1}, {1, 3}}) {
        EXPECT_EQ(PatternFrame(w, h, 8).Width(), w);
    }
}

TEST(AlignmentFigure, At1920x1080) {
    const gdi::Surface f = PatternFrame(1920, 1080, 19);
    // The nested rectangles cross row 540 at x = k * 106 and W - 1 - k * 106 ... and the
    // circles at 960 +- 180, 360, 540.
    const std::vector<int> row = ColumnsWith(f, 300, kWhite);
    for (int k = 0; k <= 8; ++k) {
        const int left = k * 106, right = 1920 - k * 106 - 1;
        const bool inside = 300 >= k * 60 && 300 < 1080 - k * 60;
        if (inside) {
            EXPECT_NE(std::find(row.begin(), row.end(), left), row.end()) << k;
            EXPECT_NE(std::find(row.begin(), row.end(), right), row.end()) << k;
        }
    }
    // The innermost rectangle (848, 480, 1072, 600).
    EXPECT_EQ(f.At(900, 480), kWhite);
    EXPECT_EQ(f.At(900, 599), kWhite);
    EXPECT_EQ(f.At(1071, 500), kWhite);
    // The circles' leftmost points on the centre line and their radii along it.
    // Each circle's leftmost column, a little above the centre line (away from every other
    // line), and the radius drawn along the centre line from the centre.
    for (int r : {180, 360, 540}) {
        EXPECT_EQ(f.At(960 - r, 535), kWhite) << r;
        EXPECT_EQ(f.At(960 - r + 1, 535), 0u) << r;
        EXPECT_EQ(f.At(960 + r, 535), kWhite) << r;
        EXPECT_EQ(f.At(960 + r - 1, 535), 0u) << r;
    }
    // Diagonals.
    EXPECT_EQ(f.At(0, 0), kWhite);
    EXPECT_EQ(f.At(192, 108), kWhite);
}

} // namespace
