#include "canvas.h"
#include "reference.h"

#include <gtest/gtest.h>

#include <random>

namespace gdi_test {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kGray = 0x808080;

// A white outline with the hollow brush, as the figure patterns draw it.
void Outline(Canvas& c, int l, int t, int r, int b) {
    c.Use(1, 0xFFFFFF);
    c.dc.Ellipse(l, t, r, b);
}

TEST(Ellipse, TenByTenIsTheRoundedSquareOfTheRules) {
    Canvas c(10, 10);
    Outline(c, 0, 0, 10, 10);
    EXPECT_EQ(c.Picture(),
              Rows({"...####...", "..#....#..", ".#......#.", "#........#", "#........#",
                    "#........#", "#........#", ".#......#.", "..#....#..", "...####..."}));
}

TEST(Ellipse, TheCircleOfTheGridPatternAt1920x1080) {
    Canvas c(1920, 1080);
    Outline(c, 420, 0, 1500, 1080);
    EXPECT_EQ(c.Changed().size(), 3052u);
    EXPECT_EQ(c.RowRuns(0), "937-982");
    EXPECT_EQ(c.RowRuns(1079), "937-982");
    EXPECT_EQ(c.ColumnRuns(420), "517-562");
    EXPECT_EQ(c.ColumnRuns(1499), "517-562");
    EXPECT_EQ(c.RowRuns(539), "420 1499");
    EXPECT_EQ(c.RowRuns(540), "420 1499");
}

TEST(Ellipse, MatchesTheQuadrantMethodForAllSmallBoxes) {
    for (int w = 1; w <= 40; ++w) {
        for (int h = 1; h <= 40; ++h) {
            Canvas c(48, 48);
            Outline(c, 3, 4, 3 + w, 4 + h);
            ASSERT_EQ(c.Changed(), ReferenceEllipse(3, 4, 3 + w, 4 + h)) << w << " x " << h;
        }
    }
}

TEST(Ellipse, ReachesTheFourSidesOfItsBoxInOnePiece) {
    // Extremes at x = l and r-1 and y = t and b-1, every row and column of the box crossed,
    // and the outline one 8-connected curve (also for tall, thin boxes).
    for (int w = 3; w <= 40; ++w) {
        for (int h = 3; h <= 400; h += (h < 60 ? 1 : 60)) {
            const PixelSet p = ReferenceEllipse(0, 0, w, h);
            std::set<int> rows, columns;
            for (const auto& [x, y] : p) {
                rows.insert(y);
                columns.insert(x);
            }
            ASSERT_EQ(rows.size(), size_t(h)) << w << " x " << h;
            ASSERT_EQ(*rows.begin(), 0);
            ASSERT_EQ(columns.size(), size_t(w)) << w << " x " << h;
            ASSERT_EQ(*columns.begin(), 0);
            PixelSet seen{*p.begin()};
            std::vector<Pixel> todo{*p.begin()};
            while (!todo.empty()) {
                const auto [x, y] = todo.back();
                todo.pop_back();
                for (int dx = -1; dx <= 1; ++dx) {
                    for (int dy = -1; dy <= 1; ++dy) {
                        const Pixel n{x + dx, y + dy};
                        if (p.count(n) && seen.insert(n).second) {
                            todo.push_back(n);
                        }
                    }
                }
            }
            ASSERT_EQ(seen.size(), p.size()) << w << " x " << h;
        }
    }
}

TEST(Ellipse, TheTallGridCircleIsClippedAtBothSides) {
    // The circle of the grid pattern on a 2048 x 2560 portrait screen: box (-256, 0, 2304,
    // 2560).
    Canvas c(2048, 2560);
    Outline(c, -256, 0, 2304, 2560);
    EXPECT_EQ(c.Changed(), Within(ReferenceEllipse(-256, 0, 2304, 2560), 2048, 2560));
    EXPECT_EQ(c.RowRuns(1280), "");
    EXPECT_EQ(c.ColumnRuns(0), c.ColumnRuns(2047));
}

TEST(Ellipse, PartlyVisibleBoxesLightExactlyTheirVisibleOutline) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> corner(-60, 80), origin(-20, 20);
    for (int i = 0; i < 500; ++i) {
        const int l = corner(rng), t = corner(rng), r = corner(rng), b = corner(rng);
        const int ox = origin(rng), oy = origin(rng);
        Canvas c(24, 20);
        c.dc.SetWindowOrg(ox, oy);
        Outline(c, l, t, r, b);
        ASSERT_EQ(c.Changed(), Within(ReferenceEllipse(std::min(l, r) - ox, std::min(t, b) - oy,
                                                       std::max(l, r) - ox, std::max(t, b) - oy),
                                      24, 20))
            << l << "," << t << "," << r << "," << b << " origin " << ox << "," << oy;
    }
}

TEST(Ellipse, TheBrushFillsBetweenTheOutlineOnEachRow) {
    Canvas c(10, 10);
    c.Use(1, 0xFFFFFF, 0x808080);
    c.dc.Ellipse(0, 0, 10, 10);
    EXPECT_EQ(c.Picture({{kWhite, '#'}, {kGray, '+'}}),
              Rows({"...####...", "..#++++#..", ".#++++++#.", "#++++++++#", "#++++++++#",
                    "#++++++++#", "#++++++++#", ".#++++++#.", "..#++++#..", "...####..."}));
}

TEST(Ellipse, WithoutAPenTheBrushCoversTheOutlinesPixelsToo) {
    Canvas c(10, 10);
    c.UseBrushOnly(0x808080);
    c.dc.Ellipse(0, 0, 10, 10);
    EXPECT_EQ(c.Picture({{kGray, '+'}}),
              Rows({"...++++...", "..++++++..", ".++++++++.", "++++++++++", "++++++++++",
                    "++++++++++", "++++++++++", ".++++++++.", "..++++++..", "...++++..."}));
}

TEST(Ellipse, AHugeEllipseAroundTheSurfaceFillsItWithTheBrush) {
    Canvas c(16, 16);
    CBrush gray(0x808080);
    c.dc.SelectObject(&gray);
    c.dc.Ellipse(-100000, -100000, 100016, 100016);
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(c.RowRuns(y), "0-15");
        EXPECT_EQ(c.At(0, y), kGray);
    }
}

TEST(Ellipse, EachOutlinePixelIsWrittenOnce) {
    for (const RECT& r : {RECT{1, 1, 14, 10}, RECT{2, 0, 9, 15}, RECT{0, 0, 3, 12},
                          RECT{3, 3, 8, 8}, RECT{0, 5, 16, 8}}) {
        ParityCanvas c(16, 16, 1);
        c.dc.Ellipse(r.left, r.top, r.right, r.bottom);
        const PixelSet expected = ReferenceEllipse(r.left, r.top, r.right, r.bottom);
        EXPECT_EQ(c.Changed(), expected);
        for (const auto& [x, y] : expected) {
            EXPECT_EQ(c.At(x, y), kWhite);
        }
    }
}

TEST(Ellipse, AWidePenCoversTheOnePixelOutlineSymmetrically) {
    ParityCanvas c(32, 24, 3);
    c.dc.Ellipse(4, 3, 27, 20);
    const PixelSet lit = c.Changed();
    for (const auto& p : ReferenceEllipse(4, 3, 27, 20)) {
        EXPECT_TRUE(lit.count(p)) << p.first << "," << p.second;
    }
    for (const auto& [x, y] : lit) {
        EXPECT_EQ(c.At(x, y), kWhite); // painted once
        EXPECT_TRUE(lit.count({4 + 26 - x, y}) && lit.count({x, 3 + 19 - y}));
    }
    EXPECT_EQ(c.RowRuns(11), "3-5 25-27"); // three pixels across the sides of the middle row
}

TEST(Ellipse, AClippedWideOutlineIsTheVisiblePartOfTheWholeOne) {
    // Drawn whole on a large surface, and through a small window DC whose clip cuts the
    // outline into pieces: the pixels inside the clip agree.
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> corner(0, 100), width(2, 7), offset(0, 90);
    for (int i = 0; i < 300; ++i) {
        const int l = corner(rng), t = corner(rng), r = corner(rng), b = corner(rng);
        const int w = width(rng), ox = offset(rng), oy = offset(rng);
        const bool arc = i % 3 == 0;
        CPen pen(PS_SOLID, w, 0x000000);
        auto draw = [&](CDC& dc) {
            dc.SelectObject(&pen);
            dc.SelectStockObject(NULL_BRUSH);
            dc.SetROP2(R2_NOTXORPEN);
            if (arc) {
                dc.MoveTo(50, 50);
                dc.AngleArc(50, 50, std::abs(r - l) / 2, float(t), float(b * 4 - 200));
            } else {
                dc.Ellipse(l, t, r, b);
            }
        };
        Canvas whole(120, 120);
        draw(whole.dc);
        gdi::Surface small(30, 30, 0);
        CDC window;
        window.Attach(CreateWindowDC(&small, RECT{3, 2, 27, 22}));
        window.SetWindowOrg(ox, oy);
        draw(window);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 30; ++x) {
                const bool inClip = x >= 3 && x < 27 && y >= 2 && y < 22;
                ASSERT_EQ(small.At(x, y), inClip ? whole.At(x + ox, y + oy) : 0u)
                    << (arc ? "arc " : "ellipse ") << l << "," << t << "," << r << "," << b
                    << " width " << w << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace gdi_test
