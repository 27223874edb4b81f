// The formulas that turn stored values into 0 … 255, at their ends and where they turn.

#include "gray_mapping.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using imageio::ApplyLut;
using imageio::ApplyWindow;
using imageio::BuildGrayTable;
using imageio::SampleMapping;
using imageio::ScaleBitDepth;
using imageio::VoiFunction;
using imageio::VoiLut;
using imageio::VoiWindow;

TEST(GrayMapping, BitDepthScalesTheFullRangeAndRounds) {
    EXPECT_EQ(ScaleBitDepth(0, 12), 0);
    EXPECT_EQ(ScaleBitDepth(4095, 12), 255);
    EXPECT_EQ(ScaleBitDepth(8, 12), 0);      // 0.498
    EXPECT_EQ(ScaleBitDepth(9, 12), 1);      // 0.560
    EXPECT_EQ(ScaleBitDepth(2048, 12), 128); // 127.53
    EXPECT_EQ(ScaleBitDepth(65535, 16), 255);
    EXPECT_EQ(ScaleBitDepth(128, 16), 0); // 0.498
    EXPECT_EQ(ScaleBitDepth(129, 16), 1); // 0.502
    EXPECT_EQ(ScaleBitDepth(1, 1), 255);
    for (std::uint32_t v = 0; v < 256; ++v) {
        ASSERT_EQ(ScaleBitDepth(v, 8), v);
    }
    // Every value of every depth, against the formula in floating point.
    for (int bits = 1; bits <= 16; ++bits) {
        const double max = (1 << bits) - 1;
        for (std::uint32_t v = 0; v <= max; ++v) {
            ASSERT_EQ(ScaleBitDepth(v, bits), static_cast<int>(std::floor(v * 255 / max + 0.5)))
                << v << " of " << bits << " bits";
        }
    }
}

TEST(GrayMapping, LinearWindowEnds) {
    // Centre 2048, width 4096 on 12-bit values: the bottom border is −0.5, the top 4094.5.
    const VoiWindow w{2048, 4096, VoiFunction::Linear};
    EXPECT_EQ(ApplyWindow(-1, w), 0);
    EXPECT_EQ(ApplyWindow(0, w), 0);
    EXPECT_EQ(ApplyWindow(4094, w), 254); // 254.94, truncated
    EXPECT_EQ(ApplyWindow(4095, w), 255);
    EXPECT_EQ(ApplyWindow(1e9, w), 255);

    // A narrow window: centre 100, width 11 spans 94.5 … 104.5 with a step of 25.5 per value.
    const VoiWindow n{100, 11, VoiFunction::Linear};
    EXPECT_EQ(ApplyWindow(94, n), 0);    // at the bottom border
    EXPECT_EQ(ApplyWindow(95, n), 12);   // 255 × 0.5 / 10
    EXPECT_EQ(ApplyWindow(100, n), 140); // 255 × 5.5 / 10 = 140.25
    EXPECT_EQ(ApplyWindow(104, n), 242);
    EXPECT_EQ(ApplyWindow(105, n), 255); // above the top border

    // Width 1: a threshold at c − 0.5.
    const VoiWindow t{10, 1, VoiFunction::Linear};
    EXPECT_EQ(ApplyWindow(9, t), 0);
    EXPECT_EQ(ApplyWindow(9.5, t), 0);
    EXPECT_EQ(ApplyWindow(10, t), 255);
}

TEST(GrayMapping, TheExportWindowLeavesEightBitValuesAlone) {
    for (const VoiWindow& w :
         {VoiWindow{127.5, 256, VoiFunction::Linear}, VoiWindow{128, 256, VoiFunction::Linear},
          VoiWindow{127.5, 255, VoiFunction::LinearExact}}) {
        for (int v = 0; v < 256; ++v) {
            ASSERT_EQ(ApplyWindow(v, w), v) << w.center << "/" << w.width;
        }
    }
}

TEST(GrayMapping, LinearExactAndSigmoidWindows) {
    const VoiWindow exact{2048, 4096, VoiFunction::LinearExact};
    EXPECT_EQ(ApplyWindow(0, exact), 0);      // at c − w/2
    EXPECT_EQ(ApplyWindow(1, exact), 0);      // 0.06
    EXPECT_EQ(ApplyWindow(2048, exact), 127); // 127.5
    EXPECT_EQ(ApplyWindow(4096, exact), 255); // at c + w/2
    EXPECT_EQ(ApplyWindow(4097, exact), 255);

    const VoiWindow sigmoid{100, 50, VoiFunction::Sigmoid};
    EXPECT_EQ(ApplyWindow(100, sigmoid), 127); // half of 255
    EXPECT_EQ(ApplyWindow(-1e6, sigmoid), 0);
    EXPECT_EQ(ApplyWindow(1e6, sigmoid), 255);
    EXPECT_EQ(ApplyWindow(125, sigmoid), 224); // 255 / (1 + e^−2) = 224.5
}

TEST(GrayMapping, LutClampsBelowAndAboveItsRange) {
    const VoiLut lut{100, 10, {0, 511, 1023}};
    EXPECT_EQ(ApplyLut(-5, lut), 0);
    EXPECT_EQ(ApplyLut(100, lut), 0);
    EXPECT_EQ(ApplyLut(101, lut), 127); // 511 × 255 / 1023 = 127.4
    EXPECT_EQ(ApplyLut(101.9, lut), 127);
    EXPECT_EQ(ApplyLut(102, lut), 255);
    EXPECT_EQ(ApplyLut(5000, lut), 255);
    // Entries beyond the stated bits are taken as the top.
    EXPECT_EQ(ApplyLut(0, VoiLut{0, 8, {4000}}), 255);
}

TEST(GrayMapping, TablesCoverEveryStoredPattern) {
    SampleMapping m;
    m.bitsStored = 12;
    const std::vector<std::uint8_t> plain = BuildGrayTable(m);
    ASSERT_EQ(plain.size(), 4096u);
    EXPECT_EQ(plain[0], 0);
    EXPECT_EQ(plain[4095], 255);

    m.invert = true; // MONOCHROME1
    EXPECT_EQ(BuildGrayTable(m)[0], 255);
    EXPECT_EQ(BuildGrayTable(m)[4095], 0);

    // Signed: the bit pattern 0x800 is −2048, the lowest value, and 0x7FF the highest.
    SampleMapping s;
    s.bitsStored = 12;
    s.isSigned = true;
    const std::vector<std::uint8_t> signedTable = BuildGrayTable(s);
    EXPECT_EQ(signedTable[0x800], 0);
    EXPECT_EQ(signedTable[0x7FF], 255);
    EXPECT_EQ(signedTable[0x000], 128); // 2048 × 255 / 4095 = 127.53

    // A rescale with a positive slope changes nothing without a window; a negative one inverts.
    SampleMapping r = m;
    r.invert = false;
    r.rescaleSlope = 2.5;
    r.rescaleIntercept = -1024;
    EXPECT_EQ(BuildGrayTable(r), plain);
    r.rescaleSlope = -1;
    EXPECT_EQ(BuildGrayTable(r)[0], 255);
    EXPECT_EQ(BuildGrayTable(r)[4095], 0);

    // With a window the rescaled value is windowed: −1024 + 2 × stored, window 0 … 1000.
    SampleMapping w;
    w.bitsStored = 12;
    w.rescaleSlope = 2;
    w.rescaleIntercept = -1024;
    w.window = VoiWindow{500.5, 1001, VoiFunction::Linear}; // borders −0.5 and 999.5
    const std::vector<std::uint8_t> windowed = BuildGrayTable(w);
    EXPECT_EQ(windowed[511], 0);    // −2
    EXPECT_EQ(windowed[512], 0);    // 0 → 255 × 0.5 / 1000
    EXPECT_EQ(windowed[762], 127);  // 500 → 127.5
    EXPECT_EQ(windowed[1011], 254); // 998
    EXPECT_EQ(windowed[1012], 255); // 1000
}

} // namespace
