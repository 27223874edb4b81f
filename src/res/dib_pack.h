#pragma once
// Packs generated pictures into the stored form of bitmap resources: a packed device-independent
// bitmap (BITMAPINFOHEADER, colour table, pixel rows bottom-up, each row padded to 4 bytes),
// without the file header.

#include "res/gray_image.h"

#include <cstdint>
#include <vector>

namespace res {

constexpr std::size_t kInfoHeaderSize = 40;

struct GrayDibFields {
    std::int32_t pixelsPerMetre = 0;
    // The header's image size. Where it exceeds the pixel rows, the stored bitmap carries that
    // many zero bytes after them, so that the field never points past the data.
    std::uint32_t sizeImage = 0;
};

// 8 bits per pixel with a 256-entry gray colour table (entry k is gray k).
std::vector<std::uint8_t> PackGrayDib(const GrayImage& image, GrayDibFields fields);
// 24 bits per pixel, each pixel the gray repeated in blue, green and red.
std::vector<std::uint8_t> PackRgb24Dib(const GrayImage& image);

} // namespace res
