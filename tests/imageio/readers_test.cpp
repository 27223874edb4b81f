// The readers: DICOM, PNG and TIFF files made here with DCMTK, libpng and libtiff, mapped to
// gray as the files ask; damaged and foreign files give a reason and never a crash.

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

// Samples 0, 1, 2, … along rows of the given width, wrapping at `modulo`.
std::vector<std::uint16_t> Ramp(int count, int step, int modulo) {
    std::vector<std::uint16_t> v;
    for (int i = 0; i < count; ++i) {
        v.push_back(static_cast<std::uint16_t>((i * step) % modulo));
    }
    return v;
}

std::vector<int> Pixels(const ReadResult& r) {
    return {r.image.pixels.begin(), r.image.pixels.end()};
}

// ---- DICOM -----------------------------------------------------------------------------------

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

// ---- damaged and foreign files -------------------------------------------------------------

// Valid files of every reader and layout, for cutting and corrupting.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> SampleFiles(const ScratchDir& dir) {
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
    DicomSpec d;
    d.width = 20;
    d.height = 10;
    d.samples = Ramp(200, 20, 4096);
    d.windowCenter = "2048";
    d.windowWidth = "4096";
    d.seriesDescription = "TG18-QC";
    WriteDicomFile(dir / "d.dcm", d);
    files.emplace_back("dicom", ReadBytes(dir / "d.dcm"));
    d.implicitVr = true;
    d.withMetaHeader = false;
    WriteDicomFile(dir / "r.dcm", d);
    files.emplace_back("raw dicom", ReadBytes(dir / "r.dcm"));
    PngSpec p;
    p.width = 20;
    p.height = 10;
    p.bitDepth = 16;
    p.samples = Ramp(200, 300, 65536);
    p.texts = {{"Title", "TG18-QC"}};
    WritePngFile(dir / "p.png", p);
    files.emplace_back("png", ReadBytes(dir / "p.png"));
    p.interlaced = true;
    WritePngFile(dir / "i.png", p);
    files.emplace_back("interlaced png", ReadBytes(dir / "i.png"));
    TiffSpec t;
    t.width = 20;
    t.height = 10;
    t.samples = Ramp(200, 1, 256);
    t.compression = COMPRESSION_LZW;
    WriteTiffFile(dir / "t.tif", t);
    files.emplace_back("tiff lzw", ReadBytes(dir / "t.tif"));
    t.tiled = true;
    t.compression = COMPRESSION_ADOBE_DEFLATE;
    WriteTiffFile(dir / "tt.tif", t);
    files.emplace_back("tiled tiff", ReadBytes(dir / "tt.tif"));
    return files;
}

TEST(Readers, TruncatedFilesGiveAReasonOrTheWholeImage) {
    ScratchDir dir;
    for (const auto& [name, bytes] : SampleFiles(dir)) {
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
    ScratchDir dir;
    std::mt19937 random(42);
    for (const auto& [name, bytes] : SampleFiles(dir)) {
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
    ScratchDir dir;
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
    EXPECT_EQ(ReadGrayImage(dir.Path()).error, "not a regular file");
}

TEST(Readers, RefuseHugeSizesBeforeTakingMemory) {
    // A PNG header claiming 100000 × 100000 pixels, and nothing else.
    PngSpec s;
    s.samples.assign(16, 0);
    ScratchDir dir;
    WritePngFile(dir / "small.png", s);
    std::vector<std::uint8_t> bytes = ReadBytes(dir / "small.png");
    for (int at : {16, 20}) {
        bytes[at] = 0;
        bytes[at + 1] = 0x01;
        bytes[at + 2] = 0x86;
        bytes[at + 3] = 0xA0;
    }
    EXPECT_EQ(imageio::DecodeGrayImage(bytes).error,
              "size 100000 × 100000 is larger than 16384 pixels a side");

    // Below the general limit, above the caller's.
    DicomSpec d;
    d.width = 600;
    d.height = 2;
    WriteDicomFile(dir / "wide.dcm", d);
    EXPECT_EQ(ReadGrayImage(dir / "wide.dcm", {512}).error,
              "size 600 × 2 is larger than 512 pixels a side");
}

TEST(Readers, DescriptionsWithoutPixels) {
    ScratchDir dir;
    for (const auto& [name, bytes] : SampleFiles(dir)) {
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
