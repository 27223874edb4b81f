// The DICOM reader: files made here with DCMTK, mapped to gray through their own window, VOI
// LUT or bit depth, with DCMTK's own renderer as the reference for windows.

#include "imageio/image_readers.h"
#include "reader_cases.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace imageio_test;
using imageio::ReadGrayImage;
using imageio::ReadResult;

const DicomRecipe kMonochromeOne{.width = 3,
                                 .height = 1,
                                 .bitsAllocated = 8,
                                 .bitsStored = 8,
                                 .photometric = "MONOCHROME1",
                                 .samples = {0, 100, 255}};

DicomRecipe Windowed(DicomRecipe recipe, const char* center, const char* width) {
    recipe.windowCenter = center;
    recipe.windowWidth = width;
    return recipe;
}

// Files the reader maps to gray through their own window, VOI LUT or bit depth.
const ReadCase kMappings[] = {
    {"EightBitsWithoutWindowAreTakenAsTheyAre",
     DicomRecipe{.width = 16,
                 .height = 16,
                 .bitsAllocated = 8,
                 .bitsStored = 8,
                 .samples = Ramp(256, 1, 256)},
     AsInts(Ramp(256, 1, 256))},
    // Borders −0.5 and 1999.5: y = 255 (x + 0.5) / 2000; only the first window counts.
    {"TwelveBitsGoThroughTheFilesWindow",
     DicomRecipe{.width = 6,
                 .height = 1,
                 .samples = {0, 999, 1999, 2000, 4095, 1},
                 .windowCenter = "1000\\2048",
                 .windowWidth = "2001\\4096"},
     {0, 127, 254, 255, 255, 0}},
    {"SixteenBitsWithoutWindowScaleByTheBitDepth",
     DicomRecipe{.width = 5, .height = 1, .bitsStored = 16, .samples = {0, 128, 129, 32768, 65535}},
     {0, 0, 1, 128, 255}},
    // The same idea at 12 bits: round(v × 255 / 4095).
    {"TwelveBitsWithoutWindowScaleByTheBitDepth",
     DicomRecipe{.width = 5, .height = 1, .bitsStored = 12, .samples = {0, 8, 9, 2048, 4095}},
     {0, 0, 1, 128, 255}},
    {"MonochromeOneShowsTheLowestValueWhite", kMonochromeOne, {255, 155, 0}},
    // With a window, the inverted output is truncated: 255 − (x + 0.5) here, as DCMTK shows it.
    {"MonochromeOneThroughAWindowIsTruncated",
     Windowed(kMonochromeOne, "127.5", "256"),
     {254, 154, 0}},
    // Values 100 … 2147.5; the window's borders are 99.5 and 499.5: y = 255 (x − 100) / 400.
    {"TheWindowAppliesToRescaledValues",
     DicomRecipe{.width = 5,
                 .height = 1,
                 .samples = {0, 400, 799, 800, 4095},
                 .windowCenter = "300.5",
                 .windowWidth = "401",
                 .rescaleSlope = "0.5",
                 .rescaleIntercept = "100"},
     {0, 127, 254, 255, 255}},
    // −32768, 0, 32767.
    {"SignedValues",
     DicomRecipe{.width = 3,
                 .height = 1,
                 .bitsStored = 16,
                 .isSigned = true,
                 .samples = {0x8000, 0x0000, 0x7FFF}},
     {0, 128, 255}},
    // Eight bits stored in bits 4 … 11; the bits around them are noise.
    {"ValuesBelowTheHighBit",
     DicomRecipe{.width = 3,
                 .height = 1,
                 .bitsStored = 8,
                 .highBit = 11,
                 .samples = {0xF00F, 0x080A, 0xAFF5}},
     {0, 0x80, 0xFF}},
    {"UsesTheVoiLutWhenThereIsNoWindow",
     DicomRecipe{.width = 4,
                 .height = 1,
                 .samples = {0, 10, 11, 4095},
                 .voiLut = std::make_tuple(10, 10, std::vector<std::uint16_t>{1023, 0})},
     {255, 255, 0, 0}},
    {"ReadsImplicitVrAndFilesWithoutMetaHeader",
     DicomRecipe{.width = 3,
                 .height = 2,
                 .bitsStored = 16,
                 .samples = {0, 65535, 0, 65535, 0, 65535},
                 .implicitVr = true,
                 .withMetaHeader = false},
     {0, 255, 0, 255, 0, 255}},
};

INSTANTIATE_TEST_SUITE_P(DicomReader, ReaderCase, testing::ValuesIn(kMappings), ReadCaseName);

// DCMTK's own renderer, given the file's first window, is the reference for the windowed cases.
TEST(DicomReader, AgreesWithDcm2pnmOnWindowedFiles) {
    TempFolder dir;
    std::vector<DicomRecipe> recipes(4);
    for (DicomRecipe& s : recipes) {
        s.width = 64;
        s.height = 64;
        s.samples = Ramp(64 * 64, 1, 4096);
        s.windowCenter = "2048";
        s.windowWidth = "4096";
    }
    recipes[1].windowCenter = "1000.3";
    recipes[1].windowWidth = "777";
    recipes[2].photometric = "MONOCHROME1";
    recipes[3].rescaleSlope = "2"; // DCMTK keeps rescaled values as integers: stay with integers
    recipes[3].rescaleIntercept = "-1024";
    recipes[3].windowCenter = "40";
    recipes[3].windowWidth = "400";
    for (std::size_t i = 0; i < recipes.size(); ++i) {
        SCOPED_TRACE(i);
        const fs::path dcm = dir / ("f" + std::to_string(i) + ".dcm");
        const fs::path pgm = dir / ("f" + std::to_string(i) + ".pgm");
        WriteDicomFile(dcm, recipes[i]);
        const CommandResult c = RunCommand("dcm2pnm +Wi 1 " + dcm.string() + " " + pgm.string());
        ASSERT_EQ(c.status, 0) << c.output;
        const std::vector<std::uint8_t> ppm = ReadBytes(pgm);
        ASSERT_GE(ppm.size(), 64u * 64u);
        const std::vector<int> expected(ppm.end() - 64 * 64, ppm.end());
        const ReadResult r = ReadGrayImage(dcm);
        ASSERT_TRUE(r.ok()) << r.error;
        const std::vector<int> actual = Pixels(r);
        for (std::size_t k = 0; k < expected.size(); ++k) {
            ASSERT_EQ(actual[k], expected[k]) << "pixel " << k;
        }
    }
}

TEST(DicomReader, SaysWhatItCannotRead) {
    EXPECT_EQ(ReadBack(DicomRecipe{.bitsAllocated = 8,
                                   .bitsStored = 8,
                                   .photometric = "RGB",
                                   .samplesPerPixel = 3})
                  .error,
              "unsupported: 3 samples per pixel");
    EXPECT_EQ(ReadBack(DicomRecipe{.photometric = "PALETTE COLOR"}).error,
              "unsupported: photometric interpretation PALETTE COLOR");
    EXPECT_NE(ReadBack(DicomRecipe{.bitsStored = 12, .highBit = 15 + 1}).error.find("inconsistent"),
              std::string::npos);
    EXPECT_EQ(
        ReadBack(
            DicomRecipe{.width = 16385, .height = 1, .samples = std::vector<std::uint16_t>(16385)})
            .error,
        "size 16385 × 1 is larger than 16384 pixels a side");
    EXPECT_EQ(ReadBack(DicomRecipe{.rescaleSlope = "0"}).error, "unsupported: RescaleSlope 0");

    // RLE compression by DCMTK's own tool.
    TempFolder dir;
    WriteDicomFile(dir / "plain.dcm", {.width = 8, .height = 8});
    const CommandResult c =
        RunCommand("dcmcrle " + (dir / "plain.dcm").string() + " " + (dir / "rle.dcm").string());
    ASSERT_EQ(c.status, 0) << c.output;
    EXPECT_EQ(ReadGrayImage(dir / "rle.dcm").error,
              "unsupported: compressed pixel data (RLE Lossless); decompress the file first, e.g. "
              "with dcmdjpeg or dcmconv");
}

TEST(DicomReader, ShortPixelDataIsTruncated) {
    std::vector<std::uint8_t> bytes = FileBytes(DicomRecipe{.width = 100, .height = 100});
    bytes.resize(bytes.size() - 5000);
    const ReadResult r = imageio::DecodeGrayImage(bytes);
    EXPECT_EQ(r.error, "truncated");
}

} // namespace
