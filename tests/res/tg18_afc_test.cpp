#include "res/tg18.h"

#include "gray_runs.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace {

using res::GrayImage;
using res::Tg18Size;
using namespace res_test;

constexpr auto* Afc = &Made<res::MakeTg18Afc>;

// The published target positions: 1 top-left, 2 top-right, 3 bottom-left, 4 bottom-right.
constexpr std::array<std::string_view, 16> kLayout{
    "KK34413KK11121KK", "KK133433331142KK", "4434224344143333", "4414424212434212",
    "2324333121331114", "3234241131332211", "1411333213131313", "2244313KK1242434",
    "3243413KK4142142", "4444311343441431", "4233434234343123", "4414123212322221",
    "4114243132434121", "4131431323442112", "KK223413222423KK", "KK114341211131KK",
};

TEST(Tg18Afc, FrameSeparatorsAndCentreCross) {
    EXPECT_EQ(RowRuns(Afc(Tg18Size::Square1024), 200),
              "143*4 128*59 143*2 128*62 143*2 128*62 143*2 128*62 143*2 128*62 143*2 128*62 "
              "143*2 128*62 143*2 128*58 143*9 128*59 143*2 128*62 143*2 128*62 143*2 128*62 "
              "143*2 128*62 143*2 128*62 143*2 128*62 143*2 128*58 143*5");
    EXPECT_EQ(RowRuns(Afc(Tg18Size::Square1024), 2), "143*1024");
}

// Each cell holds exactly one square target, at its published position, with its quadrant's
// size and contrast; the sizes stay native in the doubled layout.
void ExpectTargets(Tg18Size size) {
    const GrayImage& g = Afc(size);
    const int s = size == Tg18Size::Square1024 ? 1 : 2;
    const int dy = size == Tg18Size::Square1024 ? 0 : 256;
    const std::array<int, 4> sizes{2, 3, 4, 6};
    for (int j = 0; j < 16; ++j) {
        for (int i = 0; i < 16; ++i) {
            const char code = kLayout[j][i];
            if (code == 'K') {
                continue;
            }
            const int quadrant = (j >= 8 ? 2 : 0) + (i >= 8 ? 1 : 0);
            const int side = sizes[quadrant];
            const int level = 128 + sizes[quadrant];
            // Near targets start 14 pixels into the cell, far ones end 46 in (both doubled).
            const int position = code - '1';
            const int ox = s * (64 * i + 1);
            const int oy = s * (64 * j + 1);
            const int x = position % 2 ? s * (64 * i + 48) - side : ox + 14 * s;
            const int y = position >= 2 ? s * (64 * j + 48) - side : oy + 14 * s;
            EXPECT_TRUE(Uniform(g, x, dy + y, x + side - 1, dy + y + side - 1, level))
                << "cell " << i << "," << j;
            // Nothing else in the cell but the fill and its separators.
            int others = 0;
            for (int yy = oy; yy < oy + 62 * s; ++yy) {
                for (int xx = ox; xx < ox + 62 * s; ++xx) {
                    others += g.At(xx, dy + yy) != 128 && g.At(xx, dy + yy) != 143;
                }
            }
            EXPECT_EQ(others, side * side) << "cell " << i << "," << j;
        }
    }
}

TEST(Tg18Afc, OneTargetPerCellAtThePublishedPositions) {
    ExpectTargets(Tg18Size::Square1024);
}

TEST(Tg18Afc, PortraitKeepsTargetSizesAtDoubledPositions) {
    ExpectTargets(Tg18Size::Portrait2048x2560);
    const GrayImage& p = Afc(Tg18Size::Portrait2048x2560);
    EXPECT_TRUE(Uniform(p, 0, 0, 2047, 255, 143));
    EXPECT_TRUE(Uniform(p, 0, 2304, 2047, 2559, 143));
}

TEST(Tg18Afc, KeySquaresShowEverySizeAtEveryContrast) {
    const GrayImage& g = Afc(Tg18Size::Square1024);
    const std::array<int, 4> offsets{16, 41, 66, 91};
    const std::array<int, 4> sizes{2, 3, 4, 6};
    for (int kx : {8, 456, 904}) {
        for (int ky : {8, 456, 904}) {
            if ((kx == 456) != (ky == 456)) {
                continue;
            }
            // The 2 x 2-cell area is 143 around the 112 x 112 key.
            EXPECT_TRUE(Uniform(g, kx - 4, ky - 4, kx + 115, ky - 1, 143)) << kx << "," << ky;
            EXPECT_EQ(Levels(g, kx, ky, kx + 111, ky + 111),
                      (std::set<int>{128, 130, 131, 132, 134}));
            for (int row = 0; row < 4; ++row) {
                for (int col = 0; col < 4; ++col) {
                    const int x = kx + offsets[col];
                    const int y = ky + offsets[row];
                    EXPECT_TRUE(
                        Uniform(g, x, y, x + sizes[col] - 1, y + sizes[col] - 1, 128 + sizes[row]));
                    EXPECT_EQ(g.At(x + sizes[col], y), 128);
                }
            }
        }
    }
}

TEST(Tg18Afc, NoStrayTargetsAnywhere) {
    // Level 130 appears only in the top-left quadrant's targets and the five keys' first row.
    int tl = 0;
    for (int j = 0; j < 8; ++j) {
        for (int i = 0; i < 8; ++i) {
            tl += kLayout[j][i] != 'K';
        }
    }
    const GrayImage& g = Afc(Tg18Size::Square1024);
    int count = 0;
    for (int y = 0; y < 1024; ++y) {
        for (int x = 0; x < 1024; ++x) {
            count += g.At(x, y) == 130;
        }
    }
    EXPECT_EQ(count, 4 * tl + 5 * (4 + 9 + 16 + 36));
}

TEST(Tg18Afc, LabelIsDarkTextOnTheFrameLevel) {
    EXPECT_EQ(Levels(Afc(Tg18Size::Square1024), 447, 0, 576, 64), (std::set<int>{0, 143}));
}

} // namespace
