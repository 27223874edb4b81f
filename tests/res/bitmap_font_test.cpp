#include "res/bitmap_font.h"

#include "gray_runs.h"

#include <gtest/gtest.h>

namespace {

using res::GrayImage;
using res::TextStyle;

// The picture of text drawn in level ink at the top-left of a black width x height image.
std::string Drawn(std::string_view text, TextStyle style, int ink, int width, int height) {
    GrayImage g(width, height, 0);
    res::DrawText(g, 0, 0, text, style, static_cast<std::uint8_t>(ink));
    return res_test::Picture(g, 0, 0, width - 1, height - 1, ink);
}

TEST(BitmapFont, DrawsFiveBySevenGlyphsWithOneColumnBetween) {
    EXPECT_EQ(Drawn("A1", TextStyle{1, 0}, 200, 12, 8), ".###....#...\n"
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
    // The dash's one row of dots becomes two rows and six columns.
    EXPECT_EQ(Drawn("-", TextStyle{1, 1}, 9, 8, 9), "........\n"
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
