#include "res/bitmaps.h"

#include "res/start_pictures.h"
#include "res/tg18.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t Le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

struct GrayResource {
    int id;
    int width, height;
    std::uint32_t sizeImage;
    std::uint32_t ppm;
};

TEST(BitmapResources, ReferenceImagesAreEightBitGrayDibsWithThePublishedHeader) {
    const GrayResource all[] = {{129, 1024, 1024, 1048578, 2834}, {130, 1024, 1024, 1048578, 2834},
                                {133, 1024, 1024, 1048578, 2834}, {135, 2048, 2560, 5242880, 0},
                                {136, 2048, 2560, 5242880, 0},    {137, 2048, 2560, 5242880, 0}};
    for (const GrayResource& r : all) {
        const Bytes* b = res::FindBitmapResource(r.id);
        ASSERT_NE(b, nullptr) << r.id;
        EXPECT_EQ(Le32(*b, 0), 40u);
        EXPECT_EQ(static_cast<int>(Le32(*b, 4)), r.width);
        EXPECT_EQ(static_cast<int>(Le32(*b, 8)), r.height) << "positive: bottom-up";
        EXPECT_EQ(Le16(*b, 12), 1);
        EXPECT_EQ(Le16(*b, 14), 8);
        EXPECT_EQ(Le32(*b, 16), 0u) << "BI_RGB";
        EXPECT_EQ(Le32(*b, 20), r.sizeImage);
        EXPECT_EQ(Le32(*b, 24), r.ppm);
        EXPECT_EQ(Le32(*b, 28), r.ppm);
        EXPECT_EQ(Le32(*b, 32), 0u);
        EXPECT_EQ(Le32(*b, 36), 0u);
        for (int k = 0; k < 256; ++k) {
            const std::size_t e = 40 + 4 * k;
            ASSERT_EQ(((*b)[e] << 24) | ((*b)[e + 1] << 16) | ((*b)[e + 2] << 8) | (*b)[e + 3],
                      (k << 24) | (k << 16) | (k << 8))
                << "palette entry " << k;
        }
        // The header's image size never reaches past the stored bytes.
        EXPECT_EQ(b->size(), 40u + 1024u + r.sizeImage) << r.id;
    }
}

TEST(BitmapResources, RowsAreStoredBottomUp) {
    const res::GrayImage qc = res::MakeTg18Qc(res::Tg18Size::Square1024);
    const Bytes& b = *res::FindBitmapResource(130);
    const std::size_t bits = 40 + 1024;
    for (int stored : {0, 1, 500, 1023}) {
        const int y = 1023 - stored;
        ASSERT_TRUE(std::equal(qc.Row(y), qc.Row(y) + 1024, b.begin() + bits + 1024 * stored))
            << "stored row " << stored;
    }
    // The two bytes beyond the rows that the image size counts are zero.
    EXPECT_EQ(b[b.size() - 2], 0);
    EXPECT_EQ(b[b.size() - 1], 0);
}

TEST(BitmapResources, GeneratedOnceAndUnknownIdsHaveNone) {
    EXPECT_EQ(res::FindBitmapResource(133), res::FindBitmapResource(133));
    for (int id : {0, 128, 131, 132, 134, 138, 146, 155, -1}) {
        EXPECT_EQ(res::FindBitmapResource(id), nullptr) << id;
    }
}

struct RgbResource {
    int id;
    int width, height;
};

// The gray picture stored in a 24-bit resource, checking that every pixel is gray.
res::GrayImage Decode24(const Bytes& b) {
    const int w = static_cast<int>(Le32(b, 4));
    const int h = static_cast<int>(Le32(b, 8));
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    res::GrayImage g(w, h, 0);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = &b[40 + stride * (h - 1 - y)];
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(row[3 * x], row[3 * x + 1]);
            EXPECT_EQ(row[3 * x], row[3 * x + 2]);
            g.Set(x, y, row[3 * x]);
        }
    }
    return g;
}

TEST(BitmapResources, StartPicturesAreTwentyFourBitDibsOfTheirSizes) {
    const RgbResource all[] = {{147, 604, 712},   {148, 188, 142}, {149, 576, 88},
                               {150, 1225, 1782}, {151, 375, 354}, {152, 1152, 214},
                               {153, 188, 142},   {154, 375, 354}};
    for (const RgbResource& r : all) {
        const Bytes* b = res::FindBitmapResource(r.id);
        ASSERT_NE(b, nullptr) << r.id;
        const std::size_t stride = (static_cast<std::size_t>(r.width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(Le32(*b, 0), 40u);
        EXPECT_EQ(static_cast<int>(Le32(*b, 4)), r.width) << r.id;
        EXPECT_EQ(static_cast<int>(Le32(*b, 8)), r.height) << r.id;
        EXPECT_EQ(Le16(*b, 12), 1);
        EXPECT_EQ(Le16(*b, 14), 24);
        EXPECT_EQ(Le32(*b, 16), 0u);
        EXPECT_EQ(Le32(*b, 20), stride * r.height);
        EXPECT_EQ(b->size(), 40 + stride * r.height) << r.id;
    }
}

TEST(BitmapResources, PatchBIsPatchAMirroredPixelForPixel) {
    for (auto [a, b] : {std::pair{148, 153}, std::pair{151, 154}}) {
        const res::GrayImage patchA = Decode24(*res::FindBitmapResource(a));
        const res::GrayImage patchB = Decode24(*res::FindBitmapResource(b));
        EXPECT_EQ(patchB, patchA.MirroredLeftRight()) << a << " / " << b;
        EXPECT_NE(patchB, patchA);
    }
}

TEST(BitmapResources, StartPicturesShowTheirMotifs) {
    const res::GrayImage qc = res::MakeTg18Qc(res::Tg18Size::Square1024);
    // The centre picture is the QC block with the boxes below; the small patch is QC's corner
    // resolution block.
    EXPECT_EQ(Decode24(*res::FindBitmapResource(147)), qc.Crop(210, 208, 604, 712));
    EXPECT_EQ(Decode24(*res::FindBitmapResource(148)), qc.Crop(12, 12, 188, 142));
    // The banner is mirror-symmetric about its vertical centre line, white above black.
    for (int id : {149, 152}) {
        const res::GrayImage banner = Decode24(*res::FindBitmapResource(id));
        EXPECT_EQ(banner, banner.MirroredLeftRight()) << id;
        EXPECT_EQ(banner.At(2, 2), 255) << id;
        EXPECT_EQ(banner.At(2, banner.Height() - 3), 0) << id;
    }
}

} // namespace
