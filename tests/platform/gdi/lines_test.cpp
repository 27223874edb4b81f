#include "canvas.h"
#include "reference.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>

namespace gdi_test {
namespace {

using Pixels = std::vector<Pixel>;

// Draws one line on a fresh black 16 x 16 DC and lists the lit pixels row by row: a white pen
// that overwrites, or with invert a black pen in R2_NOTXORPEN, which inverts.
Pixels Lit(int x0, int y0, int x1, int y1, bool invert = false) {
    Canvas c(16, 16);
    CPen pen(PS_SOLID, 1, invert ? 0x000000 : 0xFFFFFF);
    c.dc.SelectObject(&pen);
    if (invert) {
        c.dc.SetROP2(R2_NOTXORPEN);
    }
    c.dc.MoveTo(x0, y0);
    c.dc.LineTo(x1, y1);
    Pixels lit;
    for (const auto& p : c.Changed()) {
        lit.push_back(p);
    }
    std::sort(lit.begin(), lit.end(), [](const Pixel& a, const Pixel& b) {
        return std::pair(a.second, a.first) < std::pair(b.second, b.first);
    });
    return lit;
}

PixelSet AsSet(const Pixels& p) {
    return PixelSet(p.begin(), p.end());
}

TEST(Lines, LightTheGridIntersectionPixelsAndLeaveOutTheEnd) {
    EXPECT_EQ(Lit(0, 0, 5, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(Lit(0, 0, 4, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(Lit(4, 2, 0, 0), (Pixels{{1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(Lit(0, 3, 6, 0), (Pixels{{5, 0}, {3, 1}, {4, 1}, {1, 2}, {2, 2}, {0, 3}}));
    EXPECT_EQ(Lit(6, 0, 0, 3), (Pixels{{5, 0}, {6, 0}, {3, 1}, {4, 1}, {1, 2}, {2, 2}}));
    EXPECT_TRUE(Lit(3, 3, 3, 3).empty());
}

TEST(Lines, AgreeWithTheBresenhamFormInAllOctantsAndBothDirections) {
    // Every end point around a centre: all eight octants, the diagonals and the axes, each
    // direction drawn separately.
    for (int ex = -7; ex <= 7; ++ex) {
        for (int ey = -7; ey <= 7; ++ey) {
            SCOPED_TRACE(testing::Message() << "(7,7)->(" << 7 + ex << "," << 7 + ey << ")");
            for (bool invert : {false, true}) {
                EXPECT_EQ(AsSet(Lit(7, 7, 7 + ex, 7 + ey, invert)),
                          AsSet(ReferenceLine(7, 7, 7 + ex, 7 + ey)));
                EXPECT_EQ(AsSet(Lit(7 + ex, 7 + ey, 7, 7, invert)),
                          AsSet(ReferenceLine(7 + ex, 7 + ey, 7, 7)));
            }
        }
    }
}

TEST(Lines, ClippedLinesLightExactlyTheVisiblePixelsOfTheUnclippedOne) {
    // Random lines crossing a 16 x 16 surface from far outside, drawn through a window origin
    // so that both ends are usually off the surface.
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> coord(-300, 300);
    for (int i = 0; i < 3000; ++i) {
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        const int ox = coord(rng) / 20, oy = coord(rng) / 20;
        Canvas c(16, 16);
        CPen pen(PS_SOLID, 1, 0xFFFFFF);
        c.dc.SelectObject(&pen);
        c.dc.SetWindowOrg(ox, oy);
        c.dc.MoveTo(x0, y0);
        c.dc.LineTo(x1, y1);
        PixelSet expected;
        for (const auto& [x, y] : ReferenceLine(x0 - ox, y0 - oy, x1 - ox, y1 - oy)) {
            if (x >= 0 && x < 16 && y >= 0 && y < 16) {
                expected.insert({x, y});
            }
        }
        ASSERT_EQ(c.Changed(), expected)
            << x0 << "," << y0 << " -> " << x1 << "," << y1 << " origin " << ox << "," << oy;
    }
}

TEST(Lines, AWindowDcClipsToItsClipBoxWithoutMovingPixels) {
    gdi::Surface surface(16, 16, 0);
    CDC dc;
    dc.Attach(CreateWindowDC(&surface, RECT{3, 2, 11, 13}));
    CPen pen(PS_SOLID, 1, 0xFFFFFF);
    dc.SelectObject(&pen);
    dc.MoveTo(-5, 20);
    dc.LineTo(19, -1);
    PixelSet lit, expected;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (surface.At(x, y) != 0) {
                lit.insert({x, y});
            }
        }
    }
    for (const auto& [x, y] : ReferenceLine(-5, 20, 19, -1)) {
        if (x >= 3 && x < 11 && y >= 2 && y < 13) {
            expected.insert({x, y});
        }
    }
    EXPECT_EQ(lit, expected);
    EXPECT_FALSE(lit.empty());
}

TEST(Lines, ExtremeCoordinatesLightTheRightPixels) {
    // The full diagonal of the coordinate space passes through (k, k).
    Pixels diagonal;
    for (int k = 0; k < 16; ++k) {
        diagonal.emplace_back(k, k);
    }
    EXPECT_EQ(Lit(INT_MIN, INT_MIN, INT_MAX, INT_MAX), diagonal);
    EXPECT_EQ(Lit(INT_MAX, INT_MAX, INT_MIN, INT_MIN), diagonal);

    // Slope 1/2 through the origin: y = ceil(x/2 - 1/2), in both directions.
    Pixels half;
    for (int x = 0; x < 16; ++x) {
        half.emplace_back(x, x % 2 == 0 ? x / 2 : (x - 1) / 2);
    }
    std::sort(half.begin(), half.end(), [](const Pixel& a, const Pixel& b) {
        return std::pair(a.second, a.first) < std::pair(b.second, b.first);
    });
    EXPECT_EQ(Lit(-2000000000, -1000000000, 2000000000, 1000000000), half);
    EXPECT_EQ(Lit(2000000000, 1000000000, -2000000000, -1000000000), half);

    // A horizontal line two million pixels long, nearly flat: row 6 across the surface.
    Pixels row6;
    for (int x = 0; x < 16; ++x) {
        row6.emplace_back(x, 6);
    }
    EXPECT_EQ(Lit(-1000000, 5, 1000000, 7), row6);
}

TEST(Lines, DeviceCoordinatesBeyondThirtyTwoBitsAreExact) {
    // Through a window origin of 2e9 the line runs from device x = -4e9 to 1e8 with slope 1/4
    // and meets the device origin: y = ceil(x/4 - 1/2) on the surface.
    Canvas c(16, 16);
    CPen pen(PS_SOLID, 1, 0xFFFFFF);
    c.dc.SelectObject(&pen);
    c.dc.SetWindowOrg(2000000000, 0);
    c.dc.MoveTo(-2000000000, -1000000000);
    c.dc.LineTo(2100000000, 25000000);
    PixelSet expected;
    for (int x = 0; x < 16; ++x) {
        expected.insert({x, (x + 1) / 4});
    }
    EXPECT_EQ(c.Changed(), expected);
}

TEST(Lines, AChainOfLineToWritesEachSharedCornerOnce) {
    // R2_NOTXORPEN with a black pen inverts: a pixel written twice would turn black again.
    Canvas c(16, 16);
    CPen pen(PS_SOLID, 1, 0x000000);
    c.dc.SelectObject(&pen);
    c.dc.SetROP2(R2_NOTXORPEN);
    const Pixel corners[] = {{2, 1}, {13, 3}, {14, 12}, {6, 14}, {1, 8}, {2, 1}};
    c.dc.MoveTo(corners[0].first, corners[0].second);
    PixelSet expected;
    for (int i = 1; i < 6; ++i) {
        c.dc.LineTo(corners[i].first, corners[i].second);
        for (const auto& p : ReferenceLine(corners[i - 1].first, corners[i - 1].second,
                                           corners[i].first, corners[i].second)) {
            expected.insert(p);
        }
    }
    EXPECT_EQ(c.Changed(), expected);
    for (const auto& [x, y] : expected) {
        EXPECT_EQ(c.At(x, y), 0x00FFFFFFu) << x << "," << y;
    }
    // Its own inverse: drawing the chain again restores the black surface.
    c.dc.MoveTo(corners[0].first, corners[0].second);
    for (int i = 1; i < 6; ++i) {
        c.dc.LineTo(corners[i].first, corners[i].second);
    }
    EXPECT_TRUE(c.Changed().empty());
}

TEST(Lines, LineToMovesThePositionEvenWithANullPen) {
    Canvas c(8, 8);
    c.dc.SelectStockObject(NULL_PEN);
    c.dc.MoveTo(1, 1);
    c.dc.LineTo(6, 5);
    EXPECT_EQ(c.dc.GetCurrentPosition(), (POINT{6, 5}));
    EXPECT_TRUE(c.Changed().empty());
}

// Vertical and 45-degree lines are queued and drawn row by row later. Whatever comes between
// them (other lines, fills, pen and mode changes, lines over each other), the result must be
// that of drawing every line at once.
TEST(Lines, QueuedLinesLandAsIfDrawnOneByOne) {
    struct Op {
        int kind, a, b, c, d;
    };
    std::mt19937 rng(20261209);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const COLORREF colours[] = {0x000000, 0xFFFFFF, 0x3366CC, 0x808080};
    const int rops[] = {R2_COPYPEN, R2_NOTXORPEN, R2_XORPEN, R2_NOT};
    auto play = [&](Canvas& c, const std::vector<Op>& ops, bool flushEach) {
        std::vector<std::unique_ptr<CPen>> pens;
        for (const Op& op : ops) {
            switch (op.kind) {
            case 0: // vertical, any direction, partly outside
                c.dc.MoveTo(op.a, op.b);
                c.dc.LineTo(op.a, op.c);
                break;
            case 1: // any other line
                c.dc.MoveTo(op.a, op.b);
                c.dc.LineTo(op.c, op.d);
                break;
            case 5: // a 45-degree line of length d - 3 in the direction c picks
                c.dc.MoveTo(op.a, op.b);
                c.dc.LineTo(op.a + ((op.c & 1) ? 1 : -1) * (op.d - 3),
                            op.b + ((op.c & 2) ? 1 : -1) * (op.d - 3));
                break;
            case 2:
                c.dc.FillSolidRect(op.a, op.b, op.c, op.d, colours[op.a & 3]);
                break;
            case 3:
                pens.push_back(std::make_unique<CPen>(PS_SOLID, 1, colours[op.a]));
                c.dc.SelectObject(pens.back().get());
                break;
            default:
                c.dc.SetROP2(rops[op.a]);
                break;
            }
            if (flushEach) {
                gdi::FlushAll();
            }
        }
        c.dc.SelectStockObject(BLACK_PEN);
    };
    for (int round = 0; round < 200; ++round) {
        std::vector<Op> ops;
        for (int i = 0; i < 30; ++i) {
            const int roll = any(0, 11);
            const int kind = roll < 4    ? 0
                             : roll < 7  ? 5
                             : roll < 8  ? 1
                             : roll < 9  ? 2
                             : roll < 10 ? 3
                                         : 4;
            const bool small = kind == 3 || kind == 4;
            ops.push_back(
                Op{kind, small ? any(0, 3) : any(-2, 21), any(-3, 17), any(-3, 17), any(-3, 17)});
        }
        Canvas queued(20, 14, 0x102030), direct(20, 14, 0x102030);
        play(queued, ops, false);
        play(direct, ops, true);
        ASSERT_TRUE(queued.Surface().Pixels() == direct.Surface().Pixels()) << "round " << round;
    }
}

TEST(Lines, QueuedVerticalLinesStayWithTheBitmapTheyWereDrawnOn) {
    Canvas c(6, 4);
    CPen pen(PS_SOLID, 1, 0xFFFFFF);
    c.dc.SelectObject(&pen);
    c.dc.MoveTo(2, 0);
    c.dc.LineTo(2, 4);
    CBitmap other;
    other.CreateCompatibleBitmap(&c.dc, 6, 4);
    CBitmap* first = c.dc.SelectObject(&other);
    c.dc.MoveTo(4, 0);
    c.dc.LineTo(4, 4);
    const gdi::Surface& second = *static_cast<HBITMAP>(other.m_hObject)->surface;
    c.dc.SelectObject(first);
    EXPECT_EQ(c.Picture(), "..#...\n..#...\n..#...\n..#...\n");
    EXPECT_EQ(second.At(2, 1), 0u);
    EXPECT_EQ(second.At(4, 1), 0xFFFFFFu);
    c.dc.SelectStockObject(BLACK_PEN);
}

} // namespace
} // namespace gdi_test
