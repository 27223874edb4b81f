#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::ColumnsWith;
using testing_support::Picture;
using testing_support::Session;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// The frame shown after selecting a pattern id with a digit key (all patterns enabled).
gdi::Surface Frame(int width, int height, int id) {
    Session s(width, height);
    gdi::Surface frame;
    s.backend.KeyDown('0' + static_cast<UINT>(id));
    s.backend.Run([&] { frame = s.Screen(); });
    s.Run();
    return frame;
}

// Columns lit on every row, and nothing else lit anywhere.
std::vector<int> LitColumns(const gdi::Surface& f) {
    std::vector<int> first = ColumnsWith(f, 0, kWhite);
    for (int y = 1; y < f.Height(); ++y) {
        EXPECT_EQ(ColumnsWith(f, y, kWhite), first) << "row " << y;
    }
    return first;
}

TEST(EdgeLines, LightExactlyTheEdgeColumns) {
    EXPECT_EQ(LitColumns(Frame(1920, 1080, 0)), (std::vector<int>{0}));
    EXPECT_EQ(LitColumns(Frame(1920, 1080, 1)), (std::vector<int>{1919}));
    EXPECT_EQ(LitColumns(Frame(1920, 1080, 2)), (std::vector<int>{0, 1919}));
    EXPECT_EQ(LitColumns(Frame(1920, 1080, 3)), (std::vector<int>{0, 1}));
    EXPECT_EQ(LitColumns(Frame(1920, 1080, 4)), (std::vector<int>{1918, 1919}));
    EXPECT_EQ(LitColumns(Frame(1024, 768, 5)), (std::vector<int>{0, 1, 1022, 1023}));
}

TEST(EdgeLines, AlternateColumnsReachTheRightEdgeOnlyAtOddWidths) {
    const auto odd = LitColumns(Frame(1919, 20, 6));
    EXPECT_EQ(odd.size(), 960u);
    EXPECT_EQ(odd.back(), 1918);
    const auto even = LitColumns(Frame(1920, 20, 6));
    EXPECT_EQ(even.size(), 960u);
    EXPECT_EQ(even.back(), 1918);
}

TEST(PixelChecker, IsACheckerboardInsideAWhiteFrame) {
    EXPECT_EQ(Picture(Frame(6, 5, 7)), "######\n"
                                       "##.#.#\n"
                                       "#.#.##\n"
                                       "##.#.#\n"
                                       "######\n");
    EXPECT_EQ(Picture(Frame(7, 4, 7)), "#######\n"
                                       "##.#.##\n"
                                       "#.#.#.#\n"
                                       "#######\n");
    EXPECT_EQ(Picture(Frame(5, 1, 7)), "#####\n");
    EXPECT_EQ(Picture(Frame(1, 3, 7)), "#\n#\n#\n");
}

TEST(PixelChecker, FollowsParityAcrossAFullScreen) {
    const gdi::Surface f = Frame(1920, 1080, 7);
    for (int y = 0; y < 1080; ++y) {
        for (int x = 0; x < 1920; ++x) {
            const bool edge = x == 0 || y == 0 || x == 1919 || y == 1079;
            const std::uint32_t expected = edge || (x + y) % 2 == 0 ? kWhite : 0;
            ASSERT_EQ(f.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(EdgeLines, DegenerateSizesDrawWithoutWritingOutside) {
    for (int id = 0; id <= 7; ++id) {
        for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 1}, {1, 2}, {3, 2}, {0, 5}}) {
            const gdi::Surface f = Frame(w, h, id);
            EXPECT_EQ(f.Width(), w);
            EXPECT_EQ(f.Height(), h);
        }
    }
    EXPECT_EQ(Picture(Frame(1, 1, 1)), "#\n");
    EXPECT_EQ(Picture(Frame(2, 2, 4)), "##\n##\n");
}

} // namespace
