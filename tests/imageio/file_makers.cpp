// Making the readers' input with DCMTK, libpng and libtiff.

#include "test_support.h"

#include <gtest/gtest.h>

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcuid.h>
#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace imageio_test {

void WriteDicomFile(const fs::path& path, const DicomRecipe& s) {
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

void WritePngFile(const fs::path& path, const PngRecipe& s) {
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

void WriteTiffFile(const fs::path& path, const TiffRecipe& s) {
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

} // namespace imageio_test
