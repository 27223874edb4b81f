#include "platform/gdi/dib.h"

#include "res/bitmaps.h"
#include "res/start_pictures.h"
#include "res/tg18.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

// A 40-byte header followed by zeroed room for the rest.
Bytes Header(int width, int height, int bpp, std::uint32_t colours, std::size_t rest) {
    Bytes b(40 + rest, 0);
    Put32(b, 0, 40);
    Put32(b, 4, static_cast<std::uint32_t>(width));
    Put32(b, 8, static_cast<std::uint32_t>(height));
    b[12] = 1;
    b[14] = static_cast<std::uint8_t>(bpp);
    Put32(b, 32, colours);
    return b;
}

std::vector<std::uint32_t> Pixels(HBITMAP bm) {
    const auto& p = bm->surface->Pixels();
    return std::vector<std::uint32_t>(p.begin(), p.end());
}

TEST(Dib, EightBitRowsGoThroughTheColourTableBottomUp) {
    // 3 x 2, three colours, rows padded to 4 bytes, stored bottom row first.
    Bytes b = Header(3, 2, 8, 3, 3 * 4 + 2 * 4);
    const std::uint8_t table[] = {0x10, 0x20, 0x30, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0};
    std::copy(std::begin(table), std::end(table), b.begin() + 40);
    const std::uint8_t rows[] = {2, 1, 0, 0xAA, 0, 5, 1, 0xAA}; // bottom, then top
    std::copy(std::begin(rows), std::end(rows), b.begin() + 52);
    HBITMAP bm = gdi::CreateBitmapFromDib(b.data(), b.size());
    ASSERT_NE(bm, nullptr);
    EXPECT_EQ(bm->bitsPixel, 32);
    // Top row: entry 0 (blue 0x10, green 0x20, red 0x30), index 5 past the table (black),
    // entry 1 (blue); bottom row: red, blue, entry 0.
    EXPECT_EQ(Pixels(bm), (std::vector<std::uint32_t>{0x302010, 0x000000, 0x0000FF, 0xFF0000,
                                                      0x0000FF, 0x302010}));
    DeleteObject(bm);
}

TEST(Dib, TwentyFourBitTopDownRowsAreBlueGreenRed) {
    // 2 x 2 with a negative height: the first stored row is the top one; stride 8.
    Bytes b = Header(2, -2, 24, 0, 16);
    const std::uint8_t rows[] = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    std::copy(std::begin(rows), std::end(rows), b.begin() + 40);
    HBITMAP bm = gdi::CreateBitmapFromDib(b.data(), b.size());
    ASSERT_NE(bm, nullptr);
    EXPECT_EQ(Pixels(bm), (std::vector<std::uint32_t>{0x030201, 0x060504, 0x090807, 0x0C0B0A}));
    DeleteObject(bm);
}

TEST(Dib, RefusesWhatItCannotReadSafely) {
    const Bytes good = Header(2, 2, 24, 0, 16);
    gdi::DibView view;
    EXPECT_TRUE(gdi::ParseDib(good.data(), good.size(), &view));
    EXPECT_FALSE(gdi::ParseDib(good.data(), good.size() - 1, &view)) << "last row cut short";
    EXPECT_FALSE(gdi::ParseDib(good.data(), 39, &view)) << "header cut short";
    Bytes compressed = good;
    compressed[16] = 1;
    EXPECT_FALSE(gdi::ParseDib(compressed.data(), compressed.size(), &view));
    Bytes fourBit = Header(2, 2, 4, 0, 16 * 4 + 8);
    EXPECT_FALSE(gdi::ParseDib(fourBit.data(), fourBit.size(), &view));
    Bytes empty = Header(0, 2, 24, 0, 16);
    EXPECT_FALSE(gdi::ParseDib(empty.data(), empty.size(), &view));
    Bytes tooManyColours = Header(2, 2, 8, 257, 257 * 4 + 8);
    EXPECT_FALSE(gdi::ParseDib(tooManyColours.data(), tooManyColours.size(), &view));
    Bytes noPalette = Header(4, 1, 8, 0, 4); // 256 entries are due but missing
    EXPECT_FALSE(gdi::ParseDib(noPalette.data(), noPalette.size(), &view));
    Bytes hugeHeader = good;
    Put32(hugeHeader, 0, 0xFFFFFFF0u);
    EXPECT_FALSE(gdi::ParseDib(hugeHeader.data(), hugeHeader.size(), &view));
    Bytes hugeWidth = Header(0x7FFFFFFF, 0x7FFFFFFF, 24, 0, 16);
    EXPECT_FALSE(gdi::ParseDib(hugeWidth.data(), hugeWidth.size(), &view));
    EXPECT_EQ(gdi::CreateBitmapFromDib(compressed.data(), compressed.size()), nullptr);
}

TEST(LoadBitmapW, DecodesTheGrayReferenceImages) {
    HINSTANCE module = AfxFindResourceHandle(130, RT_BITMAP);
    EXPECT_EQ(module, AfxGetInstanceHandle());
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(LoadBitmapW(module, 130)));
    BITMAP info;
    ASSERT_EQ(bitmap.GetBitmap(&info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 1024);
    EXPECT_EQ(info.bmHeight, 1024);
    const res::GrayImage qc = res::MakeTg18Qc(res::Tg18Size::Square1024);
    const gdi::Surface& s = *static_cast<HBITMAP>(bitmap.m_hObject)->surface;
    for (int y = 0; y < 1024; ++y) {
        for (int x = 0; x < 1024; ++x) {
            ASSERT_EQ(s.At(x, y), qc.At(x, y) * 0x010101u) << x << "," << y;
        }
    }
}

TEST(LoadBitmapW, DecodesTheStartPicturesAndPortraitImages) {
    HBITMAP patch = LoadBitmapW(AfxGetInstanceHandle(), 153);
    ASSERT_NE(patch, nullptr);
    const res::GrayImage expected = res::MakeStartPatchB(res::StartClass::Small);
    ASSERT_EQ(patch->surface->Width(), 188);
    ASSERT_EQ(patch->surface->Height(), 142);
    for (int y = 0; y < 142; ++y) {
        for (int x = 0; x < 188; ++x) {
            ASSERT_EQ(patch->surface->At(x, y), expected.At(x, y) * 0x010101u);
        }
    }
    DeleteObject(patch);
    HBITMAP afc = LoadBitmapW(AfxGetInstanceHandle(), 137);
    ASSERT_NE(afc, nullptr);
    EXPECT_EQ(afc->surface->Width(), 2048);
    EXPECT_EQ(afc->surface->Height(), 2560);
    EXPECT_EQ(afc->surface->At(0, 0), 0x8F8F8Fu);
    DeleteObject(afc);
}

TEST(LoadBitmapW, NothingForUnknownIdsOrOtherModules) {
    EXPECT_EQ(LoadBitmapW(AfxGetInstanceHandle(), 131), nullptr);
    EXPECT_EQ(LoadBitmapW(AfxGetInstanceHandle(), 0), nullptr);
    EXPECT_EQ(LoadBitmapW(nullptr, 130), nullptr);
}

} // namespace
