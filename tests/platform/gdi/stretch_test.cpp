#include "canvas.h"
#include "platform/gdi/dib.h"

#include <gtest/gtest.h>

#include <vector>

namespace gdi_test {
namespace {

std::vector<std::uint32_t> RowOf(Canvas& c, int y) {
    std::vector<std::uint32_t> out;
    for (int x = 0; x < c.Width(); ++x) {
        out.push_back(c.At(x, y));
    }
    return out;
}

std::vector<std::uint32_t> ColumnOf(Canvas& c, int x) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < c.Height(); ++y) {
        out.push_back(c.At(x, y));
    }
    return out;
}

TEST(StretchBlt, AFreshDcShrinksBlackOnWhite) {
    Canvas c(1, 1);
    EXPECT_EQ(c.dc.GetStretchBltMode(), BLACKONWHITE);
}

TEST(StretchBlt, Enlarging1024To1920ColumnsTakesTheSourceNearestEachCentre) {
    Canvas from(1024, 1), to(1920, 1);
    from.Paint([](int x, int) { return std::uint32_t(x); });
    ASSERT_TRUE(to.dc.StretchBlt(0, 0, 1920, 1, &from.dc, 0, 0, 1024, 1, SRCCOPY));
    const auto row = RowOf(to, 0);
    EXPECT_EQ(std::vector<std::uint32_t>(row.begin(), row.begin() + 16),
              (std::vector<std::uint32_t>{0, 0, 1, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6, 7, 7, 8}));
    EXPECT_EQ(std::vector<std::uint32_t>(row.end() - 5, row.end()),
              (std::vector<std::uint32_t>{1021, 1022, 1022, 1023, 1023}));
    // Every source column shows, once or twice, in order.
    for (std::size_t i = 1; i < row.size(); ++i) {
        ASSERT_LE(row[i] - row[i - 1], 1u) << i;
    }
}

TEST(StretchBlt, Enlarging1024To1080RowsRepeatsEveryNineteenthOrTwentiethRow) {
    Canvas from(1, 1024), to(1, 1080);
    from.Paint([](int, int y) { return std::uint32_t(y); });
    to.dc.StretchBlt(0, 0, 1, 1080, &from.dc, 0, 0, 1, 1024, SRCCOPY);
    const auto column = ColumnOf(to, 0);
    std::vector<int> repeats;
    for (int y = 1; y < 1080; ++y) {
        ASSERT_LE(column[y] - column[y - 1], 1u);
        if (column[y] == column[y - 1]) {
            repeats.push_back(y);
        }
    }
    ASSERT_EQ(repeats.size(), 56u);
    EXPECT_EQ(std::vector<int>(repeats.begin(), repeats.begin() + 6),
              (std::vector<int>{10, 29, 48, 67, 87, 106}));
    EXPECT_EQ(column.front(), 0u);
    EXPECT_EQ(column.back(), 1023u);
}

TEST(StretchBlt, Shrinking1225To1224AndsTheTwoMiddleColumns) {
    Canvas from(1225, 1), to(1224, 1);
    from.Paint([](int x, int) { return std::uint32_t(x) | 0x00F00000u; });
    to.dc.StretchBlt(0, 0, 1224, 1, &from.dc, 0, 0, 1225, 1, SRCCOPY);
    for (int d = 0; d < 1224; ++d) {
        const std::uint32_t expected = d < 611    ? d
                                       : d == 611 ? (611u & 612u)
                                                  : static_cast<std::uint32_t>(d + 1);
        ASSERT_EQ(to.At(d, 0), expected | 0x00F00000u) << "column " << d;
    }
}

TEST(StretchBlt, Shrinking88To68RowsAndsTwentyPairsOfRows) {
    // Source row r clears bit r mod 24, so an AND of two rows clears two bits.
    Canvas from(1, 88), to(1, 68);
    from.Paint([](int, int y) { return 0x00FFFFFFu & ~(1u << (y % 24)); });
    to.dc.StretchBlt(0, 0, 1, 68, &from.dc, 0, 0, 1, 88, SRCCOPY);
    std::vector<int> pairs;
    int next = 0; // the next source row expected
    for (int d = 0; d < 68; ++d) {
        const std::uint32_t cleared = ~to.At(0, d) & 0x00FFFFFFu;
        const int count = __builtin_popcount(cleared);
        ASSERT_TRUE(count == 1 || count == 2) << "row " << d;
        ASSERT_TRUE(cleared & (1u << (next % 24))) << "row " << d;
        if (count == 2) {
            ASSERT_TRUE(cleared & (1u << ((next + 1) % 24))) << "row " << d;
            pairs.push_back(d);
        }
        next += count;
    }
    EXPECT_EQ(next, 88);
    EXPECT_EQ(pairs, (std::vector<int>{1,  5,  8,  11, 15, 18, 22, 25, 28, 32,
                                       35, 39, 42, 45, 49, 52, 56, 59, 62, 66}));
}

TEST(StretchBlt, OtherModesCombineShrunkPixelsByOrOrKeepOne) {
    Canvas from(4, 1), to(2, 1);
    const std::uint32_t values[4] = {0x0000F0, 0x00000F, 0x00F000, 0x000F00};
    from.Paint([&](int x, int) { return values[x]; });
    to.dc.SetStretchBltMode(WHITEONBLACK);
    to.dc.StretchBlt(0, 0, 2, 1, &from.dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(RowOf(to, 0), (std::vector<std::uint32_t>{0x0000FF, 0x00FF00}));
    to.dc.SetStretchBltMode(COLORONCOLOR);
    to.dc.StretchBlt(0, 0, 2, 1, &from.dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(RowOf(to, 0), (std::vector<std::uint32_t>{0x0000F0, 0x00F000}));
}

TEST(StretchBlt, TheMappingComesFromTheUnclippedRectangles) {
    // A 7 x 5 image stretched to 23 x 13, once whole on a big surface and once hanging off the
    // top-left corner of a small one and clipped by a window DC: the visible pixels agree.
    Canvas from(7, 5);
    from.Paint([](int x, int y) { return std::uint32_t(0x10000 * y + x + 1); });
    Canvas whole(40, 30);
    whole.dc.StretchBlt(5, 4, 23, 13, &from.dc, 0, 0, 7, 5, SRCCOPY);

    gdi::Surface small(12, 10, 0);
    CDC window;
    window.Attach(CreateWindowDC(&small, RECT{1, 2, 12, 9}));
    window.SetWindowOrg(14, 9);
    window.StretchBlt(5, 4, 23, 13, &from.dc, 0, 0, 7, 5, SRCCOPY);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inClip = x >= 1 && y >= 2 && y < 9;
            ASSERT_EQ(small.At(x, y), inClip ? whole.At(x + 14, y + 9) : 0u) << x << "," << y;
        }
    }
}

TEST(StretchBlt, SourceCoordinatesAreTheSourceDcsOwn) {
    Canvas from(4, 4), to(8, 8);
    from.Paint([](int x, int y) { return std::uint32_t(10 * y + x + 1); });
    from.dc.SetWindowOrg(100, 200);
    to.dc.StretchBlt(0, 0, 4, 4, &from.dc, 102, 201, 2, 2, SRCCOPY);
    EXPECT_EQ(RowOf(to, 0), (std::vector<std::uint32_t>{13, 13, 14, 14, 0, 0, 0, 0}));
    EXPECT_EQ(RowOf(to, 3), (std::vector<std::uint32_t>{23, 23, 24, 24, 0, 0, 0, 0}));
}

TEST(StretchBlt, PixelsWithoutASourcePixelAreLeftAlone) {
    Canvas from(2, 1), to(8, 1, 0x123456);
    from.Paint([](int x, int) { return std::uint32_t(x + 1); });
    // Source columns -1 ... 2 of a 2-pixel image, doubled.
    to.dc.StretchBlt(0, 0, 8, 1, &from.dc, -1, 0, 4, 1, SRCCOPY);
    const std::uint32_t bg = gdi::ToPixel(0x123456);
    EXPECT_EQ(RowOf(to, 0), (std::vector<std::uint32_t>{bg, bg, 1, 1, 2, 2, bg, bg}));
}

TEST(StretchBlt, ANegativeWidthMirrors) {
    Canvas from(4, 1), to(6, 1);
    from.Paint([](int x, int) { return std::uint32_t(x + 1); });
    // Width -4 from x = 4 covers columns 1 ... 4, right to left.
    to.dc.StretchBlt(4, 0, -4, 1, &from.dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(RowOf(to, 0), (std::vector<std::uint32_t>{0, 4, 3, 2, 1, 0}));
}

// Rows are written in spans (copied runs, repeated pixels stored several at a time, combined
// pixels) from plans kept per size. Every enlarging ratio, offset, mirroring and clip must give
// each visible column its nearest source and leave every other pixel alone, also when the plans
// of several sizes alternate.
TEST(StretchBlt, EnlargedRowsTakeTheNearestSourceAndStayWithinDestinationAndClip) {
    struct Case {
        int source, width, at, clipRight;
    };
    const Case cases[] = {
        {10, 37, 5, 100},   // repeats of 3 and 4
        {10, 37, 5, 30},    // clipped inside the stretch
        {4, 43, 0, 100},    // repeats of 10 and 11, longer than those stored at once
        {8, 12, 3, 100},    // ratio 1.5: single and double columns
        {6, 6, 2, 100},     // 1:1
        {3, 7, 1, 100},     // narrower than a stored block
        {10, -37, 60, 100}, // mirrored
    };
    for (int round = 0; round < 2; ++round) {
        for (const Case& k : cases) {
            SCOPED_TRACE(testing::Message() << k.source << " -> " << k.width << " at " << k.at
                                            << ", clip " << k.clipRight << ", round " << round);
            Canvas from(k.source, 1);
            from.Paint([](int x, int) { return std::uint32_t(x + 1); });
            gdi::Surface to(70, 1, gdi::ToPixel(0x123456));
            CDC window;
            window.Attach(CreateWindowDC(&to, RECT{0, 0, k.clipRight, 1}));
            const BOOL drawn =
                window.StretchBlt(k.at, 0, k.width, 1, &from.dc, 0, 0, k.source, 1, SRCCOPY);
            ::DeleteDC(window.Detach());
            ASSERT_TRUE(drawn);
            const int d = k.width < 0 ? -k.width : k.width;
            const int left = k.width < 0 ? k.at + k.width + 1 : k.at;
            std::vector<std::uint32_t> expected(70, gdi::ToPixel(0x123456));
            for (int i = 0; i < d && left + i < k.clipRight; ++i) {
                const int p = k.width < 0 ? d - 1 - i : i;
                expected[left + i] = std::uint32_t(((2 * p + 1) * k.source - 1) / (2 * d) + 1);
            }
            EXPECT_EQ(std::vector<std::uint32_t>(to.Row(0), to.Row(0) + 70), expected);
        }
    }
}

TEST(StretchBlt, WithinOneSurfaceTheSourceIsReadBeforeItIsOverwritten) {
    Canvas c(8, 1);
    c.Paint([](int x, int) { return std::uint32_t(x < 4 ? x + 1 : 0); });
    c.dc.StretchBlt(0, 0, 8, 1, &c.dc, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(RowOf(c, 0), (std::vector<std::uint32_t>{1, 1, 2, 2, 3, 3, 4, 4}));
}

TEST(StretchBlt, AFrameLargerThanTheCachesGetsThePixelsItGetsBandByBand) {
    // A whole stretch onto 2403 x 1000 (9.6 MB) streams its rows; the same through DCs clipped
    // to bands of 100 rows writes them in place. The mapping is the whole rectangle's either way.
    // The odd width starts rows at every alignment and leaves every length of tail.
    Canvas from(1024, 1024);
    from.Paint([](int x, int y) { return static_cast<std::uint32_t>(y * 4096 + x) ^ 0x00A5A5A5u; });
    struct Case {
        const char* what;
        int x, y, width, height;     // destination
        int sx, sy, sWidth, sHeight; // source
    };
    for (const Case& c : {Case{"enlarging", 3, 5, 2390, 990, 1, 2, 1000, 800},
                          Case{"rows shrunk", 0, 50, 2403, 900, 0, 0, 1024, 1024},
                          Case{"mirrored", 2402, 0, -2398, 1000, 10, 10, 890, 690}}) {
        SCOPED_TRACE(c.what);
        Canvas whole(2403, 1000, 0x555555), bands(2403, 1000, 0x555555);
        ASSERT_TRUE(whole.dc.StretchBlt(c.x, c.y, c.width, c.height, &from.dc, c.sx, c.sy, c.sWidth,
                                        c.sHeight, SRCCOPY));
        for (int y = 0; y < 1000; y += 100) {
            CDC band;
            band.Attach(CreateWindowDC(&bands.Surface(), RECT{0, y, 2403, y + 100}));
            ASSERT_TRUE(band.StretchBlt(c.x, c.y, c.width, c.height, &from.dc, c.sx, c.sy, c.sWidth,
                                        c.sHeight, SRCCOPY));
            ::DeleteDC(band.Detach());
        }
        ASSERT_TRUE(whole.Surface().Pixels() == bands.Surface().Pixels());
        EXPECT_NE(whole.At(1200, 500), 0x555555u);
    }
}

TEST(StretchBlt, OnlySourceCopyIsSupported) {
    Canvas from(2, 2), to(2, 2);
    EXPECT_FALSE(to.dc.StretchBlt(0, 0, 2, 2, &from.dc, 0, 0, 2, 2, 0x00EE0086));
}

// A packed DIB of w x h at 8 (gray table) or 24 bits per pixel, stored bottom-up or top-down,
// with pixel values that differ between neighbours.
std::vector<std::uint8_t> PackedDib(int w, int h, int bpp, bool bottomUp) {
    const std::size_t stride = gdi::DibStride(w, bpp);
    const int colours = bpp == 8 ? 256 : 0;
    std::vector<std::uint8_t> b(40 + 4 * static_cast<std::size_t>(colours) + stride * h);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) {
            b[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
        }
    };
    put32(0, 40);
    put32(4, static_cast<std::uint32_t>(w));
    put32(8, static_cast<std::uint32_t>(bottomUp ? h : -h));
    b[12] = 1;
    b[14] = static_cast<std::uint8_t>(bpp);
    put32(32, static_cast<std::uint32_t>(colours));
    for (int k = 0; k < colours; ++k) {
        b[40 + 4 * k] = b[41 + 4 * k] = b[42 + 4 * k] = static_cast<std::uint8_t>(k);
    }
    std::uint8_t* bits = b.data() + 40 + 4 * colours;
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < stride * h; ++i) {
        seed = seed * 1103515245u + 12345u;
        bits[i] = static_cast<std::uint8_t>(seed >> 16);
    }
    return b;
}

// Stretching a picture straight from its bits must light the same pixels as stretching it from a
// bitmap made of it: enlarging, shrinking, mirrored, clipped, from an offset source rectangle and
// in each stretch mode.
TEST(StretchDib, MatchesStretchBltFromABitmapOfThePicture) {
    struct Case {
        int x, y, w, h, sx, sy, sw, sh;
    };
    struct Picture {
        int w, h;
        std::vector<Case> cases;
    };
    const Picture pictures[] = {
        {23,
         17,
         {{0, 0, 23, 17, 0, 0, 23, 17},
          {2, 1, 40, 30, 0, 0, 23, 17},
          {0, 0, 11, 7, 0, 0, 23, 17},
          {-5, -3, 30, 25, 3, 2, 15, 11},
          {20, 2, -18, 20, 0, 0, 23, 17},
          {1, 24, 30, -22, 4, 16, 17, -14},
          {0, 0, 45, 35, 22, 16, -23, -17},
          {10, 10, 60, 60, 0, 0, 23, 17}}},
        // Wide enough for long runs of copied columns between the ones that shrink.
        {101,
         9,
         {{0, 0, 100, 9, 0, 0, 101, 9},
          {-3, 2, 100, 9, 0, 0, 101, 9},
          {7, 0, 95, 30, 0, 0, 101, 9},
          {99, 0, -100, 9, 0, 0, 101, 9},
          {0, 0, 101, 9, 0, 0, 101, 9},
          {1, 1, 90, 9, 5, 0, 90, 9}}},
    };
    for (const Picture& picture : pictures) {
        for (int bpp : {8, 24}) {
            for (bool bottomUp : {true, false}) {
                const std::vector<std::uint8_t> bytes =
                    PackedDib(picture.w, picture.h, bpp, bottomUp);
                gdi::DibView dib;
                ASSERT_TRUE(gdi::ParseDib(bytes.data(), bytes.size(), &dib));
                CBitmap bitmap;
                bitmap.Attach(gdi::CreateBitmapFromDib(bytes.data(), bytes.size()));
                CDC source;
                source.CreateCompatibleDC(nullptr);
                CBitmap* old = source.SelectObject(&bitmap);
                for (int mode : {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR}) {
                    for (const Case& k : picture.cases) {
                        Canvas direct(100, 30, 0x123456), viaBitmap(100, 30, 0x123456);
                        direct.dc.SetStretchBltMode(mode);
                        viaBitmap.dc.SetStretchBltMode(mode);
                        ASSERT_TRUE(gdi::StretchDib(&direct.dc, k.x, k.y, k.w, k.h, dib, k.sx, k.sy,
                                                    k.sw, k.sh));
                        ASSERT_TRUE(viaBitmap.dc.StretchBlt(k.x, k.y, k.w, k.h, &source, k.sx, k.sy,
                                                            k.sw, k.sh, SRCCOPY));
                        ASSERT_TRUE(direct.Surface().Pixels() == viaBitmap.Surface().Pixels())
                            << picture.w << " wide, " << bpp << " bits, bottom-up " << bottomUp
                            << ", mode " << mode << ", to " << k.x << "," << k.y << " " << k.w
                            << "x" << k.h;
                    }
                }
                source.SelectObject(old);
            }
        }
    }
}

} // namespace
} // namespace gdi_test
