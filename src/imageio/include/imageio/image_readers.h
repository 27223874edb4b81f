#pragma once
// Reading gray images from DICOM, PNG and TIFF files, as the AAPM distributes its TG18 test
// images and as tools export them.
//
// Stored values become 0 … 255 through the file's own window or VOI LUT when it has one
// (DICOM), otherwise in proportion to the bit depth: value × 255 / (2^bits − 1), rounded.
// Nothing the bytes say makes the reader crash or allocate more than the limits allow: sizes
// are checked before any pixel memory is taken.

#include "imageio/image.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace imageio {

struct ReadLimits {
    int maxSide = kMaxImageSide; // wider or taller images are refused
};

struct ReadResult {
    GrayImage image;   // valid when ok()
    std::string error; // otherwise the reason, e.g. "truncated", "unsupported: 3 samples per pixel"
    std::string format; // "DICOM", "PNG" or "TIFF" once the kind of file is known
    // The descriptive text the file carries, one value per line: DICOM string attributes
    // (descriptions, comments, names), PNG text chunks, TIFF ImageDescription and the like.
    std::string text;

    bool ok() const { return error.empty(); }
};

ReadResult ReadGrayImage(const std::filesystem::path& path, const ReadLimits& limits = {});

// The same from a file's bytes in memory.
ReadResult DecodeGrayImage(std::span<const std::uint8_t> bytes, const ReadLimits& limits = {});

// Only the kind of file and its descriptive text, without decoding the pixels: enough to tell
// what an image claims to show. `image` stays empty; `error` is set for files that are not
// DICOM, PNG or TIFF or whose headers cannot be read.
ReadResult DecodeDescription(std::span<const std::uint8_t> bytes);

} // namespace imageio
