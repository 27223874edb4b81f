#include "imageio/image.h"

namespace imageio {

std::string FrameProblem(const FrameView& frame) {
    if (frame.width <= 0 || frame.height <= 0) {
        return "size " + std::to_string(frame.width) + " × " + std::to_string(frame.height);
    }
    if (frame.width > kMaxImageSide || frame.height > kMaxImageSide) {
        return "size " + std::to_string(frame.width) + " × " + std::to_string(frame.height) +
               " is larger than " + std::to_string(kMaxImageSide) + " pixels a side";
    }
    if (frame.pixels == nullptr) {
        return "no pixels";
    }
    if (frame.stride < static_cast<std::size_t>(frame.width)) {
        return "row stride " + std::to_string(frame.stride) + " is less than the width " +
               std::to_string(frame.width);
    }
    return {};
}

bool IsGrayFrame(const FrameView& frame) {
    for (int y = 0; y < frame.height; ++y) {
        const std::uint32_t* row = frame.Row(y);
        for (int x = 0; x < frame.width; ++x) {
            const std::uint32_t p = row[x];
            if (((p >> 16) & 0xFF) != (p & 0xFF) || ((p >> 8) & 0xFF) != (p & 0xFF)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace imageio
