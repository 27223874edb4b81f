#include "reader_cases.h"

namespace imageio_test {
namespace {

const char* FormatOf(const DicomSpec&) {
    return "DICOM";
}
const char* FormatOf(const PngSpec&) {
    return "PNG";
}
const char* FormatOf(const TiffSpec&) {
    return "TIFF";
}

TEST_P(ReaderCase, ReadsTheGrayLevels) {
    std::visit(
        [](const auto& spec) {
            const imageio::ReadResult r = ReadBack(spec);
            ASSERT_TRUE(r.ok()) << r.error;
            EXPECT_EQ(r.format, FormatOf(spec));
            EXPECT_EQ(r.image.width, spec.width);
            EXPECT_EQ(r.image.height, spec.height);
            EXPECT_EQ(Pixels(r), GetParam().pixels);
        },
        GetParam().spec);
}

} // namespace

std::string ReadCaseName(const testing::TestParamInfo<ReadCase>& info) {
    return info.param.name;
}

} // namespace imageio_test
