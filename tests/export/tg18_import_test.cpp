// The operator's own TG18 images in patterns 14-16: made here as DICOM, PNG and TIFF files
// (the official files cannot be fetched in a test), they are stretched over the screen by the
// platform's StretchBlt exactly as the built-in images are; files that cannot be used are
// reported once each and the built-in image stays.

#include "app/tg18_import.h"
#include "export_support.h"
#include "res/bitmap_replacements.h"
#include "support/memory_frame.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace {

using namespace export_test;
using imageio_test::TempFolder;

constexpr int kSide = 512;

// Gray levels as the image is meant to show them, one byte per pixel, top row first.
struct GrayPicture {
    int width = kSide, height = kSide;
    std::vector<std::uint8_t> levels;
};

// 12 bits with a window of centre 2048 and width 256: stored values up to 1920 are black, from
// 2175 white, and x - 1920 between (the window's slope is exactly 1 there).
GrayPicture WriteQcDicom12BitWindowed(const fs::path& file) {
    imageio_test::DicomRecipe recipe;
    recipe.width = recipe.height = kSide;
    recipe.bitsAllocated = 16;
    recipe.bitsStored = 12;
    recipe.windowCenter = "2048";
    recipe.windowWidth = "256";
    GrayPicture p;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int stored = 1800 + (x * 3 + y * 5) % 500; // 1800 .. 2299
            recipe.samples.push_back(static_cast<std::uint16_t>(stored));
            p.levels.push_back(static_cast<std::uint8_t>(std::clamp(stored - 1920, 0, 255)));
        }
    }
    imageio_test::WriteDicomFile(file, recipe);
    return p;
}

GrayPicture WriteAfcPng8Bit(const fs::path& file, int width = kSide, int height = kSide) {
    imageio_test::PngRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    GrayPicture p{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int level = (x ^ y) & 0xFF;
            recipe.samples.push_back(static_cast<std::uint16_t>(level));
            p.levels.push_back(static_cast<std::uint8_t>(level));
        }
    }
    imageio_test::WritePngFile(file, recipe);
    return p;
}

// 16 bits without a window: k × 257 + d with d ≤ 128 is level k in proportion to the depth.
GrayPicture WriteAdTiff16Bit(const fs::path& file) {
    imageio_test::TiffRecipe recipe;
    recipe.width = recipe.height = kSide;
    recipe.bits = 16;
    GrayPicture p;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const int level = (x + 2 * y) % 256;
            const int below = level == 255 ? 0 : (x * 3) % 129; // 65535 is the top
            recipe.samples.push_back(static_cast<std::uint16_t>(level * 257 + below));
            p.levels.push_back(static_cast<std::uint8_t>(level));
        }
    }
    imageio_test::WriteTiffFile(file, recipe);
    return p;
}

// The picture stretched over width x height by the platform's StretchBlt.
gdi::Surface Stretched(const GrayPicture& p, int width, int height) {
    testing_support::MemoryFrame source(p.width, p.height);
    gdi::Surface& pixels = source.Pixels();
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            pixels.Set(x, y, 0x010101u * p.levels[static_cast<std::size_t>(y) * p.width + x]);
        }
    }
    testing_support::MemoryFrame target(width, height);
    EXPECT_TRUE(
        target.dc.StretchBlt(0, 0, width, height, &source.dc, 0, 0, p.width, p.height, SRCCOPY));
    return target.Pixels();
}

// "" when the frames are equal, else where they first differ.
std::string Difference(const gdi::Surface& got, const gdi::Surface& want) {
    if (got.Width() != want.Width() || got.Height() != want.Height()) {
        return "size " + std::to_string(got.Width()) + "x" + std::to_string(got.Height());
    }
    for (int y = 0; y < got.Height(); ++y) {
        for (int x = 0; x < got.Width(); ++x) {
            if ((got.At(x, y) & 0xFFFFFF) != (want.At(x, y) & 0xFFFFFF)) {
                std::ostringstream s;
                s << "(" << x << ", " << y << "): " << std::hex << got.At(x, y) << " instead of "
                  << want.At(x, y);
                return s.str();
            }
        }
    }
    return "";
}

gdi::Surface Shown(int width, int height, int id) {
    return StateFrame(width, height, id, 0, true, 128);
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class Tg18Import : public ::testing::Test {
  protected:
    void TearDown() override { res::RestoreBuiltInBitmaps(); }
    TempFolder dir;
};

TEST_F(Tg18Import, DicomPngAndTiffImagesReplaceTheBuiltInOnesStretchedAsThoseAre) {
    const GrayPicture qc = WriteQcDicom12BitWindowed(dir / "TG18-QC.dcm");
    const GrayPicture afc = WriteAfcPng8Bit(dir / "tg18_afc.png");
    const GrayPicture ad = WriteAdTiff16Bit(dir / "TG18AD.tif");
    std::ostringstream err;
    ASSERT_TRUE(UseTg18Folder(dir.path(), true, err));
    EXPECT_EQ(err.str(), "");
    for (const auto& [W, H] : {std::pair{1024, 768}, std::pair{1366, 1080}}) {
        EXPECT_EQ(Difference(Shown(W, H, 14), Stretched(qc, W, H)), "") << W << "x" << H;
        EXPECT_EQ(Difference(Shown(W, H, 15), Stretched(afc, W, H)), "") << W << "x" << H;
        EXPECT_EQ(Difference(Shown(W, H, 16), Stretched(ad, W, H)), "") << W << "x" << H;
    }
    // Shrinking too: a 400 x 300 screen.
    EXPECT_EQ(Difference(Shown(400, 300, 15), Stretched(afc, 400, 300)), "");

    // The export draws the same choice.
    const Outcome o =
        RunExportCommand({"--export", "14", "--size", "800x600", "-o", (dir / "out.png").string(),
                          "--tg18-dir", dir.path().string()});
    ASSERT_EQ(o.code, 0) << o.err;
    const imageio_test::PngFile png = imageio_test::ReadPngDirect(dir / "out.png");
    const gdi::Surface want = Stretched(qc, 800, 600);
    ASSERT_EQ(png.pixels.size(), 800u * 600u);
    EXPECT_TRUE(std::equal(png.pixels.begin(), png.pixels.end(), want.Row(0)));
}

TEST_F(Tg18Import, APortraitImageIsShownWhereTheBuiltInPortraitImageWouldBe) {
    const GrayPicture square = WriteAfcPng8Bit(dir / "TG18-AFC.png");
    const GrayPicture portrait = WriteAfcPng8Bit(dir / "TG18-AFC-portrait.png", 512, 640);
    std::ostringstream err;
    ASSERT_TRUE(UseTg18Folder(dir.path(), true, err));
    EXPECT_EQ(err.str(), "");
    // A portrait screen wider than 2000 pixels: the portrait image.
    EXPECT_EQ(Difference(Shown(2048, 2560, 15), Stretched(portrait, 2048, 2560)), "");
    // Landscape and narrow portrait screens: the square one, as with the built-in images.
    EXPECT_EQ(Difference(Shown(1280, 1024, 15), Stretched(square, 1280, 1024)), "");
    EXPECT_EQ(Difference(Shown(1200, 1600, 15), Stretched(square, 1200, 1600)), "");
}

TEST_F(Tg18Import, WithoutAPortraitImageTheSquareOneIsShownOnPortraitScreensToo) {
    const GrayPicture qc = WriteQcDicom12BitWindowed(dir / "TG18-QC.dcm");
    std::ostringstream err;
    ASSERT_TRUE(UseTg18Folder(dir.path(), true, err));
    EXPECT_EQ(Difference(Shown(2048, 2560, 14), Stretched(qc, 2048, 2560)), "");
}

TEST_F(Tg18Import, UnusableFilesAreReportedOnceAndTheBuiltInImagesStay) {
    const gdi::Surface builtInAfc = Shown(800, 600, 15), builtInAd = Shown(800, 600, 16);
    WriteAfcPng8Bit(dir / "whole.png");
    std::vector<std::uint8_t> bytes = imageio_test::ReadBytes(dir / "whole.png");
    fs::remove(dir / "whole.png");
    bytes.resize(bytes.size() / 2);
    imageio_test::WriteBytes(dir / "TG18-AFC.png", bytes);
    imageio_test::WriteBytes(dir / "TG18-AD.dcm", {'n', 'o', 't', ' ', 'a', ' ', 'f', 'i', 'l', 'e',
                                                   0, 1, 2, 3, 255, 254});
    // Landscape images are not TG18 images.
    const GrayPicture qc = WriteAfcPng8Bit(dir / "TG18-QC.png", 640, 512);

    std::ostringstream err;
    ASSERT_TRUE(UseTg18Folder(dir.path(), true, err));
    const std::string report = err.str();
    EXPECT_EQ(Lines(report), 3) << report;
    for (const char* name : {"TG18-AFC.png", "TG18-AD.dcm", "TG18-QC.png"}) {
        EXPECT_NE(report.find((dir / name).string()), std::string::npos) << name << "\n" << report;
    }
    EXPECT_EQ(Difference(Shown(800, 600, 15), builtInAfc), "");
    EXPECT_EQ(Difference(Shown(800, 600, 16), builtInAd), "");
}

TEST_F(Tg18Import, AMissingFolderIsAnErrorOnlyWhenTheOperatorNamedIt) {
    std::ostringstream quiet, loud;
    EXPECT_TRUE(UseTg18Folder(dir / "absent", false, quiet));
    EXPECT_EQ(quiet.str(), "");
    EXPECT_FALSE(UseTg18Folder(dir / "absent", true, loud));
    EXPECT_NE(loud.str().find((dir / "absent").string()), std::string::npos) << loud.str();

    // A file where the folder should be is reported even as the default folder.
    imageio_test::WriteBytes(dir / "file", {1});
    std::ostringstream notFolder;
    EXPECT_TRUE(UseTg18Folder(dir / "file", false, notFolder));
    EXPECT_EQ(Lines(notFolder.str()), 1) << notFolder.str();
}

TEST(Tg18Folder, DefaultFolderFollowsTheXdgDataHome) {
    auto lookup = [](std::map<std::string, std::string> env) {
        return [env](const char* name) -> std::optional<std::string> {
            const auto it = env.find(name);
            return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
        };
    };
    EXPECT_EQ(DefaultTg18Folder(lookup({{"XDG_DATA_HOME", "/data"}, {"HOME", "/home/u"}})),
              fs::path("/data/lumivex/tg18"));
    // Unset, empty or relative: the default under the home folder.
    for (const auto& env :
         {std::map<std::string, std::string>{{"HOME", "/home/u"}},
          std::map<std::string, std::string>{{"XDG_DATA_HOME", ""}, {"HOME", "/home/u"}},
          std::map<std::string, std::string>{{"XDG_DATA_HOME", "rel"}, {"HOME", "/home/u"}}}) {
        EXPECT_EQ(DefaultTg18Folder(lookup(env)), fs::path("/home/u/.local/share/lumivex/tg18"));
    }
    EXPECT_EQ(DefaultTg18Folder(lookup({})), std::nullopt);
}

} // namespace
