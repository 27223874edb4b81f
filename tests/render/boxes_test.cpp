#include "support/expect_frame.h"
#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::ExpectFrame;
using testing_support::PatternFrame;

namespace {

// Black with exactly these white rectangles (clipped to the screen).
gdi::Surface Expected(int width, int height, std::initializer_list<RECT> boxes) {
    gdi::Surface s(width, height, 0);
    for (const RECT& r : boxes) {
        gdi::FillRect(s, s.Bounds(), r, 0xFFFFFF);
    }
    return s;
}

TEST(Boxes, At1920x1080) {
    ExpectFrame(PatternFrame(1920, 1080, 9), Expected(1920, 1080, {{800, 380, 1120, 700}}));
    ExpectFrame(PatternFrame(1920, 1080, 10), Expected(1920, 1080,
                                                       {{0, 0, 220, 220},
                                                        {850, 0, 1070, 220},
                                                        {1700, 0, 1920, 220},
                                                        {0, 430, 220, 650},
                                                        {850, 430, 1070, 650},
                                                        {1700, 430, 1920, 650},
                                                        {0, 860, 220, 1080},
                                                        {850, 860, 1070, 1080},
                                                        {1700, 860, 1920, 1080}}));
    ExpectFrame(PatternFrame(1920, 1080, 11),
                Expected(1920, 1080,
                         {{360, 450, 600, 630}, {840, 450, 1080, 630}, {1320, 450, 1560, 630}}));
    ExpectFrame(PatternFrame(1920, 1080, 12), Expected(1920, 1080,
                                                       {{10, 10, 210, 210},
                                                        {1710, 10, 1910, 210},
                                                        {10, 870, 210, 1070},
                                                        {1710, 870, 1910, 1070},
                                                        {860, 440, 1060, 640}}));
}

TEST(Boxes, SquaresReachPastTheEdgesAndShrinkOnSmallScreens) {
    ExpectFrame(PatternFrame(1024, 768, 9), Expected(1024, 768, {{352, 256, 672, 512}}));
    // s stays 100 while b = 85: the corner squares are clipped at the top and bottom.
    ExpectFrame(PatternFrame(1024, 768, 12), Expected(1024, 768,
                                                      {{10, -15, 210, 185},
                                                       {814, -15, 1014, 185},
                                                       {10, 583, 210, 783},
                                                       {814, 583, 1014, 783},
                                                       {412, 284, 612, 484}}));
    const gdi::Surface small = PatternFrame(640, 360, 12);
    const gdi::Surface expected = Expected(640, 360,
                                           {{26, -5, 116, 85},
                                            {524, -5, 614, 85},
                                            {26, 275, 116, 365},
                                            {524, 275, 614, 365},
                                            {275, 135, 365, 225}});
    ExpectFrame(small, expected);
}

TEST(Boxes, DegenerateSizesDoNotCrash) {
    for (int id = 9; id <= 12; ++id) {
        for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 3}, {3, 2}}) {
            const gdi::Surface f = PatternFrame(w, h, id);
            EXPECT_EQ(f.Width() * f.Height(), w * h);
        }
    }
}

} // namespace
