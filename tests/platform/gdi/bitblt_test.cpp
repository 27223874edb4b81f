#include "canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

// Pixel memory from the heap, with a record of the blocks given back.
struct CountingStore final : gdi::PixelStore {
    std::vector<std::uint32_t*> freed;
    std::uint32_t* AllocatePixels(std::size_t n) override {
        return std::allocator<std::uint32_t>().allocate(n);
    }
    void FreePixels(std::uint32_t* p, std::size_t n) noexcept override {
        freed.push_back(p);
        std::allocator<std::uint32_t>().deallocate(p, n);
    }
};

// A window's surface whose pixels come from a store, a DC on it clipped to clip, and a memory DC
// with a frame bitmap of w x h from frameStore, painted with Value.
struct WindowAndFrame {
    CountingStore store;
    gdi::Surface window;
    CDC windowDc;
    CDC memDc;
    CBitmap frame;
    CBitmap* old = nullptr;

    WindowAndFrame(RECT clip, int w, int h, bool frameInStore) {
        window.SetPixelStore(&store);
        window.Resize(23, 17, 0x555555);
        windowDc.Attach(CreateWindowDC(&window, clip));
        memDc.CreateCompatibleDC(&windowDc);
        frame.Attach(CreateBitmap32ForOverwrite(w, h, frameInStore ? &store : nullptr));
        old = memDc.SelectObject(&frame);
        gdi::Surface& f = Frame();
        for (int y = 0; y < f.Height(); ++y) {
            for (int x = 0; x < f.Width(); ++x) {
                f.Set(x, y, Value(x, y));
            }
        }
    }
    ~WindowAndFrame() {
        if (old) {
            memDc.SelectObject(old);
        }
        ::DeleteDC(windowDc.Detach());
    }
    gdi::Surface& Frame() { return *static_cast<HBITMAP>(frame.m_hObject)->surface; }
};

TEST(BitBltAndDiscard, AWholeFrameInTheWindowsStoreTakesTheSurfacesPlace) {
    // Logical coordinates through the window origins, as the off-screen DC uses them.
    for (POINT org : {POINT{0, 0}, POINT{7, -3}}) {
        WindowAndFrame t(RECT{0, 0, 23, 17}, 23, 17, true);
        t.memDc.SetWindowOrg(org);
        t.windowDc.SetWindowOrg(org);
        const std::uint32_t* frameBlock = t.Frame().Pixels().data();
        const std::uint32_t* windowBlock = t.window.Pixels().data();
        ASSERT_TRUE(t.windowDc.BitBltAndDiscard(org.x, org.y, 23, 17, &t.memDc, org.x, org.y));
        EXPECT_EQ(t.window.Pixels().data(), frameBlock) << "the frame was copied";
        for (int y = 0; y < 17; ++y) {
            for (int x = 0; x < 23; ++x) {
                ASSERT_EQ(t.window.At(x, y), Value(x, y)) << x << "," << y;
            }
        }
        // Deleting the frame gives the window's former block back to the store.
        t.memDc.SelectObject(t.old);
        t.old = nullptr;
        t.frame.DeleteObject();
        EXPECT_NE(std::find(t.store.freed.begin(), t.store.freed.end(), windowBlock),
                  t.store.freed.end());
    }
}

TEST(BitBltAndDiscard, CopiesLikeBitBltWhenTheFrameIsNotTheWholeSurface) {
    struct Case {
        const char* what;
        RECT clip;
        int w, h, x;
        bool inStore;
    };
    for (const Case& c : {Case{"clipped window DC", RECT{0, 0, 23, 16}, 23, 17, 0, true},
                          Case{"frame at an offset", RECT{0, 0, 23, 17}, 23, 17, 1, true},
                          Case{"narrower frame", RECT{0, 0, 23, 17}, 22, 17, 0, true},
                          Case{"taller frame", RECT{0, 0, 23, 17}, 23, 18, 0, true},
                          Case{"frame on the heap", RECT{0, 0, 23, 17}, 23, 17, 0, false}}) {
        SCOPED_TRACE(c.what);
        WindowAndFrame t(c.clip, c.w, c.h, c.inStore);
        const std::uint32_t* windowBlock = t.window.Pixels().data();
        ASSERT_TRUE(t.windowDc.BitBltAndDiscard(c.x, 0, c.w, c.h, &t.memDc, 0, 0));
        EXPECT_EQ(t.window.Pixels().data(), windowBlock);
        for (int y = 0; y < 17; ++y) {
            for (int x = 0; x < 23; ++x) {
                const bool copied = x >= c.x && x - c.x < c.w && y < c.clip.bottom;
                ASSERT_EQ(t.window.At(x, y), copied ? Value(x - c.x, y) : 0x555555u)
                    << x << "," << y;
            }
        }
        // A copy leaves the frame as it was.
        EXPECT_EQ(t.Frame().At(c.w - 1, c.h - 1), Value(c.w - 1, c.h - 1));
    }
}

} // namespace
} // namespace gdi_test
