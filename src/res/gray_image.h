#pragma once
// An 8-bit gray picture in memory: one byte per pixel, rows top-down, no padding. The reference
// images are composed in this form and only packed into bitmaps at the end.

#include <cstdint>
#include <vector>

namespace res {

class GrayImage {
  public:
    GrayImage() = default;
    GrayImage(int width, int height, std::uint8_t fill);

    int Width() const { return width_; }
    int Height() const { return height_; }

    std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint8_t* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }
    std::uint8_t At(int x, int y) const { return Row(y)[x]; }
    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

    // Both corners are inclusive, as the layouts are written; anything outside the picture is
    // dropped.
    void FillBox(int x0, int y0, int x1, int y1, std::uint8_t value);
    void Set(int x, int y, std::uint8_t value);
    // Copies all of src with its top-left corner at (x, y), clipped.
    void Paste(const GrayImage& src, int x, int y);

    GrayImage Crop(int x, int y, int width, int height) const;
    GrayImage MirroredLeftRight() const;
    GrayImage MirroredTopBottom() const;

    bool operator==(const GrayImage&) const = default;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

} // namespace res
