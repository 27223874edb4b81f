#include "res/dib_pack.h"

#include <algorithm>

namespace res {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::size_t Stride(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

// Writes the header; the caller sizes the buffer.
void PutHeader(std::vector<std::uint8_t>& out, const GrayImage& image, int bitsPerPixel,
               std::uint32_t sizeImage, std::int32_t pixelsPerMetre) {
    Put32(out, 0, kInfoHeaderSize);
    Put32(out, 4, static_cast<std::uint32_t>(image.Width()));
    Put32(out, 8, static_cast<std::uint32_t>(image.Height())); // positive: bottom-up
    Put16(out, 12, 1);
    Put16(out, 14, static_cast<std::uint16_t>(bitsPerPixel));
    Put32(out, 16, 0); // BI_RGB
    Put32(out, 20, sizeImage);
    Put32(out, 24, static_cast<std::uint32_t>(pixelsPerMetre));
    Put32(out, 28, static_cast<std::uint32_t>(pixelsPerMetre));
    Put32(out, 32, 0); // colours used: all 2^bpp
    Put32(out, 36, 0); // colours important: all
}

} // namespace

std::vector<std::uint8_t> PackGrayDib(const GrayImage& image, GrayDibFields fields) {
    const std::size_t stride = Stride(image.Width(), 8);
    const std::size_t rows = stride * image.Height();
    const std::size_t bits = kInfoHeaderSize + 256 * 4;
    std::vector<std::uint8_t> out(bits + std::max<std::size_t>(rows, fields.sizeImage), 0);
    PutHeader(out, image, 8, fields.sizeImage, fields.pixelsPerMetre);
    for (int k = 0; k < 256; ++k) {
        const auto g = static_cast<std::uint8_t>(k);
        std::uint8_t* entry = &out[kInfoHeaderSize + 4 * k];
        entry[0] = g;
        entry[1] = g;
        entry[2] = g;
        entry[3] = 0;
    }
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* row = image.Row(image.Height() - 1 - y);
        std::copy(row, row + image.Width(), &out[bits + stride * y]);
    }
    return out;
}

std::vector<std::uint8_t> PackRgb24Dib(const GrayImage& image) {
    const std::size_t stride = Stride(image.Width(), 24);
    const std::size_t rows = stride * image.Height();
    std::vector<std::uint8_t> out(kInfoHeaderSize + rows, 0);
    PutHeader(out, image, 24, static_cast<std::uint32_t>(rows), 0);
    for (int y = 0; y < image.Height(); ++y) {
        const std::uint8_t* row = image.Row(image.Height() - 1 - y);
        std::uint8_t* dst = &out[kInfoHeaderSize + stride * y];
        for (int x = 0; x < image.Width(); ++x) {
            dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = row[x];
        }
    }
    return out;
}

} // namespace res
