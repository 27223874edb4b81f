// BMP as Windows writes it: BITMAPFILEHEADER, BITMAPINFOHEADER, for gray frames a 256-entry
// gray colour table, then the rows bottom-up, each padded to a multiple of 4 bytes.

#include "atomic_file.h"
#include "imageio/image_writers.h"

#include <array>
#include <cstdint>
#include <vector>

namespace imageio {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

class LittleEndian {
  public:
    void U16(std::uint32_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace

WriteResult WriteBmp(const FrameView& frame, const std::filesystem::path& path) {
    if (std::string problem = FrameProblem(frame); !problem.empty()) {
        return {"cannot write " + path.string() + ": " + problem, WriteFailure::Frame};
    }
    const bool gray = IsGrayFrame(frame);
    const std::uint32_t bytesPerPixel = gray ? 1 : 3;
    const std::uint32_t width = static_cast<std::uint32_t>(frame.width);
    const std::uint32_t height = static_cast<std::uint32_t>(frame.height);
    const std::uint32_t rowSize = (width * bytesPerPixel + 3) / 4 * 4;
    const std::uint32_t paletteSize = gray ? 256 * 4 : 0;
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + paletteSize;
    // At most 16384 rows of 49152 bytes: well within the 32-bit sizes of the headers.
    const std::uint32_t imageSize = rowSize * height;

    LittleEndian header;
    header.U16(0x4D42); // "BM"
    header.U32(pixelOffset + imageSize);
    header.U32(0); // reserved
    header.U32(pixelOffset);
    header.U32(kInfoHeaderSize);
    header.U32(width);
    header.U32(height); // positive: rows bottom-up
    header.U16(1);      // planes
    header.U16(static_cast<std::uint32_t>(bytesPerPixel * 8));
    header.U32(0); // BI_RGB
    header.U32(imageSize);
    header.U32(0); // pixels per metre: unknown, so that no viewer scales by it
    header.U32(0);
    header.U32(gray ? 256 : 0); // colours used
    header.U32(0);              // all colours important
    if (gray) {
        for (std::uint32_t k = 0; k < 256; ++k) {
            header.U32(k * 0x010101); // blue, green, red, 0
        }
    }

    AtomicFile file(path);
    if (file.Failed()) {
        return {file.Error(), WriteFailure::Target};
    }
    file.Write(header.Bytes().data(), header.Bytes().size());
    std::vector<std::uint8_t> row(rowSize, 0);
    for (int y = frame.height - 1; y >= 0 && !file.Failed(); --y) {
        const std::uint32_t* src = frame.Row(y);
        if (gray) {
            for (int x = 0; x < frame.width; ++x) {
                row[x] = static_cast<std::uint8_t>(src[x]);
            }
        } else {
            std::uint8_t* out = row.data();
            for (int x = 0; x < frame.width; ++x) {
                const std::uint32_t p = src[x];
                *out++ = static_cast<std::uint8_t>(p);       // blue
                *out++ = static_cast<std::uint8_t>(p >> 8);  // green
                *out++ = static_cast<std::uint8_t>(p >> 16); // red
            }
        }
        file.Write(row.data(), row.size());
    }
    if (!file.Commit()) {
        return {file.Error(), WriteFailure::Writing};
    }
    return {};
}

} // namespace imageio
