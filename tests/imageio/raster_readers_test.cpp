// The PNG and TIFF readers: files made here with libpng and libtiff, in every depth and layout
// the readers take, and the ones they refuse.

#include "imageio/image_readers.h"
#include "reader_cases.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <png.h>
#include <tiffio.h>

namespace {

using namespace imageio_test;
using imageio::ReadResult;

// ---- PNG -------------------------------------------------------------------------------------

// Colour types whose pixels happen to be gray; RefusesColourImages turns each into colour.
const PngRecipe kGrayRgb{.width = 2,
                         .height = 1,
                         .colorType = PNG_COLOR_TYPE_RGB,
                         .bitDepth = 16,
                         .samples = {1000, 1000, 1000, 65535, 65535, 65535}};
const PngRecipe kGrayPalette{.width = 3,
                             .height = 1,
                             .colorType = PNG_COLOR_TYPE_PALETTE,
                             .samples = {2, 1, 0},
                             .palette = {0x000000, 0x808080, 0xFFFFFF}};

const ReadCase kPngCases[] = {
    {"EightBitGray",
     PngRecipe{.width = 5, .height = 1, .samples = {0, 1, 127, 254, 255}},
     {0, 1, 127, 254, 255}},
    {"SixteenBitGray",
     PngRecipe{.width = 5, .height = 1, .bitDepth = 16, .samples = {0, 128, 129, 32768, 65535}},
     {0, 0, 1, 128, 255}},
    {"TwoBitGray",
     PngRecipe{.width = 5, .height = 1, .bitDepth = 2, .samples = {0, 1, 2, 3, 0}},
     {0, 85, 170, 255, 0}},
    {"RgbWhoseEveryPixelIsGray", kGrayRgb, {4, 255}},
    {"PaletteOfGrays", kGrayPalette, {255, 128, 0}},
    {"GrayWithAlphaIgnoresTheAlpha",
     PngRecipe{.width = 2,
               .height = 1,
               .colorType = PNG_COLOR_TYPE_GRAY_ALPHA,
               .samples = {10, 0, 20, 255}},
     {10, 20}},
};

INSTANTIATE_TEST_SUITE_P(PngReader, ReaderCase, testing::ValuesIn(kPngCases), ReadCaseName);

TEST(PngReader, RefusesColourImages) {
    PngRecipe rgb = kGrayRgb;
    rgb.samples[5] = 0;
    EXPECT_EQ(ReadBack(rgb).error, "unsupported: a colour image (not every pixel is gray)");
    PngRecipe palette = kGrayPalette;
    palette.palette[1] = 0x808081;
    EXPECT_FALSE(ReadBack(palette).ok());
}

TEST(PngReader, InterlacedImagesAndText) {
    PngRecipe s{.width = 37,
                .height = 23,
                .samples = Ramp(37 * 23, 7, 256),
                .texts = {{"Title", "TG18-AFC as exported"}, {"Comment", "second"}}};
    const ReadResult plain = ReadBack(s);
    s.interlaced = true;
    const ReadResult interlaced = ReadBack(s);
    ASSERT_TRUE(interlaced.ok()) << interlaced.error;
    EXPECT_EQ(Pixels(interlaced), AsInts(s.samples));
    EXPECT_EQ(Pixels(plain), Pixels(interlaced));
    EXPECT_EQ(plain.text, "TG18-AFC as exported\nsecond\n");
}

// ---- TIFF ------------------------------------------------------------------------------------

TEST(TiffReader, ReadsEightAndSixteenBitsInEveryLayout) {
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
        TiffRecipe s{.width = 37,
                     .height = 21,
                     .bits = v.bits,
                     .compression = v.compression,
                     .tiled = v.tiled,
                     .samples = Ramp(37 * 21, 3, 256)};
        if (v.bits == 16) {
            for (std::uint16_t& sample : s.samples) {
                sample = static_cast<std::uint16_t>(sample * 257); // maps back exactly
            }
        }
        const ReadResult r = ReadBack(s);
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

const TiffRecipe kMinIsWhite{.width = 3,
                             .height = 1,
                             .photometric = PHOTOMETRIC_MINISWHITE,
                             .samples = {0, 100, 255},
                             .description = "AAPM TG18-AD, 1k"};

const ReadCase kTiffCases[] = {
    {"MinIsWhite", kMinIsWhite, {255, 155, 0}},
    {"SixteenBitSigned",
     TiffRecipe{
         .width = 3, .height = 1, .bits = 16, .isSigned = true, .samples = {0x8000, 0, 0x7FFF}},
     {0, 128, 255}},
};

INSTANTIATE_TEST_SUITE_P(TiffReader, ReaderCase, testing::ValuesIn(kTiffCases), ReadCaseName);

TEST(TiffReader, TheDescriptionIsTheText) {
    EXPECT_EQ(ReadBack(kMinIsWhite).text, "AAPM TG18-AD, 1k\n");
}

TEST(TiffReader, PutsTheFirstRowWhereTheOrientationSays) {
    TiffRecipe s{.width = 3, .height = 2, .samples = {1, 2, 3, 4, 5, 6}};
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        {ORIENTATION_TOPLEFT, {1, 2, 3, 4, 5, 6}},
        {ORIENTATION_TOPRIGHT, {3, 2, 1, 6, 5, 4}},
        {ORIENTATION_BOTRIGHT, {6, 5, 4, 3, 2, 1}},
        {ORIENTATION_BOTLEFT, {4, 5, 6, 1, 2, 3}},
    };
    for (const auto& [orientation, expected] : cases) {
        s.orientation = orientation;
        EXPECT_EQ(Pixels(ReadBack(s)), expected) << orientation;
    }
    s.orientation = ORIENTATION_LEFTTOP;
    EXPECT_EQ(ReadBack(s).error, "unsupported: orientation 5 (rows and columns swapped)");
}

TEST(TiffReader, SaysWhatItCannotRead) {
    const TiffRecipe rgb{.samplesPerPixel = 3,
                         .photometric = PHOTOMETRIC_RGB,
                         .samples = std::vector<std::uint16_t>(4 * 4 * 3, 7)};
    EXPECT_EQ(ReadBack(rgb).error, "unsupported: 3 samples per pixel");
}

} // namespace
