#include "field_frames.h"
#include "fields/text_page.h"

#include <algorithm>

using fields_test::DrawOn;

namespace {

TEST(TextPage, TheTextIsTwelveSegmentsJoinedByTwoTabs) {
    const std::string_view text = fields::TextPageText();
    EXPECT_EQ(text.size(), 796u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 22);
    EXPECT_EQ(text.find("\t\t"), 69u);
    EXPECT_EQ(text.find('\n'), std::string_view::npos);
    EXPECT_EQ(text.back(), ' ');
    EXPECT_NE(text.find("bjut the \t\tmonitor"), std::string_view::npos); // segment 7's space
    EXPECT_EQ(text.substr(0, 19), "We all talk about o");
}

// Everything lit lies inside the five blocks, and each block has something lit.
void ExpectTextOnlyInBlocks(const gdi::Surface& f, int d) {
    const int W = f.Width(), H = f.Height();
    const RECT blocks[5] = {{0, 0, 2 * d, 2 * d},
                            {W - 2 * d, 0, W, 2 * d},
                            {W - 2 * d, H - 2 * d, W, H},
                            {0, H - 2 * d, 2 * d, H},
                            {(2 * W) / 4 - d, (2 * H) / 4 - d, (2 * W) / 4 + d, (2 * H) / 4 + d}};
    int litInBlock[5] = {};
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (f.At(x, y) == 0) {
                continue;
            }
            bool inside = false;
            for (int b = 0; b < 5; ++b) {
                const RECT& r = blocks[b];
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
                    inside = true;
                    ++litInBlock[b];
                }
            }
            ASSERT_TRUE(inside) << x << "," << y;
        }
    }
    for (int b = 0; b < 5; ++b) {
        EXPECT_GT(litInBlock[b], 0) << "block " << b;
    }
}

TEST(TextPage, FiveBlocksOfWhiteTextAndTheFontRestored) {
    const testing_support::Drawn page = DrawOn(1920, 1080, 32);
    EXPECT_EQ(page.after.font, page.before.font);
    EXPECT_EQ(page.textColor, 0xFFFFFFu);
    ExpectTextOnlyInBlocks(page.frame, 100);
}

TEST(TextPage, SmallClientsUseAnEighthOfTheSmallerSide) {
    ExpectTextOnlyInBlocks(DrawOn(640, 380, 32).frame, 47);
    ExpectTextOnlyInBlocks(DrawOn(300, 800, 32).frame, 37);
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {7, 9}}) {
        EXPECT_EQ(DrawOn(w, h, 32).frame.Width(), w);
    }
}

} // namespace
