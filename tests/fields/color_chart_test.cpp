#include "field_frames.h"
#include "support/expect_frame.h"

using namespace fields_test;
using testing_support::ExpectFrame;
using testing_support::RowRuns;

namespace {

TEST(ColorBars, FiveBarsSplitByFifths) {
    constexpr std::uint32_t kBars[5] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    for (auto [w, edges] : {std::pair{1920, std::array{0, 384, 768, 1152, 1536, 1920}},
                            {1919, std::array{0, 383, 767, 1151, 1535, 1919}}}) {
        gdi::Surface expected(w, 60);
        for (int i = 0; i < 5; ++i) {
            gdi::FillRect(expected, expected.Bounds(), {edges[i], 0, edges[i + 1], 60}, kBars[i]);
        }
        ExpectFrame(DrawOn(w, 60, 40).frame, expected);
    }
}

// The 24 patches as surface pixels (0x00RRGGBB), row by row.
constexpr std::uint32_t kPatches[24] = {0x5F1001, 0xFBA16D, 0x657CFF, 0x5B691C, 0xB18CDC, 0x99FFA9,
                                        0xFF7808, 0x002584, 0xF41321, 0x410044, 0xD0FE06, 0xFE9B02,
                                        0x000098, 0x3ABE1D, 0xE10000, 0xFEF104, 0xE70084, 0x019ED3,
                                        0xFFFFFF, 0xE1E1E1, 0xC7C7C7, 0x7A7A7A, 0x2F2F2F, 0x0A0A0A};

gdi::Surface Chart(int w, int h, std::array<std::pair<int, int>, 6> columns,
                   std::array<std::pair<int, int>, 4> rows) {
    gdi::Surface s(w, h, 0);
    for (int r = 0; r < 4; ++r) {
        for (int k = 0; k < 6; ++k) {
            const RECT patch{columns[k].first, rows[r].first, columns[k].second, rows[r].second};
            gdi::FillRect(s, s.Bounds(), patch, kPatches[r * 6 + k]);
        }
    }
    return s;
}

TEST(ColorChart, TwentyFourPatchesOnBlack) {
    const std::array<std::pair<int, int>, 6> columns = {
        {{45, 319}, {365, 639}, {685, 959}, {1004, 1278}, {1324, 1598}, {1644, 1918}}};
    ExpectFrame(DrawOn(1920, 1080, 39).frame,
                Chart(1920, 1080, columns, {{{54, 270}, {324, 540}, {594, 810}, {864, 1080}}}));
    ExpectFrame(DrawOn(1919, 1079, 39, {.labels = false}).frame,
                Chart(1919, 1079, columns, {{{53, 268}, {322, 537}, {591, 806}, {860, 1075}}}));
    ExpectFrame(DrawOn(1280, 1024, 39).frame,
                Chart(1280, 1024,
                      {{{30, 212}, {242, 424}, {455, 637}, {667, 849}, {879, 1061}, {1092, 1274}}},
                      {{{51, 255}, {306, 510}, {561, 765}, {816, 1020}}}));
}

TEST(ColorBarsAndChart, DegenerateSizesStayBlackOrBarred) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 3}, {3, 2}, {6, 4}}) {
        // Too small for a patch of any width: the chart is all black.
        EXPECT_TRUE(testing_support::AllEqual(DrawOn(w, h, 39).frame, 0));
        EXPECT_EQ(DrawOn(w, h, 40).frame.Width(), w);
    }
    const gdi::Surface three = DrawOn(3, 1, 40).frame;
    // Edges 0, 0, 1, 1, 2, 3: black and green have no width.
    EXPECT_EQ(RowRuns(three, 0), "ff0000*1 0000ff*1 ffffff*1");
}

} // namespace
