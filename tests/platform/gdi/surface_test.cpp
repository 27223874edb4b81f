#include "platform/gdi/surface.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

namespace {

// Frame-sized blocks are handed on from one surface to the next; what the earlier one held must
// never show through in a surface that promises a fill.
TEST(Surface, ABlockHandedOnIsFilledAnew) {
    const std::uint32_t* first = nullptr;
    {
        gdi::Surface old(1024, 768, 0x123456);
        first = old.Row(0);
    }
    gdi::Surface next(1024, 768, 0);
    EXPECT_EQ(next.Row(0), first) << "the block was not kept";
    EXPECT_TRUE(testing_support::AllEqual(next, 0));

    // A different size gets a block of its own, and the kept ones are not lost by it.
    gdi::Surface other(800, 600, 7);
    EXPECT_NE(other.Row(0), next.Row(0));
    EXPECT_TRUE(testing_support::AllEqual(other, 7));
}

TEST(Surface, ResizingKeepsTheSizeAndFillsEveryPixel) {
    gdi::Surface s(3, 2, 1);
    s.Resize(1000, 700, 9);
    EXPECT_EQ(s.Width(), 1000);
    EXPECT_EQ(s.Height(), 700);
    EXPECT_TRUE(testing_support::AllEqual(s, 9));
    s.ResizeForOverwrite(2, 2);
    EXPECT_EQ(s.Pixels().size(), 4u);
    s.Resize(-5, 4);
    EXPECT_TRUE(s.Empty());
}

} // namespace
