// The generated quality-control image, region by region:
//   the patches, squares, top bar, band, ramps, letters and the resolution block;
//   the CX cells (CxCell): sharp, blurred and their score boxes;
//   the label, the portrait layout and repeatability.

#include "res/tg18.h"

#include "gray_runs.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using res::GrayImage;
using res::Tg18Size;
using namespace res_test;

const GrayImage& Qc(Tg18Size size = Tg18Size::Square1024) {
    return Made<res::MakeTg18Qc>(size);
}

TEST(Tg18Qc, RowThroughTheTopPatchesShowsGridRampsLevelsAndCornerSquares) {
    // y 300 crosses the ramps (level 255 - 22 and 22), the grid, the block frame and the six
    // top-row patches 88 ... 167 near their bottom corner squares (-4 left, +4 right).
    EXPECT_EQ(RowRuns(Qc(), 300),
              "128*9 191*3 128*14 233*64 128*14 191*1 128*100 191*3 84*8 88*82 92*10 191*1 "
              "100*9 104*82 108*10 191*1 116*9 120*82 124*10 191*1 132*9 136*82 140*10 191*1 "
              "147*9 151*82 155*10 191*1 163*9 167*82 171*9 191*3 128*100 191*1 128*14 22*64 "
              "128*13 191*3 128*9");
}

TEST(Tg18Qc, SixteenPatchesRunAroundTheBlockAtTheTwelveBitSteps) {
    // Cell centres: left column bottom to top, top row, right column top to bottom.
    const std::array<std::array<int, 2>, 16> cells{{{0, 5},
                                                    {0, 4},
                                                    {0, 3},
                                                    {0, 2},
                                                    {0, 1},
                                                    {0, 0},
                                                    {1, 0},
                                                    {2, 0},
                                                    {3, 0},
                                                    {4, 0},
                                                    {5, 0},
                                                    {5, 1},
                                                    {5, 2},
                                                    {5, 3},
                                                    {5, 4},
                                                    {5, 5}}};
    const std::array<int, 16> levels{8,   24,  40,  56,  72,  88,  104, 120,
                                     136, 151, 167, 183, 199, 215, 231, 247};
    for (int i = 0; i < 16; ++i) {
        const int x = 257 + 102 * cells[i][0];
        const int y = 257 + 102 * cells[i][1];
        EXPECT_EQ(Qc().At(x, y), levels[i]) << "patch " << i;
        // A 10 x 10 square in each corner: +4 top-left and bottom-right, -4 on the other two
        // (checked 8 x 8 clear of the frame and separators).
        const int x0 = 206 + 102 * cells[i][0];
        const int y0 = 206 + 102 * cells[i][1];
        EXPECT_TRUE(Uniform(Qc(), x0 + 2, y0 + 2, x0 + 9, y0 + 9, levels[i] + 4)) << i;
        EXPECT_TRUE(Uniform(Qc(), x0 + 92, y0 + 92, x0 + 99, y0 + 99, levels[i] + 4)) << i;
        EXPECT_TRUE(Uniform(Qc(), x0 + 92, y0 + 2, x0 + 99, y0 + 9, levels[i] - 4)) << i;
        EXPECT_TRUE(Uniform(Qc(), x0 + 2, y0 + 92, x0 + 9, y0 + 99, levels[i] - 4)) << i;
    }
}

TEST(Tg18Qc, BottomRowHoldsTheFivePercentAndNinetyFivePercentSquares) {
    EXPECT_EQ(RowRuns(Qc(), 790),
              "128*9 191*3 128*92 191*1 128*100 191*3 8*100 191*1 0*25 13*51 0*25 191*1 128*203 "
              "191*1 255*25 242*51 255*25 191*1 247*100 191*3 128*100 191*1 128*91 191*3 128*9");
    EXPECT_EQ(ColumnRuns(Qc(), 359, 717, 816), "0*25 13*51 0*24");
    EXPECT_EQ(ColumnRuns(Qc(), 665, 717, 816), "255*25 242*51 255*24");
}

TEST(Tg18Qc, TopBarHasTheStripeAndBarsOfHalvingLength) {
    // Second bar of the white half (128 long) and the 256-long bar of the black half.
    EXPECT_EQ(RowRuns(Qc(), 26, 200, 823),
              "128*6 191*1 128*17 255*145 0*128 255*12 249*6 255*12 0*128 255*145 128*18 191*1 "
              "128*5");
    EXPECT_EQ(RowRuns(Qc(), 92, 200, 823),
              "128*6 191*1 128*17 0*17 255*256 0*12 6*6 0*12 255*256 0*17 128*18 191*1 128*5");
    EXPECT_EQ(ColumnRuns(Qc(), 400, 12, 103), "128*3 255*7 0*6 255*30 0*30 255*6 0*7 128*3");
    // Next to the middle every bar reaches the column; one further out the 1-pixel bars do not.
    for (int x : {496, 527}) {
        EXPECT_EQ(ColumnRuns(Qc(), x, 15, 100), "255*7 0*27 255*9 0*9 255*27 0*7") << x;
    }
    for (int x : {495, 528}) {
        EXPECT_EQ(ColumnRuns(Qc(), x, 15, 100), "255*7 0*24 255*12 0*12 255*24 0*7") << x;
    }
}

TEST(Tg18Qc, TransitionBandAndRamps) {
    EXPECT_EQ(ColumnRuns(Qc(), 500, 150, 207), "128*5 242*9 13*16 242*16 13*9 191*3");
    EXPECT_EQ(RowRuns(Qc(), 170), "128*9 191*3 128*92 191*1 242*204 13*407 242*204 191*1 "
                                  "128*91 191*3 128*9");
    for (int i = 0; i < 256; ++i) {
        for (int y : {256 + 2 * i, 257 + 2 * i}) {
            ASSERT_TRUE(Uniform(Qc(), 26, y, 89, y, 255 - i)) << y;
            ASSERT_TRUE(Uniform(Qc(), 935, y, 998, y, i)) << y;
        }
    }
    EXPECT_EQ(Qc().At(26, 255), 128);
    EXPECT_EQ(Qc().At(26, 768), 128);
}

TEST(Tg18Qc, QualityControlLettersStepFromFourteenLevelsDownToOne) {
    const std::array<int, 3> boxes{0, 128, 255};
    const std::array<int, 3> lefts{207, 411, 615};
    for (int b = 0; b < 3; ++b) {
        // Left to right through each line, the letters' distance from the box falls by one.
        std::vector<int> deltas;
        for (int top : {839, 877}) {
            for (int x = lefts[b]; x < lefts[b] + 203; ++x) {
                for (int y = top; y < top + 23; ++y) {
                    const int v = Qc().At(x, y);
                    const int d = boxes[b] == 255 ? 255 - v : v - boxes[b];
                    if (v != boxes[b] && (deltas.empty() || deltas.back() != d)) {
                        deltas.push_back(d);
                    }
                }
            }
        }
        EXPECT_EQ(deltas, (std::vector<int>{14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}))
            << "box " << boxes[b];
        EXPECT_TRUE(Uniform(Qc(), lefts[b], 820, lefts[b] + 202, 835, boxes[b]));
    }
}

TEST(Tg18Qc, ResolutionBlockHasGlyphsAndOnePixelExactLinePairs) {
    const GrayImage& g = Qc();
    // Vertical pairs: x 14..59 1-pixel 255/0, 60..105 2-pixel 255/0, 106..151 1-pixel 130/128,
    // 152..197 2-pixel 130/128, each area starting bright.
    for (int x = 14; x <= 197; ++x) {
        const int area = (x - 14) / 46;
        const int offset = (x - 14) % 46;
        const int width = area % 2 == 0 ? 1 : 2;
        const bool bright = (offset / width) % 2 == 0;
        const int expected = area < 2 ? (bright ? 255 : 0) : (bright ? 130 : 128);
        ASSERT_TRUE(Uniform(g, x, 60, x, 105, expected)) << x;
    }
    // Horizontal pairs: the 1-pixel ones start dark, the 2-pixel ones bright.
    for (int y = 106; y <= 151; ++y) {
        const int offset = y - 106;
        ASSERT_TRUE(Uniform(g, 14, y, 59, y, offset % 2 == 1 ? 255 : 0)) << y;
        ASSERT_TRUE(Uniform(g, 60, y, 105, y, (offset / 2) % 2 == 0 ? 255 : 0)) << y;
        ASSERT_TRUE(Uniform(g, 106, y, 151, y, offset % 2 == 1 ? 130 : 128)) << y;
        ASSERT_TRUE(Uniform(g, 152, y, 197, y, (offset / 2) % 2 == 0 ? 130 : 128)) << y;
    }
    // The first glyph, open to the right, and the one below it, open at the bottom.
    EXPECT_EQ(Picture(g, 20, 20, 26, 35, 255), "#######\n"
                                               "#......\n"
                                               "#.#.#..\n"
                                               "#..#...\n"
                                               "#.#.#..\n"
                                               "#......\n"
                                               "#######\n"
                                               ".......\n"
                                               ".......\n"
                                               "#######\n"
                                               "#.....#\n"
                                               "#.#.#.#\n"
                                               "#..#..#\n"
                                               "#.#.#.#\n"
                                               "#.....#\n"
                                               "#.....#\n");
    // The four glyph columns at 255, 191, 128, 64.
    EXPECT_EQ(Levels(g, 14, 14, 59, 59), (std::set<int>{0, 255}));
    EXPECT_EQ(Levels(g, 60, 14, 105, 59), (std::set<int>{0, 191}));
    EXPECT_EQ(Levels(g, 106, 14, 151, 59), (std::set<int>{0, 128}));
    EXPECT_EQ(Levels(g, 152, 14, 197, 59), (std::set<int>{0, 64}));
}

TEST(Tg18Qc, CornerBlocksAreMirrorsAndTheCentreACopy) {
    const GrayImage block = Qc().Crop(12, 12, 188, 142);
    EXPECT_EQ(Qc().Crop(824, 12, 188, 142), block.MirroredLeftRight());
    EXPECT_EQ(Qc().Crop(12, 870, 188, 142), block.MirroredTopBottom());
    EXPECT_EQ(Qc().Crop(824, 870, 188, 142), block.MirroredLeftRight().MirroredTopBottom());
    EXPECT_EQ(Qc().Crop(418, 441, 188, 142), block);
}

// The cell of a score, as (left, top) of its 101 x 101 visible square. The scores 0 to 9, -2
// and -1 go clockwise round a block of 4 x 4 cells 102 pixels apart, from the third cell down
// its left side.
std::array<int, 2> CxCell(int score) {
    constexpr std::array<int, 12> kColumn{0, 0, 0, 1, 2, 3, 3, 3, 3, 2, 1, 0};
    constexpr std::array<int, 12> kRow{2, 1, 0, 0, 0, 0, 1, 2, 3, 3, 3, 3};
    const std::size_t i = static_cast<std::size_t>(score >= 0 ? score : 12 + score);
    return {309 + 102 * kColumn[i], 309 + 102 * kRow[i]};
}

TEST(Tg18Qc, SharpCxCellShowsFourGlyphsOfFivePixelModules) {
    const auto [x, y] = CxCell(0);
    std::string modules;
    for (int my = 0; my < 16; ++my) {
        for (int mx = 0; mx < 16; ++mx) {
            // Each module is 5 x 5 of one level.
            const int x0 = x + 10 + 5 * mx;
            const int y0 = y + 10 + 5 * my;
            const bool ink = Uniform(Qc(), x0, y0, x0 + 4, y0 + 4, 255);
            modules += ink ? '#' : '.';
        }
        modules += '\n';
    }
    // The score box covers the last glyph's bottom-right corner module.
    EXPECT_EQ(modules, "#######..#######\n"
                       "#........#.....#\n"
                       "#.#.#....#.#.#.#\n"
                       "#..#.....#..#..#\n"
                       "#.#.#....#.#.#.#\n"
                       "#........#.....#\n"
                       "#######..#.....#\n"
                       "................\n"
                       "................\n"
                       "#######..#######\n"
                       "#.....#........#\n"
                       "#.#.#.#....#.#.#\n"
                       "#..#..#.....#..#\n"
                       "#.#.#.#....#.#.#\n"
                       "#.....#........#\n"
                       "#.....#..######.\n");
    EXPECT_EQ(Levels(Qc(), x, y, x + 100, y + 100), (std::set<int>{0, 128, 255}));
}

TEST(Tg18Qc, BlurredCxCellsPeakAtThePublishedStrokeLevels) {
    const std::array<int, 9> peaks{250, 230, 214, 201, 190, 180, 171, 164, 157};
    for (int score = 1; score <= 9; ++score) {
        const auto [x, y] = CxCell(score);
        // The middle of the first glyph's top stroke.
        EXPECT_NEAR(Qc().At(x + 27, y + 12), peaks[score - 1], 2) << "score " << score;
        // Blur spreads light past the stroke, more for higher scores.
        EXPECT_GT(Qc().At(x + 27, y + 7),
                  Qc().At(CxCell(score - 1)[0] + 27, CxCell(score - 1)[1] + 7));
    }
    for (int score : {-1, -2}) {
        const auto [x, y] = CxCell(score);
        EXPECT_NEAR(Qc().At(x + 27, y + 12), 203, 6) << "core, score " << score;
        for (int out = 4; out <= 7; ++out) {
            const int halo = Qc().At(x + 27, y + out);
            EXPECT_GE(halo, 40) << score;
            EXPECT_LE(halo, 130) << score;
        }
    }
}

TEST(Tg18Qc, EveryCxCellCarriesItsScoreInAGrayBox) {
    for (int score = -2; score <= 9; ++score) {
        const auto [x, y] = CxCell(score);
        EXPECT_EQ(Levels(Qc(), x + 85, y + 85, x + 100, y + 100), (std::set<int>{0, 128})) << score;
        // The outer 3 pixels keep neighbouring cells apart.
        EXPECT_TRUE(Uniform(Qc(), x, y, x + 84, y + 2, 0)) << score;
    }
}

// Number of separate runs of rows holding ink (0) in the inclusive box.
int TextLines(const GrayImage& g, int x0, int y0, int x1, int y1) {
    int lines = 0;
    bool previous = false;
    for (int y = y0; y <= y1; ++y) {
        const bool ink = Levels(g, x0, y, x1, y).count(0) > 0;
        lines += ink && !previous;
        previous = ink;
    }
    return lines;
}

TEST(Tg18Qc, LabelMarksTheImageAsSyntheticAndThePortraitAsScaled) {
    EXPECT_EQ(TextLines(Qc(), 411, 717, 613, 816), 3);
    EXPECT_EQ(TextLines(Qc(Tg18Size::Portrait2048x2560), 822, 256 + 1434, 1227, 256 + 1633), 4);
}

TEST(Tg18Qc, PortraitDoublesTheLayoutBetweenBandsOfBackground) {
    const GrayImage& p = Qc(Tg18Size::Portrait2048x2560);
    ASSERT_EQ(p.Width(), 2048);
    ASSERT_EQ(p.Height(), 2560);
    EXPECT_TRUE(Uniform(p, 0, 0, 2047, 255, 128));
    EXPECT_TRUE(Uniform(p, 0, 2304, 2047, 2559, 128));
    // Patches, band, ramps and bars land on doubled positions.
    for (auto [x, y] : std::vector<std::array<int, 2>>{
             {257, 257}, {700, 760}, {500, 170}, {50, 400}, {400, 30}, {359, 760}, {210, 210}}) {
        EXPECT_TRUE(Uniform(p, 2 * x, 256 + 2 * y, 2 * x + 1, 257 + 2 * y, Qc().At(x, y)))
            << x << "," << y;
    }
    // Grid lines and the border are doubled too.
    EXPECT_EQ(ColumnRuns(p, 420, 256, 256 + 229), "128*18 191*6 128*184 191*2 128*20");
    // Line pairs keep their one-pixel period in the doubled block (frame 4, areas 92).
    EXPECT_EQ(RowRuns(p, 256 + 150, 24, 33), "64*4 255*1 0*1 255*1 0*1 255*1 0*1");
    for (int x = 28; x < 28 + 92; ++x) {
        ASSERT_TRUE(Uniform(p, x, 256 + 120, x, 256 + 211, (x - 28) % 2 == 0 ? 255 : 0)) << x;
    }
    // A glyph of the doubled block is still 7 pixels wide.
    EXPECT_EQ(Picture(p, 40, 256 + 40, 46, 256 + 46, 255), "#######\n"
                                                           "#......\n"
                                                           "#.#.#..\n"
                                                           "#..#...\n"
                                                           "#.#.#..\n"
                                                           "#......\n"
                                                           "#######\n");
}

TEST(Tg18Qc, GenerationIsDeterministic) {
    EXPECT_EQ(res::MakeTg18Qc(Tg18Size::Square1024), Qc());
}

} // namespace
