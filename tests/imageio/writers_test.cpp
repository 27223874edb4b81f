// The writers: what the files hold, read back by libpng, DCMTK, dciodvfy and a BMP parser of
// the test's own.

#include "imageio/image_writers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

using namespace imageio_test;
using imageio::ExportDescription;
using imageio::Frame;

ExportDescription Tg18QcDescription() {
    ExportDescription d;
    d.patternNumber = 14;
    d.patternName = "Test_TG18-QC";
    d.grayLevel = 37;
    d.stepCount = 64;
    d.labelsOn = false;
    d.programVersion = "1.0";
    return d;
}

struct Case {
    const char* name;
    Frame frame;
    bool gray;
};

std::vector<Case> Frames() {
    return {
        {"gray 1x1", GrayFrame(1, 1), true},
        {"colour 1x1", ColourFrame(1, 1), false},
        {"gray 333x257", GrayFrame(333, 257), true},
        {"colour 333x257", ColourFrame(333, 257), false},
        {"gray 1920x1080", GrayFrame(1920, 1080), true},
        {"colour 1920x1080", ColourFrame(1920, 1080), false},
        {"colour 2x3", ColourFrame(2, 3), false},
    };
}

TEST(Writers, FramesReadBackExactlyInEveryFormat) {
    TempFolder dir;
    for (const Case& c : Frames()) {
        SCOPED_TRACE(c.name);
        const auto view = c.frame.View();

        ASSERT_TRUE(imageio::WritePng(view, dir / "f.png", Tg18QcDescription()).ok());
        const PngFile png = ReadPngDirect(dir / "f.png");
        ASSERT_EQ(png.error, "");
        EXPECT_EQ(png.colorType, c.gray ? 0 : 2); // PNG_COLOR_TYPE_GRAY / _RGB
        EXPECT_EQ(png.bitDepth, 8);
        EXPECT_EQ(png.width, c.frame.width);
        EXPECT_EQ(png.height, c.frame.height);
        EXPECT_TRUE(png.pixels == c.frame.pixels);

        ASSERT_TRUE(imageio::WriteBmp(view, dir / "f.bmp").ok());
        const BmpFile bmp = ReadBmpDirect(dir / "f.bmp");
        ASSERT_EQ(bmp.error, "");
        EXPECT_EQ(bmp.bitCount, c.gray ? 8 : 24);
        EXPECT_EQ(bmp.width, c.frame.width);
        EXPECT_EQ(bmp.height, c.frame.height); // positive: bottom-up
        EXPECT_TRUE(bmp.pixels == c.frame.pixels);

        ASSERT_TRUE(imageio::WriteDicom(view, dir / "f.dcm", Tg18QcDescription()).ok());
        const DicomFile dcm = ReadDicomDirect(dir / "f.dcm");
        ASSERT_EQ(dcm.error, "");
        EXPECT_EQ(dcm.photometric, c.gray ? "MONOCHROME2" : "RGB");
        EXPECT_EQ(dcm.samplesPerPixel, c.gray ? 1 : 3);
        EXPECT_EQ(dcm.planarConfiguration, c.gray ? -1 : 0);
        EXPECT_EQ(dcm.bitsAllocated, 8);
        EXPECT_EQ(dcm.rows, c.frame.height);
        EXPECT_EQ(dcm.columns, c.frame.width);
        EXPECT_TRUE(dcm.pixels == c.frame.pixels);
    }
    EXPECT_EQ(Listing(dir.path()), "f.bmp f.dcm f.png");
}

TEST(Writers, ReadOnlyTheViewAndIgnoreTheTopByte) {
    // A 3 × 2 view into rows of 5 pixels whose top bytes are set, as a surface may hold them.
    std::vector<std::uint32_t> memory(5 * 2, 0xFF00FF00u);
    const std::uint32_t view[2][3] = {{0x11111111, 0x22222222, 0xAB333333},
                                      {0x00444444, 0x55555555, 0xFF666666}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            memory[y * 5 + x] = view[y][x];
        }
    }
    const imageio::FrameView frame{memory.data(), 3, 2, 5};
    const std::vector<std::uint32_t> expected = {0x111111, 0x222222, 0x333333,
                                                 0x444444, 0x555555, 0x666666};
    TempFolder dir;
    ASSERT_TRUE(imageio::WritePng(frame, dir / "v.png").ok());
    ASSERT_TRUE(imageio::WriteBmp(frame, dir / "v.bmp").ok());
    ASSERT_TRUE(imageio::WriteDicom(frame, dir / "v.dcm", {}).ok());
    EXPECT_EQ(ReadPngDirect(dir / "v.png").pixels, expected);
    EXPECT_EQ(ReadPngDirect(dir / "v.png").colorType, 0);
    EXPECT_EQ(ReadBmpDirect(dir / "v.bmp").pixels, expected);
    EXPECT_EQ(ReadDicomDirect(dir / "v.dcm").pixels, expected);
}

TEST(Writers, PngHasNoColourChunksAndNamesThePattern) {
    TempFolder dir;
    for (const Frame& frame : {GrayFrame(20, 10), ColourFrame(20, 10)}) {
        ASSERT_TRUE(imageio::WritePng(frame.View(), dir / "p.png", Tg18QcDescription()).ok());
        const PngFile png = ReadPngDirect(dir / "p.png");
        const std::set<std::string> allowed = {"IHDR", "tEXt", "IDAT", "IEND"};
        for (const std::string& chunk : png.chunks) {
            EXPECT_TRUE(allowed.count(chunk)) << chunk;
        }
        EXPECT_EQ(png.chunks.front(), "IHDR");
        EXPECT_EQ(png.chunks.back(), "IEND");
        std::map<std::string, std::string> texts(png.texts.begin(), png.texts.end());
        EXPECT_EQ(texts["Software"], "Lumivex 1.0");
        EXPECT_EQ(texts["Title"], "Lumivex test pattern 14 Test_TG18-QC");
        EXPECT_NE(texts["Description"].find("20 x 10 pixels with gray level 37, 64 steps and "
                                            "value labels off"),
                  std::string::npos)
            << texts["Description"];
    }
}

TEST(Writers, BmpHeadersAreTheStandardOnes) {
    TempFolder dir;
    ASSERT_TRUE(imageio::WriteBmp(GrayFrame(5, 3).View(), dir / "g.bmp").ok());
    const BmpFile g = ReadBmpDirect(dir / "g.bmp");
    EXPECT_EQ(g.headerSize, 40u);
    EXPECT_EQ(g.planes, 1);
    EXPECT_EQ(g.compression, 0u);
    EXPECT_EQ(g.colorsUsed, 256u);
    EXPECT_EQ(g.pixelOffset, 14u + 40u + 1024u);
    EXPECT_EQ(g.imageSize, 8u * 3u); // rows of 5 bytes padded to 8
    EXPECT_EQ(g.fileSize, g.pixelOffset + g.imageSize);
    for (std::uint32_t k = 0; k < 256; ++k) {
        ASSERT_EQ(g.palette[k], k * 0x010101u);
    }

    ASSERT_TRUE(imageio::WriteBmp(ColourFrame(5, 3).View(), dir / "c.bmp").ok());
    const BmpFile c = ReadBmpDirect(dir / "c.bmp");
    EXPECT_EQ(c.colorsUsed, 0u);
    EXPECT_EQ(c.pixelOffset, 54u);
    EXPECT_EQ(c.imageSize, 16u * 3u); // rows of 15 bytes padded to 16
    EXPECT_EQ(c.fileSize, 54u + 48u);
}

TEST(Writers, DicomSaysWhatItIs) {
    TempFolder dir;
    ASSERT_TRUE(
        imageio::WriteDicom(GrayFrame(64, 32).View(), dir / "a.dcm", Tg18QcDescription()).ok());
    const DicomFile f = ReadDicomDirect(dir / "a.dcm");
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(f.transferSyntax, "1.2.840.10008.1.2.1"); // explicit VR little endian
    EXPECT_EQ(f.Value("SOPClassUID"), "1.2.840.10008.5.1.4.1.1.7");
    EXPECT_EQ(f.Value("PatientName"), "Lumivex^Test pattern");
    EXPECT_EQ(f.Value("PatientID"), "LUMIVEX-TEST");
    EXPECT_EQ(f.Value("Modality"), "OT");
    EXPECT_EQ(f.Value("ConversionType"), "WSD");
    EXPECT_EQ(f.Value("Manufacturer"), "Lumivex");
    EXPECT_EQ(f.Value("SoftwareVersions"), "1.0");
    EXPECT_EQ(f.Value("WindowCenter"), "127.5");
    EXPECT_EQ(f.Value("WindowWidth"), "256");
    EXPECT_EQ(f.Value("StudyDescription"), "Lumivex test pattern 14 Test_TG18-QC");
    EXPECT_EQ(f.Value("SeriesDescription"), "14 Test_TG18-QC 64x32 gray 37 steps 64 labels off");
    EXPECT_NE(f.Value("ImageComments").find("not an image of a patient"), std::string::npos);
    EXPECT_TRUE(std::regex_match(f.Value("StudyDate"), std::regex("[0-9]{8}")));
    EXPECT_EQ(f.Value("ContentDate"), f.Value("StudyDate"));

    // Colour frames carry no window: it applies to gray values only.
    ASSERT_TRUE(imageio::WriteDicom(ColourFrame(4, 4).View(), dir / "c.dcm", {}).ok());
    EXPECT_EQ(ReadDicomDirect(dir / "c.dcm").Value("WindowCenter"), "<absent>");
}

TEST(Writers, EveryDicomExportHasFreshUids) {
    TempFolder dir;
    const Frame frame = GrayFrame(8, 8);
    ASSERT_TRUE(imageio::WriteDicom(frame.View(), dir / "1.dcm", Tg18QcDescription()).ok());
    ASSERT_TRUE(imageio::WriteDicom(frame.View(), dir / "2.dcm", Tg18QcDescription()).ok());
    const DicomFile a = ReadDicomDirect(dir / "1.dcm");
    const DicomFile b = ReadDicomDirect(dir / "2.dcm");
    const std::regex uidForm("2\\.25\\.[1-9][0-9]{0,38}");
    std::set<std::string> uids;
    for (const DicomFile* f : {&a, &b}) {
        for (const char* key : {"StudyInstanceUID", "SeriesInstanceUID", "SOPInstanceUID"}) {
            EXPECT_TRUE(std::regex_match(f->Value(key), uidForm)) << f->Value(key);
            uids.insert(f->Value(key));
        }
    }
    EXPECT_EQ(uids.size(), 6u);

    // A batch may share its study and series; the instance is still new.
    ExportDescription batch = Tg18QcDescription();
    batch.studyInstanceUid = a.Value("StudyInstanceUID");
    batch.seriesInstanceUid = a.Value("SeriesInstanceUID");
    batch.instanceNumber = 15;
    ASSERT_TRUE(imageio::WriteDicom(frame.View(), dir / "3.dcm", batch).ok());
    const DicomFile c = ReadDicomDirect(dir / "3.dcm");
    EXPECT_EQ(c.Value("StudyInstanceUID"), a.Value("StudyInstanceUID"));
    EXPECT_EQ(c.Value("SeriesInstanceUID"), a.Value("SeriesInstanceUID"));
    EXPECT_NE(c.Value("SOPInstanceUID"), a.Value("SOPInstanceUID"));
    EXPECT_EQ(c.Value("InstanceNumber"), "15");
}

TEST(Writers, DicomUidsAreVersion4UuidsInDecimal) {
    std::set<std::string> seen;
    for (int i = 0; i < 2000; ++i) {
        const std::string uid = imageio::NewDicomUid();
        ASSERT_EQ(uid.rfind("2.25.", 0), 0u) << uid;
        ASSERT_LE(uid.size(), 64u);
        unsigned __int128 v = 0;
        for (char c : uid.substr(5)) {
            ASSERT_TRUE(c >= '0' && c <= '9') << uid;
            const unsigned __int128 next = v * 10 + static_cast<unsigned>(c - '0');
            ASSERT_EQ((next - static_cast<unsigned>(c - '0')) / 10, v) << "overflow: " << uid;
            v = next;
        }
        ASSERT_EQ(static_cast<unsigned>(v >> 76) & 0xF, 4u) << uid; // version
        ASSERT_EQ(static_cast<unsigned>(v >> 62) & 0x3, 2u) << uid; // variant 10
        seen.insert(uid);
    }
    EXPECT_EQ(seen.size(), 2000u);
}

TEST(Writers, DicomPassesDciodvfyWithoutErrors) {
    TempFolder dir;
    ASSERT_TRUE(
        imageio::WriteDicom(GrayFrame(333, 257).View(), dir / "gray.dcm", Tg18QcDescription())
            .ok());
    ExportDescription start;
    start.patternName = "Start screen";
    start.programVersion = "1.0";
    ASSERT_TRUE(imageio::WriteDicom(ColourFrame(64, 48).View(), dir / "rgb.dcm", start).ok());
    for (const char* name : {"gray.dcm", "rgb.dcm"}) {
        const CommandResult r = RunCommand(std::string("dciodvfy ") + (dir / name).string());
        ASSERT_NE(r.status, 127) << "dciodvfy is missing: install dicom3tools";
        ASSERT_NE(r.output.find("SCImage"), std::string::npos) << r.output;
        std::istringstream lines(r.output);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_EQ(line.rfind("Error", 0), std::string::npos) << name << ": " << line;
        }
    }
}

} // namespace
