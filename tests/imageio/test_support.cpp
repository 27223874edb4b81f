// Sections: scratch folders and frames · PNG through libpng · BMP · DICOM through DCMTK ·
// TIFF through libtiff · commands

#include "test_support.h"

#include <gtest/gtest.h>

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcdict.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcmetinf.h>
#include <dcmtk/dcmdata/dcuid.h>
#include <dcmtk/dcmdata/dcxfer.h>
#include <dcmtk/oflog/oflog.h>
#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace imageio_test {

// ---- scratch folders and frames ------------------------------------------------------------

ScratchDir::ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "lumivex-imageio-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
    }
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    // The unprivileged tests may leave folders without write permission behind.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
    fs::remove_all(path_, ec);
}

std::vector<std::string> ScratchDir::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

imageio::Frame GrayFrame(int width, int height) {
    imageio::Frame f{width, height, {}};
    f.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t g = static_cast<std::uint32_t>(x * 7 + y * 13 + (x ^ y)) & 0xFF;
            f.pixels[static_cast<std::size_t>(y) * width + x] = g * 0x010101u;
        }
    }
    return f;
}

imageio::Frame ColourFrame(int width, int height) {
    imageio::Frame f{width, height, {}};
    f.pixels.resize(static_cast<std::size_t>(width) * height);
    std::uint32_t state = 12345;
    for (std::uint32_t& p : f.pixels) {
        state = state * 1664525u + 1013904223u;
        p = state >> 8;
    }
    f.pixels[0] = 0x00FF0000; // not gray even when there is only one pixel
    return f;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

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

void WriteDicomFile(const fs::path& path, const DicomSpec& s) {
    QuietDcmtk();
    DcmFileFormat file;
    DcmDataset* ds = file.getDataset();
    char uid[100];
    ds->putAndInsertString(DCM_SOPClassUID, UID_SecondaryCaptureImageStorage);
    ds->putAndInsertString(DCM_SOPInstanceUID, dcmGenerateUniqueIdentifier(uid));
    ds->putAndInsertString(DCM_PatientName, s.patientName.c_str());
    if (!s.seriesDescription.empty()) {
        ds->putAndInsertString(DCM_SeriesDescription, s.seriesDescription.c_str());
    }
    if (!s.imageComments.empty()) {
        ds->putAndInsertString(DCM_ImageComments, s.imageComments.c_str());
    }
    ds->putAndInsertUint16(DCM_Rows, static_cast<Uint16>(s.height));
    ds->putAndInsertUint16(DCM_Columns, static_cast<Uint16>(s.width));
    ds->putAndInsertUint16(DCM_SamplesPerPixel, static_cast<Uint16>(s.samplesPerPixel));
    ds->putAndInsertString(DCM_PhotometricInterpretation, s.photometric.c_str());
    ds->putAndInsertUint16(DCM_BitsAllocated, static_cast<Uint16>(s.bitsAllocated));
    ds->putAndInsertUint16(DCM_BitsStored, static_cast<Uint16>(s.bitsStored));
    ds->putAndInsertUint16(DCM_HighBit,
                           static_cast<Uint16>(s.highBit < 0 ? s.bitsStored - 1 : s.highBit));
    ds->putAndInsertUint16(DCM_PixelRepresentation, s.isSigned ? 1 : 0);
    auto put = [&](const DcmTagKey& tag, const std::optional<std::string>& value) {
        if (value) {
            ds->putAndInsertString(tag, value->c_str());
        }
    };
    put(DCM_WindowCenter, s.windowCenter);
    put(DCM_WindowWidth, s.windowWidth);
    put(DCM_VOILUTFunction, s.voiFunction);
    put(DCM_RescaleSlope, s.rescaleSlope);
    put(DCM_RescaleIntercept, s.rescaleIntercept);
    if (s.voiLut) {
        DcmItem* item = nullptr;
        ds->findOrCreateSequenceItem(DCM_VOILUTSequence, item, -2);
        const auto& [first, bits, entries] = *s.voiLut;
        const Uint16 descriptor[3] = {static_cast<Uint16>(entries.size()),
                                      static_cast<Uint16>(first), static_cast<Uint16>(bits)};
        item->putAndInsertUint16Array(DCM_LUTDescriptor, descriptor, 3);
        item->putAndInsertUint16Array(DCM_LUTData, entries.data(), entries.size());
    }
    const std::size_t n = static_cast<std::size_t>(s.width) * s.height * s.samplesPerPixel;
    std::vector<std::uint16_t> samples = s.samples;
    samples.resize(n, 0);
    if (s.bitsAllocated == 8) {
        std::vector<Uint8> bytes(samples.begin(), samples.end());
        ds->putAndInsertUint8Array(DCM_PixelData, bytes.data(), bytes.size());
    } else {
        ds->putAndInsertUint16Array(DCM_PixelData, samples.data(), samples.size());
    }
    const E_TransferSyntax xfer =
        s.implicitVr ? EXS_LittleEndianImplicit : EXS_LittleEndianExplicit;
    const OFCondition c =
        file.saveFile(path.c_str(), xfer, EET_ExplicitLength, EGL_recalcGL, EPD_noChange, 0, 0,
                      s.withMetaHeader ? EWM_fileformat : EWM_dataset);
    ASSERT_TRUE(c.good()) << c.text();
}

// ---- PNG and TIFF made for the readers ---------------------------------------------------------

void WritePngFile(const fs::path& path, const PngSpec& s) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        ADD_FAILURE() << "libpng error";
        return;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colorType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (std::uint32_t c : s.palette) {
        palette.push_back({static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8),
                           static_cast<png_byte>(c)});
    }
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    std::vector<png_text> texts;
    for (const auto& [key, value] : s.texts) {
        png_text t{};
        t.compression = PNG_TEXT_COMPRESSION_NONE;
        t.key = const_cast<char*>(key.c_str());
        t.text = const_cast<char*>(value.c_str());
        texts.push_back(t);
    }
    if (!texts.empty()) {
        png_set_text(png, info, texts.data(), static_cast<int>(texts.size()));
    }
    png_write_info(png, info);
    const int channels = s.colorType == PNG_COLOR_TYPE_RGB          ? 3
                         : s.colorType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                    : 1;
    const std::size_t perRow = static_cast<std::size_t>(s.width) * channels;
    // Packed rows for depths below 8, big-endian pairs for 16.
    std::vector<std::vector<png_byte>> rows(s.height);
    for (int y = 0; y < s.height; ++y) {
        std::vector<png_byte>& row = rows[y];
        for (std::size_t i = 0; i < perRow; ++i) {
            const std::uint16_t v = s.samples.at(y * perRow + i);
            if (s.bitDepth == 16) {
                row.push_back(static_cast<png_byte>(v >> 8));
                row.push_back(static_cast<png_byte>(v));
            } else if (s.bitDepth == 8) {
                row.push_back(static_cast<png_byte>(v));
            } else {
                const std::size_t bit = i * s.bitDepth;
                if (bit % 8 == 0) {
                    row.push_back(0);
                }
                row.back() |= static_cast<png_byte>(v << (8 - s.bitDepth - bit % 8));
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) {
        pointers.push_back(row.data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

void WriteTiffFile(const fs::path& path, const TiffSpec& s) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, s.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, s.height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.samplesPerPixel);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, s.compression);
    TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, s.isSigned ? SAMPLEFORMAT_INT : SAMPLEFORMAT_UINT);
    if (!s.description.empty()) {
        TIFFSetField(tif, TIFFTAG_IMAGEDESCRIPTION, s.description.c_str());
    }
    if (s.orientation != 0) {
        TIFFSetField(tif, TIFFTAG_ORIENTATION, s.orientation);
    }
    const std::size_t bytesPerSample = s.bits / 8;
    const std::size_t perRow = static_cast<std::size_t>(s.width) * s.samplesPerPixel;
    auto sampleBytes = [&](std::size_t index, std::uint8_t* out) {
        const std::uint16_t v = s.samples.at(index);
        if (bytesPerSample == 1) {
            out[0] = static_cast<std::uint8_t>(v);
        } else {
            std::memcpy(out, &v, 2);
        }
    };
    if (s.tiled) {
        constexpr int kTile = 16;
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, kTile);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, kTile);
        std::vector<std::uint8_t> tile(kTile * kTile * s.samplesPerPixel * bytesPerSample);
        for (int ty = 0; ty < s.height; ty += kTile) {
            for (int tx = 0; tx < s.width; tx += kTile) {
                std::fill(tile.begin(), tile.end(), 0);
                for (int y = 0; y < kTile && ty + y < s.height; ++y) {
                    for (int x = 0; x < kTile && tx + x < s.width; ++x) {
                        for (int c = 0; c < s.samplesPerPixel; ++c) {
                            sampleBytes(
                                (ty + y) * perRow + (tx + x) * s.samplesPerPixel + c,
                                &tile[((y * kTile + x) * s.samplesPerPixel + c) * bytesPerSample]);
                        }
                    }
                }
                ASSERT_GE(TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0), 0);
            }
        }
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 3);
        std::vector<std::uint8_t> row(perRow * bytesPerSample);
        for (int y = 0; y < s.height; ++y) {
            for (std::size_t i = 0; i < perRow; ++i) {
                sampleBytes(y * perRow + i, &row[i * bytesPerSample]);
            }
            ASSERT_EQ(TIFFWriteScanline(tif, row.data(), y, 0), 1);
        }
    }
    TIFFClose(tif);
}

// ---- commands --------------------------------------------------------------------------------

CommandResult RunCommand(const std::string& command) {
    CommandResult r;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        r.output.append(buffer.data(), n);
    }
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace imageio_test
