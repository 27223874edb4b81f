// The PNG and TIFF readers: files made here with libpng and libtiff, in every depth and layout
// the readers take, and the ones they refuse.

#include "imageio/image_readers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <png.h>
#include <tiffio.h>

namespace {

using namespace imageio_test;
using imageio::ReadGrayImage;
using imageio::ReadResult;

// ---- PNG -------------------------------------------------------------------------------------

TEST(PngReader, ReadsGrayOfEveryDepth) {
    ScratchDir dir;
    PngSpec s;
    s.width = 5;
    s.height = 1;
    s.samples = {0, 1, 127, 254, 255};
    WritePngFile(dir / "8.png", s);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "8.png")), (std::vector<int>{0, 1, 127, 254, 255}));

    s.bitDepth = 16;
    s.samples = {0, 128, 129, 32768, 65535};
    WritePngFile(dir / "16.png", s);
    const ReadResult r = ReadGrayImage(dir / "16.png");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.format, "PNG");
    EXPECT_EQ(Pixels(r), (std::vector<int>{0, 0, 1, 128, 255}));

    s.bitDepth = 2;
    s.samples = {0, 1, 2, 3, 0};
    WritePngFile(dir / "2.png", s);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "2.png")), (std::vector<int>{0, 85, 170, 255, 0}));
}

TEST(PngReader, TakesColourImagesOnlyWhenTheyAreGray) {
    ScratchDir dir;
    PngSpec rgb;
    rgb.width = 2;
    rgb.height = 1;
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    rgb.bitDepth = 16;
    rgb.samples = {1000, 1000, 1000, 65535, 65535, 65535};
    WritePngFile(dir / "gray-rgb.png", rgb);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "gray-rgb.png")), (std::vector<int>{4, 255}));
    rgb.samples[5] = 0;
    WritePngFile(dir / "rgb.png", rgb);
    EXPECT_EQ(ReadGrayImage(dir / "rgb.png").error,
              "unsupported: a colour image (not every pixel is gray)");

    PngSpec palette;
    palette.width = 3;
    palette.height = 1;
    palette.colorType = PNG_COLOR_TYPE_PALETTE;
    palette.palette = {0x000000, 0x808080, 0xFFFFFF};
    palette.samples = {2, 1, 0};
    WritePngFile(dir / "palette.png", palette);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "palette.png")), (std::vector<int>{255, 128, 0}));
    palette.palette[1] = 0x808081;
    WritePngFile(dir / "colour-palette.png", palette);
    EXPECT_FALSE(ReadGrayImage(dir / "colour-palette.png").ok());

    PngSpec alpha;
    alpha.width = 2;
    alpha.height = 1;
    alpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    alpha.samples = {10, 0, 20, 255};
    WritePngFile(dir / "alpha.png", alpha);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "alpha.png")), (std::vector<int>{10, 20}));
}

TEST(PngReader, InterlacedImagesAndText) {
    ScratchDir dir;
    PngSpec s;
    s.width = 37;
    s.height = 23;
    s.samples = Ramp(37 * 23, 7, 256);
    s.texts = {{"Title", "TG18-AFC as exported"}, {"Comment", "second"}};
    WritePngFile(dir / "plain.png", s);
    s.interlaced = true;
    WritePngFile(dir / "interlaced.png", s);
    const ReadResult plain = ReadGrayImage(dir / "plain.png");
    const ReadResult interlaced = ReadGrayImage(dir / "interlaced.png");
    ASSERT_TRUE(interlaced.ok()) << interlaced.error;
    EXPECT_EQ(Pixels(interlaced), std::vector<int>(s.samples.begin(), s.samples.end()));
    EXPECT_EQ(Pixels(plain), Pixels(interlaced));
    EXPECT_EQ(plain.text, "TG18-AFC as exported\nsecond\n");
}

// ---- TIFF ------------------------------------------------------------------------------------

TEST(TiffReader, ReadsEightAndSixteenBitsInEveryLayout) {
    ScratchDir dir;
    struct Variant {
        const char* name;
        int bits;
        int compression;
        bool tiled;
    };
    const Variant variants[] = {
        {"8 plain", 8, COMPRESSION_NONE, false},
        {"16 plain", 16, COMPRESSION_NONE, false},
        {"8 lzw", 8, COMPRESSION_LZW, false},
        {"16 deflate", 16, COMPRESSION_ADOBE_DEFLATE, false},
        {"8 packbits", 8, COMPRESSION_PACKBITS, false},
        {"8 tiled", 8, COMPRESSION_NONE, true},
        {"16 tiled lzw", 16, COMPRESSION_LZW, true},
    };
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        TiffSpec s;
        s.width = 37;
        s.height = 21;
        s.bits = v.bits;
        s.compression = v.compression;
        s.tiled = v.tiled;
        s.samples = Ramp(37 * 21, 3, 256);
        if (v.bits == 16) {
            for (std::uint16_t& sample : s.samples) {
                sample = static_cast<std::uint16_t>(sample * 257); // maps back exactly
            }
        }
        WriteTiffFile(dir / "t.tif", s);
        const ReadResult r = ReadGrayImage(dir / "t.tif");
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.format, "TIFF");
        ASSERT_EQ(r.image.width, 37);
        ASSERT_EQ(r.image.height, 21);
        for (std::size_t i = 0; i < s.samples.size(); ++i) {
            const int expected = v.bits == 8 ? s.samples[i] : s.samples[i] / 257;
            ASSERT_EQ(r.image.pixels[i], expected) << i;
        }
    }
}

TEST(TiffReader, MinIsWhiteSignedAndText) {
    ScratchDir dir;
    TiffSpec s;
    s.width = 3;
    s.height = 1;
    s.photometric = PHOTOMETRIC_MINISWHITE;
    s.samples = {0, 100, 255};
    s.description = "AAPM TG18-AD, 1k";
    WriteTiffFile(dir / "w.tif", s);
    const ReadResult r = ReadGrayImage(dir / "w.tif");
    EXPECT_EQ(Pixels(r), (std::vector<int>{255, 155, 0}));
    EXPECT_EQ(r.text, "AAPM TG18-AD, 1k\n");

    TiffSpec i;
    i.width = 3;
    i.height = 1;
    i.bits = 16;
    i.isSigned = true;
    i.samples = {0x8000, 0, 0x7FFF};
    WriteTiffFile(dir / "i.tif", i);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "i.tif")), (std::vector<int>{0, 128, 255}));
}

TEST(TiffReader, PutsTheFirstRowWhereTheOrientationSays) {
    ScratchDir dir;
    TiffSpec s;
    s.width = 3;
    s.height = 2;
    s.samples = {1, 2, 3, 4, 5, 6};
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        {ORIENTATION_TOPLEFT, {1, 2, 3, 4, 5, 6}},
        {ORIENTATION_TOPRIGHT, {3, 2, 1, 6, 5, 4}},
        {ORIENTATION_BOTRIGHT, {6, 5, 4, 3, 2, 1}},
        {ORIENTATION_BOTLEFT, {4, 5, 6, 1, 2, 3}},
    };
    for (const auto& [orientation, expected] : cases) {
        s.orientation = orientation;
        WriteTiffFile(dir / "o.tif", s);
        EXPECT_EQ(Pixels(ReadGrayImage(dir / "o.tif")), expected) << orientation;
    }
    s.orientation = ORIENTATION_LEFTTOP;
    WriteTiffFile(dir / "o.tif", s);
    EXPECT_EQ(ReadGrayImage(dir / "o.tif").error,
              "unsupported: orientation 5 (rows and columns swapped)");
}

TEST(TiffReader, SaysWhatItCannotRead) {
    ScratchDir dir;
    TiffSpec rgb;
    rgb.samplesPerPixel = 3;
    rgb.photometric = PHOTOMETRIC_RGB;
    rgb.samples.assign(4 * 4 * 3, 7);
    WriteTiffFile(dir / "rgb.tif", rgb);
    EXPECT_EQ(ReadGrayImage(dir / "rgb.tif").error, "unsupported: 3 samples per pixel");
}

} // namespace
