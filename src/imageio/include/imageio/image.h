#pragma once
// The plain pictures the image file layer reads and writes: 32-bit frames as the software GDI
// draws them, and 8-bit gray images as the TG18 reference patterns are shown.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace imageio {

// No reader or writer handles a side longer than this; readers refuse such a file before they
// allocate anything for its pixels.
inline constexpr int kMaxImageSide = 16384;

// A view of a frame: one uint32_t per pixel, 0x00RRGGBB (the top byte is ignored), rows
// top-down, `stride` pixels from the start of one row to the start of the next. This is the
// memory layout of the software GDI's surfaces and of a top-down 32-bit DIB.
struct FrameView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;

    const std::uint32_t* Row(int y) const { return pixels + static_cast<std::size_t>(y) * stride; }
};

// A frame that owns its pixels, rows without padding.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    FrameView View() const {
        return {pixels.data(), width, height, static_cast<std::size_t>(width)};
    }
};

// An 8-bit gray image: one byte per pixel, rows top-down, no padding.
struct GrayImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    std::uint8_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// Why a frame cannot be written ("size 0 × 0", "no pixels", ...), or an empty string when it
// can: both sides 1 … kMaxImageSide, pixels given, stride at least the width.
std::string FrameProblem(const FrameView& frame);

// True when every pixel has R = G = B.
bool IsGrayFrame(const FrameView& frame);

} // namespace imageio
