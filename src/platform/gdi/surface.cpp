#include "platform/gdi/surface.h"

#include <algorithm>

namespace gdi {

Surface::Surface(int width, int height, std::uint32_t fill) {
    Resize(width, height, fill);
}

void Surface::Resize(int width, int height, std::uint32_t fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, fill);
}

void Surface::ResizeForOverwrite(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    const std::size_t n = static_cast<std::size_t>(width_) * height_;
    if (n > pixels_.capacity()) {
        PixelVector().swap(pixels_); // growing need not carry the old pixels over
    }
    pixels_.resize(n); // default-initialised: no clearing pass
}

void FillRect(Surface& s, const RECT& clip, RECT r, std::uint32_t pixel) {
    RECT bounds = s.Bounds();
    RECT area;
    if (!IntersectRect(&area, &bounds, &clip) || !IntersectRect(&area, &area, &r)) {
        return;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint32_t* row = s.Row(y);
        std::fill(row + area.left, row + area.right, pixel);
    }
}

} // namespace gdi
