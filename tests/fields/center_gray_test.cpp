#include "field_frames.h"

using namespace fields_test;
using testing_support::RowRuns;

namespace {

TEST(CenterGray, EightRingsForwardAndReversed) {
    InWindow(1920, 1080, [](CLumivexDlg& main) {
        // dx = 120, dy = 67.5: the rings are 120 pixels wide; the centre one is 240 wide.
        const Drawn forward = Draw(main, 30, {.labels = false, .steps = 8});
        // The rings met walking along the middle row from the left edge to the centre.
        const Steps f = StepsOf(forward.frame, 540, 960);
        EXPECT_EQ(f.levels, (std::vector<int>{0, 31, 63, 95, 127, 159, 191, 223}));
        EXPECT_EQ(f.starts, (std::vector<int>{0, 120, 240, 360, 480, 600, 720, 840}));
        const Drawn reverse = Draw(main, 31, {.labels = false, .steps = 8});
        const Steps r = StepsOf(reverse.frame, 540, 960);
        EXPECT_EQ(r.levels, (std::vector<int>{255, 224, 192, 160, 128, 96, 64, 32}));
        EXPECT_EQ(r.starts, f.starts);
        // Down the middle column the rings are trunc(67.5 i) rows apart.
        std::vector<int> rows;
        for (int y = 1; y < 540; ++y) {
            if (forward.frame.At(960, y) != forward.frame.At(960, y - 1)) {
                rows.push_back(y);
            }
        }
        EXPECT_EQ(rows, (std::vector<int>{67, 135, 202, 270, 337, 405, 472}));
        // Labels: white on the second ring going forward, black on it reversed; each leaves
        // its colour set.
        const Drawn fl = Draw(main, 30, {.steps = 8});
        ExpectOnlyText(fl.frame, forward.frame, 0xFFFFFF, {{"Level:8", 960, 960}});
        EXPECT_EQ(fl.textColor, 0xFFFFFFu);
        EXPECT_EQ(fl.bkMode, OPAQUE);
        const Drawn rl = Draw(main, 31, {.steps = 8});
        ExpectOnlyText(rl.frame, reverse.frame, 0x000000, {{"Level:8", 960, 960}});
        EXPECT_EQ(rl.textColor, 0u);
    });
}

TEST(CenterGray, HundredAndTwentyEightRingsOfSevenAndAHalfPixels) {
    InWindow(1920, 1080, [](CLumivexDlg& main) {
        const Drawn d = Draw(main, 30, {.labels = false, .steps = 128});
        const Steps w = StepsOf(d.frame, 540, 960);
        ASSERT_EQ(w.levels.size(), 128u);
        for (int i = 0; i < 128; ++i) {
            EXPECT_EQ(w.starts[i], i * 15 / 2);
            EXPECT_EQ(w.levels[i], i * 255 / 128);
        }
        EXPECT_EQ(d.frame.At(960, 540), 0xFDFDFDu); // the centre is gray 253
        EXPECT_EQ(d.frame.At(0, 0), 0u);
        ExpectOnlyText(Draw(main, 30, {.steps = 128}).frame, d.frame, 0xFFFFFF,
                       {{"Level:128", 960, 960}});
    });
}

TEST(CenterGray, DegenerateSizesAndCountsDoNotCrash) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 3}, {3, 2}}) {
        InWindow(w, h, [&](CLumivexDlg& main) {
            for (int n : {8, 256}) {
                EXPECT_EQ(Draw(main, 30, {.steps = n}).frame.Width(), w);
                EXPECT_EQ(Draw(main, 31, {.steps = n}).frame.Width(), w);
            }
        });
    }
    // No ring count at all: nothing to divide by, the frame stays black.
    const Drawn none = DrawOn(40, 30, 30, {.labels = false, .steps = 0});
    EXPECT_TRUE(testing_support::AllEqual(none.frame, 0));
}

} // namespace

namespace {

// The rings as laid out: every rectangle filled whole, outermost first.
gdi::Surface PaintedWhole(int w, int h, int n, bool reverse) {
    gdi::Surface s(w, h, 0);
    const double k = 255.0 / n, dx = w / (2.0 * n), dy = h / (2.0 * n);
    for (int i = 0; i <= n; ++i) {
        const int g = static_cast<int>(i * k);
        const std::uint32_t level = static_cast<std::uint32_t>(reverse ? 255 - g : g);
        RECT r{static_cast<int>(i * dx), static_cast<int>(i * dy), static_cast<int>(w - i * dx),
               static_cast<int>(h - i * dy)};
        if (r.left > r.right) {
            std::swap(r.left, r.right);
        }
        if (r.top > r.bottom) {
            std::swap(r.top, r.bottom);
        }
        gdi::FillRect(s, s.Bounds(), r, level * 0x010101u);
    }
    return s;
}

TEST(CenterGray, SameAsPaintingEveryRectangleWhole) {
    // The keys' counts on full screens; others the arithmetic must survive on small ones.
    const std::initializer_list<int> keyCounts = {8, 16, 32, 64, 128, 256};
    const std::initializer_list<int> otherCounts = {1, 3, 7, 100, 255, 1000};
    for (auto [w, h] : {std::pair{1920, 1080}, {1919, 1079}, {301, 203}, {37, 23}, {3, 2}}) {
        InWindow(w, h, [&](CLumivexDlg& main) {
            for (int n : w > 1000 ? keyCounts : otherCounts) {
                for (bool reverse : {false, true}) {
                    const Drawn d = Draw(main, reverse ? 31 : 30, {.labels = false, .steps = n});
                    ASSERT_TRUE(d.frame.Pixels() == PaintedWhole(w, h, n, reverse).Pixels())
                        << w << " x " << h << ", " << n << " rings";
                }
            }
        });
    }
}

} // namespace
