#include "res/bitmap_font.h"

#include "gray_runs.h"

#include <gtest/gtest.h>

namespace {

using res::GrayImage;
using res::TextStyle;

TEST(BitmapFont, DrawsFiveBySevenGlyphsWithOneColumnBetween) {
    GrayImage g(12, 8, 0);
    res::DrawText(g, 0, 0, "A1", TextStyle{1, 0}, 200);
    EXPECT_EQ(res_test::Picture(g, 0, 0, 11, 7, 200), ".###....#...\n"
                                                      "#...#..##...\n"
                                                      "#...#...#...\n"
                                                      "#####...#...\n"
                                                      "#...#...#...\n"
                                                      "#...#...#...\n"
                                                      "#...#..###..\n"
                                                      "............\n");
    EXPECT_EQ(res::TextWidth("A1", TextStyle{1, 0}), 11);
}

TEST(BitmapFont, ScaleAndBoldWidenEveryDot) {
    GrayImage g(8, 9, 0);
    res::DrawText(g, 0, 0, "-", TextStyle{1, 1}, 9);
    // The dash's one row of dots becomes two rows and six columns.
    EXPECT_EQ(res_test::Picture(g, 0, 0, 7, 8, 9), "........\n"
                                                   "........\n"
                                                   "........\n"
                                                   "######..\n"
                                                   "######..\n"
                                                   "........\n"
                                                   "........\n"
                                                   "........\n"
                                                   "........\n");
    EXPECT_EQ(res::CapHeight(TextStyle{3, 1}), 22);
    EXPECT_EQ(res::Advance(TextStyle{3, 1}), 19);
    EXPECT_EQ(res::TextWidth("QUALITY", TextStyle{3, 1}), 7 * 19 - 3);
}

TEST(BitmapFont, EveryLabelCharacterHasAGlyph) {
    for (char c : std::string_view("TG18-QC TG18-AFC TG18-AD synthetic, after AAPM OR-03 scaled "
                                   "QUALITY CONTROL 0123456789")) {
        EXPECT_TRUE(res::HasGlyph(c)) << c;
    }
    EXPECT_FALSE(res::HasGlyph('~'));
    GrayImage g(10, 10, 0);
    res::DrawText(g, 0, 0, "~", TextStyle{1, 0}, 255);
    EXPECT_EQ(res_test::Levels(g, 0, 0, 9, 9), (std::set<int>{0}));
}

} // namespace
