// Reading the written files back without the library: libpng, DCMTK and a BMP parser of our
// own.

#include "test_support.h"

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcmetinf.h>
#include <dcmtk/oflog/oflog.h>
#include <png.h>

#include <cstdio>

namespace imageio_test {

// ---- PNG through libpng ----------------------------------------------------------------------

PngFile ReadPngDirect(const fs::path& path) {
    PngFile r;
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    for (std::size_t pos = 8; pos + 12 <= bytes.size();) {
        const std::uint32_t length = (std::uint32_t{bytes[pos]} << 24) |
                                     (std::uint32_t{bytes[pos + 1]} << 16) |
                                     (std::uint32_t{bytes[pos + 2]} << 8) | bytes[pos + 3];
        r.chunks.emplace_back(reinterpret_cast<const char*>(&bytes[pos + 4]), 4);
        pos += 12 + std::size_t{length};
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        r.error = "cannot open";
        return r;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        r.error = "libpng error";
        return r;
    }
    png_init_io(png, f);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    r.width = static_cast<int>(png_get_image_width(png, info));
    r.height = static_cast<int>(png_get_image_height(png, info));
    r.colorType = png_get_color_type(png, info);
    r.bitDepth = png_get_bit_depth(png, info);
    png_textp texts = nullptr;
    const int count = png_get_text(png, info, &texts, nullptr);
    for (int i = 0; i < count; ++i) {
        r.texts.emplace_back(texts[i].key, texts[i].text);
    }
    png_bytepp rows = png_get_rows(png, info);
    const int channels = png_get_channels(png, info);
    if (r.bitDepth == 8 && (channels == 1 || channels == 3)) {
        for (int y = 0; y < r.height; ++y) {
            for (int x = 0; x < r.width; ++x) {
                const png_bytep p = rows[y] + x * channels;
                r.pixels.push_back(channels == 1 ? p[0] * 0x010101u
                                                 : (std::uint32_t{p[0]} << 16) |
                                                       (std::uint32_t{p[1]} << 8) | p[2]);
            }
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return r;
}

// ---- BMP -------------------------------------------------------------------------------------

BmpFile ReadBmpDirect(const fs::path& path) {
    BmpFile r;
    const std::vector<std::uint8_t> b = ReadBytes(path);
    auto u16 = [&](std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); };
    auto u32 = [&](std::size_t at) {
        return std::uint32_t{u16(at)} | (std::uint32_t{u16(at + 2)} << 16);
    };
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        r.error = "not a BMP file";
        return r;
    }
    r.fileSize = u32(2);
    r.pixelOffset = u32(10);
    r.headerSize = u32(14);
    r.width = static_cast<std::int32_t>(u32(18));
    r.height = static_cast<std::int32_t>(u32(22));
    r.planes = u16(26);
    r.bitCount = u16(28);
    r.compression = u32(30);
    r.imageSize = u32(34);
    r.colorsUsed = u32(46);
    for (std::uint32_t i = 0; i < r.colorsUsed && 54 + 4 * i + 4 <= b.size(); ++i) {
        r.palette.push_back(u32(54 + 4 * i));
    }
    const std::size_t rowSize = (static_cast<std::size_t>(r.width) * r.bitCount / 8 + 3) / 4 * 4;
    if (r.fileSize != b.size() || r.pixelOffset + rowSize * r.height > b.size() ||
        (r.bitCount != 8 && r.bitCount != 24)) {
        r.error = "inconsistent sizes";
        return r;
    }
    for (int y = 0; y < r.height; ++y) {
        const std::uint8_t* row = &b[r.pixelOffset + rowSize * (r.height - 1 - y)];
        for (int x = 0; x < r.width; ++x) {
            r.pixels.push_back(r.bitCount == 8 ? r.palette.at(row[x])
                                               : row[3 * x] | (row[3 * x + 1] << 8) |
                                                     (std::uint32_t{row[3 * x + 2]} << 16));
        }
    }
    return r;
}

// ---- DICOM through DCMTK ---------------------------------------------------------------------

namespace {

void QuietDcmtk() {
    static const bool done = [] {
        OFLog::configure(OFLogger::ERROR_LOG_LEVEL);
        return true;
    }();
    (void)done;
}

} // namespace

std::string DicomFile::Value(const char* keyword) const {
    for (const auto& [key, value] : values) {
        if (key == keyword) {
            return value;
        }
    }
    return "<absent>";
}

DicomFile ReadDicomDirect(const fs::path& path) {
    QuietDcmtk();
    DicomFile r;
    DcmFileFormat file;
    if (OFCondition c = file.loadFile(path.c_str()); c.bad()) {
        r.error = c.text();
        return r;
    }
    DcmDataset* ds = file.getDataset();
    OFString xfer;
    file.getMetaInfo()->findAndGetOFString(DCM_TransferSyntaxUID, xfer);
    r.transferSyntax = xfer.c_str();
    for (unsigned long i = 0; i < ds->card(); ++i) {
        DcmElement* e = ds->getElement(i);
        if (e->getTag() == DCM_PixelData) {
            continue;
        }
        OFString value;
        e->getOFStringArray(value);
        DcmTag tag = e->getTag();
        r.values.emplace_back(tag.getTagName(), value.c_str());
    }
    Uint16 v = 0;
    ds->findAndGetUint16(DCM_Rows, v);
    r.rows = v;
    ds->findAndGetUint16(DCM_Columns, v);
    r.columns = v;
    ds->findAndGetUint16(DCM_SamplesPerPixel, v);
    r.samplesPerPixel = v;
    ds->findAndGetUint16(DCM_BitsAllocated, v);
    r.bitsAllocated = v;
    if (ds->findAndGetUint16(DCM_PlanarConfiguration, v).good()) {
        r.planarConfiguration = v;
    }
    OFString photometric;
    ds->findAndGetOFString(DCM_PhotometricInterpretation, photometric);
    r.photometric = photometric.c_str();
    const Uint8* data = nullptr;
    unsigned long count = 0;
    if (ds->findAndGetUint8Array(DCM_PixelData, data, &count).bad() || data == nullptr) {
        r.error = "no 8-bit pixel data";
        return r;
    }
    const std::size_t n = static_cast<std::size_t>(r.rows) * r.columns;
    if (count < n * r.samplesPerPixel) {
        r.error = "short pixel data";
        return r;
    }
    for (std::size_t i = 0; i < n; ++i) {
        r.pixels.push_back(r.samplesPerPixel == 1
                               ? data[i] * 0x010101u
                               : (std::uint32_t{data[3 * i]} << 16) |
                                     (std::uint32_t{data[3 * i + 1]} << 8) | data[3 * i + 2]);
    }
    return r;
}

} // namespace imageio_test
