#include "platform/gdi/surface.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Hands out blocks from its own bookkeeping and checks that each comes back once, whole.
class CountingStore final : public gdi::PixelStore {
  public:
    ~CountingStore() { EXPECT_TRUE(blocks_.empty()) << blocks_.size() << " blocks never returned"; }

    std::uint32_t* AllocatePixels(std::size_t n) override {
        auto* p = new std::uint32_t[n];
        blocks_[p] = n;
        return p;
    }
    void FreePixels(std::uint32_t* p, std::size_t n) noexcept override {
        const auto it = blocks_.find(p);
        EXPECT_TRUE(it != blocks_.end() && it->second == n) << "a block it never handed out";
        if (it != blocks_.end()) {
            blocks_.erase(it);
            delete[] p;
        }
    }
    bool Holds(const std::uint32_t* p) const { return blocks_.contains(p); }
    std::size_t Blocks() const { return blocks_.size(); }

  private:
    std::map<const std::uint32_t*, std::size_t> blocks_;
};

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

// The window system reads the window's surface from a store of its own; the pixels must survive
// the move, stay there through resizes, and every block must go back where it came from.
TEST(Surface, PixelsInAStoreKeepTheirContentAndGoBackToIt) {
    CountingStore store;
    {
        gdi::Surface s(4, 3, 0);
        s.Set(1, 2, 0xABCDEF);
        s.SetPixelStore(&store);
        EXPECT_EQ(s.Store(), &store);
        EXPECT_TRUE(store.Holds(s.Row(0)));
        EXPECT_EQ(s.At(1, 2), 0xABCDEFu);
        EXPECT_EQ(s.At(0, 0), 0u);

        s.Resize(8, 8, 5); // a bigger block, from the store; the old one goes back
        EXPECT_TRUE(store.Holds(s.Row(0)));
        EXPECT_EQ(store.Blocks(), 1u);
        EXPECT_TRUE(testing_support::AllEqual(s, 5));

        const gdi::Surface copy = s; // a copy is the program's own
        EXPECT_EQ(copy.Store(), nullptr);
        EXPECT_FALSE(store.Holds(copy.Row(0)));
        EXPECT_TRUE(copy.Pixels() == s.Pixels());

        s.SetPixelStore(nullptr);
        EXPECT_EQ(store.Blocks(), 0u);
        EXPECT_TRUE(testing_support::AllEqual(s, 5));
        s.SetPixelStore(&store);
    }
    EXPECT_EQ(store.Blocks(), 0u) << "the surface's destruction kept its block";
}

} // namespace
