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

    DicomSpec d;
    d.width = 6;
    d.height = 5;
    d.samples = Ramp(30, 140, 4096);
    d.windowCenter = "2048";
    d.windowWidth = "4096";
    d.seriesDescription = "TG18-QC";
    WriteDicomFile(out / "dicom-12bit-window.dcm", d);
    d.photometric = "MONOCHROME1";
    d.rescaleSlope = "2";
    d.rescaleIntercept = "-1024";
    d.voiFunction = "SIGMOID";
    WriteDicomFile(out / "dicom-monochrome1-rescale.dcm", d);
    DicomSpec lut;
    lut.width = 4;
    lut.height = 4;
    lut.samples = Ramp(16, 300, 4096);
    lut.voiLut = std::make_tuple(0, 12, std::vector<std::uint16_t>{0, 1000, 2000, 4095});
    WriteDicomFile(out / "dicom-voi-lut.dcm", lut);
    DicomSpec eight;
    eight.width = 5;
    eight.height = 3;
    eight.bitsAllocated = 8;
    eight.bitsStored = 8;
    eight.samples = Ramp(15, 17, 256);
    eight.implicitVr = true;
    eight.withMetaHeader = false;
    WriteDicomFile(out / "dicom-8bit-raw-dataset.dcm", eight);
    DicomSpec high;
    high.width = 3;
    high.height = 3;
    high.bitsStored = 10;
    high.highBit = 13;
    high.isSigned = true;
    high.samples = Ramp(9, 5000, 65536);
    WriteDicomFile(out / "dicom-signed-high-bit.dcm", high);

    PngSpec p;
    p.width = 7;
    p.height = 5;
    p.samples = Ramp(35, 7, 256);
    p.texts = {{"Title", "TG18-AFC"}};
    WritePngFile(out / "png-8bit-text.png", p);
    p.bitDepth = 16;
    p.samples = Ramp(35, 1800, 65536);
    p.interlaced = true;
    p.texts.clear();
    WritePngFile(out / "png-16bit-interlaced.png", p);
    PngSpec palette;
    palette.width = 4;
    palette.height = 2;
    palette.colorType = PNG_COLOR_TYPE_PALETTE;
    palette.palette = {0x000000, 0x7F7F7F, 0xFFFFFF};
    palette.samples = {0, 1, 2, 1, 2, 1, 0, 0};
    WritePngFile(out / "png-palette.png", palette);
    PngSpec rgb;
    rgb.width = 3;
    rgb.height = 2;
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    rgb.samples = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 6, 7};
    WritePngFile(out / "png-rgb.png", rgb);
    PngSpec low;
    low.width = 9;
    low.height = 2;
    low.bitDepth = 1;
    low.samples = Ramp(18, 1, 2);
    WritePngFile(out / "png-1bit.png", low);

    TiffSpec t;
    t.width = 6;
    t.height = 5;
    t.samples = Ramp(30, 9, 256);
    t.description = "TG18-AD";
    WriteTiffFile(out / "tiff-8bit.tif", t);
    t.bits = 16;
    t.samples = Ramp(30, 2100, 65536);
    t.compression = COMPRESSION_LZW;
    t.description.clear();
    WriteTiffFile(out / "tiff-16bit-lzw.tif", t);
    t.bits = 8;
    t.samples = Ramp(30, 9, 256);
    t.tiled = true;
    t.compression = COMPRESSION_ADOBE_DEFLATE;
    t.photometric = PHOTOMETRIC_MINISWHITE;
    WriteTiffFile(out / "tiff-tiled-deflate-miniswhite.tif", t);
    t.tiled = false;
    t.compression = COMPRESSION_PACKBITS;
    t.photometric = PHOTOMETRIC_MINISBLACK;
    t.isSigned = true;
    WriteTiffFile(out / "tiff-packbits-signed.tif", t);

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
