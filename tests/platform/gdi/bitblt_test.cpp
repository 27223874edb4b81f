#include "canvas.h"

#include <gtest/gtest.h>

namespace gdi_test {
namespace {

std::uint32_t Value(int x, int y) {
    return static_cast<std::uint32_t>(y * 1000 + x + 1);
}

TEST(BitBlt, CopiesWhereBothSidesExistWithTheirWindowOrigins) {
    Canvas from(10, 8), to(12, 9, 0x555555);
    from.Paint(Value);
    from.dc.SetWindowOrg(2, 1); // logical (2, 1) is device (0, 0)
    ASSERT_TRUE(to.dc.BitBlt(-1, 3, 20, 20, &from.dc, 4, 2, SRCCOPY));
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 12; ++x) {
            // Destination (x, y) reads source device (x + 1 + 2, y - 3 + 1).
            const int sx = x + 3, sy = y - 2;
            const bool inside = y >= 3 && sx < 10 && sy < 8;
            ASSERT_EQ(to.At(x, y), inside ? Value(sx, sy) : 0x555555u) << x << "," << y;
        }
    }
}

TEST(BitBlt, AWholeSurfaceGoesAcrossUnchanged) {
    Canvas from(37, 21), to(37, 21, 0x555555);
    from.Paint(Value);
    ASSERT_TRUE(to.dc.BitBlt(0, 0, 37, 21, &from.dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(to.Surface().Pixels() == from.Surface().Pixels());
    // Only some rows: the rest stays.
    Canvas part(37, 21, 0x555555);
    ASSERT_TRUE(part.dc.BitBlt(0, 5, 37, 4, &from.dc, 0, 5, SRCCOPY));
    EXPECT_EQ(part.At(36, 8), Value(36, 8));
    EXPECT_EQ(part.At(0, 9), 0x555555u);
    EXPECT_EQ(part.At(0, 4), 0x555555u);
}

TEST(BitBlt, WithinOneSurfaceEveryPixelIsReadBeforeItIsOverwritten) {
    for (auto [dx, dy] : {std::pair{0, 3}, {0, -3}, {4, 0}, {-4, 0}, {2, 2}, {-2, -1}, {0, 21}}) {
        Canvas c(16, 12);
        c.Paint(Value);
        ASSERT_TRUE(c.dc.BitBlt(1 + dx, 1 + dy, 12, 9, &c.dc, 1, 1, SRCCOPY));
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int sx = x - dx, sy = y - dy;
                const bool moved = x >= 1 + dx && x < 13 + dx && y >= 1 + dy && y < 10 + dy;
                ASSERT_EQ(c.At(x, y), moved ? Value(sx, sy) : Value(x, y))
                    << "move " << dx << "," << dy << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace gdi_test
