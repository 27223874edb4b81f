// The DICOM reader: files made here with DCMTK, mapped to gray through their own window, VOI
// LUT or bit depth, with DCMTK's own renderer as the reference for windows.

#include "imageio/image_readers.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace imageio_test;
using imageio::ReadGrayImage;
using imageio::ReadResult;

TEST(DicomReader, EightBitsWithoutWindowAreTakenAsTheyAre) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 16;
    s.height = 16;
    s.bitsAllocated = 8;
    s.bitsStored = 8;
    s.samples = Ramp(256, 1, 256);
    WriteDicomFile(dir / "a.dcm", s);
    const ReadResult r = ReadGrayImage(dir / "a.dcm");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.format, "DICOM");
    EXPECT_EQ(r.image.width, 16);
    EXPECT_EQ(r.image.height, 16);
    EXPECT_EQ(Pixels(r), std::vector<int>(s.samples.begin(), s.samples.end()));
}

TEST(DicomReader, TwelveBitsGoThroughTheFilesWindow) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 6;
    s.height = 1;
    s.samples = {0, 999, 1999, 2000, 4095, 1};
    // Borders −0.5 and 1999.5: y = 255 (x + 0.5) / 2000.
    s.windowCenter = "1000\\2048"; // only the first window counts
    s.windowWidth = "2001\\4096";
    WriteDicomFile(dir / "w.dcm", s);
    const ReadResult r = ReadGrayImage(dir / "w.dcm");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(Pixels(r), (std::vector<int>{0, 127, 254, 255, 255, 0}));
}

TEST(DicomReader, SixteenBitsWithoutWindowScaleByTheBitDepth) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 5;
    s.height = 1;
    s.bitsStored = 16;
    s.samples = {0, 128, 129, 32768, 65535};
    WriteDicomFile(dir / "s.dcm", s);
    const ReadResult r = ReadGrayImage(dir / "s.dcm");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(Pixels(r), (std::vector<int>{0, 0, 1, 128, 255}));

    s.bitsStored = 12; // the same idea at 12 bits: round(v × 255 / 4095)
    s.samples = {0, 8, 9, 2048, 4095};
    WriteDicomFile(dir / "t.dcm", s);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "t.dcm")), (std::vector<int>{0, 0, 1, 128, 255}));
}

TEST(DicomReader, MonochromeOneShowsTheLowestValueWhite) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 3;
    s.height = 1;
    s.bitsAllocated = 8;
    s.bitsStored = 8;
    s.photometric = "MONOCHROME1";
    s.samples = {0, 100, 255};
    WriteDicomFile(dir / "m.dcm", s);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "m.dcm")), (std::vector<int>{255, 155, 0}));

    // With a window, the inverted output is truncated: 255 − (x + 0.5) here, as DCMTK shows it.
    s.windowCenter = "127.5";
    s.windowWidth = "256";
    WriteDicomFile(dir / "mw.dcm", s);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "mw.dcm")), (std::vector<int>{254, 154, 0}));
}

TEST(DicomReader, TheWindowAppliesToRescaledValues) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 5;
    s.height = 1;
    s.samples = {0, 400, 799, 800, 4095};
    s.rescaleSlope = "0.5";
    s.rescaleIntercept = "100";
    // Values 100 … 2147.5; the window's borders are 99.5 and 499.5: y = 255 (x − 100) / 400.
    s.windowCenter = "300.5";
    s.windowWidth = "401";
    WriteDicomFile(dir / "r.dcm", s);
    const ReadResult r = ReadGrayImage(dir / "r.dcm");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(Pixels(r), (std::vector<int>{0, 127, 254, 255, 255}));
}

TEST(DicomReader, SignedValuesAndValuesBelowTheHighBit) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 3;
    s.height = 1;
    s.bitsStored = 16;
    s.isSigned = true;
    s.samples = {0x8000, 0x0000, 0x7FFF}; // −32768, 0, 32767
    WriteDicomFile(dir / "signed.dcm", s);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "signed.dcm")), (std::vector<int>{0, 128, 255}));

    // Eight bits stored in bits 4 … 11; the bits around them are noise.
    DicomSpec h;
    h.width = 3;
    h.height = 1;
    h.bitsStored = 8;
    h.highBit = 11;
    h.samples = {0xF00F, 0x080A, 0xAFF5};
    WriteDicomFile(dir / "high.dcm", h);
    EXPECT_EQ(Pixels(ReadGrayImage(dir / "high.dcm")), (std::vector<int>{0, 0x80, 0xFF}));
}

TEST(DicomReader, UsesTheVoiLutWhenThereIsNoWindow) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 4;
    s.height = 1;
    s.samples = {0, 10, 11, 4095};
    s.voiLut = std::make_tuple(10, 10, std::vector<std::uint16_t>{1023, 0});
    WriteDicomFile(dir / "lut.dcm", s);
    const ReadResult r = ReadGrayImage(dir / "lut.dcm");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(Pixels(r), (std::vector<int>{255, 255, 0, 0}));
}

TEST(DicomReader, ReadsImplicitVrAndFilesWithoutMetaHeader) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 3;
    s.height = 2;
    s.bitsStored = 16;
    s.samples = {0, 65535, 0, 65535, 0, 65535};
    s.implicitVr = true;
    s.withMetaHeader = false;
    WriteDicomFile(dir / "raw.dcm", s);
    const ReadResult r = ReadGrayImage(dir / "raw.dcm");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(Pixels(r), (std::vector<int>{0, 255, 0, 255, 0, 255}));
}

// DCMTK's own renderer, given the file's first window, is the reference for the windowed cases.
TEST(DicomReader, AgreesWithDcm2pnmOnWindowedFiles) {
    ScratchDir dir;
    std::vector<DicomSpec> specs(4);
    for (DicomSpec& s : specs) {
        s.width = 64;
        s.height = 64;
        s.samples = Ramp(64 * 64, 1, 4096);
        s.windowCenter = "2048";
        s.windowWidth = "4096";
    }
    specs[1].windowCenter = "1000.3";
    specs[1].windowWidth = "777";
    specs[2].photometric = "MONOCHROME1";
    specs[3].rescaleSlope = "2"; // DCMTK keeps rescaled values as integers: stay with integers
    specs[3].rescaleIntercept = "-1024";
    specs[3].windowCenter = "40";
    specs[3].windowWidth = "400";
    for (std::size_t i = 0; i < specs.size(); ++i) {
        SCOPED_TRACE(i);
        const fs::path dcm = dir / ("f" + std::to_string(i) + ".dcm");
        const fs::path pgm = dir / ("f" + std::to_string(i) + ".pgm");
        WriteDicomFile(dcm, specs[i]);
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
    ScratchDir dir;
    auto errorOf = [&](const DicomSpec& s) {
        WriteDicomFile(dir / "e.dcm", s);
        return ReadGrayImage(dir / "e.dcm").error;
    };
    DicomSpec rgb;
    rgb.samplesPerPixel = 3;
    rgb.photometric = "RGB";
    rgb.bitsAllocated = 8;
    rgb.bitsStored = 8;
    EXPECT_EQ(errorOf(rgb), "unsupported: 3 samples per pixel");

    DicomSpec palette;
    palette.photometric = "PALETTE COLOR";
    EXPECT_EQ(errorOf(palette), "unsupported: photometric interpretation PALETTE COLOR");

    DicomSpec inconsistent;
    inconsistent.bitsStored = 12;
    inconsistent.highBit = 15 + 1;
    EXPECT_NE(errorOf(inconsistent).find("inconsistent"), std::string::npos);

    DicomSpec wide;
    wide.width = 16385;
    wide.height = 1;
    wide.samples.assign(16385, 0);
    EXPECT_EQ(errorOf(wide), "size 16385 × 1 is larger than 16384 pixels a side");

    DicomSpec rescale;
    rescale.rescaleSlope = "0";
    EXPECT_EQ(errorOf(rescale), "unsupported: RescaleSlope 0");

    // RLE compression by DCMTK's own tool.
    DicomSpec plain;
    plain.width = 8;
    plain.height = 8;
    WriteDicomFile(dir / "plain.dcm", plain);
    const CommandResult c =
        RunCommand("dcmcrle " + (dir / "plain.dcm").string() + " " + (dir / "rle.dcm").string());
    ASSERT_EQ(c.status, 0) << c.output;
    EXPECT_EQ(ReadGrayImage(dir / "rle.dcm").error,
              "unsupported: compressed pixel data (RLE Lossless); decompress the file first, e.g. "
              "with dcmdjpeg or dcmconv");
}

TEST(DicomReader, ShortPixelDataIsTruncated) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 100;
    s.height = 100;
    WriteDicomFile(dir / "full.dcm", s);
    std::vector<std::uint8_t> bytes = ReadBytes(dir / "full.dcm");
    bytes.resize(bytes.size() - 5000);
    const ReadResult r = imageio::DecodeGrayImage(bytes);
    EXPECT_EQ(r.error, "truncated");
}

} // namespace
