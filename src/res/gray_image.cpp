#include "res/gray_image.h"

#include <algorithm>

namespace res {

GrayImage::GrayImage(int width, int height, std::uint8_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

void GrayImage::FillBox(int x0, int y0, int x1, int y1, std::uint8_t value) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width_ - 1);
    y1 = std::min(y1, height_ - 1);
    for (int y = y0; y <= y1; ++y) {
        if (x0 <= x1) {
            std::fill(Row(y) + x0, Row(y) + x1 + 1, value);
        }
    }
}

void GrayImage::Set(int x, int y, std::uint8_t value) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
        Row(y)[x] = value;
    }
}

void GrayImage::Paste(const GrayImage& src, int x, int y) {
    const int sx0 = std::max(0, -x);
    const int sy0 = std::max(0, -y);
    const int sx1 = std::min(src.width_, width_ - x);
    const int sy1 = std::min(src.height_, height_ - y);
    for (int sy = sy0; sy < sy1; ++sy) {
        if (sx0 < sx1) {
            std::copy(src.Row(sy) + sx0, src.Row(sy) + sx1, Row(y + sy) + x + sx0);
        }
    }
}

GrayImage GrayImage::Crop(int x, int y, int width, int height) const {
    GrayImage out(width, height, 0);
    out.Paste(*this, -x, -y);
    return out;
}

GrayImage GrayImage::MirroredLeftRight() const {
    GrayImage out = *this;
    for (int y = 0; y < height_; ++y) {
        std::reverse(out.Row(y), out.Row(y) + width_);
    }
    return out;
}

GrayImage GrayImage::MirroredTopBottom() const {
    GrayImage out(width_, height_, 0);
    for (int y = 0; y < height_; ++y) {
        std::copy(Row(y), Row(y) + width_, out.Row(height_ - 1 - y));
    }
    return out;
}

} // namespace res
