#include "platform/gdi/surface.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

// Hands out blocks from its own bookkeeping and checks that each comes back once, whole.
class CountingStore final : public gdi::PixelStore {
  public:
    ~CountingStore() { EXPECT_TRUE(blocks_.empty()) << blocks_.size() << " blocks never returned"; }

    std::uint32_t* AllocatePixels(std::size_t n) override {
        auto* p = new std::uint32_t[n];
        blocks_[p] = n;
        if (claimZeros) {
            // Not zeros at all, so that a test sees whether the surface cleared them anyway.
            std::fill_n(p, n, kPoison);
            claimed_.insert(p);
        }
        return p;
    }
    bool TakeZeros(const std::uint32_t* p) noexcept override { return claimed_.erase(p) > 0; }
    void FreePixels(std::uint32_t* p, std::size_t n) noexcept override {
        const auto it = blocks_.find(p);
        EXPECT_TRUE(it != blocks_.end() && it->second == n) << "a block it never handed out";
        if (it != blocks_.end()) {
            claimed_.erase(p);
            blocks_.erase(it);
            delete[] p;
        }
    }
    bool Holds(const std::uint32_t* p) const { return blocks_.contains(p); }
    std::size_t Blocks() const { return blocks_.size(); }

    static constexpr std::uint32_t kPoison = 0xDEADBEEF;
    bool claimZeros = false; // new blocks are said to hold zeros

  private:
    std::map<const std::uint32_t*, std::size_t> blocks_;
    std::set<const std::uint32_t*> claimed_;
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

// Fresh memory from the system is zeros: a black surface in a new block of it is not cleared
// again. Only the first answer for a block counts, and only black is taken as given.
TEST(Surface, ANewBlockOfZerosIsNotClearedToBlackAgain) {
    CountingStore store;
    store.claimZeros = true;
    {
        gdi::Surface s;
        s.SetPixelStore(&store);
        s.Resize(64, 32, 0);
        EXPECT_TRUE(testing_support::AllEqual(s, CountingStore::kPoison)) << "cleared anyway";
        s.Resize(64, 16, 0); // the same block, drawn into since
        EXPECT_TRUE(testing_support::AllEqual(s, 0));
        s.Resize(128, 64, 3); // a new block, but not black
        EXPECT_TRUE(testing_support::AllEqual(s, 3));
        store.claimZeros = false;
        s.Resize(256, 64, 0);
        EXPECT_TRUE(testing_support::AllEqual(s, 0));
    }
}

} // namespace
