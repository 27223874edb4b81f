// Finding TG18-QC, TG18-AFC and TG18-AD in a folder: by name, by content, and one report per
// file that names one of them but cannot be used.

#include "imageio/tg18_folder.h"
#include "test_support.h"
#include "tg18_recognition.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>

namespace {

using namespace imageio_test;
using imageio::Tg18Pattern;

std::string Named(std::string_view name) {
    return imageio::PatternsNamedIn(name).to_string();
}
std::string Mentioned(std::string_view text) {
    return imageio::PatternsMentionedIn(text).to_string();
}

// Every text gives these bits, read right to left: QC, AFC, AD.
void ExpectAll(std::string (*recognise)(std::string_view), const char* bits,
               std::initializer_list<const char*> texts) {
    for (const char* text : texts) {
        EXPECT_EQ(recognise(text), bits) << text;
    }
}

TEST(Tg18Recognition, NamesCarryTheCodeAsAWord) {
    ExpectAll(Named, "001", {"TG18-QC.dcm", "TG18-QC-1k-01.dcm", "qc.png"});
    ExpectAll(Named, "010", {"tg18_afc_2k.png"});
    ExpectAll(Named, "100", {"TG18AD.tif", "My AD image.TIFF"});
    ExpectAll(Named, "101", {"TG18-QC-and-AD.png"});
    // Not a word of the name: inside a longer code or word, or the extension.
    ExpectAll(Named, "000",
              {"TG18-PQC.dcm", "adjusted.png", "TG18-LN12-01.dcm", "image.ad", "squad.dcm"});
}

TEST(Tg18Recognition, TextMentionsNeedTheTg18Prefix) {
    ExpectAll(Mentioned, "001", {"AAPM TG18-QC test pattern", "TG18-QC-1k"});
    ExpectAll(Mentioned, "010", {"tg18 afc", "TG18AFC"});
    ExpectAll(Mentioned, "100", {"TG18_AD\n"});
    ExpectAll(Mentioned, "101", {"TG18-QC, then TG18-AD"});
    ExpectAll(Mentioned, "000", {"QC pattern", "TG18-PQC", "TG18-QCX", "XTG18-QC"});
}

DicomRecipe Dicom(int width, int height, const std::string& description = "") {
    DicomRecipe s;
    s.width = width;
    s.height = height;
    s.samples.resize(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < s.samples.size(); ++i) {
        s.samples[i] = static_cast<std::uint16_t>(i % 4096);
    }
    s.windowCenter = "2048";
    s.windowWidth = "4096";
    s.seriesDescription = description;
    return s;
}

PngRecipe Png(int width, int height, std::uint16_t value) {
    PngRecipe s;
    s.width = width;
    s.height = height;
    s.samples.assign(static_cast<std::size_t>(width) * height, value);
    return s;
}

TEST(Tg18Folder, FindsTheImagesByNameAndByContent) {
    TempFolder dir;
    WriteDicomFile(dir / "TG18-QC.dcm", Dicom(1024, 1024));
    WritePngFile(dir / "tg18_afc_1k.png", Png(1024, 1024, 143));
    TiffRecipe ad;
    ad.width = ad.height = 512;
    ad.samples.assign(512 * 512, 7);
    WriteTiffFile(dir / "TG18AD.tif", ad);
    // No name, but the series says what it is; portrait.
    WriteDicomFile(dir / "IM0001", Dicom(512, 640, "TG18-QC scaled 2048 x 2560"));
    // No name either; libtiff writes the directory, with the description, after the pixels,
    // beyond the start of the file that is read first.
    TiffRecipe adPortrait;
    adPortrait.width = 512;
    adPortrait.height = 600;
    adPortrait.samples.assign(512 * 600, 9);
    adPortrait.description = "AAPM TG18-AD";
    WriteTiffFile(dir / "scan0002.tif", adPortrait);
    // Images of other patterns, and other files, pass in silence.
    WriteDicomFile(dir / "TG18-LN12-01.dcm", Dicom(512, 512, "TG18-LN12"));
    WriteDicomFile(dir / "IM0002", Dicom(512, 512, "chest"));
    WriteBytes(dir / "README.txt", {'h', 'i'});
    WritePngFile(dir / ".TG18-AD.png", Png(512, 512, 1));
    fs::create_directory(dir / "TG18-QC-old");

    const imageio::Tg18Folder found = imageio::ScanTg18Folder(dir.path());
    EXPECT_EQ(found.folderError, "");
    for (const auto& p : found.problems) {
        ADD_FAILURE() << p.path << ": " << p.reason;
    }
    const imageio::Tg18Images& qc = found.For(Tg18Pattern::Qc);
    ASSERT_TRUE(qc.square && qc.portrait);
    EXPECT_EQ(qc.square->path, dir / "TG18-QC.dcm");
    EXPECT_EQ(qc.square->image.width, 1024);
    // Through the file's window: stored 4095 at index 4095 is white, 2048 at 2048 is 127.
    EXPECT_EQ(qc.square->image.pixels[4095], 255);
    EXPECT_EQ(qc.square->image.pixels[2048], 127);
    EXPECT_EQ(qc.portrait->path, dir / "IM0001");
    EXPECT_EQ(qc.portrait->image.height, 640);

    const imageio::Tg18Images& afc = found.For(Tg18Pattern::Afc);
    ASSERT_TRUE(afc.square);
    EXPECT_FALSE(afc.portrait);
    EXPECT_EQ(afc.square->image.At(500, 500), 143);
    const imageio::Tg18Images& adImages = found.For(Tg18Pattern::Ad);
    ASSERT_TRUE(adImages.square && adImages.portrait);
    EXPECT_EQ(adImages.square->image.At(0, 0), 7);
    EXPECT_EQ(adImages.portrait->path, dir / "scan0002.tif");
    EXPECT_EQ(adImages.portrait->image.At(511, 599), 9);

    EXPECT_EQ(imageio::ChooseTg18Image(qc, 2048, 2560), &qc.portrait->image);
    EXPECT_EQ(imageio::ChooseTg18Image(qc, 1920, 1080), &qc.square->image);
    EXPECT_EQ(imageio::ChooseTg18Image(afc, 1080, 1920), &afc.square->image);
    EXPECT_EQ(imageio::ChooseTg18Image(imageio::Tg18Images{}, 100, 100), nullptr);
}

TEST(Tg18Folder, ReportsEveryUnusableFileOnce) {
    TempFolder dir;
    WriteDicomFile(dir / "TG18-QC.dcm", Dicom(1024, 1024));
    std::map<std::string, std::string> expected;

    WriteDicomFile(dir / "TG18-AD-broken.dcm", Dicom(512, 512));
    std::vector<std::uint8_t> bytes = ReadBytes(dir / "TG18-AD-broken.dcm");
    bytes.resize(bytes.size() / 2);
    WriteBytes(dir / "TG18-AD-broken.dcm", bytes);
    expected["TG18-AD-broken.dcm"] = "cannot be read: truncated";

    WritePngFile(dir / "TG18-AFC-small.png", Png(256, 256, 0));
    expected["TG18-AFC-small.png"] =
        "unexpected size 256 × 256 (accepted are square images of 512 to 4096 pixels a side and "
        "portrait images at least 512 wide and at most 4096 high)";
    WritePngFile(dir / "TG18-AFC-wide.png", Png(640, 512, 0));
    expected["TG18-AFC-wide.png"] = "unexpected size 640 × 512";
    WritePngFile(dir / "TG18-AFC-huge.png", Png(4097, 8, 0));
    expected["TG18-AFC-huge.png"] = "cannot be read: size 4097 × 8 is larger than 4096";

    WriteDicomFile(dir / "TG18-QC-really.dcm", Dicom(512, 512, "AAPM TG18-AFC"));
    expected["TG18-QC-really.dcm"] = "its name says TG18-QC but its content says TG18-AFC";
    WritePngFile(dir / "TG18-QC-AD.png", Png(512, 512, 0));
    expected["TG18-QC-AD.png"] = "its name names more than one of the images (TG18-QC and TG18-AD)";
    WriteDicomFile(dir / "IM0003", Dicom(512, 512, "TG18-QC and TG18-AD"));
    expected["IM0003"] = "its text mentions more than one of the images";
    WriteBytes(dir / "notes-qc.txt", {'q', 'c'});
    expected["notes-qc.txt"] = "cannot be read: not a DICOM, PNG or TIFF file";
    WriteBytes(dir / "IM0004", std::vector<std::uint8_t>{0x08, 0x00, 0x05, 0x00, 'C', 'S', 9, 0});
    expected["IM0004"] = "cannot be read: ";

    // A smaller square TG18-QC than TG18-QC.dcm: passed over, and said so.
    WritePngFile(dir / "TG18-QC-512.png", Png(512, 512, 0));
    expected["TG18-QC-512.png"] = "not used: the square TG18-QC is taken from TG18-QC.dcm";

    const imageio::Tg18Folder found = imageio::ScanTg18Folder(dir.path());
    std::map<std::string, std::string> reported;
    for (const imageio::Tg18Problem& p : found.problems) {
        const std::string name = p.path.filename().string();
        EXPECT_EQ(p.path, dir / name);
        EXPECT_TRUE(reported.emplace(name, p.reason).second) << name << " reported twice";
    }
    ASSERT_EQ(reported.size(), expected.size());
    for (const auto& [name, start] : expected) {
        EXPECT_EQ(reported[name].rfind(start, 0), 0u) << name << ": " << reported[name];
    }
    ASSERT_TRUE(found.For(Tg18Pattern::Qc).square);
    EXPECT_EQ(found.For(Tg18Pattern::Qc).square->path, dir / "TG18-QC.dcm");
    EXPECT_FALSE(found.For(Tg18Pattern::Afc).square);
    EXPECT_FALSE(found.For(Tg18Pattern::Ad).square);
}

TEST(Tg18Folder, TheLargestOfEqualShapesWinsThenTheFirstByName) {
    TempFolder dir;
    WritePngFile(dir / "b-TG18-AD.png", Png(512, 512, 1));
    WritePngFile(dir / "a-TG18-AD.png", Png(512, 512, 2));
    WritePngFile(dir / "c-TG18-AD.png", Png(600, 600, 3));
    WritePngFile(dir / "d-TG18-AD.png", Png(512, 700, 4));
    const imageio::Tg18Folder found = imageio::ScanTg18Folder(dir.path());
    const imageio::Tg18Images& ad = found.For(Tg18Pattern::Ad);
    ASSERT_TRUE(ad.square && ad.portrait);
    EXPECT_EQ(ad.square->image.At(0, 0), 3);
    EXPECT_EQ(ad.portrait->image.At(0, 0), 4);
    ASSERT_EQ(found.problems.size(), 2u);
    EXPECT_EQ(found.problems[0].path, dir / "a-TG18-AD.png");
    EXPECT_EQ(found.problems[1].path, dir / "b-TG18-AD.png");
    EXPECT_NE(found.problems[0].reason.find("taken from c-TG18-AD.png"), std::string::npos);
}

TEST(Tg18Folder, SaysWhenTheFolderItselfIsMissing) {
    TempFolder dir;
    EXPECT_EQ(imageio::ScanTg18Folder(dir / "none").folderError, "does not exist");
    WriteBytes(dir / "file", {1});
    EXPECT_EQ(imageio::ScanTg18Folder(dir / "file").folderError, "is not a folder");
    const imageio::Tg18Folder empty = imageio::ScanTg18Folder(dir / "file");
    EXPECT_TRUE(empty.problems.empty());
    EXPECT_FALSE(empty.For(Tg18Pattern::Qc).square);
}

} // namespace
