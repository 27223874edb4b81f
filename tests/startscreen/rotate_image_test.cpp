#include "startscreen/rotate_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

const std::uint8_t* Pixel(const CImage& image, int x, int y) {
    return static_cast<const std::uint8_t*>(image.GetBits()) +
           static_cast<std::ptrdiff_t>(y) * image.GetPitch() + x * (image.GetBPP() / 8);
}

// Turned by 180 degrees, the destination is the source upside down and left to right, except
// that its top row and left column are black (they would sample the never-used last row and
// column of the source).
void ExpectTurned(int id) {
    CImage src;
    src.LoadFromResource(AfxGetInstanceHandle(), static_cast<UINT>(id));
    ASSERT_FALSE(src.IsNull());
    CImage dst;
    RotateImage(src, dst, 180.0);
    ASSERT_EQ(dst.GetWidth(), src.GetWidth());
    ASSERT_EQ(dst.GetHeight(), src.GetHeight());
    ASSERT_EQ(dst.GetBPP(), 24);
    EXPECT_LT(dst.GetPitch(), 0) << "bottom-up";
    const int w = src.GetWidth();
    const int h = src.GetHeight();
    int lit = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* d = Pixel(dst, x, y);
            if (x == 0 || y == 0) {
                ASSERT_EQ(d[0] | d[1] | d[2], 0) << x << "," << y;
                continue;
            }
            const std::uint8_t* s = Pixel(src, w - 1 - x, h - 1 - y);
            ASSERT_EQ(d[0], s[0]) << x << "," << y;
            ASSERT_EQ(d[1], s[1]) << x << "," << y;
            ASSERT_EQ(d[2], s[2]) << x << "," << y;
            lit += d[0] != 0;
        }
    }
    EXPECT_GT(lit, 0);
}

TEST(RotateImage, HalfTurnOfTheSmallCornerPatch) {
    ExpectTurned(148);
}
TEST(RotateImage, HalfTurnOfTheLargeCornerPatch) {
    ExpectTurned(154);
}

// A 4 x 3 8-bit image whose pixel (x, y) is 10 y + x.
void FillSmall(CImage& image) {
    ASSERT_TRUE(image.Create(4, 3, 8));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const_cast<std::uint8_t*>(Pixel(image, x, y))[0] =
                static_cast<std::uint8_t>(10 * y + x);
        }
    }
}

std::string Dump(const CImage& image) {
    std::string out;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const std::uint8_t* p = Pixel(image, x, y);
            out += (p[0] == p[1] && p[1] == p[2]) ? std::to_string(p[0]) : "?";
            out += x + 1 < image.GetWidth() ? " " : "\n";
        }
    }
    return out;
}

TEST(RotateImage, EightBitSourcesAreRepeatedIntoThreeBytes) {
    CImage src;
    FillSmall(src);
    CImage dst;
    RotateImage(src, dst, 180.0);
    EXPECT_EQ(Dump(dst), "0 0 0 0\n"
                         "0 12 11 10\n"
                         "0 2 1 0\n");
    // No turn still never samples the last row or column.
    RotateImage(src, dst, 0.0);
    EXPECT_EQ(Dump(dst), "0 1 2 0\n"
                         "10 11 12 0\n"
                         "0 0 0 0\n");
}

TEST(RotateImage, AnUnsuitableDestinationIsMadeAnew) {
    CImage src;
    FillSmall(src);
    CImage dst;
    ASSERT_TRUE(dst.Create(2, 2, 8));
    RotateImage(src, dst, 180.0);
    EXPECT_EQ(dst.GetWidth(), 4);
    EXPECT_EQ(dst.GetHeight(), 3);
    EXPECT_EQ(dst.GetBPP(), 24);
    // A rotation by a non-finite angle samples nothing rather than misbehaving.
    RotateImage(src, dst, std::numeric_limits<double>::infinity());
    EXPECT_EQ(Dump(dst), "0 0 0 0\n0 0 0 0\n0 0 0 0\n");
    // A null source leaves the destination alone.
    CImage none;
    RotateImage(none, dst, 180.0);
    EXPECT_EQ(dst.GetWidth(), 4);
}

} // namespace
