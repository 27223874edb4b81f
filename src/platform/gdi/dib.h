#pragma once
// Packed device-independent bitmaps (BITMAPINFOHEADER, colour table, rows), and LoadBitmapW, which
// turns one of the program's bitmap resources into a bitmap.

#include "platform/base/module.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/surface.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CDC;

namespace gdi {

// A parsed packed DIB; the pointers point into the bytes it was parsed from.
struct DibView {
    int width = 0;
    int height = 0; // number of rows, positive whatever the stored order
    bool bottomUp = true;
    int bitsPerPixel = 0; // 8, 24 or 32
    std::size_t stride = 0;
    const std::uint8_t* palette = nullptr; // blue, green, red, reserved per entry
    int paletteSize = 0;
    const std::uint8_t* bits = nullptr; // the first stored row

    // The stored row that shows as row y of the picture (0 = top).
    const std::uint8_t* Row(int y) const {
        return bits + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
    }
};

std::size_t DibStride(int width, int bitsPerPixel);

// Accepts uncompressed (BI_RGB) DIBs of 8, 24 or 32 bits per pixel with a header of at least 40
// bytes whose colour table and rows are all within the bytes; anything else fails.
bool ParseDib(const std::uint8_t* data, std::size_t size, DibView* out);

// Reads rows of a picture as surface pixels; 8-bit indices past the colour table become black.
class DibRowReader {
  public:
    explicit DibRowReader(const DibView& dib);
    // Columns x0 to x1 (exclusive) of row y (0 = top) into out.
    void Read(int y, int x0, int x1, std::uint32_t* out) const;

  private:
    const DibView& dib_;
    std::uint32_t table_[256] = {};
};

// Converts the picture to surface pixels.
void CopyDibToSurface(const DibView& dib, Surface& surface);

// StretchBlt with SRCCOPY from a picture in memory, read where it lies instead of through a
// bitmap selected into a second DC: source coordinates are picture pixels, the destination as
// for StretchBlt, in the DC's stretch mode.
BOOL StretchDib(CDC* dc, int x, int y, int width, int height, const DibView& dib, int xSrc,
                int ySrc, int srcWidth, int srcHeight);

// StretchDib from a picture already converted to surface pixels (which must not be the DC's
// target).
BOOL StretchPixels(CDC* dc, int x, int y, int width, int height, const Surface& pixels, int xSrc,
                   int ySrc, int srcWidth, int srcHeight);

// A new 32-bit bitmap holding the picture, or nullptr when the bytes are not a usable DIB.
HBITMAP CreateBitmapFromDib(const std::uint8_t* data, std::size_t size);

} // namespace gdi

// Decodes bitmap resource id of the module into a new bitmap; nullptr when the module is not
// the program's or it has no such bitmap.
HBITMAP LoadBitmapW(HINSTANCE instance, int id);
