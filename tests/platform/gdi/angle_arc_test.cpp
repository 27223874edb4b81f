#include "canvas.h"
#include "reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace gdi_test {
namespace {

PixelSet Union(PixelSet a, const PixelSet& b) {
    a.insert(b.begin(), b.end());
    return a;
}

PixelSet Line(int x0, int y0, int x1, int y1) {
    const auto pixels = ReferenceLine(x0, y0, x1, y1);
    return PixelSet(pixels.begin(), pixels.end());
}

// The outline pixels of the circle of radius r about (x, y) whose angle (counter-clockwise on
// the screen, degrees) lies between from and to.
PixelSet CirclePart(int x, int y, int r, double from, double to) {
    PixelSet out;
    for (const auto& [px, py] : ReferenceEllipse(x - r, y - r, x + r + 1, y + r + 1)) {
        double a = std::atan2(double(y - py), double(px - x)) * 180.0 / std::numbers::pi;
        if (a < from - 1e-9) {
            a += 360.0;
        }
        if (a <= to + 1e-9) {
            out.insert({px, py});
        }
    }
    return out;
}

struct ArcCanvas : Canvas {
    ArcCanvas(int w, int h) : Canvas(w, h) { Use(1, 0xFFFFFF); }
};

TEST(AngleArc, TheAlignmentCirclesAt1920x1080) {
    // Three full circles about the centre, each after a move to the centre: the radius to
    // (960 + r, 540) and the circle spanning x - r ... x + r, y - r ... y + r.
    ArcCanvas c(1920, 1080);
    PixelSet expected;
    for (int k = 1; k <= 3; ++k) {
        const int r = 180 * k;
        c.dc.MoveTo(960, 540);
        EXPECT_TRUE(c.dc.AngleArc(960, 540, r, 0.0f, 360.0f));
        EXPECT_EQ(c.dc.GetCurrentPosition(), (POINT{960 + r, 540}));
        expected = Union(expected, Line(960, 540, 960 + r, 540));
        expected = Union(expected,
                         Within(ReferenceEllipse(960 - r, 540 - r, 961 + r, 541 + r), 1920, 1080));
    }
    EXPECT_EQ(c.Changed(), expected);
    EXPECT_EQ(c.RowRuns(540), "420 600 780 960-1500");
    EXPECT_EQ(c.RowRuns(0), "937-983"); // symmetric about column 960
    EXPECT_EQ(c.ColumnRuns(420), c.ColumnRuns(1500));
}

TEST(AngleArc, AFullCircleWritesEachPixelOnce) {
    ParityCanvas c(40, 40, 1);
    c.dc.MoveTo(20, 20);
    c.dc.AngleArc(20, 20, 15, 0.0f, 360.0f);
    const PixelSet expected = Union(Line(20, 20, 35, 20), ReferenceEllipse(5, 5, 36, 36));
    EXPECT_EQ(c.Changed(), expected);
    for (const auto& [x, y] : expected) {
        EXPECT_EQ(c.At(x, y), 0xFFFFFFu);
    }
}

TEST(AngleArc, PartialSweepsFollowTheirDirection) {
    {
        ArcCanvas c(17, 17);
        c.dc.MoveTo(8, 8);
        c.dc.AngleArc(8, 8, 6, 0.0f, 90.0f);
        EXPECT_EQ(c.Changed(), Union(Line(8, 8, 14, 8), CirclePart(8, 8, 6, 0, 90)));
        EXPECT_EQ(c.dc.GetCurrentPosition(), (POINT{8, 2}));
    }
    {
        // The same quarter drawn the other way round starts at the top.
        ArcCanvas c(17, 17);
        c.dc.MoveTo(8, 8);
        c.dc.AngleArc(8, 8, 6, 90.0f, -90.0f);
        EXPECT_EQ(c.Changed(), Union(Line(8, 8, 8, 2), CirclePart(8, 8, 6, 0, 90)));
        EXPECT_EQ(c.dc.GetCurrentPosition(), (POINT{14, 8}));
    }
    {
        ArcCanvas c(17, 17);
        c.dc.MoveTo(0, 16);
        c.dc.AngleArc(8, 8, 6, 45.0f, 180.0f);
        const POINT start{8 + int(std::lround(6 * std::cos(std::numbers::pi / 4))),
                          8 - int(std::lround(6 * std::sin(std::numbers::pi / 4)))};
        EXPECT_EQ(c.Changed(), Union(Line(0, 16, start.x, start.y), CirclePart(8, 8, 6, 45, 225)));
        EXPECT_EQ(c.dc.GetCurrentPosition(), (POINT{4, 12}));
    }
}

TEST(AngleArc, AWideCircleIsPaintedOnceAndCoversTheThinOne) {
    ParityCanvas c(40, 40, 3);
    c.dc.MoveTo(20, 20);
    c.dc.AngleArc(20, 20, 12, 0.0f, 360.0f);
    const PixelSet lit = c.Changed();
    for (const auto& p : Union(Line(20, 20, 32, 20), ReferenceEllipse(8, 8, 33, 33))) {
        EXPECT_TRUE(lit.count(p)) << p.first << "," << p.second;
    }
    for (const auto& [x, y] : lit) {
        EXPECT_EQ(c.At(x, y), 0xFFFFFFu) << x << "," << y;
    }
    EXPECT_EQ(c.ColumnRuns(20), "7-9 19-21 31-33");
}

TEST(AngleArc, ANegativeRadiusFailsAndDrawsNothing) {
    ArcCanvas c(16, 16);
    c.dc.MoveTo(3, 3);
    EXPECT_FALSE(c.dc.AngleArc(8, 8, -4, 0.0f, 360.0f));
    EXPECT_TRUE(c.Changed().empty());
    EXPECT_EQ(c.dc.GetCurrentPosition(), (POINT{3, 3}));
}

TEST(AngleArc, ANullPenOnlyMovesThePosition) {
    Canvas c(16, 16);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.MoveTo(8, 8);
    c.dc.AngleArc(8, 8, 5, 0.0f, 90.0f);
    EXPECT_TRUE(c.Changed().empty());
    EXPECT_EQ(c.dc.GetCurrentPosition(), (POINT{8, 3}));
}

} // namespace
} // namespace gdi_test
