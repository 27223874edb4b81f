#pragma once
// The image class the start screen uses: a DIB section in memory that keeps its own bits per
// pixel and row order. GetBits() is always the top row and GetPitch() the step from one row to
// the next one down, negative for bottom-up images.

#include "platform/gdi/dc.h"
#include "platform/gdi/dib.h"

#include <cstdint>
#include <memory>
#include <vector>

class CImage {
  public:
    CImage() = default;
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;
    ~CImage() = default;

    // Loads a bitmap resource as it is stored (8, 24 or 32 bits, bottom-up or top-down). Leaves
    // the image null when there is no such resource.
    void LoadFromResource(HINSTANCE instance, UINT id);
    // A black image of 8 (gray colour table), 24 or 32 bits per pixel; bottom-up for a positive
    // height, top-down for a negative one. Fails on an image that is not null.
    BOOL Create(int width, int height, int bitsPerPixel, DWORD flags = 0);
    void Destroy();
    bool IsNull() const { return width_ == 0; }

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    int GetBPP() const { return bitsPerPixel_; }
    void* GetBits();
    const void* GetBits() const;
    int GetPitch() const;

    // Converts the pixels to the screen's format now and draws from that copy, instead of
    // converting them on every Draw, until GetBits() is next called for writing. Pixels written
    // through a pointer taken before this call do not show.
    void KeepConvertedCopy();

    // Copies the whole image into the destination rectangle with StretchBlt, SRCCOPY, in the
    // DC's own stretch mode.
    BOOL Draw(HDC dc, int x, int y, int width, int height) const;
    BOOL Draw(HDC dc, const RECT& dest) const;
    BOOL Draw(CDC* dc, const RECT& dest) const;

  private:
    gdi::DibView View() const;

    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    bool bottomUp_ = true;
    std::size_t stride_ = 0;
    std::vector<std::uint8_t> palette_; // 4 bytes per entry, for 8 bits per pixel
    std::vector<std::uint8_t> bits_;    // rows in stored order, once the image has its own
    // A loaded image reads the rows in the resource, which lives as long as the program, until
    // it is written to.
    const std::uint8_t* resourceBits_ = nullptr;
    // The pixels converted once, when Draw reads them from here.
    std::shared_ptr<const gdi::Surface> converted_;
    const std::uint8_t* Bits() const { return resourceBits_ ? resourceBits_ : bits_.data(); }
};
