#include "res/tg18.h"

#include "gray_runs.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using res::GrayImage;
using res::Tg18Size;
using namespace res_test;

constexpr auto* Ad = &Made<res::MakeTg18Ad>;

// The published 8-bit levels, rows top to bottom.
constexpr std::array<std::array<int, 7>, 7> kLevels{{{0, 0, 1, 1, 1, 1, 2},
                                                     {2, 2, 2, 3, 3, 3, 3},
                                                     {4, 4, 4, 4, 5, 5, 5},
                                                     {5, 6, 6, 6, 6, 7, 7},
                                                     {7, 7, 8, 8, 8, 8, 9},
                                                     {9, 9, 9, 10, 10, 10, 10},
                                                     {11, 11, 11, 11, 12, 12, 12}}};

TEST(Tg18Ad, GridOfDimLinesAroundFiftyEightPixelCells) {
    EXPECT_EQ(RowRuns(Ad(Tg18Size::Square1024), 305, 298, 725),
              "0*4 12*1 0*58 12*2 0*58 12*2 1*58 12*2 1*58 12*2 1*58 12*2 1*58 12*2 2*58 12*1 "
              "0*4");
    // Down the last column of the first cells: level 0, the separator, then level 2 pairs.
    EXPECT_EQ(ColumnRuns(Ad(Tg18Size::Square1024), 360, 298, 366), "0*4 12*1 0*58 12*2 0*2 2*2");
}

TEST(Tg18Ad, CellsHoldLinePairsOfPeriodFourAtThePublishedLevels) {
    const GrayImage& g = Ad(Tg18Size::Square1024);
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            const int x = 303 + 60 * c;
            const int y = 303 + 60 * r;
            for (int i = 0; i < 58; ++i) {
                const int expected = (i % 4 >= 2 && i < 56) ? kLevels[r][c] : 0;
                ASSERT_TRUE(Uniform(g, x, y + i, x + 57, y + i, expected))
                    << "cell " << r << "," << c << " row " << i;
            }
        }
    }
}

TEST(Tg18Ad, PortraitDoublesTheCellsButKeepsThePeriod) {
    const GrayImage& p = Ad(Tg18Size::Portrait2048x2560);
    ASSERT_EQ(p.Height(), 2560);
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            const int x = 2 * (303 + 60 * c);
            const int y = 256 + 2 * (303 + 60 * r);
            for (int i = 0; i < 116; ++i) {
                ASSERT_TRUE(Uniform(p, x, y + i, x + 115, y + i, i % 4 >= 2 ? kLevels[r][c] : 0))
                    << "cell " << r << "," << c << " row " << i;
            }
        }
    }
    EXPECT_EQ(RowRuns(p, 256 + 2 * 305, 2 * 298, 2 * 366), "0*8 12*2 0*116 12*4 0*7");
}

TEST(Tg18Ad, LabelsAreDimAndTheTitleMidGray) {
    const GrayImage& g = Ad(Tg18Size::Square1024);
    EXPECT_EQ(Levels(g, 300, 276, 724, 297), (std::set<int>{0, 12}));
    EXPECT_EQ(Levels(g, 270, 300, 297, 724), (std::set<int>{0, 12}));
    EXPECT_EQ(Levels(g, 0, 20, 1023, 95), (std::set<int>{0, 128}));
    EXPECT_TRUE(Uniform(g, 0, 0, 1023, 19, 0));
    EXPECT_TRUE(Uniform(g, 0, 740, 1023, 1023, 0));
}

} // namespace
