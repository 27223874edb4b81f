#include "field_frames.h"
#include "support/expect_frame.h"
#include "support/pixels.h"

using namespace fields_test;
using testing_support::ExpectFrame;

namespace {

// Gray (x + y) / 8 over the top-left 1024 x 1024 pixels but for column 0, which is white where
// the centred white square reaches it (rows from..to - 1) and black elsewhere; black everywhere
// else.
gdi::Surface Expected(int width, int height, int from = 0, int to = 0) {
    gdi::Surface s(width, height, 0);
    for (int y = 0; y < std::min(height, 1024); ++y) {
        for (int x = 1; x < std::min(width, 1024); ++x) {
            s.Set(x, y, static_cast<std::uint32_t>((x + y) / 8) * 0x010101u);
        }
    }
    for (int y = from; y < std::min({to, height, 1024}); ++y) {
        s.Set(0, y, 0xFFFFFF);
    }
    return s;
}

TEST(DiagonalRamp, GradientInTheTopLeftSquareOnly) {
    // On 1920 x 1080 the white square (447..1472, 27..1052) is painted over entirely.
    ExpectFrame(DrawOn(1920, 1080, 37).frame, Expected(1920, 1080));
    ExpectFrame(DrawOn(3840, 2160, 37, {.labels = false}).frame, Expected(3840, 2160));
}

// Column 0 keeps the white square where the square reaches it: up to a width of 1027, where
// x0 - 1 = (1027 - 1024) / 2 - 1 is still 0. The rows from 1024 down are black again.
TEST(DiagonalRamp, ColumnZeroShowsTheWhiteSquareOnNarrowScreens) {
    ExpectFrame(DrawOn(1280, 1024, 37).frame, Expected(1280, 1024));
    ExpectFrame(DrawOn(1024, 768, 37).frame, Expected(1024, 768, 0, 768));
    ExpectFrame(DrawOn(1024, 768, 37, {.labels = false}).frame, Expected(1024, 768));
    // y0 = 38: the square's rows are 37..1062.
    ExpectFrame(DrawOn(1027, 1100, 37).frame, Expected(1027, 1100, 37, 1063));
    ExpectFrame(DrawOn(1028, 1100, 37).frame, Expected(1028, 1100));
    ExpectFrame(DrawOn(600, 1100, 37).frame, Expected(600, 1100, 37, 1063));
}

// Called on its own the routine covers whatever the DC held before.
TEST(DiagonalRamp, PaintsTheWholeClientArea) {
    for (auto [w, h] : {std::pair{1920, 1080}, {1024, 768}, {3000, 1500}}) {
        InWindow(w, h, [&](CLumivexDlg& main) {
            main.SetStateForTest(0, FALSE, 37, 128);
            testing_support::MemoryFrame target(w, h, 0x123456);
            main.DrawDiagonalRamp(&target.dc);
            ExpectFrame(target.Pixels(), Expected(w, h));
            EXPECT_EQ(target.dc.GetBkColor(), 0u);
        });
    }
}

// The ramp's lines follow the DC's raster operation and leave the current position at the end
// of the last one, whether it is drawn as lines or, with the pen overwriting, row by row.
TEST(DiagonalRamp, RasterOperationAndCurrentPositionAreTheLines) {
    for (auto [w, h] : {std::pair{1920, 1080}, {600, 300}}) {
        InWindow(w, h, [&](CLumivexDlg& main) {
            main.SetStateForTest(0, FALSE, 37, 128);
            for (int rop : {R2_COPYPEN, R2_NOT}) {
                testing_support::MemoryFrame target(w, h, 0x123456);
                target.dc.SetROP2(rop);
                main.DrawDiagonalRamp(&target.dc);
                gdi::Surface expected = Expected(w, h);
                if (rop == R2_NOT) { // every lit pixel inverts the black below it
                    for (int y = 0; y < std::min(h, 1024); ++y) {
                        for (int x = 1; x < std::min(w, 1024); ++x) {
                            expected.Set(x, y, 0xFFFFFF);
                        }
                    }
                }
                ExpectFrame(target.Pixels(), expected);
                const CPoint position = target.dc.MoveTo(0, 0);
                EXPECT_EQ(position.x, 1023);
                EXPECT_EQ(position.y, 1024);
            }
        });
    }
}

TEST(DiagonalRamp, DegenerateSizesDoNotCrash) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 3}, {3, 2}}) {
        ExpectFrame(DrawOn(w, h, 37).frame, Expected(w, h, 0, 1024));
    }
}

} // namespace
