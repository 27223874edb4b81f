#include "field_frames.h"
#include "support/expect_frame.h"

using namespace fields_test;
using testing_support::ExpectFrame;

namespace {

constexpr std::uint32_t kLight = 0xE3E3E3, kDark = 0x696969;

void Fill(gdi::Surface& s, RECT r, std::uint32_t pixel) {
    gdi::FillRect(s, s.Bounds(), r, pixel);
}

// The outline of the pixels l..r, t..b (both inclusive).
void Outline(gdi::Surface& s, int l, int t, int r, int b, std::uint32_t pixel) {
    Fill(s, {l, t, r + 1, t + 1}, pixel);
    Fill(s, {l, b, r + 1, b + 1}, pixel);
    Fill(s, {l, t, l + 1, b + 1}, pixel);
    Fill(s, {r, t, r + 1, b + 1}, pixel);
}

// Five outlines given the measured edges xa, ya, xb, yb, xc, yc, xd, yd.
gdi::Surface Boxes(int w, int h, std::uint32_t ground, std::uint32_t pen, std::array<int, 8> e) {
    const auto [xa, ya, xb, yb, xc, yc, xd, yd] = e;
    gdi::Surface s(w, h, ground);
    Outline(s, 5, 5, xa, ya, pen);
    Outline(s, xb, 5, w - 5, ya, pen);
    Outline(s, xc, yc, xd, yd, pen);
    Outline(s, 5, yb, xa, h - 5, pen);
    Outline(s, xb, yb, w - 5, h - 5, pen);
    return s;
}

TEST(UniformityBoxes, FiveOutlinesAtTheExactFractions) {
    struct Case {
        int id;
        std::uint32_t ground, pen;
    };
    const Case cases[] = {
        {17, 0xCCCCCC, 0x000000}, {18, 0x1A1A1A, 0xFFFFFF}, {35, 0x7F7F7F, 0xFFFFFF}};
    // With 0.65 in place of 0.35 + 0.3 the centre box would end at 1248 and 702.
    const std::array<int, 8> at1920 = {608, 342, 1312, 738, 672, 378, 1247, 701};
    InWindow(1920, 1080, [&](CLumivexDlg& main) {
        for (const Case& c : cases) {
            const Drawn d = Draw(main, c.id);
            ExpectFrame(d.frame, Boxes(1920, 1080, c.ground, c.pen, at1920));
            EXPECT_EQ(d.frame.At(1247, 500), c.pen);
            EXPECT_EQ(d.frame.At(1248, 500), c.ground);
        }
    });
    ExpectFrame(DrawOn(1280, 1024, 35).frame,
                Boxes(1280, 1024, 0x7F7F7F, 0xFFFFFF, {405, 324, 874, 699, 448, 358, 831, 665}));
    ExpectFrame(DrawOn(1919, 1079, 17).frame,
                Boxes(1919, 1079, 0xCCCCCC, 0, {607, 341, 1311, 737, 671, 377, 1247, 701}));
}

// A bump border: outer light then dark, inner dark then light, later strokes owning corners.
void Bump(gdi::Surface& s, int l, int t, int r, int b) {
    Fill(s, {l, t, r, t + 1}, kLight);
    Fill(s, {l, t, l + 1, b}, kLight);
    Fill(s, {l, b - 1, r, b}, kDark);
    Fill(s, {r - 1, t, r, b}, kDark);
    Fill(s, {l + 1, t + 1, r - 1, t + 2}, kDark);
    Fill(s, {l + 1, t + 1, l + 2, b - 1}, kDark);
    Fill(s, {l + 1, b - 2, r - 1, b - 1}, kLight);
    Fill(s, {r - 2, t + 1, r - 1, b - 1}, kLight);
}

// Nine squares, column by column and top to bottom within a column.
gdi::Surface Squares(int w, int h, std::uint32_t ground) {
    gdi::Surface s(w, h, ground);
    for (int k = 1; k <= 3; ++k) {
        for (int m = 1; m <= 3; ++m) {
            Bump(s, k * (w / 4) - 100, m * (h / 4) - 100, k * (w / 4) + 100, m * (h / 4) + 100);
        }
    }
    return s;
}

TEST(EdgeSquares, NineBumpSquaresOnTheBackground) {
    InWindow(1920, 1080, [](CLumivexDlg& main) {
        const Drawn dark = Draw(main, 41);
        ExpectFrame(dark.frame, Squares(1920, 1080, 0x1A1A1A));
        // Corners at x = 380, 860, 1340 and y = 170, 440, 710.
        EXPECT_EQ(testing_support::ColumnsWith(dark.frame, 170, kLight).front(), 380);
        EXPECT_EQ(testing_support::RowsWith(dark.frame, 1539, kDark).back(), 909);
        ExpectFrame(Draw(main, 42, {.labels = false}).frame, Squares(1920, 1080, 0xCCCCCC));
    });
    // Overlapping squares show the drawing order.
    ExpectFrame(DrawOn(400, 300, 41).frame, Squares(400, 300, 0x1A1A1A));
}

TEST(UniformityAndEdgeSquares, DegenerateSizesDoNotCrash) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 3}, {3, 2}}) {
        InWindow(w, h, [&](CLumivexDlg& main) {
            for (int id : {17, 18, 35, 41, 42}) {
                EXPECT_EQ(Draw(main, id).frame.Height(), h);
            }
        });
    }
}

} // namespace
