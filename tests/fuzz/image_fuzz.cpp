// Fuzzes the image readers (DICOM, PNG, TIFF) from bytes in memory: any bytes must give either
// a gray image of a sane size or a reason, without a crash, a hang or a large allocation.
//
//   build-fuzz/lumivex_image_fuzz [-max_total_time=60] CORPUS_DIR...

#include "imageio/image_readers.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "image fuzz: %s\n", what);
        std::abort();
    }
}

// Small enough that no image the fuzzer makes up takes much memory, large enough for the
// images of the corpus.
constexpr int kMaxSide = 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const imageio::ReadResult image = imageio::DecodeGrayImage(bytes, {kMaxSide});
    if (image.ok()) {
        Check(image.image.width >= 1 && image.image.width <= kMaxSide, "width out of range");
        Check(image.image.height >= 1 && image.image.height <= kMaxSide, "height out of range");
        Check(image.image.pixels.size() ==
                  static_cast<std::size_t>(image.image.width) * image.image.height,
              "pixel count differs from the size");
        Check(!image.format.empty(), "no format for a decoded image");
    } else {
        Check(image.image.pixels.empty(), "pixels with an error");
    }

    // The header-only path reads a part of what the full one reads. (Not always all of it: in
    // a DICOM file whose elements are out of order it stops at the first one past the pixel
    // data.)
    const imageio::ReadResult header = imageio::DecodeDescription(bytes);
    Check(header.image.pixels.empty(), "pixels without decoding");
    if (image.ok()) {
        Check(header.ok(), "a decodable image whose headers cannot be read");
        std::size_t start = 0;
        for (std::size_t end; (end = header.text.find('\n', start)) != std::string::npos;
             start = end + 1) {
            Check(image.text.find(header.text.substr(start, end - start + 1)) != std::string::npos,
                  "the headers give a text the full file does not");
        }
    }
    return 0;
}
