#include "platform/gdi/image.h"

#include "canvas.h"
#include "res/start_pictures.h"
#include "res/tg18.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

// Loads resource id into image; false when nothing loaded.
bool Load(CImage& image, int id) {
    image.LoadFromResource(AfxGetInstanceHandle(), static_cast<UINT>(id));
    return !image.IsNull();
}

// What a loaded image reports of its size and layout.
struct Layout {
    int width, height, bpp, pitch;
    bool operator==(const Layout&) const = default;
};
Layout LayoutOf(const CImage& image) {
    return {image.GetWidth(), image.GetHeight(), image.GetBPP(), image.GetPitch()};
}

const std::uint8_t* RowOf(const CImage& image, int y) {
    return static_cast<const std::uint8_t*>(image.GetBits()) +
           static_cast<std::ptrdiff_t>(y) * image.GetPitch();
}

TEST(CImage, LoadsAnEightBitResourceAsItIsStored) {
    CImage image;
    ASSERT_TRUE(Load(image, 130));
    EXPECT_EQ(LayoutOf(image), (Layout{1024, 1024, 8, -1024})) << "bottom-up";
    const res::GrayImage qc = res::MakeTg18Qc(res::Tg18Size::Square1024);
    for (int y : {0, 1, 300, 1023}) {
        EXPECT_TRUE(std::equal(qc.Row(y), qc.Row(y) + 1024, RowOf(image, y))) << y;
    }
}

TEST(CImage, LoadsATwentyFourBitResourceWithPaddedRows) {
    CImage image;
    ASSERT_TRUE(Load(image, 151));
    EXPECT_EQ(LayoutOf(image), (Layout{375, 354, 24, -1128})) << "375 x 3 bytes padded to 1128";
    const res::GrayImage patch = res::MakeStartPatchA(res::StartClass::Large);
    for (int y = 0; y < 354; ++y) {
        for (int x = 0; x < 375; ++x) {
            const std::uint8_t* p = RowOf(image, y) + 3 * x;
            ASSERT_EQ(p[0], patch.At(x, y));
            ASSERT_EQ(p[2], patch.At(x, y));
        }
    }
    image.Destroy();
    EXPECT_TRUE(image.IsNull());
    EXPECT_EQ(image.GetBits(), nullptr);
}

TEST(CImage, WritingALoadedImageLeavesTheResourceAlone) {
    CImage first;
    ASSERT_TRUE(Load(first, 148));
    const std::uint8_t before = RowOf(first, 3)[7];
    auto* top = static_cast<std::uint8_t*>(first.GetBits());
    top[3 * first.GetPitch() + 7] = static_cast<std::uint8_t>(before ^ 0xFF);
    EXPECT_EQ(RowOf(first, 3)[7], before ^ 0xFF);

    CImage second;
    Load(second, 148);
    EXPECT_EQ(RowOf(second, 3)[7], before);
    gdi_test::Canvas c(1, 1);
    ASSERT_TRUE(second.Draw(&c.dc, CRect(0, 0, 1, 1)));
}

TEST(CImage, UnknownResourceLeavesItNull) {
    CImage image;
    EXPECT_FALSE(Load(image, 140));
    EXPECT_TRUE(image.IsNull());
    EXPECT_FALSE(image.Draw(static_cast<HDC>(nullptr), RECT{0, 0, 1, 1}));
}

TEST(CImage, CreateMakesABlackBottomUpImage) {
    CImage image;
    ASSERT_TRUE(image.Create(5, 3, 24));
    EXPECT_EQ(image.GetBPP(), 24);
    EXPECT_EQ(image.GetPitch(), -16);
    for (int y = 0; y < 3; ++y) {
        for (int i = 0; i < 15; ++i) {
            EXPECT_EQ(RowOf(image, y)[i], 0);
        }
    }
    EXPECT_FALSE(image.Create(5, 3, 24)) << "only a null image can be created";
    CImage topDown;
    ASSERT_TRUE(topDown.Create(2, -2, 32));
    EXPECT_EQ(topDown.GetPitch(), 8);
    CImage odd;
    EXPECT_FALSE(odd.Create(2, 2, 16));
    EXPECT_TRUE(odd.IsNull());
}

TEST(CImage, DrawCopiesThroughStretchBlt) {
    // A 2 x 2 bottom-up picture drawn 1:1 and stretched to 4 x 2.
    CImage image;
    ASSERT_TRUE(image.Create(2, 2, 24));
    auto* top = static_cast<std::uint8_t*>(image.GetBits());
    top[0] = 0x11;                    // top-left blue
    top[5] = 0x22;                    // top-right red
    top[image.GetPitch() + 1] = 0x33; // bottom-left green
    gdi_test::Canvas c(6, 3, 0xFFFFFF);
    ASSERT_TRUE(image.Draw(&c.dc, CRect(0, 0, 2, 2)));
    ASSERT_TRUE(image.Draw(c.dc.GetSafeHdc(), 2, 1, 4, 2));
    EXPECT_EQ(c.At(0, 0), 0x000011u);
    EXPECT_EQ(c.At(1, 0), 0x220000u);
    EXPECT_EQ(c.At(0, 1), 0x003300u);
    EXPECT_EQ(c.At(1, 1), 0x000000u);
    EXPECT_EQ(c.Picture({{0x000011, 'b'}, {0x220000, 'r'}, {0x003300, 'g'}, {0, 'k'}}),
              gdi_test::Rows({"br....", "gkbbrr", "..ggkk"}));
    // The DC keeps its own bitmap.
    EXPECT_EQ(c.dc.GetCurrentBitmap(), &c.bitmap);
}

TEST(CImage, AConvertedCopyIsDroppedWhenThePixelsMayChange) {
    CImage image;
    ASSERT_TRUE(image.Create(2, 1, 24));
    auto* top = static_cast<std::uint8_t*>(image.GetBits());
    top[0] = 0x11;
    image.KeepConvertedCopy();
    gdi_test::Canvas c(2, 1);
    ASSERT_TRUE(image.Draw(&c.dc, CRect(0, 0, 2, 1)));
    EXPECT_EQ(c.At(0, 0), 0x000011u);
    // Written after asking for the bits anew: the next Draw shows it.
    static_cast<std::uint8_t*>(image.GetBits())[3 + 2] = 0x44;
    ASSERT_TRUE(image.Draw(&c.dc, CRect(0, 0, 2, 1)));
    EXPECT_EQ(c.At(0, 0), 0x000011u);
    EXPECT_EQ(c.At(1, 0), 0x440000u);
}

TEST(CImage, AConvertedResourceDrawsAsItsStoredRows) {
    // Start-screen pictures are drawn from a copy converted once per process; a second image
    // of the same resource shares it, and writing to one image leaves the other alone.
    CImage a, b;
    ASSERT_TRUE(Load(a, 147));
    ASSERT_TRUE(Load(b, 147));
    ASSERT_EQ(a.GetBPP(), 24);
    const int w = a.GetWidth(), h = a.GetHeight();
    gdi_test::Canvas before(w, h), after(w, h);
    ASSERT_TRUE(a.Draw(&before.dc, CRect(0, 0, w, h)));
    for (int y = 0; y < h; y += 7) {
        for (int x = 0; x < w; x += 5) {
            const std::uint8_t* px = RowOf(a, y) + 3 * x;
            ASSERT_EQ(before.At(x, y), std::uint32_t(px[2] << 16 | px[1] << 8 | px[0])) << x;
        }
    }
    std::fill_n(static_cast<std::uint8_t*>(a.GetBits()), 3, std::uint8_t{0x7F});
    ASSERT_TRUE(b.Draw(&after.dc, CRect(0, 0, w, h)));
    EXPECT_EQ(after.Pixels().Pixels(), before.Pixels().Pixels());
    ASSERT_TRUE(a.Draw(&after.dc, CRect(0, 0, w, h)));
    EXPECT_EQ(after.At(0, 0), 0x7F7F7Fu);
}

} // namespace
