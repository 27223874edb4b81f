#include "canvas.h"

#include <gtest/gtest.h>

namespace gdi_test {
namespace {

constexpr std::uint32_t kLight = 0xE3E3E3, kDark = 0x696969, kShadow = 0xA0A0A0,
                        kHighlight = 0xFFFFFF, kFace = 0xF0F0F0;

TEST(DrawEdge, SystemColoursAreTheCurrentDefaults) {
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), 0xE3E3E3u);
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), 0x696969u);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0xF0F0F0u);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), 0xA0A0A0u);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), 0xFFFFFFu);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0xFFFFFFu);
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(1000), 0u);
}

TEST(DrawEdge, ABumpIsARaisedOuterAndASunkenInnerBorder) {
    Canvas c(10, 9, 0x1A1A1A);
    RECT r{1, 1, 9, 8};
    EXPECT_TRUE(DrawEdge(c.dc.GetSafeHdc(), &r, EDGE_BUMP, BF_RECT | BF_ADJUST));
    EXPECT_EQ(c.Picture({{kLight, 'L'}, {kDark, 'D'}}),
              Rows({"..........", ".LLLLLLLD.", ".LDDDDDLD.", ".LD....LD.", ".LD....LD.",
                    ".LD....LD.", ".LLLLLLLD.", ".DDDDDDDD.", ".........."}));
    EXPECT_EQ(r, (RECT{3, 3, 7, 6}));
}

TEST(DrawEdge, TheBumpSquaresOfTheUniformityPatternKeepTheirInside) {
    Canvas c(240, 240, 0xCCCCCC);
    CRect r(20, 20, 220, 220);
    c.dc.DrawEdge(r, EDGE_BUMP, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, (RECT{22, 22, 218, 218}));
    const std::uint32_t bg = 0xCCCCCC;
    for (int i = 0; i < 240; ++i) {
        EXPECT_EQ(c.At(i, 19), bg);
        EXPECT_EQ(c.At(19, i), bg);
        EXPECT_EQ(c.At(i, 220), bg);
        EXPECT_EQ(c.At(220, i), bg);
    }
    for (int i = 22; i < 218; ++i) {
        EXPECT_EQ(c.At(i, 20), kLight);  // outer top
        EXPECT_EQ(c.At(20, i), kLight);  // outer left
        EXPECT_EQ(c.At(i, 219), kDark);  // outer bottom
        EXPECT_EQ(c.At(219, i), kDark);  // outer right
        EXPECT_EQ(c.At(i, 21), kDark);   // inner top
        EXPECT_EQ(c.At(21, i), kDark);   // inner left
        EXPECT_EQ(c.At(i, 218), kLight); // inner bottom
        EXPECT_EQ(c.At(218, i), kLight); // inner right
        for (int j = 22; j < 218; ++j) {
            ASSERT_EQ(c.At(i, j), bg);
        }
    }
}

TEST(DrawEdge, RaisedSunkenAndEtchedUseTheirOwnColours) {
    struct Case {
        UINT edge;
        std::uint32_t ltOuter, rbOuter, ltInner, rbInner;
    };
    for (const Case& k : {Case{EDGE_RAISED, kLight, kDark, kHighlight, kShadow},
                          Case{EDGE_SUNKEN, kShadow, kHighlight, kDark, kLight},
                          Case{EDGE_ETCHED, kShadow, kHighlight, kHighlight, kShadow}}) {
        Canvas c(12, 12);
        RECT r{1, 1, 11, 11};
        EXPECT_TRUE(DrawEdge(c.dc.GetSafeHdc(), &r, k.edge, BF_RECT));
        EXPECT_EQ(c.At(5, 1), k.ltOuter) << k.edge;
        EXPECT_EQ(c.At(1, 5), k.ltOuter) << k.edge;
        EXPECT_EQ(c.At(5, 10), k.rbOuter) << k.edge;
        EXPECT_EQ(c.At(10, 5), k.rbOuter) << k.edge;
        EXPECT_EQ(c.At(5, 2), k.ltInner) << k.edge;
        EXPECT_EQ(c.At(2, 5), k.ltInner) << k.edge;
        EXPECT_EQ(c.At(5, 9), k.rbInner) << k.edge;
        EXPECT_EQ(c.At(9, 5), k.rbInner) << k.edge;
        EXPECT_EQ(c.At(5, 5), 0u);
        EXPECT_EQ(r, (RECT{1, 1, 11, 11})); // no BF_ADJUST
    }
}

TEST(DrawEdge, SomeSidesOnlyAndTheMiddle) {
    Canvas c(8, 6);
    RECT r{1, 1, 7, 5};
    DrawEdge(c.dc.GetSafeHdc(), &r, EDGE_BUMP, BF_TOP | BF_LEFT | BF_MIDDLE | BF_ADJUST);
    EXPECT_EQ(c.Picture({{kLight, 'L'}, {kDark, 'D'}, {kFace, 'f'}}),
              Rows({"........", ".LLLLLL.", ".LDDDDD.", ".LDffff.", ".LDffff.", "........"}));
    EXPECT_EQ(r, (RECT{3, 3, 7, 5}));
}

TEST(DrawEdge, DrawsInLogicalCoordinatesWithinTheClip) {
    gdi::Surface surface(10, 10, 0);
    CDC window;
    window.Attach(CreateWindowDC(&surface, RECT{0, 0, 10, 5}));
    window.SetWindowOrg(100, 100);
    RECT r{101, 101, 109, 109};
    window.DrawEdge(&r, EDGE_BUMP, BF_RECT);
    EXPECT_EQ(surface.At(1, 1), kLight);
    EXPECT_EQ(surface.At(8, 4), kDark);
    EXPECT_EQ(surface.At(8, 5), 0u); // below the clip box
    EXPECT_EQ(surface.At(4, 8), 0u);
}

TEST(DrawEdge, DiagonalEdgesAreNotDrawn) {
    Canvas c(8, 8);
    RECT r{0, 0, 8, 8};
    EXPECT_FALSE(DrawEdge(c.dc.GetSafeHdc(), &r, EDGE_BUMP, BF_RECT | BF_DIAGONAL));
    EXPECT_TRUE(c.Changed().empty());
}

} // namespace
} // namespace gdi_test
