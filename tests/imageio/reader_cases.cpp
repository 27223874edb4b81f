#include "reader_cases.h"

namespace imageio_test {
namespace {

const char* FormatOf(const DicomRecipe&) {
    return "DICOM";
}
const char* FormatOf(const PngRecipe&) {
    return "PNG";
}
const char* FormatOf(const TiffRecipe&) {
    return "TIFF";
}

TEST_P(ReaderCase, ReadsTheGrayLevels) {
    std::visit(
        [](const auto& recipe) {
            const imageio::ReadResult r = ReadBack(recipe);
            ASSERT_TRUE(r.ok()) << r.error;
            EXPECT_EQ(r.format, FormatOf(recipe));
            EXPECT_EQ(r.image.width, recipe.width);
            EXPECT_EQ(r.image.height, recipe.height);
            EXPECT_EQ(Pixels(r), GetParam().pixels);
        },
        GetParam().recipe);
}

} // namespace

std::string ReadCaseName(const testing::TestParamInfo<ReadCase>& info) {
    return info.param.name;
}

} // namespace imageio_test
