// Damaged and foreign files give a reason and never a crash; sizes are refused before any
// memory is taken for them.

#include "imageio/image_readers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <png.h>
#include <tiffio.h>

#include <random>

namespace {

using namespace imageio_test;
using imageio::ReadGrayImage;
using imageio::ReadResult;

// Valid files of every reader and layout, for cutting and corrupting.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> SampleFiles() {
    DicomRecipe d{.width = 20,
                  .height = 10,
                  .samples = Ramp(200, 20, 4096),
                  .windowCenter = "2048",
                  .windowWidth = "4096",
                  .seriesDescription = "TG18-QC"};
    PngRecipe p{.width = 20,
                .height = 10,
                .bitDepth = 16,
                .samples = Ramp(200, 300, 65536),
                .texts = {{"Title", "TG18-QC"}}};
    TiffRecipe t{
        .width = 20, .height = 10, .compression = COMPRESSION_LZW, .samples = Ramp(200, 1, 256)};
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
    files.emplace_back("dicom", FileBytes(d));
    d.implicitVr = true;
    d.withMetaHeader = false;
    files.emplace_back("raw dicom", FileBytes(d));
    files.emplace_back("png", FileBytes(p));
    p.interlaced = true;
    files.emplace_back("interlaced png", FileBytes(p));
    files.emplace_back("tiff lzw", FileBytes(t));
    t.tiled = true;
    t.compression = COMPRESSION_ADOBE_DEFLATE;
    files.emplace_back("tiled tiff", FileBytes(t));
    return files;
}

TEST(Readers, TruncatedFilesGiveAReasonOrTheWholeImage) {
    for (const auto& [name, bytes] : SampleFiles()) {
        SCOPED_TRACE(name);
        const ReadResult whole = imageio::DecodeGrayImage(bytes);
        ASSERT_TRUE(whole.ok()) << whole.error;
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + length);
            const ReadResult r = imageio::DecodeGrayImage(cut);
            if (r.ok()) {
                // Only the end of a file may go unnoticed (the PNG end chunk, say), and then
                // nothing of the image is missing.
                ASSERT_EQ(r.image.pixels, whole.image.pixels) << length;
            } else {
                ASSERT_FALSE(r.error.empty());
            }
        }
    }
}

TEST(Readers, CorruptedFilesNeverCrash) {
    std::mt19937 random(42);
    for (const auto& [name, bytes] : SampleFiles()) {
        SCOPED_TRACE(name);
        for (int round = 0; round < 400; ++round) {
            std::vector<std::uint8_t> b = bytes;
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int k = 0; k < flips; ++k) {
                b[random() % b.size()] = static_cast<std::uint8_t>(random());
            }
            const ReadResult r = imageio::DecodeGrayImage(b);
            if (r.ok()) {
                ASSERT_EQ(r.image.pixels.size(),
                          static_cast<std::size_t>(r.image.width) * r.image.height);
            } else {
                ASSERT_FALSE(r.error.empty());
            }
        }
    }
}

TEST(Readers, ForeignFilesAreNamedAsSuch) {
    TempFolder dir;
    const std::string notImage = "not a DICOM, PNG or TIFF file";
    EXPECT_EQ(imageio::DecodeGrayImage({}).error, "empty file");
    const std::vector<std::uint8_t> text = {'h', 'e', 'l', 'l', 'o', '\n'};
    EXPECT_EQ(imageio::DecodeGrayImage(text).error, notImage);
    EXPECT_EQ(imageio::DecodeGrayImage(std::vector<std::uint8_t>(4000, 0)).error, notImage);
    std::vector<std::uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'};
    EXPECT_EQ(imageio::DecodeGrayImage(jpeg).error, notImage);

    std::vector<std::uint8_t> dicm(200, 0x41);
    std::copy_n("DICM", 4, dicm.begin() + 128);
    EXPECT_FALSE(imageio::DecodeGrayImage(dicm).ok());
    std::vector<std::uint8_t> tiff = {'I', 'I', 42, 0, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
    EXPECT_NE(imageio::DecodeGrayImage(tiff).error.find("not a readable TIFF file"),
              std::string::npos);

    EXPECT_EQ(ReadGrayImage(dir / "missing.dcm").error, "no such file");
    EXPECT_EQ(ReadGrayImage(dir.path()).error, "not a regular file");
}

TEST(Readers, RefuseHugeSizesBeforeTakingMemory) {
    // A PNG header claiming 100000 × 100000 pixels, and nothing else.
    std::vector<std::uint8_t> bytes =
        FileBytes(PngRecipe{.samples = std::vector<std::uint16_t>(16)});
    for (int at : {16, 20}) {
        bytes[at] = 0;
        bytes[at + 1] = 0x01;
        bytes[at + 2] = 0x86;
        bytes[at + 3] = 0xA0;
    }
    EXPECT_EQ(imageio::DecodeGrayImage(bytes).error,
              "size 100000 × 100000 is larger than 16384 pixels a side");

    // Below the general limit, above the caller's.
    TempFolder dir;
    WriteDicomFile(dir / "wide.dcm", {.width = 600, .height = 2});
    EXPECT_EQ(ReadGrayImage(dir / "wide.dcm", {512}).error,
              "size 600 × 2 is larger than 512 pixels a side");
}

TEST(Readers, DescriptionsWithoutPixels) {
    for (const auto& [name, bytes] : SampleFiles()) {
        SCOPED_TRACE(name);
        const ReadResult r = imageio::DecodeDescription(bytes);
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_TRUE(r.image.pixels.empty());
        if (name.find("tiff") == std::string::npos) {
            EXPECT_NE(r.text.find("TG18-QC"), std::string::npos) << r.text;
        }
    }
}

} // namespace
