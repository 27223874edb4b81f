#include "field_frames.h"

using namespace fields_test;
using testing_support::RowRuns;

namespace {

// The RowRuns of a row made of (pixel, count) spans, whose neighbours may share a value.
using Spans = std::vector<std::pair<std::uint32_t, int>>;
std::string Summary(const Spans& spans) {
    int width = 0;
    for (const auto& span : spans) {
        width += span.second;
    }
    gdi::Surface row(width, 1, 0);
    int x = 0;
    for (const auto& [pixel, count] : spans) {
        for (int i = 0; i < count; ++i) {
            row.Set(x++, 0, pixel);
        }
    }
    return RowRuns(row, 0);
}

std::uint32_t Gray(int level) {
    return static_cast<std::uint32_t>(level) * 0x010101u;
}

TEST(GraySteps, EightStepsInAMarginCutByTheBlackLine) {
    InWindow(1920, 1080, [](CLumivexDlg& main) {
        const Drawn d = Draw(main, 13, {.gray = 50, .labels = false, .steps = 8});
        Spans upperSpans{{0, 10}}, lowerSpans{{0, 10}};
        for (int j = 0; j < 8; ++j) {
            const int g = j == 7 ? 255 : 32 * (j + 1);
            upperSpans.push_back({Gray(g), 237});
            lowerSpans.push_back({Gray(255 - g), 237});
        }
        upperSpans.push_back({0, 14});
        lowerSpans.push_back({0, 14});
        const std::string upper = Summary(upperSpans), lower = Summary(lowerSpans);
        const std::string black = Summary({{0, 1920}});
        for (int y = 0; y < 1080; ++y) {
            const bool inUpper = y >= 10 && y<540, inLower = y> 540 && y < 1070;
            ASSERT_EQ(RowRuns(d.frame, y), inUpper   ? upper
                                           : inLower ? lower
                                                     : black)
                << "row " << y;
        }
        // The label sits on the fifth lower step (958..1194, level 95), in black.
        const Drawn labelled = Draw(main, 13, {.gray = 50, .steps = 8});
        ExpectOnlyText(labelled.frame, d.frame, 0x000000, {{"Level:8", 960, 960}});
    });
}

TEST(GraySteps, AnOddGrayLevelPushesTheLowerHalfOffTheScreen) {
    InWindow(1920, 1080, [](CLumivexDlg& main) {
        for (int gray : {1, 49, 255}) {
            const Drawn eight = Draw(main, 13, {.gray = gray, .steps = 8});
            const std::string top = RowRuns(eight.frame, 10);
            EXPECT_EQ(top.substr(0, 21), "000000*10 202020*237 ");
            for (int y = 10; y < 1080; ++y) {
                ASSERT_EQ(RowRuns(eight.frame, y), top) << gray << " row " << y;
            }
            // Ramps: only the rising half shows, over the whole height, and no label.
            const Drawn ramp = Draw(main, 38, {.gray = gray});
            const std::string rising = RowRuns(ramp.frame, 0);
            EXPECT_EQ(StepsOf(ramp.frame, 0, 1920).levels.front(), 0);
            EXPECT_EQ(StepsOf(ramp.frame, 0, 1920).levels.back(), 255);
            for (int y = 0; y < 1080; ++y) {
                ASSERT_EQ(RowRuns(ramp.frame, y), rising) << gray << " row " << y;
            }
        }
    });
}

TEST(GraySteps, EighteenStepsWithTheirLabel) {
    InWindow(1920, 1080, [](CLumivexDlg& main) {
        const Drawn bare = Draw(main, 38, {.labels = false, .steps = 64});
        const Steps up = StepsOf(bare.frame, 0, 1920), down = StepsOf(bare.frame, 1079, 1920);
        ASSERT_EQ(up.levels.size(), 18u);
        for (int j = 0; j < 18; ++j) {
            EXPECT_EQ(up.levels[j], 15 * j);
            EXPECT_EQ(down.levels[j], 255 - 15 * j);
            const int width = 1920 * (j + 1) / 18 - 1920 * j / 18;
            EXPECT_TRUE(width == 106 || width == 107) << j;
        }
        // Level:18 at (960, 960): the label shows the step count, not the gray level.
        const Drawn labelled = Draw(main, 38, {.gray = 200, .steps = 64});
        ExpectOnlyText(labelled.frame, bare.frame, 0x000000, {{"Level:18", 960, 960}});
        EXPECT_EQ(labelled.bkMode, OPAQUE);
        // 32 steps: the second step is 8 above and 246 below.
        const Drawn d32 = Draw(main, 13, {.labels = false, .steps = 32});
        EXPECT_EQ(d32.frame.At(60, 0), Gray(8));
        EXPECT_EQ(d32.frame.At(60, 1079), Gray(246));
    });
}

// Pattern 36 ignores the step count and the gray level: 256 columns four pixels wide, centred,
// framed in white while the labels are on.
TEST(GraySteps, SquareRampIsCentredWithAWhiteFrame) {
    InWindow(1280, 1024, [](CLumivexDlg& main) {
        // x0 = 128, y0 = 0: the frame's top and bottom rows are off the screen.
        Spans framedSpans{{0, 127}, {0xFFFFFF, 1}}, bareSpans{{0, 128}};
        for (int i = 0; i < 256; ++i) {
            framedSpans.push_back({Gray(i), 4});
            bareSpans.push_back({Gray(i), 4});
        }
        framedSpans.insert(framedSpans.end(), {{0xFFFFFF, 1}, {0, 127}});
        bareSpans.push_back({0, 128});
        const std::string framed = Summary(framedSpans), bare = Summary(bareSpans);
        for (auto [state, row] : {std::pair{State{.gray = 7, .steps = 16}, framed},
                                  {State{.gray = 0, .steps = 256}, framed},
                                  {State{.labels = false}, bare}}) {
            const Drawn d = Draw(main, 36, state);
            for (int y = 0; y < 1024; ++y) {
                ASSERT_EQ(RowRuns(d.frame, y), row) << "row " << y;
            }
        }
    });
    InWindow(1920, 1080, [](CLumivexDlg& main) {
        const Drawn d = Draw(main, 36);
        // x0 = 448, y0 = 28: the frame's rows are 27 and 1052, its columns 447 and 1472.
        EXPECT_EQ(RowRuns(d.frame, 27), Summary({{0, 447}, {0xFFFFFF, 1026}, {0, 447}}));
        EXPECT_EQ(RowRuns(d.frame, 1052), RowRuns(d.frame, 27));
        EXPECT_EQ(RowRuns(d.frame, 26), Summary({{0, 1920}}));
        EXPECT_EQ(d.frame.At(447, 28), 0xFFFFFFu);
        EXPECT_EQ(d.frame.At(448, 28), 0u);
        EXPECT_EQ(d.frame.At(1471, 1051), 0xFFFFFFu);
    });
}

// Counts the keys never reach: one step has no spacing to divide by and takes the ramp's first
// level (0 above, 255 below); none leaves the frame black.
TEST(GraySteps, OneStepOrNone) {
    InWindow(40, 30, [](CLumivexDlg& main) {
        const Drawn one = Draw(main, 13, {.labels = false, .steps = 1});
        EXPECT_EQ(RowRuns(one.frame, 14), Summary({{0, 40}}));
        EXPECT_EQ(RowRuns(one.frame, 15), Summary({{0xFFFFFF, 40}}));
        EXPECT_TRUE(
            testing_support::AllEqual(Draw(main, 13, {.labels = false, .steps = 0}).frame, 0));
    });
}

TEST(GraySteps, DegenerateSizesDoNotCrash) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 3}, {3, 2}, {19, 5}}) {
        InWindow(w, h, [&](CLumivexDlg& main) {
            for (int n : {8, 16, 256}) {
                for (int id : {13, 36, 38}) {
                    EXPECT_EQ(Draw(main, id, {.gray = n % 3, .steps = n}).frame.Width(), w);
                }
            }
        });
    }
}

} // namespace

namespace {

// The ramps as laid out: each step filled to the right edge, the next painting over it.
gdi::Surface PaintedToTheEdge(int w, int b, int h, int n) {
    gdi::Surface s(w, h, 0);
    for (int j = 0; j < n; ++j) {
        const double rise = j * 255.0 / (n - 1);
        const std::uint32_t up = static_cast<std::uint32_t>(static_cast<int>(rise));
        const std::uint32_t down = static_cast<std::uint32_t>(static_cast<int>(255.0 - rise));
        gdi::FillRect(s, s.Bounds(), {w * j / n, 0, w, b / 2}, up * 0x010101u);
        gdi::FillRect(s, s.Bounds(), {w * j / n, b / 2, w, b}, down * 0x010101u);
    }
    return s;
}

TEST(GraySteps, SameAsPaintingEachStepToTheEdge) {
    // The keys' counts on full screens; others the arithmetic must survive on small ones.
    const std::initializer_list<int> keyCounts = {16, 32, 64, 128, 256};
    const std::initializer_list<int> otherCounts = {2, 3, 18, 100, 1000};
    for (auto [w, h] : {std::pair{1920, 1080}, {1919, 1079}, {301, 203}, {37, 23}, {3, 2}}) {
        InWindow(w, h, [&](CLumivexDlg& main) {
            for (int n : w > 1000 ? keyCounts : otherCounts) {
                for (int gray : {0, 1}) {
                    const Drawn d = Draw(main, 13, {.gray = gray, .labels = false, .steps = n});
                    const int b = gray == 1 ? 2 * h : h;
                    ASSERT_TRUE(d.frame.Pixels() == PaintedToTheEdge(w, b, h, n).Pixels())
                        << w << " x " << h << ", " << n << " steps, gray " << gray;
                }
            }
        });
    }
}

} // namespace
