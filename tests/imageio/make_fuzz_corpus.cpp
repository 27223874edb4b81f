// Writes the seed corpus of tests/fuzz/image_fuzz.cpp: small files of every layout the readers
// take, made with DCMTK, libpng, libtiff and the library's own writers.
//
//   build-io/lumivex_imageio_corpus tests/fuzz/image_corpus

#include "imageio/image_writers.h"
#include "test_support.h"

#include <png.h>
#include <tiffio.h>

#include <cstdio>

using namespace imageio_test;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    fs::create_directories(out);

    const std::pair<const char*, DicomRecipe> dicoms[] = {
        {"dicom-12bit-window.dcm",
         {.width = 6,
          .height = 5,
          .samples = Ramp(30, 140, 4096),
          .windowCenter = "2048",
          .windowWidth = "4096",
          .seriesDescription = "TG18-QC"}},
        {"dicom-monochrome1-rescale.dcm",
         {.width = 6,
          .height = 5,
          .photometric = "MONOCHROME1",
          .samples = Ramp(30, 140, 4096),
          .windowCenter = "2048",
          .windowWidth = "4096",
          .voiFunction = "SIGMOID",
          .rescaleSlope = "2",
          .rescaleIntercept = "-1024",
          .seriesDescription = "TG18-QC"}},
        {"dicom-voi-lut.dcm",
         {.samples = Ramp(16, 300, 4096),
          .voiLut = std::make_tuple(0, 12, std::vector<std::uint16_t>{0, 1000, 2000, 4095})}},
        {"dicom-8bit-raw-dataset.dcm",
         {.width = 5,
          .height = 3,
          .bitsAllocated = 8,
          .bitsStored = 8,
          .samples = Ramp(15, 17, 256),
          .implicitVr = true,
          .withMetaHeader = false}},
        {"dicom-signed-high-bit.dcm",
         {.width = 3,
          .height = 3,
          .bitsStored = 10,
          .highBit = 13,
          .isSigned = true,
          .samples = Ramp(9, 5000, 65536)}},
    };
    const std::pair<const char*, PngRecipe> pngs[] = {
        {"png-8bit-text.png",
         {.width = 7, .height = 5, .samples = Ramp(35, 7, 256), .texts = {{"Title", "TG18-AFC"}}}},
        {"png-16bit-interlaced.png",
         {.width = 7,
          .height = 5,
          .bitDepth = 16,
          .interlaced = true,
          .samples = Ramp(35, 1800, 65536)}},
        {"png-palette.png",
         {.width = 4,
          .height = 2,
          .colorType = PNG_COLOR_TYPE_PALETTE,
          .samples = {0, 1, 2, 1, 2, 1, 0, 0},
          .palette = {0x000000, 0x7F7F7F, 0xFFFFFF}}},
        {"png-rgb.png",
         {.width = 3,
          .height = 2,
          .colorType = PNG_COLOR_TYPE_RGB,
          .samples = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 7}}},
        {"png-1bit.png", {.width = 9, .height = 2, .bitDepth = 1, .samples = Ramp(18, 1, 2)}},
    };
    const std::pair<const char*, TiffRecipe> tiffs[] = {
        {"tiff-8bit.tif",
         {.width = 6, .height = 5, .samples = Ramp(30, 9, 256), .description = "TG18-AD"}},
        {"tiff-16bit-lzw.tif",
         {.width = 6,
          .height = 5,
          .bits = 16,
          .compression = COMPRESSION_LZW,
          .samples = Ramp(30, 2100, 65536)}},
        {"tiff-tiled-deflate-miniswhite.tif",
         {.width = 6,
          .height = 5,
          .photometric = PHOTOMETRIC_MINISWHITE,
          .compression = COMPRESSION_ADOBE_DEFLATE,
          .tiled = true,
          .samples = Ramp(30, 9, 256)}},
        {"tiff-packbits-signed.tif",
         {.width = 6,
          .height = 5,
          .compression = COMPRESSION_PACKBITS,
          .isSigned = true,
          .samples = Ramp(30, 9, 256)}},
    };
    for (const auto& [name, recipe] : dicoms) {
        WriteDicomFile(out / name, recipe);
    }
    for (const auto& [name, recipe] : pngs) {
        WritePngFile(out / name, recipe);
    }
    for (const auto& [name, recipe] : tiffs) {
        WriteTiffFile(out / name, recipe);
    }

    imageio::ExportDescription description;
    description.patternNumber = 16;
    description.patternName = "Test_TG18-AD";
    const imageio::Frame gray = GrayFrame(5, 4);
    if (!imageio::WritePng(gray.View(), out / "export-gray.png", description).ok() ||
        !imageio::WritePng(ColourFrame(3, 2).View(), out / "export-colour.png").ok() ||
        !imageio::WriteDicom(gray.View(), out / "export-gray.dcm", description).ok()) {
        std::fprintf(stderr, "cannot write the exports\n");
        return 1;
    }
    return 0;
}
