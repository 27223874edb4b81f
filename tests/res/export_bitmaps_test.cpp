#include "res/bitmaps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST(ExportBitmaps, WritesEveryResourceAsABmpFile) {
    const fs::path dir = fs::path(testing::TempDir()) / "lumivex-export" / "nested";
    fs::remove_all(dir);
    std::string error;
    ASSERT_TRUE(res::ExportBitmaps(dir.string(), &error)) << error;
    EXPECT_EQ(res::BitmapResourceNames().size(), 14u);
    for (const res::BitmapResourceName& r : res::BitmapResourceNames()) {
        const std::vector<std::uint8_t> file = ReadFile(dir / (std::string(r.name) + ".bmp"));
        const std::vector<std::uint8_t>& dib = *res::FindBitmapResource(r.id);
        ASSERT_EQ(file.size(), 14 + dib.size()) << r.name;
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(Le32(file, 2), file.size());
        EXPECT_EQ(Le32(file, 6), 0u);
        const bool gray = r.id < 147;
        EXPECT_EQ(Le32(file, 10), gray ? 14u + 40 + 1024 : 14u + 40) << r.name;
        EXPECT_TRUE(std::equal(dib.begin(), dib.end(), file.begin() + 14)) << r.name;
    }
    EXPECT_TRUE(fs::exists(dir / "129-tg18-ad-1024.bmp"));
    EXPECT_TRUE(fs::exists(dir / "154-start-patch-b-375x354.bmp"));
    fs::remove_all(dir.parent_path());
}

TEST(ExportBitmaps, ReportsADirectoryItCannotUse) {
    const fs::path file = fs::path(testing::TempDir()) / "lumivex-export-blocker";
    std::ofstream(file) << "not a directory";
    std::string error;
    EXPECT_FALSE(res::ExportBitmaps(file.string(), &error));
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
    EXPECT_FALSE(res::ExportBitmaps("", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(res::ExportBitmaps((file / "below").string(), nullptr));
    fs::remove(file);
}

} // namespace
