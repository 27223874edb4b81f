#include "field_frames.h"
#include "support/expect_frame.h"
#include "support/pixels.h"

using namespace fields_test;
using testing_support::AllEqual;
using testing_support::ExpectFrame;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF, kBlack = 0x000000;

// A frame of the given size split into the given areas of solid pixels.
gdi::Surface Areas(int width, int height, std::initializer_list<std::pair<RECT, COLORREF>> areas) {
    gdi::Surface s(width, height, 0);
    for (auto [r, c] : areas) {
        gdi::FillRect(s, s.Bounds(), r, gdi::ToPixel(c));
    }
    return s;
}

TEST(ColorField, FixedFieldsCarryTheirValuesInWhiteOnDarkComponentsElseBlack) {
    struct Case {
        int id;
        COLORREF color;
        COLORREF ink;
    };
    const Case cases[] = {{20, 0x404040, kBlack}, {21, 0x7F7F7F, kBlack}, {22, 0xA0A0A0, kBlack},
                          {23, 0xC0C0C0, kBlack}, {24, 0xFFFFFF, kBlack}, {25, 0x000000, kWhite},
                          {26, 0x0000FF, kWhite}, {27, 0x00FF00, kWhite}, {28, 0xFF0000, kWhite}};
    InWindow(1920, 1080, [&](CLumivexDlg& main) {
        const RECT all{0, 0, 1920, 1080};
        for (const Case& c : cases) {
            SCOPED_TRACE(c.id);
            const Drawn bare = Draw(main, c.id, {.labels = false});
            EXPECT_TRUE(AllEqual(bare.frame, gdi::ToPixel(c.color)));
            const Drawn labelled = Draw(main, c.id);
            ExpectOnlyText(labelled.frame, bare.frame, c.ink, ValueLabel(all, c.color));
            EXPECT_EQ(labelled.textColor, c.ink);
            EXPECT_EQ(labelled.bkMode, OPAQUE); // put back after the label
        }
    });
}

TEST(ColorField, TheLabelStartsAtTheMiddleAndLeavesOneLineFree) {
    const std::vector<TextLine> lines = ValueLabel({0, 0, 1920, 1080}, 0x0000FF);
    const int cy = Measure("R:255").cy;
    EXPECT_EQ(lines[0].text, "R:255");
    EXPECT_EQ(lines[1].text, "G:0");
    EXPECT_EQ(lines[2].text, "B:0");
    for (const TextLine& line : lines) {
        EXPECT_EQ(line.x, 960);
    }
    EXPECT_EQ(lines[2].y + 2 * cy, 1080);
}

TEST(ColorField, SingleLevelUsesTheLowByteOfTheGrayLevel) {
    InWindow(640, 480, [](CLumivexDlg& main) {
        for (int gray : {0, 1, 49, 50, 254, 255}) {
            SCOPED_TRACE(gray);
            const COLORREF color = static_cast<COLORREF>(gray) * 0x010101;
            const Drawn bare = Draw(main, 29, {.gray = gray, .labels = false});
            EXPECT_TRUE(AllEqual(bare.frame, gdi::ToPixel(color)));
            const Drawn labelled = Draw(main, 29, {.gray = gray});
            const COLORREF ink = gray < 50 ? kWhite : kBlack;
            ExpectOnlyText(labelled.frame, bare.frame, ink, ValueLabel({0, 0, 640, 480}, color));
        }
        EXPECT_TRUE(AllEqual(Draw(main, 29, {.gray = 256 + 7, .labels = false}).frame, 0x070707));
    });
}

// Patterns 33 and 34 at 1920 x 1080 and at the odd width 1919: the halves, their labels and
// the text colour, which stays white on the right once the left half has made it so.
TEST(ColorField, LevelPairsClampAndCarryWhiteTextToTheRightHalf) {
    struct Case {
        int id, gray, left, right;
        COLORREF leftInk, rightInk;
    };
    const Case cases[] = {{33, 0, 0, 1, kWhite, kWhite},       {33, 1, 1, 2, kWhite, kWhite},
                          {33, 49, 49, 50, kWhite, kWhite},    {33, 50, 50, 51, kBlack, kBlack},
                          {33, 254, 254, 255, kBlack, kBlack}, {33, 255, 254, 255, kBlack, kBlack},
                          {34, 0, 1, 0, kWhite, kWhite},       {34, 1, 1, 0, kWhite, kWhite},
                          {34, 49, 49, 48, kWhite, kWhite},    {34, 50, 50, 49, kBlack, kWhite},
                          {34, 254, 254, 253, kBlack, kBlack}, {34, 255, 255, 254, kBlack, kBlack}};
    for (int width : {1920, 1919}) {
        InWindow(width, 1080, [&](CLumivexDlg& main) {
            const int half = width / 2;
            const RECT left{0, 0, half, 1080}, right{half, 0, width, 1080};
            for (const Case& c : cases) {
                SCOPED_TRACE(std::to_string(c.id) + " at gray " + std::to_string(c.gray) +
                             ", width " + std::to_string(width));
                const COLORREF l = c.left * 0x010101u, r = c.right * 0x010101u;
                const Drawn bare = Draw(main, c.id, {.gray = c.gray, .labels = false});
                ExpectFrame(bare.frame, Areas(width, 1080, {{left, l}, {right, r}}));
                const Drawn labelled = Draw(main, c.id, {.gray = c.gray});
                std::vector<TextLine> lines = ValueLabel(left, l);
                const std::vector<TextLine> rightLines = ValueLabel(right, r);
                if (c.leftInk == c.rightInk) {
                    lines.insert(lines.end(), rightLines.begin(), rightLines.end());
                    ExpectOnlyText(labelled.frame, bare.frame, c.leftInk, lines);
                } else {
                    // Check each half against the other half's pixels left as they are.
                    gdi::Surface leftOnly = bare.frame, rightOnly = bare.frame;
                    for (int y = 0; y < 1080; ++y) {
                        for (int x = 0; x < width; ++x) {
                            (x < half ? leftOnly : rightOnly).Set(x, y, labelled.frame.At(x, y));
                        }
                    }
                    ExpectOnlyText(leftOnly, bare.frame, c.leftInk, lines);
                    ExpectOnlyText(rightOnly, bare.frame, c.rightInk, rightLines);
                }
                EXPECT_EQ(labelled.textColor, c.rightInk);
            }
        });
    }
    EXPECT_EQ(ValueLabel({0, 0, 959, 1080}, 0)[0].x, 479);
    EXPECT_EQ(ValueLabel({959, 0, 1919, 1080}, 0)[0].x, 1439);
}

// The text colour is the one lasting change a field makes to the DC besides the background
// colour: white is set for a dark component and never taken back.
TEST(ColorField, TextColourIsSetWhiteAndNeverRestored) {
    InWindow(64, 48, [](CLumivexDlg& main) {
        main.SetStateForTest(0, TRUE, 0, 128);
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        main.DrawColorField(&dc, 0x323232, 0, 0, 32, 48);
        EXPECT_EQ(dc.GetTextColor(), kBlack);
        EXPECT_EQ(dc.GetBkColor(), 0x323232u);
        main.DrawColorField(&dc, 0x313131, 0, 0, 32, 48);
        EXPECT_EQ(dc.GetTextColor(), kWhite);
        main.DrawColorField(&dc, 0x323232, 32, 0, 64, 48);
        EXPECT_EQ(dc.GetTextColor(), kWhite);
        dc.SetTextColor(0x123456);
        main.SetStateForTest(0, FALSE, 0, 128);
        main.DrawColorField(&dc, 0x000000, 0, 0, 64, 48);
        EXPECT_EQ(dc.GetTextColor(), 0x123456u); // labels off: no text, no colour change
    });
}

TEST(ColorField, DegenerateAreasAndSizesDoNotCrash) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 3}, {3, 2}}) {
        for (int id : {20, 24, 25, 29, 33, 34}) {
            const Drawn d = DrawOn(w, h, id, {.gray = 49});
            EXPECT_EQ(d.frame.Width() * d.frame.Height(), w * h);
        }
    }
    InWindow(64, 48, [](CLumivexDlg& main) {
        const gdi::Surface s =
            testing_support::DrawInto(64, 48, [&](CDC* dc) {
                main.DrawColorField(dc, 0xFFFFFF, 40, 40, 10, 10); // inverted: the normalised area
                main.DrawColorField(dc, 0xFFFFFF, 70, 0, 90, 48);  // off the surface
            }).frame;
        EXPECT_EQ(s.At(10, 10), 0xFFFFFFu);
        EXPECT_EQ(s.At(63, 47), 0u);
    });
}

} // namespace
