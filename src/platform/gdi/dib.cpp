#include "platform/gdi/dib.h"

#include <algorithm>

namespace gdi {

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | b;
}

} // namespace

std::size_t DibStride(int width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

bool ParseDib(const std::uint8_t* data, std::size_t size, DibView* out) {
    constexpr std::size_t kMinHeader = 40;
    if (!data || !out || size < kMinHeader) {
        return false;
    }
    const std::uint32_t headerSize = Le32(data);
    const auto width = static_cast<std::int32_t>(Le32(data + 4));
    const auto height = static_cast<std::int32_t>(Le32(data + 8));
    const std::uint16_t planes = Le16(data + 12);
    const std::uint16_t bpp = Le16(data + 14);
    const std::uint32_t compression = Le32(data + 16);
    std::uint32_t colours = Le32(data + 32);
    if (headerSize < kMinHeader || headerSize > size || planes != 1 || compression != BI_RGB ||
        width <= 0 || height == 0 || height == INT32_MIN || (bpp != 8 && bpp != 24 && bpp != 32)) {
        return false;
    }
    if (bpp == 8) {
        if (colours == 0) {
            colours = 256;
        }
        if (colours > 256) {
            return false;
        }
    }
    const int rows = height < 0 ? -height : height;
    const std::size_t stride = DibStride(width, bpp);
    // Sizes as 64-bit so that huge headers cannot wrap around.
    const std::uint64_t paletteBytes = static_cast<std::uint64_t>(colours) * 4;
    const std::uint64_t needed =
        headerSize + paletteBytes + static_cast<std::uint64_t>(stride) * rows;
    if (needed > size) {
        return false;
    }
    DibView v;
    v.width = width;
    v.height = rows;
    v.bottomUp = height > 0;
    v.bitsPerPixel = bpp;
    v.stride = stride;
    v.palette = colours ? data + headerSize : nullptr;
    v.paletteSize = static_cast<int>(colours);
    v.bits = data + headerSize + paletteBytes;
    *out = v;
    return true;
}

DibRowReader::DibRowReader(const DibView& dib) : dib_(dib) {
    if (dib.bitsPerPixel == 8) {
        for (int k = 0; k < dib.paletteSize && k < 256; ++k) {
            const std::uint8_t* e = dib.palette + 4 * k;
            table_[k] = Rgb(e[2], e[1], e[0]);
        }
    }
}

void DibRowReader::Read(int y, int x0, int x1, std::uint32_t* out) const {
    const std::uint8_t* in = dib_.Row(y);
    if (dib_.bitsPerPixel == 8) {
        for (int x = x0; x < x1; ++x) {
            *out++ = table_[in[x]];
        }
        return;
    }
    // A stored pixel is blue, green, red: read as a little-endian word and masked it is the
    // surface pixel. The last pixel of a row is read bytewise, as its word may reach past the
    // end of the bits.
    const std::size_t bytes = static_cast<std::size_t>(dib_.bitsPerPixel / 8);
    const std::uint8_t* p = in + bytes * static_cast<std::size_t>(x0);
    const int wordsTo = std::min(x1, dib_.width - 1);
    int x = x0;
    for (; x < wordsTo; ++x, p += bytes) {
        *out++ = Le32(p) & 0x00FFFFFFu;
    }
    for (; x < x1; ++x, p += bytes) {
        *out++ = Rgb(p[2], p[1], p[0]);
    }
}

void CopyDibToSurface(const DibView& dib, Surface& surface) {
    surface.ResizeForOverwrite(dib.width, dib.height);
    const DibRowReader reader(dib);
    for (int y = 0; y < dib.height; ++y) {
        reader.Read(y, 0, dib.width, surface.Row(y));
    }
}

HBITMAP CreateBitmapFromDib(const std::uint8_t* data, std::size_t size) {
    DibView dib;
    if (!ParseDib(data, size, &dib)) {
        return nullptr;
    }
    auto* bitmap = new BitmapObject;
    bitmap->surface = std::make_shared<Surface>();
    bitmap->bitsPixel = 32;
    CopyDibToSurface(dib, *bitmap->surface);
    return bitmap;
}

} // namespace gdi

HBITMAP LoadBitmapW(HINSTANCE instance, int id) {
    const std::vector<std::uint8_t>* bytes = base::FindBitmapResource(instance, id);
    if (!bytes) {
        return nullptr;
    }
    return gdi::CreateBitmapFromDib(bytes->data(), bytes->size());
}
